#include "support/WindowTestSupport.h"

#include "userdict/UserDictFile.h"
#include "windows/OptionsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace trelvik;
using namespace testsupport;
using namespace Qt::StringLiterals;

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countIsReadAtCreation_data();
    void countIsReadAtCreation();
    void unreadableDictionaryIsReported();
    void okStoresBothOptions_data();
    void okStoresBothOptions();
    void cancelKeepsOptionsAndBoxes();
    void addWordsButtonOpensOverThisWindowAndCountStays();
    void titleBarCloseDiscardsWithoutStoring();
    void clickOnLongCaptionTogglesCheck2();
    void check1TakesClicksInItsWholeBox();

private:
    OptionsDialog *create()
    {
        m_window = new OptionsDialog(m_values, [this](QWidget *over) { m_openedOver << over; });
        return m_window;
    }
    QCheckBox *check(const char *name) const { return m_window->findChild<QCheckBox *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(QLatin1String(name)); }
    QString label2() const { return m_window->findChild<QLabel *>(u"Label2"_s)->text(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dictPath;
    ProgramValues m_values;
    QList<QWidget *> m_openedOver;
    std::unique_ptr<MessageCatcher> m_catcher;
    QPointer<OptionsDialog> m_window;
};

void OptionsDialogTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dictPath = m_dir->filePath(u"user.dct"_s);
    m_values = ProgramValues{};
    m_values.env.userDictPath = QFile::encodeName(m_dictPath).toStdString();
    m_values.userDictCount = 99;
    m_openedOver.clear();
    m_catcher = std::make_unique<MessageCatcher>();
}

void OptionsDialogTest::cleanup()
{
    delete m_window.data();
    m_catcher.reset();
    m_dir.reset();
}

void OptionsDialogTest::countIsReadAtCreation_data()
{
    QTest::addColumn<QByteArray>("file"); // "<none>" leaves the file missing
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");

    QTest::newRow("missing file") << QByteArray("<none>") << u"0 word(s)"_s << 0;
    QTest::newRow("empty file") << QByteArray() << u"0 word(s)"_s << 0;
    QTest::newRow("three records") << QByteArray(
        " 3 \r\n\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\"\r\n\"g\",\"h\",\"i\"\r\n")
                                   << u"3 word(s)"_s << 3;
    QTest::newRow("count without blanks")
        << QByteArray("2\r\n\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\"\r\n") << u"2 word(s)"_s << 2;
    QTest::newRow("count of zero") << QByteArray(" 0 \r\n") << u"0 word(s)"_s << 0;
    QTest::newRow("negative count") << QByteArray(" -4 \r\n") << u"0 word(s)"_s << 0;
}

void OptionsDialogTest::countIsReadAtCreation()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(int, count);
    if (file != "<none>")
        QVERIFY(writeBytes(m_dictPath, file));

    create()->show();

    QCOMPARE(m_window->findChild<QLabel *>(u"Label1"_s)->text(), u"Now in user dictionary:"_s);
    QCOMPARE(label2(), shown);
    QCOMPARE(m_values.userDictCount, count);
    QVERIFY(m_catcher->messages.isEmpty());
    QVERIFY(QFile::exists(m_dictPath)); // reading creates a missing dictionary
}

void OptionsDialogTest::unreadableDictionaryIsReported()
{
    QVERIFY(writeBytes(m_dictPath, "many\r\n\"a\",\"b\",\"c\"\r\n"));
    create();
    QCOMPARE(m_catcher->messages.size(), 1);
    QVERIFY(m_catcher->messages[0].contains(m_dictPath));
    QVERIFY(m_catcher->messages[0].contains(u"not a record count"_s));
    QCOMPARE(label2(), u"0 word(s)"_s);
    QCOMPARE(m_values.userDictCount, 0);
}

void OptionsDialogTest::okStoresBothOptions_data()
{
    QTest::addColumn<bool>("useUserDict");
    QTest::addColumn<bool>("findSynonyms");
    QTest::newRow("both on") << true << true;
    QTest::newRow("user dictionary off") << false << true;
    QTest::newRow("synonyms off") << true << false;
    QTest::newRow("both off") << false << false;
}

