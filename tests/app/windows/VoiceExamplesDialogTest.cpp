#include "support/WindowTestSupport.h"

#include "windows/VoiceExamplesDialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace trelvik;
using namespace testsupport;
using namespace Qt::StringLiterals;

// No test here starts playback: machines that run them need have no sound device.
class VoiceExamplesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutThePlayerModuleTheTextIsShownAndTheReasonSaid(); // first: the module stays loaded once found
    void firstOpeningLoadsExampleOne();
    void itemsShownOnePerLine_data();
    void itemsShownOnePerLine();
    void recordingThatCannotBeOpened_data();
    void recordingThatCannotBeOpened();
    void brokenRecordingReportedOnceByThePlayer();
    void choosingAnotherExampleReplacesBoth();
    void cancelStopsAndHidesKeepingTheExample();
    void titleBarCloseMarksItForDiscarding();
    void noSoundDeviceIsAFileErrorOnce();
    void exampleListIsPanelGreen();
    void screenReaderSeesTextAndPlayer();

private:
    QString soundFile(const QString &name) const { return m_dir->filePath(u"sound/"_s + name); }
    void installRecording(const QString &name) const
    {
        QVERIFY(QFile::copy(QStringLiteral(TRELVIK_SAMPLE_WAV), soundFile(name)));
    }
    VoiceExamplesDialog *create()
    {
        m_window = new VoiceExamplesDialog(m_dir->path());
        return m_window;
    }
    QString shownText() const { return m_window->findChild<QPlainTextEdit *>(u"Text1"_s)->toPlainText(); }
    QComboBox *textCH() const { return m_window->findChild<QComboBox *>(u"TextCH"_s); }
    bool playEnabled() const { return m_window->findChild<QToolButton *>(u"mciPlay"_s)->isEnabled(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MessageCatcher> m_catcher;
    QPointer<VoiceExamplesDialog> m_window;
};

void VoiceExamplesDialogTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(u"sound"_s));
    installRecording(u"text01.wav"_s);
    installRecording(u"text03.wav"_s);
    QVERIFY(writeBytes(soundFile(u"text1.dat"_s), "\"Hej!\",\"(Hi!)\"\r\nHej, hur m\xE5r du?\r\n"));
    QVERIFY(writeBytes(soundFile(u"text3.dat"_s), "Tack\r\n"));
    m_catcher = std::make_unique<MessageCatcher>();
    SetSoundOutputCheck([] { return true; });
    SetExamplePlayerFolder(QStringLiteral(TRELVIK_PLAYER_DIR));
}

void VoiceExamplesDialogTest::cleanup()
{
    SetSoundOutputCheck({});
    delete m_window.data();
    m_catcher.reset();
    m_dir.reset();
}

void VoiceExamplesDialogTest::withoutThePlayerModuleTheTextIsShownAndTheReasonSaid()
{
    SetExamplePlayerFolder(m_dir->path());
    create()->show();
    QCOMPARE(m_catcher->messages.size(), 1);
    QVERIFY(m_catcher->messages.front().startsWith(u"The voice examples cannot be played: "_s));
    QVERIFY(m_catcher->messages.front().contains(u"trelvik-player.so"_s));
    QCOMPARE(shownText(), u"Hej!\n(Hi!)\nHej\nhur mår du?\n"_s);
    QVERIFY(!m_window->player());
    QVERIFY(!playEnabled());
    textCH()->setCurrentIndex(2); // said once a window, not at every example
    QCOMPARE(m_catcher->messages.size(), 1);
}

void VoiceExamplesDialogTest::firstOpeningLoadsExampleOne()
{
    create()->show();
    QCOMPARE(textCH()->count(), 6);
    QCOMPARE(textCH()->itemText(5), u"text6"_s);
    QCOMPARE(textCH()->currentText(), u"text1"_s);
    QCOMPARE(m_window->player()->source(), soundFile(u"text01.wav"_s));
    QVERIFY(!m_window->player()->isPlaying()); // opened, never started
    QCOMPARE(shownText(), u"Hej!\n(Hi!)\nHej\nhur mår du?\n"_s);
    QCOMPARE(m_window->textPath(), soundFile(u"text1.dat"_s));
    QVERIFY(playEnabled());
    QVERIFY(m_catcher->messages.isEmpty());
}

