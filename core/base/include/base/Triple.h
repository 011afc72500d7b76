#pragma once

#include "base/Language.h"

#include <string>
#include <string_view>
#include <tuple>

namespace trelvik {

// The three words of one record (a volume's or the user dictionary's), in the order they are stored: Russian,
// Swedish, English. Each word is single-byte text in its language's code page, unless a reader says otherwise.
template <class Text> struct BasicTriple {
    Text ru;
    Text sv;
    Text en;

    // The word of a language.
    Text &operator[](Language language) noexcept
    {
        return language == Language::Russian ? ru : language == Language::Swedish ? sv : en;
    }
    const Text &operator[](Language language) const noexcept
    {
        return language == Language::Russian ? ru : language == Language::Swedish ? sv : en;
    }

    // True when all three words are empty: such a record ends the records a lookup searches.
    bool empty() const noexcept { return ru.empty() && sv.empty() && en.empty(); }

    bool operator==(const BasicTriple &other) const { return ru == other.ru && sv == other.sv && en == other.en; }
    bool operator!=(const BasicTriple &other) const { return !(*this == other); }
    bool operator<(const BasicTriple &other) const
    {
        return std::tie(ru, sv, en) < std::tie(other.ru, other.sv, other.en);
    }
};

// A record's words, owned.
using Triple = BasicTriple<std::string>;

// A record's words as views into the bytes they were read from.
using TripleView = BasicTriple<std::string_view>;

} // namespace trelvik
