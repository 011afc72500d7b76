#include "support/WindowTestSupport.h"

#include "windows/AddWordsDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <memory>

using namespace trelvik;
using namespace Qt::StringLiterals;
using namespace testsupport;

class AddWordsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void takesOverTheMainWindowWord_data();
    void takesOverTheMainWindowWord();
    void everyShowingRefillsTheFields();
    void addStoresLowerCasedTrimmedWords_data();
    void addStoresLowerCasedTrimmedWords();
    void recordNumberFollowsTheFile();
    void emptyFieldKeepsWindowOpen_data();
    void emptyFieldKeepsWindowOpen();
    void unstorableWordIsRefused_data();
    void unstorableWordIsRefused();
    void fileErrorIsShownAndFileKept_data();
    void fileErrorIsShownAndFileKept();
    void cancelAndEscapeHideWithoutStoring();
    void titleBarCloseMarksItForDiscarding();
    void screenReaderTellsTheFieldsApart();
    void refusedInputSaysWhy_data();
    void refusedInputSaysWhy();
    void refusalTipCoversNoControl();
    void messageBoxHasOnlyOkNoIconAndTitle();

private:
    AddWordsDialog *window() const { return m_window.data(); }
    QLineEdit *field(const char *name) const { return m_window->findChild<QLineEdit *>(QLatin1String(name)); }
    QString label1() const { return m_window->findChild<QLabel *>(QStringLiteral("Label1"))->text(); }
    void clickAdd()
    {
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
    }
    void fill(const QString &ru, const QString &en, const QString &sv)
    {
        field("Text1")->setText(ru);
        field("Text2")->setText(en);
        field("Text3")->setText(sv);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dictPath;
    ProgramValues m_values;
    SourceFields m_main;
    std::unique_ptr<MessageCatcher> m_catcher;
    QPointer<AddWordsDialog> m_window;
};

void AddWordsDialogTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dictPath = m_dir->filePath(QStringLiteral("user.dct"));
    m_values = ProgramValues{};
    m_values.env.userDictPath = QFile::encodeName(m_dictPath).toStdString();
    m_main = SourceFields{};
    m_catcher = std::make_unique<MessageCatcher>();
    m_window = new AddWordsDialog(m_values, [this] { return m_main; });
}

void AddWordsDialogTest::cleanup()
{
    delete m_window.data();
    m_catcher.reset();
    m_dir.reset();
}

void AddWordsDialogTest::takesOverTheMainWindowWord_data()
{
    QTest::addColumn<bool>("russian");
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QString>("text3");
    QTest::addColumn<QString>("focused"); // the caret goes to the first field still to be filled

    QTest::newRow("russian source") << true << false << false << u"Собака"_s << QString() << QString() << u"Text2"_s;
    QTest::newRow("english source") << false << true << false << QString() << u"Dog"_s << QString() << u"Text1"_s;
    QTest::newRow("swedish goes to the Swedish field")
        << false << false << true << QString() << QString() << u"Dog"_s << u"Text1"_s;
    QTest::newRow("no source empties all")
        << false << false << false << QString() << QString() << QString() << u"Text1"_s;
    QTest::newRow("first switch wins") << true << true << true << u"Собака"_s << QString() << QString() << u"Text2"_s;
}

void AddWordsDialogTest::takesOverTheMainWindowWord()
{
    QFETCH(bool, russian);
    QFETCH(bool, english);
    QFETCH(bool, swedish);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QString, text3);
    QFETCH(QString, focused);
    m_main = SourceFields{russian, english, swedish, u"Собака"_s, u"Dog"_s};

    window()->show();

    QCOMPARE(field("Text1")->text(), text1);
    QCOMPARE(field("Text2")->text(), text2);
    QCOMPARE(field("Text3")->text(), text3);
    QVERIFY(window()->focusWidget());
    QCOMPARE(window()->focusWidget()->objectName(), focused);
    QCOMPARE(label1(), u"Write words, and press Add-Button"_s);
}

void AddWordsDialogTest::everyShowingRefillsTheFields()
{
    m_main = SourceFields{false, true, false, QString(), u" Big  Dog "_s};
    window()->show();
    QCOMPARE(field("Text2")->text(), u" Big  Dog "_s); // taken over unchanged, spaces and case kept
    field("Text1")->insert(u"собака"_s);               // keyClicks takes Latin-1 only
    QTest::keyClicks(field("Text3"), u"hund"_s);
    clickAdd();
    QCOMPARE(label1(), u"Write words, and press Add-Button"_s);
    window()->hide();

    m_main = SourceFields{false, false, true, QString(), u"Katt"_s};
    window()->show();
    QCOMPARE(field("Text1")->text(), QString());
    QCOMPARE(field("Text2")->text(), QString());
    QCOMPARE(field("Text3")->text(), u"Katt"_s);
}

