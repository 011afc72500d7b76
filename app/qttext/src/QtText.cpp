#include "qttext/QtText.h"

#include "base/CodePages.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>

namespace trelvik {

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("trelvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRELVIK_VERSION));
}

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

void NormaliseTypedText(QString &text, CodePage codePage, int *cursor)
{
    const auto composed = [](const QString &part) { return part.normalized(QString::NormalizationForm_C); };
    if (QString whole = composed(text); whole != text) {
        // A mark right behind the cursor may join the letter before it; the cursor then stays behind both.
        if (cursor)
            *cursor = static_cast<int>(std::min(composed(text.left(*cursor)).size(), whole.size()));
        text = std::move(whole);
    }
    // Russian has no letters ѐ and ѝ: composed, they are е and и with a stress mark. A Latin letter with an
    // accent the code page lacks (ń) stays a letter that is refused, never silently another one.
    for (QChar &c : text) {
        if (c.script() != QChar::Script_Cyrillic || EncodeCodePoint(c.unicode(), codePage) >= 0)
            continue;
        const QString parts = QString(c).normalized(QString::NormalizationForm_D);
        if (parts.size() == 2 && isStressMark(parts.at(1)) && EncodeCodePoint(parts.at(0).unicode(), codePage) >= 0)
            c = parts.at(0);
    }
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
    NormaliseTypedText(text, codePage);
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
