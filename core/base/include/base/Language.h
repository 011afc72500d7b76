#pragma once

#include "base/Text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace trelvik {

// The dictionary's languages, in the order every record stores its three words.
enum class Language { Russian, Swedish, English };

// The languages in stored order, for loops over a record's words.
inline constexpr std::array<Language, 3> kLanguages{Language::Russian, Language::Swedish, Language::English};

// Position of a language's word in a stored record.
constexpr std::size_t IndexOf(Language language) noexcept
{
    return static_cast<std::size_t>(language);
}

// Code page of a language's words: Russian is Windows-1251, Swedish and English Windows-1252.
constexpr CodePage CodePageOf(Language language) noexcept
{
    return language == Language::Russian ? CodePage::Windows1251 : CodePage::Windows1252;
}

// The language's code as the command line and the export names take it: "ru", "sv", "en".
constexpr std::string_view CodeOf(Language language) noexcept
{
    constexpr std::string_view codes[] = {"ru", "sv", "en"};
    return codes[IndexOf(language)];
}

// The language a code names, or none for anything but "ru", "sv" and "en".
constexpr std::optional<Language> LanguageOfCode(std::string_view code) noexcept
{
    for (const Language language : kLanguages) {
        if (CodeOf(language) == code)
            return language;
    }
    return std::nullopt;
}

// The language's name in English, lower case: "russian", "swedish", "english" (a word list's header cells).
constexpr std::string_view NameOf(Language language) noexcept
{
    constexpr std::string_view names[] = {"russian", "swedish", "english"};
    return names[IndexOf(language)];
}

} // namespace trelvik
