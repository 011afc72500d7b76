#include "Arguments.h"

#include "Output.h"

#include "base/CodePages.h"

#include <string_view>
#include <utility>

namespace trelvik::cli {

namespace {

// What the options set, by name; a short name is one letter.
struct Option {
    std::string_view name;
    bool takesValue;
    bool Arguments::*flag;
    std::optional<Argument> Arguments::*value;
};

constexpr Option kOptions[] = {
    {"h", false, &Arguments::help, nullptr},
    {"help", false, &Arguments::help, nullptr},
    {"help-all", false, nullptr, nullptr}, // listed by the help text, does nothing of its own
    {"v", false, &Arguments::version, nullptr},
    {"version", false, &Arguments::version, nullptr},
    {"app-dir", true, nullptr, &Arguments::appDir},
    {"no-user-dict", false, &Arguments::noUserDict, nullptr},
    {"no-synonyms", false, &Arguments::noSynonyms, nullptr},
    {"forms", false, &Arguments::forms, nullptr},
    {"json", false, &Arguments::json, nullptr},
    {"format", true, nullptr, &Arguments::format},
    {"with-user-dict", false, &Arguments::withUserDict, nullptr},
    {"dry-run", false, &Arguments::dryRun, nullptr},
};

const Option *optionNamed(std::string_view name)
{
    for (const Option &option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

class Parser {
public:
    Parser(int argc, const char *const argv[], Arguments &arguments) : m_argc(argc), m_argv(argv), m_out(arguments) {}

    bool run(std::string &error)
    {
        bool failed = false;
        bool optionsEnd = false;
        for (m_at = 1; m_at < m_argc; ++m_at) {
            const Argument argument = argumentAt(m_at);
            const std::string_view text = argument.text;
            if (optionsEnd || text.size() < 2 || text.front() != '-') {
                m_out.positionals.push_back(argument);
            } else if (text == "--") {
                optionsEnd = true;
            } else if (text[1] == '-') {
                const std::string_view name = text.substr(2, text.find('=') - 2);
                failed = !(found(name) && takeValue(name, argument)) || failed;
            } else {
                failed = !shortOptions(argument) || failed;
            }
        }
        if (!m_error.empty())
            error = m_error;
        else if (m_unknown.size() == 1)
            error = "Unknown option '" + m_unknown.front() + "'.";
        else if (!m_unknown.empty())
            error = "Unknown options: " + joined(m_unknown) + ".";
        return !failed;
    }

private:
    Argument argumentAt(int index) const
    {
        const std::string_view bytes = m_argv[index];
        return Argument{std::string(bytes), TextOf(bytes), IsValidUtf8(bytes)};
    }

    // Registers an option by name; false (the name kept for the error) when there is none of that name.
    bool found(std::string_view name)
    {
        const Option *option = optionNamed(name);
        if (!option) {
            m_unknown.emplace_back(name);
            return false;
        }
        if (option->flag)
            m_out.*(option->flag) = true;
        return true;
    }

    // Letters after a single dash: each a short option ("-hv").
    bool shortOptions(const Argument &argument)
    {
        const std::string_view text = argument.text;
        bool known = true;
        std::string_view name;
        for (std::size_t at = 1; at < text.size();) {
            char32_t codePoint = 0;
            const std::size_t length = ReadUtf8(text, at, codePoint);
            name = text.substr(at, length);
            at += length;
            if (!found(name))
                known = false;
            else if (at < text.size() && text[at] == '=')
                break;
        }
        return takeValue(name, argument) && known;
    }

    // The value of a known option: after "=" in the same argument or, for one that takes a value, the next one.
    bool takeValue(std::string_view name, const Argument &argument)
    {
        const Option *option = optionNamed(name);
        if (!option)
            return true;
        const std::size_t assign = argument.text.find('=');
        if (!option->takesValue) {
            if (assign == std::string::npos)
                return true;
            m_error = "Unexpected value after '" + argument.text.substr(0, assign) + "'.";
            return false;
        }
        Argument value;
        if (assign != std::string::npos) {
            value.bytes = argument.bytes.substr(argument.bytes.find('=') + 1);
            value.text = argument.text.substr(assign + 1);
            value.utf8 = IsValidUtf8(value.bytes);
        } else if (++m_at < m_argc) {
            value = argumentAt(m_at);
        } else {
            m_error = "Missing value after '" + argument.text + "'.";
            return false;
        }
        m_out.*(option->value) = std::move(value);
        return true;
    }

    static std::string joined(const std::vector<std::string> &names)
    {
        std::string text;
        for (const std::string &name : names)
            text.append(text.empty() ? "" : ", ").append(name);
        return text;
    }

    int m_argc;
    const char *const *m_argv;
    Arguments &m_out;
    int m_at = 1;
    std::string m_error;
    std::vector<std::string> m_unknown;
};

} // namespace

bool ParseArguments(int argc, const char *const argv[], Arguments &arguments, std::string &error)
{
    arguments.program = argc > 0 ? TextOf(argv[0]) : std::string();
    return Parser(argc, argv, arguments).run(error);
}

std::string HelpText(const std::string &program)
{
    return "Usage: " + program + " [options] command\n" + R"(Trelvik dictionary for scripts.

  lookup [--no-user-dict] [--no-synonyms] [--forms] [--json] FROM TO [WORD]
      Translates WORD, or one word per line of standard input. FROM and TO: ru, en, sv.
      With --forms, a word without a translation is looked up by its base forms (books: book,
      went: go, книги: книга), and a word that is also a form of
      another word gets that word's translations after its own (saw: see); the status then names both words.
      A user dictionary that is there but cannot be read is an error (exit 1), not "not present".
  add RUSSIAN ENGLISH SWEDISH
      Adds a triple to the user dictionary.
  count
      Prints how many records the user dictionary holds.
  export [--format csv|tsv] [FILE]
      Writes the user dictionary as a UTF-8 word list (columns russian, swedish, english) to FILE or
      standard output: CSV for spreadsheets, TSV for flashcard programs (the default follows FILE's
      extension, else CSV). A word that begins with = + - @ (or a tab) gets an apostrophe in front,
      so that no spreadsheet runs it as a formula; import takes that apostrophe off again. A record
      import could not take back (a hand-edited user dictionary) is named and left out, and the exit
      status is 1.
  import [--dry-run] FILE|-
      Adds the rows of a UTF-8 CSV or TSV word list to the user dictionary, checked as the add-words
      window checks typed words; triples already there are skipped. A header row names the column
      order (russian, swedish, english, in English, Swedish or Russian); one that names only two of
      them is a bad row. Any bad row: nothing is added and every bad row is listed as FILE:LINE: reason.
  export-dictionary [--format dict|stardict] [--with-user-dict] DIR
      Writes the dictionary into DIR as six dictionaries, one a direction (trelvik-ru-sv, ...), for a DICT
      server such as dictd (NAME.index, NAME.dict.dz; the default) or for StarDict readers such as sdcv
      (NAME.ifo, NAME.idx, NAME.dict.dz). Each word gives the translations of its translation line,
      one a line; --with-user-dict adds the user dictionary's words behind the main dictionary's.

Exit status: 0 done; 1 a data or file error, or output that cannot be written (add and import then
stored nothing); 2 a usage error; 3 add or import stored the words but could not say so: do not run it
again.

Moving words to a new machine: 'trelvik-cli export words.csv' here, 'trelvik-cli import words.csv'
there. Into a flashcard program: 'trelvik-cli export words.tsv', then import that file there.

Words are given in UTF-8 and composed to NFC (e + U+0301 is é). Stress marks (U+0301, U+0300) that
compose with nothing are dropped, and a Russian word may be written with ё or е: ё is read
as е in every comparison. Words cannot hold control characters; where a word read from the
dictionary files holds one, it is printed as \u001B (export into a file or a pipe keeps it as it is).

Options:
  -h, --help         Displays help on commandline options.
  --help-all         Displays help including Qt specific options.
  -v, --version      Displays version information.
  --app-dir <DIR>    Application folder holding data/ (default: the program's
                     folder).
  --no-user-dict     Do not search the user dictionary.
  --no-synonyms      Do not collect nearest words.
  --forms            Look up word forms: also the translations of an inflected
                     word's base form (needs the Hunspell dictionaries of
                     hunspell-ru, hunspell-sv, hunspell-en-us).
  --json             One JSON object per word.
  --format <FORMAT>  export: csv or tsv; export-dictionary: dict or stardict.
  --with-user-dict   export-dictionary: add the user dictionary's words.
  --dry-run          import: report what would be added and skipped, change
                     nothing.

Arguments:
  command            lookup, add, count, export, import or export-dictionary
)";
}

} // namespace trelvik::cli
