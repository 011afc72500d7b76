#include "userdict/NewWords.h"

#include "base/CodePages.h"
#include "engine/LookupContext.h"

#include <string_view>

namespace trelvik {

namespace {

WordCheck refused(WordRefusal refusal, int field, std::string message, std::string detail = {})
{
    return WordCheck{refusal, field, std::move(message), std::move(detail)};
}

} // namespace

int ColumnOfNewWord(int field) noexcept
{
    switch (field) {
    case kNewRussian: return kRussianColumn;
    case kNewEnglish: return kEnglishColumn;
    default: return kSwedishColumn;
    }
}

CodePage CodePageOfNewWord(int field) noexcept
{
    return CodePageOfColumn(ColumnOfNewWord(field));
}

WordCheck ControlCharacterRefusal(int field, char32_t c)
{
    return refused(WordRefusal::ControlChar, field, kNoControlInWords,
                   "The control character " + CodePointName(c) + " cannot be stored.");
}

WordCheck MakeStoredWords(NewWordTriple &words, EmptyFields emptyFields)
{
    if (emptyFields == EmptyFields::Refused) {
        for (int i = 0; i < 3; ++i) {
            if (words[i].empty())
                return refused(WordRefusal::EmptyField, -1, kEnterWordsFirst);
        }
    }

    NewWordTriple stored;
    for (int i = 0; i < 3; ++i) {
        const std::string_view typed = words[i];
        if (typed.find('"') != std::string_view::npos)
            return refused(WordRefusal::DoubleQuote, i, kNoQuoteInWords);
        if (typed.find_first_of("\r\n") != std::string_view::npos)
            return refused(WordRefusal::LineBreak, i, kNoLineBreakInWords);
        for (const char c : typed) {
            if (const char32_t decoded = DecodeByte(static_cast<unsigned char>(c), CodePageOfNewWord(i));
                IsControlCharacter(decoded))
                return ControlCharacterRefusal(i, decoded);
        }
        stored[i] = std::string(TrimSpaces(LowerCaseWord(typed, CodePageOfNewWord(i))));
        if (stored[i].size() > kMaxWordLength)
            return refused(WordRefusal::TooLong, i, kWordTooLong,
                           "A word can have at most " + std::to_string(kMaxWordLength) + " characters.");
        if (std::string reason = CheckStorableWord(stored[i]); !reason.empty())
            return refused(WordRefusal::Unstorable, i, std::move(reason));
    }
    // A record of three empty words would end every lookup before the records behind it.
    if (stored[0].empty() && stored[1].empty() && stored[2].empty())
        return refused(WordRefusal::EmptyTriple, -1, kEnterWordsFirst);

    words = std::move(stored);
    return {};
}

UserRecord RecordOfNewWords(const NewWordTriple &words)
{
    UserRecord record;
    for (int i = 0; i < 3; ++i)
        record.field[static_cast<std::size_t>(ColumnOfNewWord(i) - 1)] = words[static_cast<std::size_t>(i)];
    return record;
}

} // namespace trelvik
