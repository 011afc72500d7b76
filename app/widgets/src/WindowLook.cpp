#include "widgets/WindowLook.h"

#include "widgets/PanelComboBox.h"

#include <QAbstractItemView>
#include <QPalette>

#include <iterator>

namespace trelvik {

QRect Twips(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

QFont SansFont(qreal points, bool bold, bool underline)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont DialogFont()
{
    return SansFont(8.25);
}

void PaintWindowGreen(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kWindowGreen);
    palette.setColor(QPalette::Button, kWindowGreen);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void SetUpFixedDialog(QDialog *dialog, const char *name, const QString &title, int widthTwips, int heightTwips,
                      const QFont &font)
{
    dialog->setObjectName(QLatin1StringView(name));
    dialog->setWindowTitle(title);
    dialog->setFont(font);
    dialog->setFixedSize(Twips(0, 0, widthTwips, heightTwips).size());
    PaintWindowGreen(dialog);
}

void SetTabChain(std::initializer_list<QWidget *> order)
{
    for (auto it = order.begin(); it != order.end() && std::next(it) != order.end(); ++it)
        QWidget::setTabOrder(*it, *std::next(it));
}

void PaintPanel(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, kPanelGreen);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
    if (qobject_cast<QLabel *>(widget))
        widget->setAutoFillBackground(true);
    if (auto *list = qobject_cast<QComboBox *>(widget))
        PaintPanel(list->view());
}

} // namespace trelvik
