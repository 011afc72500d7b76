#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace trelvik {

// Window green: backgrounds of windows, buttons, frames and switches.
inline const QColor kWindowGreen(178, 202, 178);
// Panel green: result panes, the translation line and lists.
inline const QColor kPanelGreen(217, 255, 217);

// Window geometry is drawn up in twips; 15 twips make one pixel at 96 dpi.
constexpr int Px(int twips) noexcept { return twips / 15; }

// A rectangle given in twips, as left, top, width, height, in pixels.
QRect Twips(int left, int top, int width, int height);

// Liberation Sans, which stands in for the Windows sans-serif faces the layout was drawn with.
QFont SansFont(qreal points, bool bold = false, bool underline = false);

// The dialog font of every control that names no font of its own.
QFont DialogFont();

// Paints a window (and its buttons) window green with black text.
void PaintWindowGreen(QWidget *window);

// A label or push button with its object name, caption and geometry.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry);
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry);

} // namespace trelvik
