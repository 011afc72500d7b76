// trelvik-cli count: how many records the user dictionary holds.

#include "Command.h"

#include "services/AppFolder.h"
#include "userdict/UserDictFile.h"

#include <cstdint>

namespace trelvik::cli {

int RunCount(const Command &command)
{
    Output &out = command.out;
    if (command.args.positionals.size() != 1)
        return out.usage("count takes no arguments.");
    std::int32_t count = 0;
    const UserDictResult result = ReadUserDictCount(UserDictionaryPath(command.appDir), count);
    if (!result) {
        out.error(TextOf(result.error));
        return kExitDataError;
    }
    out.write(std::to_string(count < 1 ? 0 : count) + " word(s)\n");
    return kExitOk;
}

} // namespace trelvik::cli