void VoiceExamplesDialogTest::itemsShownOnePerLine_data()
{
    QTest::addColumn<QByteArray>("file"); // "<none>": the text file is missing
    QTest::addColumn<QString>("shown");

    QTest::newRow("comma starts a new line") << QByteArray("Hej, hur m\xE5r du?\r\n") << u"Hej\nhur mår du?\n"_s;
    QTest::newRow("quoted item stays whole") << QByteArray("\"Hej, hur m\xE5r du?\"\r\n") << u"Hej, hur mår du?\n"_s;
    QTest::newRow("blanks before items skipped") << QByteArray("  ett,   tv\xE5\r\ntre") << u"ett\ntvå\ntre\n"_s;
    QTest::newRow("Windows-1252 letters") << QByteArray("\xC5ngstr\xF6m \xC4pple \x80") << u"Ångström Äpple €\n"_s;
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("missing file") << QByteArray("<none>") << QString();
}

void VoiceExamplesDialogTest::itemsShownOnePerLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    installRecording(u"text02.wav"_s);
    if (file != "<none>")
        QVERIFY(writeBytes(soundFile(u"text2.dat"_s), file));

    create()->show();
    textCH()->setCurrentIndex(1);

    QCOMPARE(shownText(), shown);
    QCOMPARE(m_window->textPath(), soundFile(u"text2.dat"_s));
    QVERIFY(QFile::exists(soundFile(u"text2.dat"_s))); // a missing text file is created empty
    QVERIFY(m_catcher->messages.isEmpty());
}