void AddWordsDialogTest::addStoresLowerCasedTrimmedWords_data()
{
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("swedish");
    QTest::addColumn<QByteArray>("record");

    QTest::newRow("lower-cased in each code page")
        << u"СОБАКА"_s << u"Dog"_s << u"HUND"_s << QByteArray("\"\xF1\xEE\xE1\xE0\xEA\xE0\",\"hund\",\"dog\"");
    QTest::newRow("swedish capitals") << u"осёл"_s << u"Donkey"_s << u"ÅSNA ÄR ÖL"_s
                                      << QByteArray("\"\xEE\xF1\xB8\xEB\",\"\xE5sna \xE4r \xF6l\",\"donkey\"");
    QTest::newRow("ends trimmed, inner spaces kept")
        << u"  мороженое "_s << u" Ice Cream  "_s << u"glass "_s
        << QByteArray("\"\xEC\xEE\xF0\xEE\xE6\xE5\xED\xEE\xE5\",\"glass\",\"ice cream\"");
    QTest::newRow("only spaces is stored empty") << u"   "_s << u"x"_s << u"y"_s << QByteArray("\"\",\"y\",\"x\"");
    // A paste is never cut short: here the word would have been cut off behind the blanks.
    QTest::newRow("100,000-character paste")
        << u"кот"_s << QString(99996, u' ') + u"Cat"_s << u"katt"_s << QByteArray("\"\xEA\xEE\xF2\",\"katt\",\"cat\"");
    QTest::newRow("comma stays inside its quotes")
        << u"да"_s << u"yes, sir"_s << u"ja"_s << QByteArray("\"\xE4\xE0\",\"ja\",\"yes, sir\"");
    QTest::newRow("letters typed as letter and mark") << u"е\u0308лка"_s << u"cafe\u0301"_s << u"a\u030Asna"_s
                                                      << QByteArray("\"\xB8\xEB\xEA\xE0\",\"\xE5sna\",\"caf\xE9\"");
}

void AddWordsDialogTest::addStoresLowerCasedTrimmedWords()
{
    QFETCH(QString, russian);
    QFETCH(QString, english);
    QFETCH(QString, swedish);
    QFETCH(QByteArray, record);

    window()->show();
    fill(russian, english, swedish);
    clickAdd();

    QCOMPARE(readBytes(m_dictPath), QByteArray(" 1 \r\n") + record + "\r\n");
    QCOMPARE(m_catcher->messages, QStringList{u"Words is added. Record #1"_s});
    QVERIFY(!window()->isVisible());
}

void AddWordsDialogTest::recordNumberFollowsTheFile()
{
    QByteArray twelve = " 12 \r\n";
    for (int i = 1; i <= 12; ++i)
        twelve += "\"\xE0\",\"s" + QByteArray::number(i) + "\",\"e" + QByteArray::number(i) + "\"\r\n";
    QVERIFY(writeBytes(m_dictPath, twelve));

    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    clickAdd();
    QCOMPARE(m_catcher->messages, QStringList{u"Words is added. Record #13"_s});

    // The same words again make a new record: there is no duplicate check.
    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    clickAdd();
    QCOMPARE(m_catcher->messages.last(), u"Words is added. Record #14"_s);
    const QByteArray stored = readBytes(m_dictPath);
    QVERIFY(stored.startsWith(" 14 \r\n"));
    QVERIFY(stored.endsWith("\"\xEA\xEE\xF2\",\"katt\",\"cat\"\r\n\"\xEA\xEE\xF2\",\"katt\",\"cat\"\r\n"));
}

void AddWordsDialogTest::emptyFieldKeepsWindowOpen_data()
{
    QTest::addColumn<int>("emptyField");
    QTest::newRow("russian empty") << 0;
    QTest::newRow("english empty") << 1;
    QTest::newRow("swedish empty") << 2;
}

