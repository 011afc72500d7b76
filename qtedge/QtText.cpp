#include "QtText.h"

#include "engine/CodePages.h"
#include "engine/LookupContext.h"

#include <QList>

#include <algorithm>

namespace trelvik {

QString FromSingleByte(std::string_view bytes, CodePage codePage)
{
    const std::u16string text = DecodeToUtf16(bytes, codePage);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

bool isStressMark(QChar c) noexcept
{
    return c == QChar(0x0301) || c == QChar(0x0300);
}

} // namespace

void DropStressMarks(QString &text, int *cursor)
{
    if (std::none_of(text.cbegin(), text.cend(), isStressMark))
        return;
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isStressMark(text.at(i)))
            kept.append(text.at(i));
        else if (cursor && i < *cursor)
            --*cursor;
    }
    text = kept;
}

bool ToSingleByte(const QString &original, CodePage codePage, std::string &bytes, QString *error, QString *unfit)
{
    QString text = original;
    DropStressMarks(text);
    std::size_t bad = 0;
    const std::u16string_view units(reinterpret_cast<const char16_t *>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    if (EncodeFromUtf16(units, codePage, bytes, &bad))
        return true;
    // Report the whole character, also when it is a surrogate pair.
    const qsizetype at = static_cast<qsizetype>(bad);
    const qsizetype length = (text.at(at).isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
    const QString character = text.mid(at, length);
    if (unfit)
        *unfit = character;
    if (error) {
        const QString hex = QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
        *error = QStringLiteral("The character \u201C%1\u201D (U+%2) cannot be written in %3.")
                     .arg(character, hex, FromEngineMessage(CodePageName(codePage)));
    }
    return false;
}

QString StatusText(const Presentation &shown, CodePage sourcePage)
{
    QString status = FromEngineMessage(shown.statTR);
    if (!shown.baseForm.empty())
        status += QStringLiteral(" (%1 \u2192 %2)")
                      .arg(FromSingleByte(shown.formOf, sourcePage), FromSingleByte(shown.baseForm, sourcePage));
    return status;
}

bool FitsCodePage(const QString &text, CodePage codePage)
{
    std::string ignored;
    return ToSingleByte(text, codePage, ignored);
}

QString FirstUnfitCharacter(const QString &text, CodePage codePage)
{
    std::string ignored;
    QString unfit;
    ToSingleByte(text, codePage, ignored, nullptr, &unfit);
    return unfit;
}

QString FromEngineMessage(std::string_view message)
{
    return QString::fromLocal8Bit(message.data(), static_cast<qsizetype>(message.size()));
}

} // namespace trelvik
