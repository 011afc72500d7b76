// trelvik-cli lookup: the window's "Translate" for a word given or for each line of standard input.

#include "Command.h"

#include "base/CodePages.h"
#include "base/TypedText.h"
#include "engine/Presentation.h"
#include "engine/TranslateWord.h"
#include "services/AppFolder.h"
#include "userdict/UserDictLookup.h"
#include "wordforms/HunspellBaseForms.h"

#include <cerrno>
#include <memory>
#include <unistd.h>
#include <utility>
#include <vector>

namespace trelvik::cli {

namespace {

// A JSON string: quotes, backslashes and C0 controls escaped, everything else as it is (UTF-8).
void appendJsonString(std::string &json, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\b': json += "\\b"; break;
        case '\f': json += "\\f"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (byte < 0x20)
                json.append("\\u00").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
            else
                json += c;
        }
    }
    json += '"';
}

// A compact JSON object, its members in the order added (by name, as scripts have always seen them).
class JsonObject {
public:
    // Adds a member whose value is a string.
    JsonObject &add(std::string_view name, std::string_view value)
    {
        std::string quoted;
        appendJsonString(quoted, value);
        return addJson(name, quoted);
    }
    // Adds a member whose value is JSON already.
    JsonObject &addJson(std::string_view name, std::string_view json)
    {
        m_json += m_json.size() > 1 ? "," : "";
        appendJsonString(m_json, name);
        m_json.append(":").append(json);
        return *this;
    }
    // The object's text.
    std::string text() const { return m_json + '}'; }

private:
    std::string m_json = "{";
};

struct LookupJob {
    LookupQuery query; // the languages and options; the word changes from answer to answer
    LookupEnvironment env;
    bool json = false;
    bool batch = false; // the words come one a line from standard input
    bool userDictErrorSaid = false;
    std::unique_ptr<HunspellBaseForms> forms;
};

// Answers a word that cannot be looked up: the reason on standard error and, for a line of a batch, an error
// line (or object) in the answer's place, so that the answers stay in step with the lines.
void answerError(Output &out, const LookupJob &job, const std::string &word, const std::string &error,
                 bool onStandardError = true)
{
    if (onStandardError)
        out.error("\"" + word + "\": " + error);
    if (!job.batch)
        return;
    if (job.json)
        out.write(Shown(JsonObject().add("error", error).add("word", word).text()) + '\n');
    else
        out.write("Error: \"" + Shown(word) + "\": " + Shown(error) + '\n');
}

// Answers one word; returns false (after saying why) when the word is not UTF-8 or cannot be written in its
// code page.
bool answer(Output &out, LookupJob &job, const std::string &word, bool utf8 = true)
{
    if (!utf8) {
        answerError(out, job, word, kNotUtf8);
        return false;
    }
    const CodePage sourcePage = CodePageOf(job.query.from);
    const CodePage targetPage = CodePageOf(job.query.to);
    TextRefusal refusal;
    if (!TypedToSingleByte(word, sourcePage, job.query.word, &refusal)) {
        answerError(out, job, word, refusal.message);
        return false;
    }

    const LookupResult result = TranslateWord(job.query, job.env);
    // Without the user's words the answer could say "not present" of a word the user added: no answer then.
    if (!result.userDictError.empty()) {
        const std::string unread = TextOf(result.userDictError);
        if (!std::exchange(job.userDictErrorSaid, true))
            out.error(unread);
        answerError(out, job, word, unread, /*onStandardError=*/false);
        return false;
    }
    const std::string translation = DecodeToUtf8(JoinTranslations(result.translations), targetPage);
    const std::string status = TextOf(StatusLine(result, sourcePage));

    if (job.json) {
        std::string nearest = "[";
        for (const NearestPair &row : result.nearest) {
            nearest += nearest.size() > 1 ? ",[" : "[";
            appendJsonString(nearest, DecodeToUtf8(row.word, sourcePage));
            nearest += ',';
            appendJsonString(nearest, DecodeToUtf8(row.translation, targetPage));
            nearest += ']';
        }
        nearest += ']';
        JsonObject object;
        if (!result.baseForm.empty())
            object.add("base", DecodeToUtf8(result.baseForm, sourcePage));
        object.addJson("nearest", nearest).add("status", status).add("translation", translation).add("word", word);
        // JSON escapes C0 controls itself; \uXXXX for the others is JSON too and means the same.
        out.write(Shown(object.text()) + '\n');
    } else {
        std::string text = Shown(translation) + '\n';
        for (const NearestPair &row : result.nearest)
            text += Shown(DecodeToUtf8(row.word, sourcePage)) + '\t' + Shown(DecodeToUtf8(row.translation, targetPage))
                    + '\n';
        text += Shown(status) + '\n';
        out.write(text);
    }
    return true;
}

// Standard input one line at a time, without its line end; the last line need not have one.
class LineReader {
public:
    // Reads the next line into line; false at the end of the input (or when it cannot be read).
    bool next(std::string &line)
    {
        for (;;) {
            const std::size_t end = m_buffer.find('\n', m_at);
            if (end != std::string::npos) {
                line.assign(m_buffer, m_at, end - m_at);
                m_at = end + 1;
                return true;
            }
            m_buffer.erase(0, m_at);
            m_at = 0;
            if (!fill()) {
                if (m_buffer.empty())
                    return false;
                line = std::move(m_buffer);
                m_buffer.clear();
                return true;
            }
        }
    }

private:
    bool fill()
    {
        char piece[64 * 1024];
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, piece, sizeof piece);
            if (got > 0) {
                m_buffer.append(piece, static_cast<std::size_t>(got));
                return true;
            }
            if (got == 0 || errno != EINTR)
                return false;
        }
    }

    std::string m_buffer;
    std::size_t m_at = 0;
};

} // namespace

int RunLookup(const Command &command)
{
    const Arguments &args = command.args;
    Output &out = command.out;
    const std::vector<Argument> &words = args.positionals;
    if (words.size() < 3 || words.size() > 4)
        return out.usage("lookup takes FROM TO [WORD].");
    const auto from = LanguageOfCode(words[1].text);
    const auto to = LanguageOfCode(words[2].text);
    if (!from || !to)
        return out.usage("FROM and TO are each one of ru, en, sv.");
    if (*from == *to)
        return out.usage("FROM and TO must be different languages.");

    LookupJob job;
    job.query.from = *from;
    job.query.to = *to;
    job.json = args.json;
    job.env = LookupEnvironment{command.appDir, UserDictionaryPath(command.appDir), &LookupUserDict};
    job.query.useUserDict = !args.noUserDict;
    job.query.findSynonyms = !args.noSynonyms;
    if (args.forms) {
        const std::string folder = HunspellFolder();
        const std::string missing = MissingDictionaryMessage(folder, {*from});
        if (!missing.empty()) {
            out.error(TextOf(missing));
            return kExitDataError;
        }
        job.forms = std::make_unique<HunspellBaseForms>(folder);
        job.env.baseForms = job.forms.get();
    }

    if (words.size() == 4)
        return answer(out, job, words[3].text, words[3].utf8) ? kExitOk : kExitDataError;

    job.batch = true;
    bool allAnswered = true;
    LineReader input;
    std::string line;
    while (!out.failed() && input.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        allAnswered = answer(out, job, TextOf(line), IsValidUtf8(line)) && allAnswered;
    }
    return allAnswered ? kExitOk : kExitDataError;
}

} // namespace trelvik::cli
