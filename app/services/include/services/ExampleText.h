#pragma once

#include <string>
#include <string_view>

namespace trelvik {

// Turns the bytes of a voice example's text file into the text shown beside the recording: every item
// (the file's fields: an item ends at a comma or a line end, a quoted item runs to the next double quote)
// on a line of its own, each followed by CR LF, the last one too.
std::string ExampleItemsAsLines(std::string_view bytes);

// Reads a voice example's text file (creating it empty when it is missing, where the folder allows) and
// returns its items as lines; a file that cannot be read gives an empty text.
std::string LoadExampleText(const std::string &path);

} // namespace trelvik
