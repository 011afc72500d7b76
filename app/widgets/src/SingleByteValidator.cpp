#include "widgets/SingleByteValidator.h"

#include "qttext/QtText.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

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
    // A control character shows as nothing; its code says what it is.
    if (const char32_t c = character.at(0).unicode(); IsControlCharacter(c))
        return texts.inNeither.arg(FromEngineMessage(CodePointName(c)));
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
    NormaliseTypedText(input, m_codePage, &pos);
    dropInvisibleMarks(input, pos, m_codePage);
    const auto control =
        std::find_if(input.cbegin(), input.cend(), [](QChar c) { return IsControlCharacter(c.unicode()); });
    const QString unfit = control != input.cend() ? QString(*control) : FirstUnfitCharacter(input, m_codePage);
    if (unfit.isEmpty())
        return Acceptable;
    emit refused(unfit);
    return Invalid;
}

namespace {

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Collects where the controls of a window lie on the screen: every visible widget the user clicks or types
// into. Captions, pictures and lines may be covered; a container counts by its controls.
void collectControls(const QWidget *parent, QList<QRect> &controls)
{
    for (QObject *child : parent->children()) {
        const auto *widget = qobject_cast<const QWidget *>(child);
        if (!widget || widget->isWindow() || !widget->isVisible() || qobject_cast<const QLabel *>(widget)
            || widget->metaObject() == &QFrame::staticMetaObject)
            continue;
        const bool control = qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
                             || qobject_cast<const QComboBox *>(widget)
                             || qobject_cast<const QAbstractScrollArea *>(widget)
                             || qobject_cast<const QMenuBar *>(widget);
        const bool container = !control && !widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty();
        if (container)
            collectControls(widget, controls);
        else
            controls << globalRect(widget);
    }
}

QWidget *visibleToolTip()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Where a tip of the given size tells about field without covering a control of its window, so that the
// next click lands where the user aims (a click on the tip itself only closes it): under the field, above
// it, beside the window or above or below it, whichever first fits on the screen; under the field when none
// does.
QPoint placeForTip(const QWidget *field, QSize size)
{
    constexpr int kGap = 2;
    const QRect at = globalRect(field);
    const QRect window = field->window()->frameGeometry();
    const QRect screen = field->screen() ? field->screen()->availableGeometry() : QRect();
    QList<QRect> controls;
    collectControls(field->window(), controls);

    const QPoint candidates[] = {
        {at.left(), at.bottom() + 1 + kGap},
        {at.left(), at.top() - kGap - size.height()},
        {window.right() + 1 + kGap, at.top()},
        {window.left() - kGap - size.width(), at.top()},
        {at.left(), window.top() - kGap - size.height()},
        {at.left(), window.bottom() + 1 + kGap},
    };
    for (QPoint place : candidates) {
        // A tip that would run off the right edge of the screen moves left, as far as the screen allows.
        if (screen.isValid() && place.x() + size.width() > screen.right() + 1)
            place.setX(std::max(screen.left(), screen.right() + 1 - size.width()));
        const QRect tip(place, size);
        if (screen.isValid() && !screen.contains(tip))
            continue;
        if (std::none_of(controls.cbegin(), controls.cend(), [&tip](const QRect &c) { return c.intersects(tip); }))
            return place;
    }
    return candidates[0];
}

} // namespace

void ShowRefusal(QWidget *field, const QString &message)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), message, field);
    if (QWidget *tip = visibleToolTip()) {
        // move() places the window's frame, where a platform draws one around even a tip.
        const QPoint frame = tip->geometry().topLeft() - tip->pos();
        tip->move(placeForTip(field, tip->size()) - frame);
    }
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
