#include "SingleByteValidator.h"

#include "qtedge/QtText.h"

#include <QToolTip>
#include <QWidget>

namespace trelvik {

namespace {

bool isInvisibleMark(char32_t c) noexcept
{
    return c == 0x200B || c == 0x200C || c == 0x200D || c == 0x200E || c == 0x200F || c == 0x2060 || c == 0xFEFF
           || (c >= 0xFE00 && c <= 0xFE0F);
}

// Removes the invisible marks the code page cannot hold; the cursor moves with the text before it.
void dropInvisibleMarks(QString &text, int &cursor, CodePage codePage)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const char32_t c = text.at(i).unicode();
        if (isInvisibleMark(c) && !FitsCodePage(text.at(i), codePage)) {
            text.remove(i, 1);
            if (i < cursor)
                --cursor;
        }
    }
}

} // namespace

SingleByteValidator::SingleByteValidator(CodePage codePage, QObject *parent) : QValidator(parent), m_codePage(codePage)
{
}

QValidator::State SingleByteValidator::validate(QString &input, int &pos) const
{
    DropStressMarks(input, &pos);
    dropInvisibleMarks(input, pos, m_codePage);
    const QString unfit = FirstUnfitCharacter(input, m_codePage);
    if (unfit.isEmpty())
        return Acceptable;
    emit refused(unfit);
    return Invalid;
}

void ShowRefusal(QWidget *field, const QString &message)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), message, field);
}

} // namespace trelvik
