#include "base/CodePages.h"

#include <array>

namespace trelvik {

namespace {

// Unicode of the bytes 0x80..0xFF; 0 marks a byte the code page leaves undefined.
// clang-format off
constexpr std::array<char16_t, 128> kWindows1251High{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<char16_t, 128> kWindows1252High{
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x0000, 0x017D, 0x0000,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};
// clang-format on

const std::array<char16_t, 128> &highHalf(CodePage codePage) noexcept
{
    return codePage == CodePage::Windows1251 ? kWindows1251High : kWindows1252High;
}

} // namespace

std::size_t ReadUtf8(std::string_view text, std::size_t at, char32_t &codePoint) noexcept
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, codePoint = lead & 0x1Fu, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, codePoint = lead & 0x0Fu, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, codePoint = lead & 0x07u, least = 0x10000;
    else
        return 0;
    if (text.size() - at < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

namespace {

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t DecodeByte(unsigned char byte, CodePage codePage) noexcept
{
    if (byte < 0x80)
        return byte;
    const char16_t unit = highHalf(codePage)[byte - 0x80u];
    return unit == 0 ? char32_t{0xFFFD} : char32_t{unit};
}

int EncodeCodePoint(char32_t codePoint, CodePage codePage) noexcept
{
    if (codePoint < 0x80)
        return static_cast<int>(codePoint);
    if (codePoint > 0xFFFF)
        return -1;
    const auto &high = highHalf(codePage);
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] != 0 && high[i] == codePoint)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::u16string DecodeToUtf16(std::string_view bytes, CodePage codePage)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<char16_t>(DecodeByte(static_cast<unsigned char>(c), codePage)));
    return text;
}

bool EncodeFromUtf16(std::u16string_view text, CodePage codePage, std::string &bytes, std::size_t *badIndex)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int byte = EncodeCodePoint(text[i], codePage); // surrogates are never held, so they fail here
        if (byte < 0) {
            if (badIndex)
                *badIndex = i;
            bytes.clear();
            return false;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    return true;
}

std::string DecodeToUtf8(std::string_view bytes, CodePage codePage)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes)
        appendUtf8(text, DecodeByte(static_cast<unsigned char>(c), codePage));
    return text;
}

bool EncodeFromUtf8(std::string_view utf8, CodePage codePage, std::string &bytes)
{
    bytes.clear();
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = ReadUtf8(utf8, i, codePoint);
        const int byte = length == 0 ? -1 : EncodeCodePoint(codePoint, codePage);
        if (byte < 0) {
            bytes.clear();
            return false;
        }
        bytes.push_back(static_cast<char>(byte));
        i += length;
    }
    return true;
}

bool IsValidUtf8(std::string_view text) noexcept
{
    char32_t codePoint = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = ReadUtf8(text, i, codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string CodePointName(char32_t codePoint)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (; codePoint != 0 || digits.size() < 4; codePoint >>= 4)
        digits.insert(digits.begin(), kHex[codePoint & 0xF]);
    return "U+" + digits;
}

std::string EscapeControlCharacters(std::string_view utf8, std::string_view kept)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = ReadUtf8(utf8, i, codePoint);
        if (length == 0) {
            const auto byte = static_cast<unsigned char>(utf8[i++]);
            out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
            continue;
        }
        const bool keep = codePoint < 0x80 && kept.find(static_cast<char>(codePoint)) != std::string_view::npos;
        if (IsControlCharacter(codePoint) && !keep)
            out.append("\\u00").append(1, kHex[codePoint >> 4]).append(1, kHex[codePoint & 0xF]);
        else
            out.append(utf8.substr(i, length));
        i += length;
    }
    return out;
}

std::string_view CodePageName(CodePage codePage) noexcept
{
    return codePage == CodePage::Windows1251 ? "Windows-1251" : "Windows-1252";
}

void AppendUtf8(std::string &out, char32_t codePoint)
{
    appendUtf8(out, codePoint);
}

} // namespace trelvik
