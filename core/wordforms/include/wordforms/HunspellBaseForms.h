#pragma once

#include "engine/BaseForms.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// Where Debian's hunspell-* packages put their dictionaries.
inline constexpr std::string_view kHunspellFolder = "/usr/share/hunspell";

// The folder to take the dictionaries from: kHunspellFolder, unless the environment variable
// TRELVIK_HUNSPELL_DIR names another one.
std::string HunspellFolder();

// The Hunspell dictionary a language needs: its file name without .aff/.dic, and the Debian package
// that installs it.
struct HunspellDictionary {
    std::string_view name;
    std::string_view package;
};
HunspellDictionary HunspellDictionaryOf(Language language) noexcept;

// Names the packages to install when a dictionary of one of the languages is missing from folder, or else what
// keeps the first unusable one from being used (a file that cannot be read or is not a regular file, one larger
// than any real dictionary, a .dic without its word count, an .aff not in UTF-8); empty when every one is
// there and usable. Reads only the .aff files and the first line of each .dic, so it costs no loading.
std::string MissingDictionaryMessage(std::string_view folder, const std::vector<Language> &languages);

// Base forms from Hunspell's stemming (книги → книга, husen → hus, cities → city) and from tables of irregular
// forms that Hunspell cannot stem (люди → человек, gick → gå, went → go). A language's dictionary is loaded on its
// first word, so that a program that never looks up word forms pays nothing.
class HunspellBaseForms final : public BaseForms {
public:
    explicit HunspellBaseForms(std::string folder = std::string(kHunspellFolder));
    ~HunspellBaseForms() override;
    HunspellBaseForms(const HunspellBaseForms &) = delete;
    HunspellBaseForms &operator=(const HunspellBaseForms &) = delete;

    std::vector<std::string> baseForms(std::string_view word, Language language) override;
    std::vector<std::string> inflectionBases(std::string_view word, Language language) override;

private:
    class Speller;
    Speller *speller(Language language);
    std::string m_folder;
    std::array<std::unique_ptr<Speller>, 3> m_spellers; // in stored order; created on first use
};

// Base forms of an irregular form of a language (люди → человек, gick → gå, went → go) as single-byte
// text, from the English table made from WordNet and the Russian and Swedish ones written by hand; none for other
// words.
const std::vector<std::string> &IrregularBaseForms(std::string_view form, Language language);

} // namespace trelvik
