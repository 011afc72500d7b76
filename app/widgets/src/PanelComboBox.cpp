#include "widgets/PanelComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace trelvik {

PanelComboBox::PanelComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
}

void PanelComboBox::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, palette().color(QPalette::Base));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace trelvik
