#include "WindowLook.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

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

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace trelvik
