#include "services/ExampleText.h"

#include "base/FileIO.h"
#include "engine/FieldReader.h"

namespace trelvik {

std::string ExampleItemsAsLines(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    FieldReader reader(bytes);
    while (!reader.atEnd())
        text.append(reader.next()).append("\r\n");
    return text;
}

std::string LoadExampleText(const std::string &path)
{
    std::string bytes;
    if (ReadWholeFile(path, /*createIfMissing=*/true, bytes) != ReadStatus::Ok)
        return {};
    return ExampleItemsAsLines(bytes);
}

} // namespace trelvik
