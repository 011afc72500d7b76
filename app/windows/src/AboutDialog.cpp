#include "windows/AboutDialog.h"

#include "widgets/MessageBox.h"
#include "widgets/Pressable.h"
#include "widgets/WindowLook.h"
#include "windows/Help.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>

namespace trelvik {

namespace {

// The Qt object name of every control, by role. They are set from here and nowhere else: screen-reader scripts,
// style sheets and the tests know the controls by these names, so they never change.
constexpr struct {
    const char *window = "infoDic";
    const char *versionLine = "Label1";
    const char *sizeLine = "Label2";
    const char *teamLine = "Label3";
    const char *yearLine = "Label7";
    const char *mailLine = "Label5";
    const char *webPageLine = "Label8";
    const char *webAddress = "Label4";
} kNames;

const QColor kDarkGreen(0, 64, 0);
const QColor kLinkBlue(0, 0, 255);

const QString kWebAddress = QStringLiteral("https://trelvik.example.org/");

// The web address: a class of its own, so that assistive technology is offered it as a link to follow rather
// than as one more line of text.
class WebAddressLabel : public QLabel {
    Q_OBJECT
public:
    explicit WebAddressLabel(QWidget *parent) : QLabel(parent)
    {
        MakePressable(this, QAccessible::Link, [this] { emit pressed(); });
    }

signals:
    // Assistive technology followed the link.
    void pressed();
};

// Background: an opaque label fills with window green, a transparent one lets the window show through.
template <typename Label = QLabel>
Label *aboutLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const QFont &font,
                  const QColor &textColour, bool opaque)
{
    auto *label = NamedChild<Label>(parent, name, geometry, text);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    palette.setColor(QPalette::Window, kWindowGreen);
    label->setPalette(palette);
    label->setAutoFillBackground(opaque);
    return label;
}

} // namespace

QUrl TrelvikWebPage()
{
    return QUrl(kWebAddress);
}

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent, kFixedDialogFlags)
{
    SetUpFixedDialog(this, kNames.window, QStringLiteral("info"), 4680, 3180, SansFont(8.25));

    createLabels();
}

void AboutDialog::createLabels()
{
    const QColor plain = Qt::black;
    aboutLabel(this, kNames.versionLine, QStringLiteral("Trelvik " TRELVIK_VERSION), Twips(600, 360, 3735, 255),
               SansFont(8.25), kDarkGreen, true);
    aboutLabel(this, kNames.sizeLine, QStringLiteral("Contained about 16.000 words"), Twips(1200, 720, 2295, 255),
               SansFont(8.25), kDarkGreen, true);
    aboutLabel(this, kNames.teamLine, QStringLiteral("The Trelvik team"), Twips(1320, 1200, 2055, 375), SansFont(12),
               plain, true);
    aboutLabel(this, kNames.yearLine, QStringLiteral("2001"), Twips(2040, 1560, 615, 255), SansFont(9.75), plain, true);
    aboutLabel(this, kNames.mailLine, QStringLiteral("trelvik@example.org"), Twips(600, 1920, 3495, 255),
               SansFont(9.75, true), kDarkGreen, true);
    QLabel *webPageIntro =
        aboutLabel(this, kNames.webPageLine, QStringLiteral("you can find information and  new version in the"),
                   Twips(720, 2280, 3135, 375), SansFont(8.25, true), kDarkGreen, false);
    webPageIntro->setWordWrap(true);
    // Its two lines need a pixel more than the box gives them; it is transparent, so growing over the top of
    // the web address below costs nothing.
    webPageIntro->resize(webPageIntro->width(),
                         qMax(webPageIntro->height(), webPageIntro->heightForWidth(webPageIntro->width())));
    auto *webAddress =
        aboutLabel<WebAddressLabel>(this, kNames.webAddress, QStringLiteral("trelvik.example.org"),
                                    Twips(960, 2640, 2775, 255), SansFont(9.75, true, true), kLinkBlue, false);
    connect(webAddress, &WebAddressLabel::pressed, this, &AboutDialog::openWebPage);
    m_webAddress = webAddress;
    m_webAddress->setCursor(Qt::WhatsThisCursor);
    m_webAddress->setToolTip(kWebAddress);
    m_webAddress->installEventFilter(this);
    m_webAddress->setAccessibleName(m_webAddress->text());
    m_webAddress->setAccessibleDescription(QStringLiteral("Opens the web page in the browser"));
}

void AboutDialog::openWebPage()
{
    if (!OpenWebPage(TrelvikWebPage()))
        ShowMessage(this, QStringLiteral("Cannot open %1: no web browser took it.").arg(kWebAddress));
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_webAddress && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_webAddress->rect().contains(mouse->position().toPoint())) {
            openWebPage();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen rather than over the main window.
    if (!event->spontaneous()) {
        if (const QScreen *where = screen())
            move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace trelvik

#include "AboutDialog.moc"
