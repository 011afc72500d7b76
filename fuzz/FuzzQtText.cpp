#include "FuzzQtText.h"

#include "base/Language.h"
#include "qttext/QtText.h"

#include <QString>

namespace trelvik::fuzz {

std::string FuzzQtText(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::string_view raw(reinterpret_cast<const char *>(data), size);
    for (const Language language : {Language::Russian, Language::Swedish}) {
        const CodePage page = CodePageOf(language);
        QString normalised = text;
        NormaliseTypedText(normalised, page);
        std::string bytes;
        QString error;
        const bool fits = ToSingleByte(text, page, bytes, &error);
        if (fits != FitsCodePage(text, page))
            return "ToSingleByte and FitsCodePage disagree";
        if (fits) {
            if (FromSingleByte(bytes, page) != normalised)
                return "a converted word does not convert back to itself";
        } else if (error.isEmpty()) {
            return "a character that does not fit gave no message";
        }
        if (FromSingleByte(raw, page).size() != static_cast<qsizetype>(raw.size()))
            return "showing single-byte text changed its length";
    }
    return {};
}

} // namespace trelvik::fuzz
