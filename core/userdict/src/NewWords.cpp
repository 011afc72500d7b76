#include "userdict/NewWords.h"

#include "base/CodePages.h"

#include <string_view>

namespace trelvik {

namespace {

WordCheck refused(WordRefusal refusal, std::optional<Language> field, std::string message, std::string detail = {})
{
    return WordCheck{refusal, field, std::move(message), std::move(detail)};
}

} // namespace

WordCheck ControlCharacterRefusal(Language field, char32_t c)
{
    return refused(WordRefusal::ControlChar, field, kNoControlInWords,
                   "The control character " + CodePointName(c) + " cannot be stored.");
}

WordCheck MakeStoredWords(Triple &words, EmptyFields emptyFields)
{
    if (emptyFields == EmptyFields::Refused) {
        for (const Language i : kCheckOrder) {
            if (words[i].empty())
                return refused(WordRefusal::EmptyField, std::nullopt, kEnterWordsFirst);
        }
    }

    Triple stored;
    for (const Language i : kCheckOrder) {
        const std::string_view typed = words[i];
        if (typed.find('"') != std::string_view::npos)
            return refused(WordRefusal::DoubleQuote, i, kNoQuoteInWords);
        if (typed.find_first_of("\r\n") != std::string_view::npos)
            return refused(WordRefusal::LineBreak, i, kNoLineBreakInWords);
        for (const char c : typed) {
            if (const char32_t decoded = DecodeByte(static_cast<unsigned char>(c), CodePageOf(i));
                IsControlCharacter(decoded))
                return ControlCharacterRefusal(i, decoded);
        }
        stored[i] = std::string(TrimSpaces(LowerCaseWord(typed, CodePageOf(i))));
        if (stored[i].size() > kMaxWordLength)
            return refused(WordRefusal::TooLong, i, kWordTooLong,
                           "A word can have at most " + std::to_string(kMaxWordLength) + " characters.");
        if (std::string reason = CheckStorableWord(stored[i]); !reason.empty())
            return refused(WordRefusal::Unstorable, i, std::move(reason));
    }
    // A record of three empty words would end every lookup before the records behind it.
    if (stored.empty())
        return refused(WordRefusal::EmptyTriple, std::nullopt, kEnterWordsFirst);

    words = std::move(stored);
    return {};
}

} // namespace trelvik
