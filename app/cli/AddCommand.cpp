// trelvik-cli add: the add-words window's "Add" for three words given in UTF-8.

#include "Command.h"

#include "services/AddTypedWords.h"
#include "services/AppFolder.h"
#include "userdict/TypedWords.h"

namespace trelvik::cli {

int RunAdd(const Command &command)
{
    const std::vector<Argument> &words = command.args.positionals;
    Output &out = command.out;
    if (words.size() != 4)
        return out.usage("add takes RUSSIAN ENGLISH SWEDISH.");
    for (std::size_t i = 1; i < 4; ++i) {
        if (!words[i].utf8) {
            out.error("\"" + words[i].text + "\": " + kNotUtf8);
            return kExitDataError;
        }
    }
    const std::string &russian = words[1].text;
    const std::string &english = words[2].text;
    const std::string &swedish = words[3].text;
    std::string userDict = UserDictionaryPath(command.appDir);
    const TypedWordsAdded added = AddTypedWords(userDict, TripleView{russian, swedish, english});
    if (!added.note.empty())
        out.error(TextOf(added.note));
    if (added.outcome != TypedWordsAdded::Outcome::Added) {
        out.error(TextOf(added.detail.empty() ? added.message : added.message + ": " + added.detail));
        return kExitDataError;
    }
    out.wordsStored();
    out.write(WordsAddedText(added.recordNumber) + '\n');
    return kExitOk;
}

} // namespace trelvik::cli
