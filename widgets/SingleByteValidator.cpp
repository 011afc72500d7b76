#include "SingleByteValidator.h"

#include "qtedge/QtText.h"

#include <QLineEdit>
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

QString refusalText(CodePage field, const QString &character, const RefusalTexts &texts)
{
    if (field == CodePage::Windows1252 && FitsCodePage(character, CodePage::Windows1251))
        return texts.russianInLatinField;
    if (field == CodePage::Windows1251 && FitsCodePage(character, CodePage::Windows1252))
        return texts.latinInRussianField.arg(character);
    return texts.inNeither.arg(character);
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

void GuardField(QLineEdit *field, CodePage codePage, RefusalTexts texts)
{
    auto *validator = new SingleByteValidator(codePage, field);
    field->setValidator(validator);
    QObject::connect(validator, &SingleByteValidator::refused, field,
                     [field, codePage, texts = std::move(texts)](const QString &character) {
                         ShowRefusal(field, refusalText(codePage, character, texts));
                     });
}

} // namespace trelvik
