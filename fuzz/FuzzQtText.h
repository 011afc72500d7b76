#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace trelvik::fuzz {

// The input is UTF-8 as it comes from a command line (and, decoded, as a widget would hold it): converts
// it to each code page and back, including the error message for a character that does not fit.
std::string FuzzQtText(const std::uint8_t *data, std::size_t size);

} // namespace trelvik::fuzz
