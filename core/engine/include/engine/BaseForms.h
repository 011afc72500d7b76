#pragma once

#include "base/Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// Gives the base forms of an inflected word (книги → книга, went → go), so that a lookup that finds no
// translation for the word as typed can try them. The engine only asks; where the forms come from is up to
// the program.
class BaseForms {
public:
    virtual ~BaseForms() = default;

    // Base forms of a lower-cased word of a language, as single-byte text of that language's code page, the
    // likeliest first. The word itself may be among them.
    virtual std::vector<std::string> baseForms(std::string_view word, Language language) = 0;

    // Base forms that a word with translations of its own is surely an inflected form of (bor → bo, saw → see),
    // so that their translations may follow the word's own ones; none when the word is a base form of its own
    // as far as the sources tell, so that a common word never sprouts unrelated readings.
    virtual std::vector<std::string> inflectionBases(std::string_view /*word*/, Language /*language*/) { return {}; }
};

} // namespace trelvik