void AddWordsDialogTest::emptyFieldKeepsWindowOpen()
{
    QFETCH(int, emptyField);
    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    field(emptyField == 0 ? "Text1" : emptyField == 1 ? "Text2" : "Text3")->clear();

    clickAdd();
    QCOMPARE(label1(), u"ERROR: enter words first"_s);
    QVERIFY(window()->isVisible());
    QVERIFY(m_catcher->messages.isEmpty());
    QVERIFY(!QFile::exists(m_dictPath));

    // Corrected, the next "Add" stores and closes; the next opening prompts afresh.
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    clickAdd();
    QVERIFY(!window()->isVisible());
    QCOMPARE(m_catcher->messages, QStringList{u"Words is added. Record #1"_s});
    window()->show();
    QCOMPARE(label1(), u"Write words, and press Add-Button"_s);
}

void AddWordsDialogTest::unstorableWordIsRefused_data()
{
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("swedish");
    QTest::addColumn<QString>("label");

    QTest::newRow("double quote") << u"кот"_s << u"the \"cat\""_s << u"katt"_s
                                  << u"ERROR: words cannot hold a \" sign"_s;
    QTest::newRow("cyrillic in the swedish field")
        << u"кот"_s << u"cat"_s << u"кatt"_s << u"ERROR: \u201Cк\u201D cannot be stored"_s;
    QTest::newRow("outside both code pages")
        << u"кот😀"_s << u"cat"_s << u"katt"_s << u"ERROR: \u201C😀\u201D cannot be stored"_s;
    QTest::newRow("over-long word") << u"кот"_s << QString(256, u'a') << u"katt"_s << u"ERROR: a word is too long"_s;
    QTest::newRow("nothing but spaces") << u" "_s << u"  "_s << u" "_s << u"ERROR: enter words first"_s;
    QTest::newRow("C0 control character")
        << u"кот"_s << u"dog\x1B[31m"_s << u"hund"_s << u"ERROR: words cannot hold a control character"_s;
    QTest::newRow("C1 control character")
        << u"кот"_s << u"dog"_s << u"hund\u009B"_s << u"ERROR: words cannot hold a control character"_s;
}

void AddWordsDialogTest::unstorableWordIsRefused()
{
    QFETCH(QString, russian);
    QFETCH(QString, english);
    QFETCH(QString, swedish);
    QFETCH(QString, label);
    const QByteArray before = " 1 \r\n\"\xE0\",\"b\",\"c\"\r\n";
    QVERIFY(writeBytes(m_dictPath, before));

    window()->show();
    fill(russian, english, swedish);
    clickAdd();

    QCOMPARE(label1(), label);
    QVERIFY(window()->isVisible());
    QVERIFY(m_catcher->messages.isEmpty());
    QCOMPARE(readBytes(m_dictPath), before);
}

void AddWordsDialogTest::fileErrorIsShownAndFileKept_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("damaged count line") << u"damaged"_s << u"is damaged"_s;
    QTest::newRow("a folder in its place") << u"folder"_s << u"not a regular file"_s;
    QTest::newRow("folder cannot be made") << u"file-as-folder"_s << u"Cannot create folder"_s;
}

void AddWordsDialogTest::fileErrorIsShownAndFileKept()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    const QByteArray damaged = "three\r\n\"\xE0\",\"b\",\"c\"\r\n";
    if (setup == u"damaged")
        QVERIFY(writeBytes(m_dictPath, damaged));
    else if (setup == u"folder")
        QVERIFY(QDir().mkpath(m_dictPath));
    else {
        QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("file")), ""));
        m_dictPath = m_dir->filePath(QStringLiteral("file/gone/user.dct"));
    }
    m_values.env.userDictPath = QFile::encodeName(m_dictPath).toStdString();

    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    clickAdd();

    QCOMPARE(m_catcher->messages.size(), 1);
    QVERIFY2(m_catcher->messages[0].contains(QFileInfo(m_dictPath).path()), qPrintable(m_catcher->messages[0]));
    QVERIFY2(m_catcher->messages[0].contains(reason), qPrintable(m_catcher->messages[0]));
    QVERIFY(window()->isVisible());
    QCOMPARE(field("Text3")->text(), u"katt"_s);
    if (setup == u"damaged")
        QCOMPARE(readBytes(m_dictPath), damaged);
    else if (setup == u"folder")
        QVERIFY(QFileInfo(m_dictPath).isDir());
    else
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("gone"))));
}

void AddWordsDialogTest::cancelAndEscapeHideWithoutStoring()
{
    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    QTest::mouseClick(window()->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!window()->isVisible());

    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);
    QTest::keyClick(field("Text2"), Qt::Key_Escape);
    QVERIFY(!window()->isVisible());
    processDeferredDeletes();
    QVERIFY(!m_window.isNull());

    QVERIFY(!QFile::exists(m_dictPath));
    QVERIFY(m_catcher->messages.isEmpty());
}