void OptionsDialogTest::okStoresBothOptions()
{
    QFETCH(bool, useUserDict);
    QFETCH(bool, findSynonyms);
    m_values.useUserDict = !useUserDict;
    m_values.findSynonyms = !findSynonyms;
    create()->show();
    QVERIFY(check("Check1")->isChecked());
    QVERIFY(check("Check2")->isChecked());

    check("Check1")->setChecked(useUserDict);
    check("Check2")->setChecked(findSynonyms);
    QTest::mouseClick(button("Command2"), Qt::LeftButton);

    QCOMPARE(m_values.useUserDict, useUserDict);
    QCOMPARE(m_values.findSynonyms, findSynonyms);
    QVERIFY(!m_window->isVisible());
}

void OptionsDialogTest::cancelKeepsOptionsAndBoxes()
{
    create()->show();
    QTest::mouseClick(check("Check1"), Qt::LeftButton);
    QTest::mouseClick(check("Check2"), Qt::LeftButton);
    QVERIFY(!check("Check1")->isChecked());
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_values.useUserDict);
    QCOMPARE(m_values.findSynonyms, true);

    // Shown again, the boxes are as the user left them, not as the options are.
    m_window->show();
    QVERIFY(!check("Check1")->isChecked());
    QVERIFY(!check("Check2")->isChecked());

    QTest::keyClick(m_window, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!m_window.isNull());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_values.findSynonyms, true);
}

void OptionsDialogTest::addWordsButtonOpensOverThisWindowAndCountStays()
{
    QVERIFY(writeBytes(m_dictPath, " 1 \r\n\"a\",\"b\",\"c\"\r\n"));
    create()->show();
    QCOMPARE(label2(), u"1 word(s)"_s);

    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    QCOMPARE(m_openedOver, QList<QWidget *>{m_window.data()});

    std::int32_t count = 0;
    UserTable table;
    QVERIFY(AddUserRecord(m_values.env.userDictPath, count, table, Triple{"d", "f", "e"}).ok);
    QCOMPARE(label2(), u"1 word(s)"_s);
    m_window->hide();
    m_window->show();
    QCOMPARE(label2(), u"1 word(s)"_s);
    QVERIFY(m_window->isVisible());

    // A fresh window counts afresh.
    delete m_window.data();
    create();
    QCOMPARE(label2(), u"2 word(s)"_s);
}

void OptionsDialogTest::titleBarCloseDiscardsWithoutStoring()
{
    create()->show();
    check("Check1")->setChecked(false);
    QVERIFY(m_window->close());
    QCOMPARE(m_window->result(), kClosedByCloseBox); // for the main window to discard it
    QVERIFY(m_values.useUserDict);

    create();
    QVERIFY(check("Check1")->isChecked());
}

void OptionsDialogTest::clickOnLongCaptionTogglesCheck2()
{
    create()->show();
    auto *caption = m_window->findChild<QLabel *>(u"Check2Caption"_s);
    QVERIFY(caption);
    QVERIFY(caption->text().startsWith(u"Find synonyms and some similar words"_s));
    // The whole caption fits inside the window, between the frame and the buttons.
    const QRect needed =
        caption->fontMetrics().boundingRect(caption->contentsRect(), Qt::TextWordWrap, caption->text());
    QVERIFY2(needed.height() <= caption->height(), qPrintable(QString::number(needed.height())));
    QVERIFY(caption->geometry().bottom() < button("Command2")->geometry().top());

    QTest::mouseClick(caption, Qt::LeftButton);
    QVERIFY(!check("Check2")->isChecked());
    QTest::mouseClick(caption, Qt::LeftButton);
    QVERIFY(check("Check2")->isChecked());
}

void OptionsDialogTest::check1TakesClicksInItsWholeBox()
{
    create()->show();
    QCheckBox *box = check("Check1");
    QCOMPARE(box->size(), QSize(145, 25));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(140, 21)); // right of and below the caption
    QVERIFY(!box->isChecked());
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
