#include "base/TypedText.h"

#include "base/CodePages.h"

#include <unictype.h>
#include <uninorm.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace trelvik {

namespace {

bool isStressMark(char32_t c) noexcept
{
    return c == 0x0301 || c == 0x0300;
}

struct FreeDeleter {
    void operator()(void *p) const noexcept { std::free(p); }
};

// The text in a normalisation form; false (text untouched) when it is not UTF-8.
bool normalised(uninorm_t form, std::string &text)
{
    std::size_t length = 0;
    std::unique_ptr<std::uint8_t, FreeDeleter> out(
        u8_normalize(form, reinterpret_cast<const std::uint8_t *>(text.data()), text.size(), nullptr, &length));
    if (!out) {
        if (errno == ENOMEM)
            throw std::bad_alloc();
        return false;
    }
    text.assign(reinterpret_cast<const char *>(out.get()), length);
    return true;
}

// A Cyrillic letter that the code page lacks but whose decomposition is a letter it has and a stress mark
// (ѐ, ѝ): that letter. Any other character stays, so that a Latin letter with an accent the code page lacks
// (ń) is refused, never silently another one.
char32_t withoutStress(char32_t c, CodePage codePage)
{
    static const uc_script_t *const cyrillic = uc_script_byname("Cyrillic");
    if (uc_script(c) != cyrillic || EncodeCodePoint(c, codePage) >= 0)
        return c;
    std::string parts;
    AppendUtf8(parts, c);
    if (!normalised(UNINORM_NFD, parts))
        return c;
    char32_t base = 0;
    char32_t mark = 0;
    const std::size_t baseLength = ReadUtf8(parts, 0, base);
    if (baseLength == 0 || baseLength >= parts.size())
        return c;
    const std::size_t markLength = ReadUtf8(parts, baseLength, mark);
    if (markLength == 0 || baseLength + markLength != parts.size() || !isStressMark(mark)
        || EncodeCodePoint(base, codePage) < 0)
        return c;
    return base;
}

} // namespace

std::string NormaliseTypedText(std::string_view utf8, CodePage codePage)
{
    std::string composed(utf8);
    if (!normalised(UNINORM_NFC, composed))
        return composed;
    std::string kept;
    kept.reserve(composed.size());
    for (std::size_t i = 0; i < composed.size();) {
        char32_t c = 0;
        const std::size_t length = ReadUtf8(composed, i, c);
        i += length;
        if (!isStressMark(c))
            AppendUtf8(kept, withoutStress(c, codePage));
    }
    return kept;
}

bool TypedToSingleByte(std::string_view utf8, CodePage codePage, std::string &bytes, TextRefusal *refusal)
{
    bytes.clear();
    if (!IsValidUtf8(utf8)) {
        if (refusal)
            *refusal = TextRefusal{{}, 0, "The text is not valid UTF-8."};
        return false;
    }
    const std::string text = NormaliseTypedText(utf8, codePage);
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = ReadUtf8(text, i, c);
        if (const int byte = EncodeCodePoint(c, codePage); byte >= 0) {
            bytes += static_cast<char>(byte);
            i += length;
            continue;
        }
        if (refusal) {
            refusal->character = text.substr(i, length);
            refusal->codePoint = c;
            refusal->message = "The character \u201C" + refusal->character + "\u201D (" + CodePointName(c)
                               + ") cannot be written in " + std::string(CodePageName(codePage)) + ".";
        }
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace trelvik
