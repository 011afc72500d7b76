#include "qttext/TypedWords.h"

#include "qttext/QtText.h"
#include "services/AppFolder.h"

namespace trelvik {

PreparedWords PrepareTypedWords(const QString &russian, const QString &english, const QString &swedish,
                                EmptyFields emptyFields)
{
    PreparedWords prepared;
    const BasicTriple<const QString *> texts{&russian, &swedish, &english};
    Triple words;
    for (const Language i : kCheckOrder) {
        if (prepared.refusal != WordRefusal::None)
            break;
        QString unfit;
        if (!ToSingleByte(*texts[i], CodePageOf(i), words[i], &prepared.detail, &unfit)) {
            prepared.refusal = WordRefusal::UnfitCharacter;
            prepared.field = i;
            prepared.message = QStringLiteral("ERROR: \u201C%1\u201D cannot be stored").arg(unfit);
            // No code page holds a C1 control character; it is refused as the core refuses the C0 ones, without
            // repeating the character itself.
            if (const char32_t c = unfit.at(0).unicode(); IsControlCharacter(c)) {
                const WordCheck control = ControlCharacterRefusal(i, c);
                prepared.refusal = control.refusal;
                prepared.message = FromEngineMessage(control.message);
                prepared.detail = FromEngineMessage(control.detail);
            }
        }
    }
    // An empty field is named first, whatever else is wrong, as the window has always done.
    const bool anyEmpty = russian.isEmpty() || english.isEmpty() || swedish.isEmpty();
    if (prepared.refusal != WordRefusal::None && !(emptyFields == EmptyFields::Refused && anyEmpty))
        return prepared;

    const WordCheck check = MakeStoredWords(words, emptyFields);
    if (!check) {
        prepared.refusal = check.refusal;
        prepared.field = check.field;
        prepared.message = FromEngineMessage(check.message);
        prepared.detail = FromEngineMessage(check.detail);
        return prepared;
    }
    prepared.record = std::move(words);
    return prepared;
}

TypedWordsAdded AddTypedWords(std::string &userDictPath, const QString &russian, const QString &english,
                              const QString &swedish)
{
    TypedWordsAdded added;
    const PreparedWords prepared = PrepareTypedWords(russian, english, swedish, EmptyFields::Refused);
    if (!prepared) {
        added.outcome = TypedWordsAdded::Outcome::Refused;
        added.field = prepared.field;
        added.message = prepared.message;
        added.detail = prepared.detail;
        return added;
    }

    std::string note;
    if (const UserDictResult moved = UseWritableUserDictionary(userDictPath, note); !moved) {
        added.outcome = TypedWordsAdded::Outcome::FileError;
        added.message = FromEngineMessage(moved.error);
        return added;
    }
    added.note = FromEngineMessage(note);

    std::int32_t count = 0;
    UserTable table;
    const UserDictResult result = AddUserRecord(userDictPath, count, table, prepared.record);
    if (!result) {
        added.outcome = TypedWordsAdded::Outcome::FileError;
        added.message = FromEngineMessage(result.error);
        return added;
    }
    added.recordNumber = static_cast<qint64>(count) + 1;
    return added;
}

QString WordsAddedText(qint64 recordNumber)
{
    return QStringLiteral("Words is added. Record #") + QString::number(recordNumber);
}

} // namespace trelvik
