#include "userdict/TypedWords.h"

#include "base/CodePages.h"
#include "base/TypedText.h"

namespace trelvik {

PreparedWords PrepareTypedWords(const TripleView &typed, EmptyFields emptyFields)
{
    PreparedWords prepared;
    Triple words;
    for (const Language language : kCheckOrder) {
        TextRefusal unfit;
        if (TypedToSingleByte(typed[language], CodePageOf(language), words[language], &unfit))
            continue;
        prepared.refusal = WordRefusal::UnfitCharacter;
        prepared.field = language;
        prepared.message = "ERROR: \u201C" + unfit.character + "\u201D cannot be stored";
        prepared.detail = unfit.message;
        // No code page holds a C1 control character; it is refused as the C0 ones are, without repeating the
        // character itself.
        if (IsControlCharacter(unfit.codePoint) && !unfit.character.empty()) {
            const WordCheck control = ControlCharacterRefusal(language, unfit.codePoint);
            prepared.refusal = control.refusal;
            prepared.message = control.message;
            prepared.detail = control.detail;
        }
        break;
    }
    // An empty field is named first, whatever else is wrong, as the window has always done.
    const bool anyEmpty = typed.ru.empty() || typed.sv.empty() || typed.en.empty();
    if (prepared.refusal != WordRefusal::None && !(emptyFields == EmptyFields::Refused && anyEmpty))
        return prepared;

    const WordCheck check = MakeStoredWords(words, emptyFields);
    if (!check) {
        prepared.refusal = check.refusal;
        prepared.field = check.field;
        prepared.message = check.message;
        prepared.detail = check.detail;
        return prepared;
    }
    prepared.record = std::move(words);
    return prepared;
}

std::string WordsAddedText(long long recordNumber)
{
    return "Words is added. Record #" + std::to_string(recordNumber);
}

} // namespace trelvik
