#include "services/WordListTransfer.h"

#include "base/Text.h"
#include "services/AppFolder.h"
#include "userdict/NewWords.h"
#include "userdict/TypedWords.h"
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

std::string reasonOfRefusal(const PreparedWords &prepared)
{
    std::string reason = prepared.message;
    if (prepared.field)
        reason += " (" + std::string(NameOf(*prepared.field)) + ")";
    if (!prepared.detail.empty())
        reason += ": " + prepared.detail;
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
            outcome.fileError = read.error;
            return outcome;
        }
        present = keysOf(existing);
    }

    // Only the records to store are kept, as the lines they will be, and only as long as every row can be stored.
    RecordLines toAdd;
    const auto problem = [&](std::size_t line, const std::string &reason) {
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
            return problem(row.line, row.problem);
        const PreparedWords prepared =
            PrepareTypedWords(TripleView{row.words.ru, row.words.sv, row.words.en}, EmptyFields::Allowed);
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
        outcome.fileError = error;
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
    if (const UserDictResult moved = UseWritableUserDictionary(target, outcome.note); !moved) {
        outcome.fileError = moved.error;
        return outcome;
    }
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
        outcome.fileError = added.error;
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