void AddWordsDialogTest::titleBarCloseMarksItForDiscarding()
{
    window()->show();
    QVERIFY(window()->close());
    QCOMPARE(window()->result(), kClosedByCloseBox); // for the main window to discard it
}

void AddWordsDialogTest::messageBoxHasOnlyOkNoIconAndTitle()
{
    m_catcher.reset(); // the real box this time
    window()->show();
    fill(u"кот"_s, u"cat"_s, u"katt"_s);

    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    bool okIconNull = false;
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        okIconNull = box->button(QMessageBox::Ok)->icon().isNull();
        for (QAbstractButton *button : box->buttons())
            buttons << button->text().remove(u'&');
        box->button(QMessageBox::Ok)->click();
    });
    clickAdd();

    QVERIFY(seen);
    QCOMPARE(title, u"Trelvik"_s);
    QCOMPARE(text, u"Words is added. Record #1"_s);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QVERIFY2(okIconNull, "no icon on the button either");
    QCOMPARE(buttons, QStringList{u"OK"_s});
    QVERIFY(!window()->isVisible());
}

void AddWordsDialogTest::screenReaderTellsTheFieldsApart()
{
    window()->show();
    const std::pair<const char *, QString> names[] = {
        {"Text1", u"Russian word"_s}, {"Text2", u"English word"_s}, {"Text3", u"Swedish word"_s}};
    for (const auto &[name, accessibleName] : names)
        QCOMPARE(QAccessible::queryAccessibleInterface(field(name))->text(QAccessible::Name), accessibleName);
}

void AddWordsDialogTest::refusedInputSaysWhy_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("paste");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("tip"); // the start of the tooltip; empty: none

    QTest::newRow("cyrillic in the english field")
        << u"Text2"_s << u"dogж"_s << QString()
        << u"This field takes Latin letters. Type the Russian word in the field under \"Russian\"."_s;
    QTest::newRow("swedish letter in the russian field")
        << u"Text1"_s << u"Å"_s << QString() << u"This field takes Russian letters. Type \u201CÅ\u201D in the field"_s;
    QTest::newRow("emoji in the swedish field")
        << u"Text3"_s << u"😀"_s << QString() << u"\u201C😀\u201D cannot be stored in the user dictionary."_s;
    QTest::newRow("zero-width space dropped") << u"Text3"_s << u"hund\u200B"_s << u"hund"_s << QString();
    QTest::newRow("control character") << u"Text2"_s << u"dog\x1B]0;title\x07"_s << QString()
                                       << u"\u201CU+001B\u201D cannot be stored in the user dictionary."_s;
}

void AddWordsDialogTest::refusedInputSaysWhy()
{
    QFETCH(QString, field);
    QFETCH(QString, paste);
    QFETCH(QString, kept);
    QFETCH(QString, tip);
    window()->show();
    QToolTip::hideText();
    QLineEdit *edit = this->field(field.toLatin1().constData());
    edit->insert(paste);
    QCOMPARE(edit->text(), kept);
    QCOMPARE(QToolTip::isVisible(), !tip.isEmpty());
    QVERIFY2(QToolTip::text().startsWith(tip), qPrintable(QToolTip::text()));
}

// A click on a tip only closes it: a tip over "Add" would swallow the click meant for the button.
void AddWordsDialogTest::refusalTipCoversNoControl()
{
    window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    const QList<QWidget *> controls = window()->findChildren<QWidget *>();
    for (const char *name : {"Text1", "Text2", "Text3"}) {
        QToolTip::hideText();
        field(name)->insert(u"😀"_s);
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto tip = std::find_if(windows.cbegin(), windows.cend(),
                                      [](const QWidget *w) { return w->inherits("QTipLabel") && w->isVisible(); });
        QVERIFY(tip != windows.cend());
        for (const QWidget *control : controls) {
            if (!qobject_cast<const QAbstractButton *>(control) && !qobject_cast<const QLineEdit *>(control))
                continue;
            const QRect place(control->mapToGlobal(QPoint(0, 0)), control->size());
            QVERIFY2(
                !place.intersects((*tip)->geometry()),
                qPrintable(
                    QStringLiteral("the tip of %1 covers %2").arg(QLatin1StringView(name), control->objectName())));
        }
    }
}

QTEST_MAIN(AddWordsDialogTest)
#include "AddWordsDialogTest.moc"
