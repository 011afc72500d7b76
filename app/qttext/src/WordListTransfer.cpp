#include "qttext/WordListTransfer.h"

#include "base/Text.h"
#include "qttext/QtText.h"
#include "qttext/TypedWords.h"
#include "services/AppFolder.h"
#include "userdict/NewWords.h"
#include "userdict/WordListReader.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>
#include <vector>

namespace trelvik {

namespace {

// What makes two records the same triple: their words, with ё read as е as every comparison reads it.
Triple sameTripleKey(const UserRecord &record)
{
    Triple key = record;
    for (char &c : key.ru)
        c = static_cast<char>(FoldYo(static_cast<unsigned char>(c)));
    return key;
}

using TripleKeys = std::set<Triple>;

TripleKeys keysOf(const UserTable &records)
{
    TripleKeys keys;
    for (const UserRecord &record : records)
        keys.insert(sameTripleKey(record));
    return keys;
}

QString reasonOfRefusal(const PreparedWords &prepared)
{
    QString reason = prepared.message;
    if (prepared.field)
        reason += QStringLiteral(" (%1)").arg(QString::fromUtf8(NameOf(*prepared.field)));
    if (!prepared.detail.isEmpty())
        reason += QStringLiteral(": ") + prepared.detail;
    return reason;
}

} // namespace

ImportOutcome ImportWordList(const std::string &userDictPath, const WordListSource &source, std::string_view separators,
                             bool dryRun, const ImportListener &listener)
{
    ImportOutcome outcome;
    TripleKeys present;
    {
        UserTable existing;
        std::size_t emptyRecords = 0;
        if (const UserDictResult read = ReadEveryUserRecord(userDictPath, existing, emptyRecords); !read) {
            outcome.fileError = FromEngineMessage(read.error);
            return outcome;
        }
        present = keysOf(existing);
    }

    // Only the records to store are kept, as the lines they will be, and only as long as every row can be stored.
    RecordLines toAdd;
    const auto problem = [&](std::size_t line, const QString &reason) {
        ++outcome.problems;
        toAdd = RecordLines();
        if (listener.onProblem)
            listener.onProblem(ImportProblem{line, reason});
    };
    const WordListReader::RowTaker takeRow = [&](WordListRow &row) {
        if (row.kind == WordListRow::Kind::Header) {
            if (listener.onHeader)
                listener.onHeader(row.line);
            return;
        }
        if (row.kind == WordListRow::Kind::Problem)
            return problem(row.line, QString::fromStdString(row.problem));
        const auto word = [&row](Language language) { return QString::fromStdString(row.words[language]); };
        const PreparedWords prepared = PrepareTypedWords(word(Language::Russian), word(Language::English),
                                                         word(Language::Swedish), EmptyFields::Allowed);
        if (!prepared)
            return problem(row.line, reasonOfRefusal(prepared));

        ImportRow planned{ImportRow::Fate::Add, row.line, prepared.record};
        if (present.count(sameTripleKey(planned.record)) != 0)
            planned.fate = ImportRow::Fate::AlreadyPresent;
        ++(planned.fate == ImportRow::Fate::Add ? outcome.added : outcome.alreadyPresent);
        if (listener.onRow)
            listener.onRow(planned);
        if (!dryRun && outcome.problems == 0 && planned.fate == ImportRow::Fate::Add)
            toAdd.Append(planned.record);
    };

    WordListReader reader(separators);
    bool stopped = false;
    std::string error;
    const bool read = source(
        [&](std::string_view piece) {
            reader.Feed(piece, takeRow);
            stopped = listener.goOn && !listener.goOn();
            return !stopped;
        },
        error);
    if (!read) {
        outcome.fileError = FromEngineMessage(error);
        return outcome;
    }
    if (stopped)
        return outcome;
    reader.Finish(takeRow);
    if (dryRun || outcome.problems > 0)
        return outcome;

    if (toAdd.empty()) {
        outcome.stored = true;
        return outcome;
    }
    std::string target = userDictPath;
    std::string note;
    if (const UserDictResult moved = UseWritableUserDictionary(target, note); !moved) {
        outcome.fileError = FromEngineMessage(moved.error);
        return outcome;
    }
    outcome.note = FromEngineMessage(note);
    // The plan was made before the lock was taken: what the file holds under the lock decides.
    const auto skipPresent = [&outcome](const UserTable &now, RecordLines &chosen) {
        const TripleKeys presentNow = keysOf(now);
        const std::size_t planned = chosen.size();
        chosen.KeepIf([&presentNow](const UserRecord &record) { return presentNow.count(sameTripleKey(record)) == 0; });
        outcome.added -= planned - chosen.size();
        outcome.alreadyPresent += planned - chosen.size();
    };
    std::int32_t count = 0;
    UserTable before;
    if (const UserDictResult added = AddRecordLines(target, count, before, std::move(toAdd), skipPresent); !added) {
        outcome.fileError = FromEngineMessage(added.error);
        return outcome;
    }
    outcome.stored = true;
    return outcome;
}

ImportOutcome ImportWordList(const std::string &userDictPath, std::string_view bytes, std::string_view separators,
                             bool dryRun, const ImportListener &listener)
{
    const WordListSource inMemory = [bytes](const std::function<bool(std::string_view)> &take, std::string &) {
        take(bytes);
        return true;
    };
    return ImportWordList(userDictPath, inMemory, separators, dryRun, listener);
}

} // namespace trelvik
