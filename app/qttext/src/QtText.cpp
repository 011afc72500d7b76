#include "qttext/QtText.h"

#include "base/CodePages.h"
#include "base/TypedText.h"

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

void NormaliseTypedText(QString &text, CodePage codePage, int *cursor)
{
    const auto normalised = [codePage](const QString &part) {
        return QString::fromStdString(NormaliseTypedText(part.toStdString(), codePage));
    };
    QString whole = normalised(text);
    if (whole == text)
        return;
    // A mark right behind the cursor may join the letter before it; the cursor then stays behind both.
    if (cursor)
        *cursor = static_cast<int>(std::min(normalised(text.left(*cursor)).size(), whole.size()));
    text = std::move(whole);
}

bool ToSingleByte(const QString &text, CodePage codePage, std::string &bytes, QString *error, QString *unfit)
{
    TextRefusal refusal;
    if (TypedToSingleByte(text.toStdString(), codePage, bytes, &refusal))
        return true;
    if (unfit)
        *unfit = QString::fromStdString(refusal.character);
    if (error)
        *error = QString::fromStdString(refusal.message);
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
