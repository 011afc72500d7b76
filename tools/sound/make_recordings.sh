#!/bin/sh
# Records the six voice examples from their texts, so that what is heard
# always matches what the window shows.
#
#   tools/sound/make_recordings.sh [sound-folder]
#
# Reads sound/text1.dat ... text6.dat (Windows-1252, CR LF) and writes
# sound/text01.wav ... text06.wav: mono, 16-bit PCM, 16000 Hz. Needs
# espeak-ng and sox (Debian packages espeak-ng and sox) and /usr/bin/python3.
#
# Items in parentheses are the English meanings and are not spoken. A line
# that starts with "A: " or "B: " is one side of a dialogue; the two sides
# get different voices and the prefix itself is not read out.

set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
sound=${1:-"$root/sound"}

VOICE_NARRATOR=${VOICE_NARRATOR:-sv}
VOICE_A=${VOICE_A:-sv+m3}
VOICE_B=${VOICE_B:-sv+f3}
# Words per minute: slower than espeak-ng's 175 so that a learner can
# follow, not so slow that the words fall apart.
SPEED=${SPEED:-135}
PAUSE=${PAUSE:-0.6}
# 16 kHz keeps each recording well under a megabyte; the synthesiser puts
# next to nothing above 8 kHz anyway.
RATE=${RATE:-16000}

for tool in espeak-ng sox /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "make_recordings: $tool is missing" >&2
        exit 1
    }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints one "voice<TAB>text" line for each item to be spoken, reading the
# file with the same item rules as the voice-examples window: an item ends
# at a comma or a line end, leading blanks are skipped, and an item that
# opens with a double quote runs to the next double quote.
spoken_items() {
    PYTHONIOENCODING=utf-8 /usr/bin/python3 - "$1" "$VOICE_NARRATOR" \
        "$VOICE_A" "$VOICE_B" <<'PY'
import sys

path, narrator, voice_a, voice_b = sys.argv[1:5]
text = open(path, "rb").read().decode("cp1252")


def items(line):
    pos, out = 0, []
    while pos < len(line):
        while pos < len(line) and line[pos] == " ":
            pos += 1
        if pos < len(line) and line[pos] == '"':
            end = line.find('"', pos + 1)
            end = len(line) if end < 0 else end
            out.append(line[pos + 1:end])
            comma = line.find(",", end)
            pos = len(line) if comma < 0 else comma + 1
        else:
            comma = line.find(",", pos)
            comma = len(line) if comma < 0 else comma
            out.append(line[pos:comma].strip())
            pos = comma + 1
    return out


for line in text.split("\r\n"):
    for item in items(line):
        if not item or item.startswith("("):
            continue
        voice = narrator
        if item.startswith("A: "):
            voice, item = voice_a, item[3:]
        elif item.startswith("B: "):
            voice, item = voice_b, item[3:]
        print(voice + "\t" + item)
PY
}

tab=$(printf '\t')
for n in 1 2 3 4 5 6; do
    dat="$sound/text$n.dat"
    wav="$sound/text0$n.wav"
    [ -f "$dat" ] || { echo "make_recordings: $dat is missing" >&2; exit 1; }

    rm -f "$work"/part-*.wav
    i=0
    spoken_items "$dat" > "$work/items"
    while IFS="$tab" read -r voice words; do
        i=$((i + 1))
        part=$(printf '%s/part-%03d.wav' "$work" "$i")
        espeak-ng -v "$voice" -s "$SPEED" -w "$work/raw.wav" -- "$words"
        # Trim the synthesiser's own leading silence and put one even pause
        # after every line instead.
        sox -G -D "$work/raw.wav" -r "$RATE" -c 1 -b 16 "$part" \
            silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse \
            pad 0 "$PAUSE"
    done < "$work/items"
    if [ "$i" -eq 0 ]; then
        echo "make_recordings: nothing to say in $dat" >&2
        exit 1
    fi

    sox -D "$work"/part-*.wav -r "$RATE" -c 1 -b 16 -e signed-integer "$wav" \
        pad 0.3 0 norm -1
    echo "$wav: $i lines, $(soxi -D "$wav") s, $(wc -c < "$wav") bytes"
done
