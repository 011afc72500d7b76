#include "support/WindowTestSupport.h"

#include "windows/AboutDialog.h"
#include "windows/Help.h"

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace trelvik;
using namespace testsupport;
using namespace Qt::StringLiterals;

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTitleSizeAndContact();
    void webAddressOpensOnClickOnly();
    void webAddressThatCannotBeOpenedIsReported();
    void screenReaderFollowsTheWebAddress();
    void escapeCloses();
    void helpPageOpensAsLocalFile_data();
    void helpPageOpensAsLocalFile();
    void missingHelpPageIsNotOpened();

private:
    QLabel *label(const char *name) const { return m_window->findChild<QLabel *>(QLatin1String(name)); }

    QList<QUrl> m_opened;
    bool m_openResult = true;
    std::unique_ptr<MessageCatcher> m_catcher;
    QPointer<AboutDialog> m_window;
};

void AboutDialogTest::init()
{
    m_opened.clear();
    m_openResult = true;
    SetUrlOpenHook([this](const QUrl &url) {
        m_opened << url;
        return m_openResult;
    });
    m_catcher = std::make_unique<MessageCatcher>();
    m_window = new AboutDialog;
}

void AboutDialogTest::cleanup()
{
    delete m_window.data();
    m_catcher.reset();
    SetUrlOpenHook({});
}

void AboutDialogTest::showsTitleSizeAndContact()
{
    m_window->show();
    QCOMPARE(m_window->windowTitle(), u"info"_s);
    QCOMPARE(label("Label1")->text(), u"Trelvik 2.0"_s);
    QCOMPARE(label("Label2")->text(), u"Contained about 16.000 words"_s);
    QCOMPARE(label("Label7")->text(), u"2001"_s);
    QCOMPARE(label("Label8")->text(), u"you can find information and  new version in the"_s);
    QCOMPARE(label("Label5")->text(), u"trelvik@example.org"_s);
    QCOMPARE(label("Label4")->cursor().shape(), Qt::WhatsThisCursor);
    // Every label shows its whole text within its own box.
    for (QLabel *each : m_window->findChildren<QLabel *>()) {
        const QRect needed = each->fontMetrics().boundingRect(
            each->contentsRect(), int(each->alignment()) | (each->wordWrap() ? Qt::TextWordWrap : 0), each->text());
        QVERIFY2(each->contentsRect().contains(needed),
                 qPrintable(each->objectName() + u" needs "_s + QString::number(needed.width()) + u"x"_s
                            + QString::number(needed.height())));
    }
}

void AboutDialogTest::webAddressOpensOnClickOnly()
{
    m_window->show();
    for (const char *name : {"Label1", "Label2", "Label3", "Label5", "Label7", "Label8"})
        QTest::mouseClick(label(name), Qt::LeftButton);
    QVERIFY(m_opened.isEmpty());

    QTest::mouseClick(label("Label4"), Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(u"https://trelvik.example.org/"_s)});
    QVERIFY(m_window->isVisible());
    QVERIFY(m_catcher->messages.isEmpty());
}

void AboutDialogTest::webAddressThatCannotBeOpenedIsReported()
{
    m_openResult = false;
    m_window->show();
    QTest::mouseClick(label("Label4"), Qt::LeftButton);
    QCOMPARE(m_catcher->messages, QStringList{u"Cannot open https://trelvik.example.org/: no web browser took it."_s});
}

void AboutDialogTest::screenReaderFollowsTheWebAddress()
{
    m_window->show();
    QAccessibleInterface *link = QAccessible::queryAccessibleInterface(label("Label4"));
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), u"trelvik.example.org"_s);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_opened, QList<QUrl>{QUrl(u"https://trelvik.example.org/"_s)});
}

void AboutDialogTest::escapeCloses()
{
    m_window->show();
    QTest::keyClick(m_window, Qt::Key_Escape);
    QVERIFY(!m_window->isVisible()); // the main window then discards it
}

void AboutDialogTest::helpPageOpensAsLocalFile_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("plain") << u"Dict"_s;
    QTest::newRow("blanks") << u"My Dict Folder"_s;
    QTest::newRow("URL characters") << u"a#b%20c?d"_s;
    QTest::newRow("shell characters") << u"x; rm -rf y $(z) `w`"_s;
    QTest::newRow("non-Latin") << u"Словарь"_s;
}

void AboutDialogTest::helpPageOpensAsLocalFile()
{
    QFETCH(QString, folderName);
    QTemporaryDir dir;
    const QString appFolder = dir.filePath(folderName);
    QVERIFY(QDir().mkpath(appFolder + u"/html"_s));
    QVERIFY(writeBytes(appFolder + u"/html/info.html"_s, "<html></html>"));

    QVERIFY(ShowHelpPage(appFolder));
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_opened[0].isLocalFile());
    QCOMPARE(m_opened[0].toLocalFile(), appFolder + u"/html/info.html"_s);

    m_openResult = false;
    QVERIFY(!ShowHelpPage(appFolder));
}

void AboutDialogTest::missingHelpPageIsNotOpened()
{
    QTemporaryDir dir;
    QVERIFY(!ShowHelpPage(dir.path()));
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
