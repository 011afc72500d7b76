#!/usr/bin/env bash
# Installs Trelvik into a temporary prefix, makes the installed application folder read-only, and checks that
# trelvik-cli still looks words up, keeps the user dictionary in the user's data folder, and treats a volume
# it cannot create as empty. As root, permissions mean nothing, so the checks run as the user "nobody".
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix="$work/usr"
app="$prefix/lib/trelvik"

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected [$2], got [$1]"; }

# The layout a desktop expects.
[ -L "$prefix/bin/trelvik-cli" ] || fail "bin/trelvik-cli is not a link"
[ -x "$app/trelvik-cli" ] || fail "no trelvik-cli in the application folder"
for f in share/applications/trelvik.desktop share/metainfo/org.trelvik.Trelvik.metainfo.xml \
         share/icons/hicolor/32x32/apps/trelvik.png share/icons/hicolor/256x256/apps/trelvik.png; do
    [ -f "$prefix/$f" ] || fail "missing $f"
done
[ "$(find "$app/data" -name '*.dct' | wc -l)" -eq 147 ] || fail "not all 147 volumes are installed"
[ "$(find "$prefix/share/dictd" -name 'trelvik-*.index' | wc -l)" -eq 6 ] || fail "not all six DICT databases are installed"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/trelvik.desktop" || fail "the desktop entry is not valid"
fi

expect_eq "$("$prefix/bin/trelvik-cli" --version)" "trelvik-cli 2.0" "version"

# A volume that is missing from a read-only installation.
rm "$app/data/en/mEQ1.dct"
chmod -R a-w "$app"

home="$work/home"
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
run() { env HOME="$home" XDG_DATA_HOME="$home/.local/share" "${as_user[@]}" "$prefix/bin/trelvik-cli" "$@"; }

first=$(run lookup en sv house | head -n 1)
[ -n "$first" ] || fail "an installed lookup found nothing for 'house'"

run lookup en ru quick > /dev/null || fail "a lookup in a letter whose volume is missing failed"
[ ! -e "$app/data/en/mEQ1.dct" ] || fail "a volume was created in the read-only folder"

expect_eq "$(run add "тестслово" "testword" "testord")" "Words is added. Record #1" "first add"
expect_eq "$(run lookup en sv testword | head -n 1)" "testord" "lookup of the added word"
expect_eq "$(run count)" "1 word(s)" "count"
[ -f "$home/.local/share/trelvik/user.dct" ] || fail "user.dct is not in the user's data folder"
[ ! -e "$app/user.dct" ] || fail "user.dct was written into the application folder"

# Even a user who may write into the installed folder keeps the words in the data folder.
chmod -R u+w "$app"
expect_eq "$(env HOME="$work/home2" XDG_DATA_HOME="$work/home2/share" "$prefix/bin/trelvik-cli" add "кот" "cat" "katt")" \
    "Words is added. Record #1" "add with a writable installed folder"
[ -f "$work/home2/share/trelvik/user.dct" ] || fail "a writable installed folder took the user dictionary"

# A portable copy, without the marker, keeps the user dictionary beside the program.
portable="$work/portable"
cp -r "$app" "$portable"
rm "$portable/installed-copy"
expect_eq "$("$portable/trelvik-cli" add "пёс" "dog" "hund")" "Words is added. Record #1" "portable add"
[ -f "$portable/user.dct" ] || fail "a portable copy did not keep user.dct beside the program"

echo "install test passed"