void VoiceExamplesDialogTest::recordingThatCannotBeOpened_data()
{
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << u"missing"_s;
    QTest::newRow("not a WAV") << u"text"_s;
    QTest::newRow("empty") << u"empty"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

void VoiceExamplesDialogTest::recordingThatCannotBeOpened()
{
    QFETCH(QString, problem);
    const QString wav = soundFile(u"text05.wav"_s);
    if (problem == u"text")
        QVERIFY(writeBytes(wav, "Hej, hur m\xE5r du?\r\n"));
    else if (problem == u"empty")
        QVERIFY(writeBytes(wav, QByteArray()));
    else if (problem == u"folder")
        QVERIFY(QDir().mkpath(wav));
    QVERIFY(writeBytes(soundFile(u"text5.dat"_s), "God natt\r\n"));

    create()->show();
    textCH()->setCurrentIndex(4);
    QCOMPARE(m_catcher->messages, QStringList{u"file error"_s});

    // The text is shown all the same, and the player holds nothing that could be played.
    QCOMPARE(shownText(), u"God natt\n"_s);
    QVERIFY(m_window->player()->source().isEmpty());
    QVERIFY(!playEnabled());

    // Nothing more arrives later about the file the player never got: the window would report it from a queued
    // call, which runs here.
    QCoreApplication::processEvents();
    QCOMPARE(m_catcher->messages.size(), 1);
}

void VoiceExamplesDialogTest::brokenRecordingReportedOnceByThePlayer()
{
    // A WAV header over garbage passes the quick check; only the player can tell it cannot be played.
    QByteArray broken("RIFF\x24\x00\x00\x00WAVE", 12);
    broken += QByteArray(4096, '\x5A');
    QVERIFY(writeBytes(soundFile(u"text06.wav"_s), broken));

    create()->show();
    textCH()->setCurrentIndex(5);
    QCOMPARE(m_window->player()->source(), soundFile(u"text06.wav"_s));
    QTRY_COMPARE_WITH_TIMEOUT(m_catcher->messages, QStringList{u"file error"_s}, 10000);
    QTest::qWait(300);
    QCOMPARE(m_catcher->messages, QStringList{u"file error"_s});
}

void VoiceExamplesDialogTest::choosingAnotherExampleReplacesBoth()
{
    create()->show();
    textCH()->setCurrentIndex(2);
    QCOMPARE(m_window->player()->source(), soundFile(u"text03.wav"_s));
    QCOMPARE(shownText(), u"Tack\n"_s);

    // Going back to an example whose recording is missing leaves no earlier recording open.
    QVERIFY(QFile::remove(soundFile(u"text01.wav"_s)));
    textCH()->setCurrentIndex(0);
    QCOMPARE(m_catcher->messages, QStringList{u"file error"_s});
    QVERIFY(m_window->player()->source().isEmpty());
    QCOMPARE(shownText(), u"Hej!\n(Hi!)\nHej\nhur mår du?\n"_s);
}

void VoiceExamplesDialogTest::cancelStopsAndHidesKeepingTheExample()
{
    create()->show();
    textCH()->setCurrentIndex(2);
    QTest::mouseClick(m_window->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->player()->isPlaying());

    m_window->show();
    QCOMPARE(textCH()->currentIndex(), 2);
    QCOMPARE(shownText(), u"Tack\n"_s);
    QCOMPARE(m_window->player()->source(), soundFile(u"text03.wav"_s));

    QTest::keyClick(m_window, Qt::Key_Escape);
    processDeferredDeletes();
    QVERIFY(!m_window.isNull());
    QVERIFY(!m_window->isVisible());
    QVERIFY(m_catcher->messages.isEmpty());
}

void VoiceExamplesDialogTest::titleBarCloseMarksItForDiscarding()
{
    create()->show();
    QVERIFY(m_window->close());
    QCOMPARE(m_window->result(), kClosedByCloseBox); // for the main window to discard it

    // A fresh window starts at example 1 again.
    delete m_window.data();
    create();
    QCOMPARE(textCH()->currentIndex(), 0);
}

void VoiceExamplesDialogTest::noSoundDeviceIsAFileErrorOnce()
{
    SetSoundOutputCheck([] { return false; });
    create()->show();
    QCOMPARE(m_catcher->messages, QStringList{u"file error"_s});
    QCOMPARE(shownText(), u"Hej!\n(Hi!)\nHej\nhur mår du?\n"_s);
    QVERIFY(m_window->player()->source().isEmpty());
    QVERIFY(!playEnabled());
    QCoreApplication::processEvents(); // a queued report would run here
    QCOMPARE(m_catcher->messages.size(), 1);
}

void VoiceExamplesDialogTest::exampleListIsPanelGreen()
{
    create()->show();
    QComboBox *list = textCH();
    const QImage shot = list->grab().toImage();
    // Right of the item text, left of the arrow: the field itself.
    const QPoint field(list->width() * 2 / 3, list->height() / 2);
    QCOMPARE(shot.pixelColor(field * shot.devicePixelRatio()), QColor(217, 255, 217));
}

void VoiceExamplesDialogTest::screenReaderSeesTextAndPlayer()
{
    create()->show();
    QCOMPARE(QAccessible::queryAccessibleInterface(m_window->findChild<QPlainTextEdit *>(u"Text1"_s))
                 ->text(QAccessible::Name),
             u"Example text"_s);
    QVERIFY(!QAccessible::queryAccessibleInterface(textCH())->text(QAccessible::Description).isEmpty());
    QAccessibleInterface *play =
        QAccessible::queryAccessibleInterface(m_window->findChild<QToolButton *>(u"mciPlay"_s));
    QCOMPARE(play->text(QAccessible::Name), u"Play"_s);
    QVERIFY(play->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

QTEST_MAIN(VoiceExamplesDialogTest)
#include "VoiceExamplesDialogTest.moc"
