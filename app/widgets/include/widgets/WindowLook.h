#pragma once

#include <QAbstractButton>
#include <QCloseEvent>
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <type_traits>

namespace trelvik {

// Window green: backgrounds of windows, buttons, frames and switches.
inline const QColor kWindowGreen(178, 202, 178);
// Panel green: result panes, the translation line and lists.
inline const QColor kPanelGreen(217, 255, 217);

// Window geometry is drawn up in twips; 15 twips make one pixel at 96 dpi.
constexpr int Px(int twips) noexcept
{
    return twips / 15;
}

// A rectangle given in twips, as left, top, width, height, in pixels.
QRect Twips(int left, int top, int width, int height);

// Liberation Sans, which stands in for the Windows sans-serif faces the layout was drawn with.
QFont SansFont(qreal points, bool bold = false, bool underline = false);

// The dialog font of every control that names no font of its own.
QFont DialogFont();

// Paints a window (and its buttons) window green with black text.
void PaintWindowGreen(QWidget *window);

// The program's secondary windows: a title and a close button, a size nobody can change.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// The result of a kept dialog (KeptDialog) that the title bar's close box closed rather than its own buttons or
// Escape: the window that opened it discards it, so that the next opening builds it afresh.
inline constexpr int kClosedByCloseBox = 2;

// A dialog that is made on its first opening and kept: its own buttons and Escape only hide it (accept() or
// reject()), so the next exec() shows the same window again, as the user left it; the close box ends it
// with kClosedByCloseBox.
class KeptDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QDialog::closeEvent(event); // rejects
        setResult(kClosedByCloseBox);
    }
};

// Names, titles, sizes (in twips), fonts and paints one of those windows.
void SetUpFixedDialog(QDialog *dialog, const char *name, const QString &title, int widthTwips, int heightTwips,
                      const QFont &font);

// Tab moves through the widgets in the order given.
void SetTabChain(std::initializer_list<QWidget *> order);

// Gives a pane, line, list or label the panel green background; a drop-down list gets it in its field and
// in its popup too.
void PaintPanel(QWidget *widget);

// A child control of kind W, named as the program names it and placed by a rectangle from Twips(). A caption,
// when given, becomes the text of a label or button or the title of a frame.
template <typename W>
W *NamedChild(QWidget *parent, const char *name, const QRect &geometry, const QString &caption = QString())
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    if constexpr (std::is_base_of_v<QLabel, W> || std::is_base_of_v<QAbstractButton, W>)
        widget->setText(caption);
    else if constexpr (std::is_base_of_v<QGroupBox, W>)
        widget->setTitle(caption);
    return widget;
}

} // namespace trelvik
