// The main window driven through its controls, found by name, on the offscreen platform.
#include "windows/MainWindow.h"

#include "engine/Catalogue.h"
#include "qttext/QtText.h"
#include "userdict/UserDictLookup.h"
#include "widgets/MessageBox.h"
#include "windows/Help.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace trelvik;

namespace {

// Single-byte text from readable literals: Russian letters become Windows-1251 codes, the rest Latin-1.
std::string sb(const QString &text)
{
    std::string out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        out += static_cast<char>((u >= 0x410 && u <= 0x44F) ? u - 0x410 + 0xC0 : u);
    }
    return out;
}

std::string record(const QString &ru, const QString &sv, const QString &en)
{
    return "\"" + sb(ru) + "\",\"" + sb(sv) + "\",\"" + sb(en) + "\"\r\n";
}

void writeVolume(const Catalogue &catalogue, const QString &appDir, const QString &letter, const std::string &bytes)
{
    const CatalogueRow *row = catalogue.rowFor(sb(letter));
    QVERIFY(row);
    QFile file(QString::fromStdString(catalogue.volumePath(appDir.toStdString(), row->volumes.front())));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Twenty distinct translations of "дело", far more than the translation line can show at once.
std::string longRecords()
{
    std::string records;
    for (int i = 1; i <= 20; ++i)
        records += record(u"дело"_qs, QStringLiteral("angelagenhet%1").arg(i), QStringLiteral("matter%1").arg(i));
    return records;
}

// Types text as key presses; QTest::keyClicks only knows ASCII.
void type(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The offscreen platform warns about every shown window; that says nothing about the window under test.
QtMessageHandler previous = nullptr;

void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    previous(type, context, message);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpState();
    void stackingAndTabOrder();
    void languagePairs_data();
    void languagePairs();
    void sourceChangeEmptiesOnlyTheVisibleInput();
    void caretStaysInTheWordFieldWhileChoosingWithTheMouse();

    void clickAreas_data();
    void clickAreas();
    void backspaceAndDeleteAll();
    void keyboardTypingThenClicks();
    void unencodableCharactersAreRefused();
    void pastedStressedWordIsAccepted();
    void refusedInputSaysWhy_data();
    void refusedInputSaysWhy();

    void enterTranslates_data();
    void enterTranslates();
    void russianToSwedish();
    void swedishToRussianUsesEachTwinsCodePage();
    void repeatedRequestDoesNotMix();
    void sameLanguageRule_data();
    void sameLanguageRule();
    void missingWordAndNoSource();
    void wordFormsOption();
    void settingsThatAreNoFileAreIgnored();
    void unreadableUserDictionaryIsSaidOnce();

    void opensCentredAtItsRealSize();
    void switchesAreOneTabStopAtTheSelectedSwitch();
    void switchesTakeClicksInTheirWholeBox_data();
    void switchesTakeClicksInTheirWholeBox();
    void longTranslationShowsItsStart();
    void coveredTranslationTwinTakesNoFocus();
    void targetListIsPanelGreen();

    void screenReaderSeesNamedControls();
    void screenReaderPressesKeys_data();
    void screenReaderPressesKeys();

    void windowsOpenOnce();
    void addWordsFromOptionsIsModalOverOptions();
    void helpOpensThePage();
    void exitEndsTheEventLoop();

private:
    template <typename T = QWidget> T *get(const char *name) const
    {
        T *widget = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void choose(const char *option, int target);
    QDialog *openModal(const std::function<void()> &trigger, bool closeBox = false);
    QStringList tabCycle(QWidget *from);

    QTemporaryDir m_home;
    QTemporaryDir m_appDir;
    ProgramValues m_values;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
};

void MainWindowTest::initTestCase()
{
    previous = qInstallMessageHandler(quietOffscreen);
    // A home of its own: test mode puts the settings under ~/.qttest, shared by every run of this test on the
    // machine, and the test that turns the settings file into a named pipe would block another run for ever.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("trelvik"), QStringLiteral("trelvik")).clear();
    QVERIFY(m_appDir.isValid());
    for (const char *lang : {"ru", "en", "sv"})
        QVERIFY(QDir(m_appDir.path()).mkpath(QStringLiteral("data/%1").arg(QLatin1String(lang))));
    writeVolume(RussianCatalogue(), m_appDir.path(), QStringLiteral("д"),
                record(u"дом"_qs, u"hus"_qs, u"house"_qs) + record(u"дом"_qs, u"hem"_qs, u"home"_qs)
                    + record(u"дом"_qs, u"hus"_qs, u"house"_qs) + record(u"домой"_qs, u"hem"_qs, u"home"_qs)
                    + record(u"дома"_qs, u"hemma"_qs, u"at home"_qs) + longRecords());
    writeVolume(SwedishCatalogue(), m_appDir.path(), QStringLiteral("h"),
                record(u"дом"_qs, u"hus"_qs, u"house"_qs) + record(u"жена"_qs, u"hustru"_qs, u"wife"_qs)
                    + record(u"здание"_qs, u"hus"_qs, u"building"_qs));
    writeVolume(EnglishCatalogue(), m_appDir.path(), QStringLiteral("h"), record(u"дом"_qs, u"hus"_qs, u"house"_qs));
    QVERIFY(QDir(m_appDir.path()).mkpath(QStringLiteral("html")));
    QFile page(m_appDir.path() + QStringLiteral("/html/info.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body>help</body></html>\r\n");
    page.close();
    SetMessageHook([this](QWidget *, const QString &text) { m_messages << text; });
}

void MainWindowTest::init()
{
    m_messages.clear();
    m_values = ProgramValues();
    m_window = std::make_unique<MainWindow>(m_values);
    m_values.env = LookupEnvironment{m_appDir.path().toStdString(), (m_appDir.path() + u"/user.dct"_qs).toStdString(),
                                     &LookupUserDict};
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void MainWindowTest::cleanup()
{
    m_window.reset();
}

// Picks a source switch and then a target; the list is moved away first so that its handler surely runs.
void MainWindowTest::choose(const char *option, int target)
{
    get<QRadioButton>(option)->click();
    auto *combo = get<QComboBox>("Combo1");
    combo->setCurrentIndex((target + 1) % 3);
    combo->setCurrentIndex(target);
}

// Runs trigger, which should open a modal window, and hides that window again (or closes it as the close
// box does). Returns the window that was open, if it still exists.
QDialog *MainWindowTest::openModal(const std::function<void()> &trigger, bool closeBox)
{
    // The timer looks for the modal window every few milliseconds. Should none appear while trigger() still
    // runs (a window shown some other way), it hides every dialog after a bounded wait, so that no exec() is
    // left running for ever, and the test fails.
    QPointer<QDialog> seen;
    bool gaveUp = false;
    QDeadlineTimer deadline(10000);
    QTimer closer;
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog && !deadline.hasExpired())
            return;
        closer.stop();
        if (!dialog) {
            gaveUp = true;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (qobject_cast<QDialog *>(widget))
                    widget->hide();
            return;
        }
        seen = dialog;
        closeBox ? static_cast<void>(dialog->close()) : dialog->hide();
    });
    closer.start();
    trigger();
    closer.stop();
    if (gaveUp)
        QTest::qFail("no modal window appeared", __FILE__, __LINE__);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seen.data();
}

void MainWindowTest::startUpState()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("dictionary"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Trelvik"));
    QVERIFY(get<QRadioButton>("Option1")->isChecked());
    QCOMPARE(get<QComboBox>("Combo1")->currentIndex(), 2);
    QCOMPARE(get<QComboBox>("Combo1")->currentText(), QStringLiteral("Swedish"));
    QCOMPARE(get<QComboBox>("Combo1")->toolTip(), QStringLiteral("choose languge"));
    QVERIFY(!get<QComboBox>("Combo1")->isEditable());

    for (const char *name : {"Text1", "klav1ru", "Text11r", "Text22", "TextPole0S"})
        QVERIFY2(get(name)->isVisible(), name);
    for (const char *name : {"Text2", "klav1en", "klav1sv", "Text11", "Text22r", "TextPole0R"})
        QVERIFY2(!get(name)->isVisible(), name);

    QVERIFY(get<QLineEdit>("Text1")->text().isEmpty());
    QCOMPARE(m_window->focusWidget(), get("Text1")); // ready to type
    QVERIFY(m_window->inputBuffer().empty());
    for (const char *name : {"Text11", "Text11r"})
        QCOMPARE(get<QPlainTextEdit>(name)->toPlainText(), QStringLiteral("RUSSIAN"));
    for (const char *name : {"Text22", "Text22r"})
        QCOMPARE(get<QPlainTextEdit>(name)->toPlainText(), QStringLiteral("SWEDISH"));
    QVERIFY(get<QLineEdit>("TextPole0S")->text().isEmpty());
    QVERIFY(get<QLineEdit>("TextPole0R")->text().isEmpty());
    QCOMPARE(get<QLabel>("statTR")->text(), QStringLiteral("Stat: Ready"));
    QVERIFY(m_values.useUserDict);
    QVERIFY(m_values.findSynonyms);

    // Fixed size, nothing to maximise, and the client area below the menu bar.
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_window->centralWidget()->size(), QSize(542, 440));

    QCOMPARE(get<QGroupBox>("Frame1")->title(), QStringLiteral("From language: "));
    const std::pair<const char *, qreal> fonts[] = {{"Text1", 11.25},      {"Text2", 11.25}, {"TextPole0R", 11.25},
                                                    {"TextPole0S", 11.25}, {"Text11", 8.25}, {"Text22r", 8.25},
                                                    {"statTR", 8.25}};
    for (const auto &[name, points] : fonts) {
        QCOMPARE(get(name)->font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(get(name)->font().pointSizeF(), points);
    }
    QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(16, 16)));
    QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
    // Each keyboard's picture is decoded when its language is first chosen.
    for (const auto &[option, name] :
         {std::pair{"Option3", "klav1sv"}, {"Option2", "klav1en"}, {"Option1", "klav1ru"}}) {
        get<QRadioButton>(option)->click();
        QCOMPARE(get<QLabel>(name)->pixmap().size(), QSize(400, 137));
    }

    const QStringList menus{u"FileM"_qs,    u"ExitM"_qs, u"toolsM"_qs, u"ExampleM"_qs, u"addUD"_qs,
                            u"OptionsM"_qs, u"helpM"_qs, u"DHelp"_qs,  u"AboutM"_qs};
    const QStringList captions{u"File"_qs,
                               u"Exit"_qs,
                               u"Tools"_qs,
                               u"Voice text examples"_qs,
                               u"Add words to User dictionary"_qs,
                               u"Options"_qs,
                               u"Help"_qs,
                               u"Dictionary Help"_qs,
                               u"About"_qs};
    for (int i = 0; i < menus.size(); ++i) {
        QObject *item = m_window->findChild<QObject *>(menus[i]);
        QVERIFY2(item, qPrintable(menus[i]));
        const QString caption = item->property(qobject_cast<QAction *>(item) ? "text" : "title").toString();
        QCOMPARE(caption, captions[i]);
    }
}

void MainWindowTest::stackingAndTabOrder()
{
    // Siblings paint in creation order: what the table lists first must come last among the children.
    const QStringList topToBottom{
        u"Command2"_qs, u"Text22r"_qs, u"Text11r"_qs, u"Text22"_qs, u"Combo1"_qs,     u"Command1"_qs, u"TextPole0R"_qs,
        u"Text2"_qs,    u"Text1"_qs,   u"Frame1"_qs,  u"Text11"_qs, u"TextPole0S"_qs, u"Line2"_qs,    u"Line1"_qs,
        u"statTR"_qs,   u"Label2"_qs,  u"Image38"_qs, u"Image1"_qs, u"klav1ru"_qs,    u"klav1sv"_qs,  u"klav1en"_qs};
    QStringList children;
    for (QObject *child : m_window->centralWidget()->children())
        children << child->objectName();
    for (int i = 1; i < topToBottom.size(); ++i)
        QVERIFY2(children.indexOf(topToBottom[i - 1]) > children.indexOf(topToBottom[i]),
                 qPrintable(topToBottom[i - 1] + u" must cover "_qs + topToBottom[i]));

    const QStringList tabOrder{u"Option1"_qs,    u"Option2"_qs,  u"Option3"_qs, u"Text1"_qs,   u"Text2"_qs,
                               u"TextPole0R"_qs, u"Command1"_qs, u"Combo1"_qs,  u"Text11"_qs,  u"Text22"_qs,
                               u"TextPole0S"_qs, u"Text11r"_qs,  u"Text22r"_qs, u"Command2"_qs};
    QStringList chain;
    QWidget *start = get("Option1");
    QWidget *w = start;
    do {
        if (tabOrder.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    QCOMPARE(chain, tabOrder);
}

void MainWindowTest::languagePairs_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QString>("sourceHeading");
    QTest::addColumn<QString>("westernTarget");
    QTest::addColumn<QString>("cyrillicTarget");
    const QStringList always{u"TextPole0S"_qs};
    QTest::newRow("ru->en") << u"Option1"_qs << 1
                            << QStringList{u"klav1ru"_qs, u"Text1"_qs, u"Text11r"_qs, u"Text22"_qs} << u"RUSSIAN"_qs
                            << u"ENGLISH"_qs << u"ENGLISH"_qs;
    QTest::newRow("ru->sv") << u"Option1"_qs << 2
                            << QStringList{u"klav1ru"_qs, u"Text1"_qs, u"Text11r"_qs, u"Text22"_qs} << u"RUSSIAN"_qs
                            << u"SWEDEN"_qs << u"SWEDISH"_qs;
    QTest::newRow("ru->ru") << u"Option1"_qs << 0
                            << QStringList{u"klav1ru"_qs, u"Text1"_qs, u"Text11r"_qs, u"Text22r"_qs, u"TextPole0R"_qs}
                            << u"RUSSIAN"_qs << u"RUSSIAN"_qs << u"RUSSIAN"_qs;
    QTest::newRow("en->ru") << u"Option2"_qs << 0
                            << QStringList{u"klav1en"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22r"_qs, u"TextPole0R"_qs}
                            << u"ENGLISH"_qs << u"RUSSIAN"_qs << u"RUSSIAN"_qs;
    QTest::newRow("en->sv") << u"Option2"_qs << 2 << QStringList{u"klav1en"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22"_qs}
                            << u"ENGLISH"_qs << u"SWEDEN"_qs << u"SWEDISH"_qs;
    QTest::newRow("en->en") << u"Option2"_qs << 1 << QStringList{u"klav1en"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22"_qs}
                            << u"ENGLISH"_qs << u"ENGLISH"_qs << u"ENGLISH"_qs;
    QTest::newRow("sv->ru") << u"Option3"_qs << 0
                            << QStringList{u"klav1sv"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22r"_qs, u"TextPole0R"_qs}
                            << u"SWEDISH"_qs << u"RUSSIAN"_qs << u"RUSSIAN"_qs;
    QTest::newRow("sv->en") << u"Option3"_qs << 1 << QStringList{u"klav1sv"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22"_qs}
                            << u"SWEDISH"_qs << u"ENGLISH"_qs << u"ENGLISH"_qs;
    QTest::newRow("sv->sv") << u"Option3"_qs << 2 << QStringList{u"klav1sv"_qs, u"Text2"_qs, u"Text11"_qs, u"Text22"_qs}
                            << u"SWEDISH"_qs << u"SWEDEN"_qs << u"SWEDISH"_qs;
}

void MainWindowTest::languagePairs()
{
    QFETCH(QString, option);
    QFETCH(int, target);
    QFETCH(QStringList, visible);
    QFETCH(QString, sourceHeading);
    QFETCH(QString, westernTarget);
    QFETCH(QString, cyrillicTarget);

    // Start from another source so that every switch handler really runs.
    get<QRadioButton>(option == u"Option2"_qs ? "Option3" : "Option2")->click();
    choose(option.toLatin1().constData(), target);

    visible << u"TextPole0S"_qs;
    for (const char *name : {"klav1ru", "klav1sv", "klav1en", "Text1", "Text2", "Text11", "Text11r", "Text22",
                             "Text22r", "TextPole0R", "TextPole0S"})
        QCOMPARE(get(name)->isVisible(), visible.contains(QLatin1String(name)));
    QCOMPARE(get<QPlainTextEdit>("Text11")->toPlainText(), sourceHeading);
    QCOMPARE(get<QPlainTextEdit>("Text11r")->toPlainText(), sourceHeading);
    QCOMPARE(get<QPlainTextEdit>("Text22")->toPlainText(), westernTarget);
    QCOMPARE(get<QPlainTextEdit>("Text22r")->toPlainText(), cyrillicTarget);
}

void MainWindowTest::sourceChangeEmptiesOnlyTheVisibleInput()
{
    get<QRadioButton>("Option2")->click();
    type(get("Text2"), QStringLiteral("house"));
    get<QRadioButton>("Option1")->click();
    type(get("Text1"), QStringLiteral("дом"));
    QCOMPARE(get<QLineEdit>("Text2")->text(), QStringLiteral("house")); // hidden, keeps its word
    get<QRadioButton>("Option3")->click();
    QVERIFY(get<QLineEdit>("Text2")->text().isEmpty());
    QCOMPARE(get<QLineEdit>("Text1")->text(), QStringLiteral("дом"));
    type(get("Text2"), QStringLiteral("hus"));
    get<QRadioButton>("Option2")->click(); // English to Swedish and back share the field: emptied each time
    QVERIFY(get<QLineEdit>("Text2")->text().isEmpty());
    QVERIFY(m_window->inputBuffer().empty());
}

void MainWindowTest::caretStaysInTheWordFieldWhileChoosingWithTheMouse()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    get("Text1")->setFocus();
    QTest::mouseClick(get("Option3"), Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(get<QRadioButton>("Option3")->isChecked());
    QVERIFY(get("Text2")->hasFocus());
    QTest::keyClicks(get("Text2"), QStringLiteral("hus"));
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(get<QLabel>("statTR")->text(), QStringLiteral("Stat: Translate complete."));
    QVERIFY(get("Text2")->hasFocus()); // ready for the next word
}

void MainWindowTest::clickAreas_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("number");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("code"); // -1: nothing added

    // Rows of the keyboard and the character of each key, in the order of the key numbers.
    const int rowTop[] = {600, 1095, 1605};
    const int columnLeft[] = {2040, 2535, 3045, 3540, 4050, 4545, 5040, 5550, 6045, 6555, 7050, 7545};
    const QString russian = u"йцукенгшщзхъфывапролджэячсмитьбю"_qs;
    const QString english = QStringLiteral("qwertyuiop..asdfghjkl..zxcvbnm..");
    const QString swedish = u"qwertyuiopå.asdfghjklöäzxcvbnm.."_qs;
    struct Place {
        int number, row, column;
    };
    std::vector<Place> places;
    for (int i = 0; i < 12; ++i)
        places.push_back({i + 1, 0, i});
    for (int i = 0; i < 11; ++i)
        places.push_back({i + 13, 1, i});
    for (int i = 0; i < 9; ++i)
        places.push_back({i + 26, 2, i + 1});

    for (int lang = 0; lang < 3; ++lang) {
        const char *option = lang == 0 ? "Option1" : lang == 1 ? "Option2" : "Option3";
        const QString &letters = lang == 0 ? russian : lang == 1 ? english : swedish;
        for (std::size_t k = 0; k < places.size(); ++k) {
            const Place &p = places[k];
            const QChar c = letters.at(static_cast<qsizetype>(k));
            const int code = c == u'.' ? -1 : static_cast<unsigned char>(sb(QString(c))[0]);
            QTest::addRow("%s Image%d", option, p.number)
                << QString::fromLatin1(option) << p.number << QRect(columnLeft[p.column], rowTop[p.row], 495, 495)
                << code;
        }
        QTest::addRow("%s Image37 space", option)
            << QString::fromLatin1(option) << 37 << QRect(2040, 2160, 4455, 495) << 32;
    }
}

void MainWindowTest::clickAreas()
{
    QFETCH(QString, option);
    QFETCH(int, number);
    QFETCH(QRect, twips);
    QFETCH(int, code);

    get<QRadioButton>(option.toLatin1().constData())->click();
    const bool russian = option == u"Option1"_qs;
    auto *field = get<QLineEdit>(russian ? "Text1" : "Text2");
    auto *other = get<QLineEdit>(russian ? "Text2" : "Text1");
    other->setText(QStringLiteral("kept"));
    type(field, QStringLiteral("ab"));

    const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    const QString name = QStringLiteral("Image%1").arg(number);
    QWidget *area = m_window->centralWidget()->childAt(px.center());
    QVERIFY(area);
    QCOMPARE(area->objectName(), name); // the key is on top and in its place
    QTest::mouseClick(area, Qt::LeftButton);

    std::string expected = "ab";
    if (code >= 0)
        expected += static_cast<char>(code);
    std::string bytes;
    QVERIFY(ToSingleByte(field->text(), russian ? CodePage::Windows1251 : CodePage::Windows1252, bytes));
    QCOMPARE(QByteArray::fromStdString(bytes), QByteArray::fromStdString(expected));
    QCOMPARE(other->text(), QStringLiteral("kept"));
}

void MainWindowTest::backspaceAndDeleteAll()
{
    for (const char *option : {"Option1", "Option2", "Option3"}) {
        get<QRadioButton>(option)->click();
        auto *field = get<QLineEdit>(qstrcmp(option, "Option1") == 0 ? "Text1" : "Text2");
        QWidget *back = get("Image38");
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(field->text().isEmpty());
        QTest::mouseClick(get("Image1"), Qt::LeftButton);
        QCOMPARE(field->text().size(), 1);
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(field->text().isEmpty());

        type(field, QStringLiteral("xyz"));
        QWidget *deleteAll = get("Image35");
        QTest::mouseClick(deleteAll, Qt::LeftButton);
        QVERIFY(field->text().isEmpty());
    }
    for (int missing : {24, 25, 36})
        QVERIFY(!m_window->findChild<QWidget *>(QStringLiteral("Image%1").arg(missing)));
}

void MainWindowTest::keyboardTypingThenClicks()
{
    auto *text1 = get<QLineEdit>("Text1");
    type(text1, u"до"_qs);
    text1->setCursorPosition(0); // the key still goes to the end
    QTest::mouseClick(get("Image29"), Qt::LeftButton);
    QCOMPARE(text1->text(), u"дом"_qs);
    QCOMPARE(QByteArray::fromStdString(m_window->inputBuffer()), QByteArray("\xE4\xEE\xEC"));
}

void MainWindowTest::unencodableCharactersAreRefused()
{
    type(get("Text1"), u"дäм"_qs); // ä has no Windows-1251 code
    QCOMPARE(get<QLineEdit>("Text1")->text(), u"дм"_qs);
    get<QRadioButton>("Option3")->click();
    type(get("Text2"), u"hжs\u0101"_qs); // nor ж and ā a Windows-1252 one
    QCOMPARE(get<QLineEdit>("Text2")->text(), QStringLiteral("hs"));
}

void MainWindowTest::pastedStressedWordIsAccepted()
{
    auto *text1 = get<QLineEdit>("Text1");
    QGuiApplication::clipboard()->setText(u"до\u0301м"_qs);
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text1->text(), u"дом"_qs);
    QCOMPARE(text1->cursorPosition(), 3);
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), QStringLiteral("hus, hem"));
}

void MainWindowTest::refusedInputSaysWhy_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("tip"); // the start of the tooltip; empty: none

    const QString latinOnly = QStringLiteral("This field takes Latin letters. Choose \"russian\" under From language:");
    QTest::newRow("cyrillic typed for english") << u"Option2"_qs << false << u"hж"_qs << u"h"_qs << latinOnly;
    QTest::newRow("swedish letter typed for russian")
        << u"Option1"_qs << false << u"дå"_qs << u"д"_qs
        << u"This field takes Russian letters. Choose \"swedish\" or \"english\" under From language: to type \u201Cå\u201D."_qs;
    QTest::newRow("emoji pasted: refused whole")
        << u"Option1"_qs << true << u"дом😀"_qs << QString() << u"\u201C😀\u201D is not a letter of Russian"_qs;
    QTest::newRow("foreign letter in a paste: refused whole")
        << u"Option3"_qs << true << u"husж"_qs << QString() << latinOnly;
    QTest::newRow("invisible marks dropped from a paste")
        << u"Option3"_qs << true << u"\u200Bhus\uFEFF"_qs << u"hus"_qs << QString();
}

void MainWindowTest::refusedInputSaysWhy()
{
    QFETCH(QString, option);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, kept);
    QFETCH(QString, tip);
    get<QRadioButton>(option.toLatin1().constData())->click();
    auto *field = get<QLineEdit>(option == u"Option1"_qs ? "Text1" : "Text2");
    QToolTip::hideText();
    if (paste)
        field->insert(input);
    else
        type(field, input);
    QCOMPARE(field->text(), kept);
    if (tip.isEmpty()) {
        QVERIFY(!QToolTip::isVisible());
    } else {
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().startsWith(tip), qPrintable(QToolTip::text()));
    }
}

void MainWindowTest::enterTranslates_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void MainWindowTest::enterTranslates()
{
    QFETCH(int, key);
    type(get("Text1"), u"ДОМ"_qs);
    QTest::keyClick(get("Text1"), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), QStringLiteral("hus, hem"));
    QCOMPARE(get<QLineEdit>("Text1")->text(), u"ДОМ"_qs); // the field is not rewritten
}

void MainWindowTest::russianToSwedish()
{
    type(get("Text1"), u"дом"_qs);
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), QStringLiteral("hus, hem"));
    QCOMPARE(get<QPlainTextEdit>("Text11r")->toPlainText(), u"RUSSIAN\nдомой\nдома\n"_qs);
    QCOMPARE(get<QPlainTextEdit>("Text22")->toPlainText(), QStringLiteral("SWEDISH\nhem\nhemma\n"));
    QCOMPARE(get<QLabel>("statTR")->text(), QStringLiteral("Stat: Translate complete."));
}

void MainWindowTest::swedishToRussianUsesEachTwinsCodePage()
{
    choose("Option3", 0);
    type(get("Text2"), QStringLiteral("Hus"));
    QTest::keyClick(get("Text2"), Qt::Key_Return);
    QCOMPARE(get<QLineEdit>("TextPole0R")->text(), u"дом, здание"_qs);
    // The hidden Western twin shows the same bytes through Windows-1252.
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), u"äîì, çäàíèå"_qs);
    QCOMPARE(get<QPlainTextEdit>("Text11")->toPlainText(), QStringLiteral("SWEDISH\nhustru\n"));
    QCOMPARE(get<QPlainTextEdit>("Text22r")->toPlainText(), u"RUSSIAN\nжена\n"_qs);
    QVERIFY(get("TextPole0R")->isVisible());
}

void MainWindowTest::repeatedRequestDoesNotMix()
{
    type(get("Text1"), u"дом"_qs);
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    const QString pane = get<QPlainTextEdit>("Text22")->toPlainText();
    const QString line = get<QLineEdit>("TextPole0S")->text();
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(get<QPlainTextEdit>("Text22")->toPlainText(), pane);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), line);

    // A word without results clears what the one before showed.
    get<QLineEdit>("Text1")->setText(u"дым"_qs);
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QVERIFY(get<QLineEdit>("TextPole0S")->text().isEmpty());
    QCOMPARE(get<QPlainTextEdit>("Text22")->toPlainText(), QStringLiteral("SWEDISH\n"));
}

void MainWindowTest::sameLanguageRule_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("newTarget");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("line");
    QTest::newRow("ru->ru becomes ru->sv") << u"Option1"_qs << 0 << 2 << u"дом"_qs << u"hus, hem"_qs;
    QTest::newRow("en->en becomes en->ru") << u"Option2"_qs << 1 << 0 << u"house"_qs << u"дом"_qs;
    QTest::newRow("sv->sv becomes sv->ru") << u"Option3"_qs << 2 << 0 << u"hus"_qs << u"дом, здание"_qs;
    QTest::newRow("en->sv stays") << u"Option2"_qs << 2 << 2 << u"house"_qs << u"hus"_qs;
}

void MainWindowTest::sameLanguageRule()
{
    QFETCH(QString, option);
    QFETCH(int, target);
    QFETCH(int, newTarget);
    QFETCH(QString, word);
    QFETCH(QString, line);
    choose(option.toLatin1().constData(), target);
    type(get(option == u"Option1"_qs ? "Text1" : "Text2"), word);
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(get<QComboBox>("Combo1")->currentIndex(), newTarget);
    const bool russianTarget = newTarget == 0;
    QCOMPARE(get<QLineEdit>(russianTarget ? "TextPole0R" : "TextPole0S")->text(), line);
    QCOMPARE(get("TextPole0R")->isVisible(), russianTarget);
    // The heading reset before the lookup names the language, never the country.
    QVERIFY(get<QPlainTextEdit>("Text22")->toPlainText().startsWith(QLatin1String(newTarget == 0   ? "RUSSIAN"
                                                                                  : newTarget == 1 ? "ENGLISH"
                                                                                                   : "SWEDISH")));
    QVERIFY(m_messages.isEmpty());
}

void MainWindowTest::missingWordAndNoSource()
{
    type(get("Text1"), u"кот"_qs);
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(get<QLabel>("statTR")->text(),
             QStringLiteral("Stat: Word is not present in main dictionary. You can add it to User dictionfry."));

    // No switch on at all: only the message, the status keeps "Searching".
    for (const char *name : {"Option1", "Option2", "Option3"}) {
        get<QRadioButton>(name)->setAutoExclusive(false);
        get<QRadioButton>(name)->setChecked(false);
    }
    QTest::mouseClick(get("Command1"), Qt::LeftButton);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Error. Empty languse from translate")});
    QCOMPARE(get<QLabel>("statTR")->text(), QStringLiteral("Stat: Searching...."));
}

void MainWindowTest::wordFormsOption()
{
    auto *formsM = m_window->findChild<QAction *>(QStringLiteral("FormsM"));
    QVERIFY(formsM);
    QCOMPARE(get<QMenu>("toolsM")->actions().constLast(), formsM);
    QVERIFY(formsM->isCheckable() && formsM->isEnabled() && !formsM->isChecked());

    type(get("Text1"), u"домами"_qs);
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    QVERIFY(get<QLineEdit>("TextPole0S")->text().isEmpty());
    formsM->trigger();
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), QStringLiteral("hus, hem"));
    QCOMPARE(get<QLabel>("statTR")->text(), u"Stat: Translate complete. (домами \u2192 дом)"_qs);

    MainWindow remembered(m_values);
    QVERIFY(remembered.findChild<QAction *>(QStringLiteral("FormsM"))->isChecked());

    QTemporaryDir noDictionaries;
    qputenv("TRELVIK_HUNSPELL_DIR", noDictionaries.path().toLocal8Bit());
    MainWindow without(m_values);
    qunsetenv("TRELVIK_HUNSPELL_DIR");
    const QAction *disabled = without.findChild<QAction *>(QStringLiteral("FormsM"));
    QVERIFY(!disabled->isEnabled() && !disabled->isChecked());
    QVERIFY2(disabled->toolTip().contains(u"packages hunspell-ru, hunspell-sv and hunspell-en-us"_qs),
             qPrintable(disabled->toolTip()));
    formsM->trigger(); // the next test starts with the option off again
}

// A named pipe in place of the settings file would block the start for ever: the alarm ends a test that hangs.
void MainWindowTest::settingsThatAreNoFileAreIgnored()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/trelvik"_qs;
    const QString pipe = folder + u"/trelvik.conf"_qs;
    QVERIFY(QDir().mkpath(folder));
    QFile::remove(pipe);
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const auto removePipe = qScopeGuard([&pipe] { QFile::remove(pipe); });
    ::alarm(60);
    MainWindow started(m_values);
    QAction *formsM = started.findChild<QAction *>(QStringLiteral("FormsM"));
    QVERIFY(formsM->isEnabled() && !formsM->isChecked());
    formsM->trigger();
    ::alarm(0);
    const QFileInfo still(pipe);
    QVERIFY(!still.isFile() && still.exists());
}

// The user's words cannot be searched: the first lookup says why in the status line, the next ones show
// their own status again.
void MainWindowTest::unreadableUserDictionaryIsSaidOnce()
{
    const QString userDict = m_appDir.path() + u"/user.dct"_qs;
    QFile::remove(userDict);
    QVERIFY(QDir().mkdir(userDict));
    type(get("Text1"), u"дом"_qs);
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    const QString said = get<QLabel>("statTR")->text();
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    const QString next = get<QLabel>("statTR")->text();
    QVERIFY(QDir().rmdir(userDict));
    QCOMPARE(said,
             u"Stat: The user dictionary cannot be read: Cannot read "_qs + userDict + u": not a regular file"_qs);
    QCOMPARE(get<QLineEdit>("TextPole0S")->text(), QStringLiteral("hus, hem"));
    QCOMPARE(next, QStringLiteral("Stat: Translate complete."));
}

// The names of the controls Tab visits, starting after from, until it comes back to from.
QStringList MainWindowTest::tabCycle(QWidget *from)
{
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        return {QStringLiteral("<window not active>")};
    from->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || now == from)
            break;
        visited << now->objectName();
    }
    return visited;
}

void MainWindowTest::opensCentredAtItsRealSize()
{
    MainWindow window(m_values);
    window.centreOnScreen();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint middle = window.screen()->availableGeometry().center();
    QTRY_VERIFY2(
        (window.frameGeometry().center() - middle).manhattanLength() <= 1,
        qPrintable(QStringLiteral("frame at %1,%2").arg(window.frameGeometry().x()).arg(window.frameGeometry().y())));
    QCOMPARE(window.centralWidget()->size(), QSize(542, 440));
    QVERIFY(!window.testAttribute(Qt::WA_Moved)); // not placed as if by the user
}

void MainWindowTest::switchesAreOneTabStopAtTheSelectedSwitch()
{
    QTest::mouseClick(get("Option3"), Qt::LeftButton, {}, QPoint(8, 8));
    QStringList cycle = tabCycle(get("Text2"));
    QVERIFY2(cycle.contains(QLatin1String("Option3")), qPrintable(cycle.join(u' ')));
    QVERIFY(!cycle.contains(QLatin1String("Option1")) && !cycle.contains(QLatin1String("Option2")));

    get("Option3")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(get("Option3"), Qt::Key_Space);
    QVERIFY(get<QRadioButton>("Option3")->isChecked()); // Space keeps the language
    QTest::keyClick(get("Option3"), Qt::Key_Up);
    QVERIFY(get<QRadioButton>("Option2")->isChecked()); // the arrows still move between the switches
    cycle = tabCycle(get("Text2"));
    QVERIFY2(cycle.contains(QLatin1String("Option2")) && !cycle.contains(QLatin1String("Option3")),
             qPrintable(cycle.join(u' ')));
}

void MainWindowTest::switchesTakeClicksInTheirWholeBox_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("english") << u"Option2"_qs;
    QTest::newRow("swedish") << u"Option3"_qs;
    QTest::newRow("russian") << u"Option1"_qs;
}

void MainWindowTest::switchesTakeClicksInTheirWholeBox()
{
    QFETCH(QString, option);
    get<QRadioButton>(option == u"Option1"_qs ? "Option2" : "Option1")->click();
    auto *button = get<QRadioButton>(option.toLatin1().constData());
    QCOMPARE(button->size(), QSize(73, 17));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(70, 8)); // well right of the caption
    QVERIFY(button->isChecked());
}

void MainWindowTest::longTranslationShowsItsStart()
{
    type(get("Text1"), u"дело"_qs);
    QTest::keyClick(get("Text1"), Qt::Key_Return);
    auto *line = get<QLineEdit>("TextPole0S");
    QVERIFY(line->text().startsWith(QLatin1String("angelagenhet1, angelagenhet2")));
    QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) > line->width());
    QCOMPARE(line->cursorPosition(), 0);
}

void MainWindowTest::coveredTranslationTwinTakesNoFocus()
{
    choose("Option2", 0); // English to Russian: TextPole0R covers TextPole0S
    QStringList cycle = tabCycle(get("Text2"));
    QVERIFY2(cycle.contains(QLatin1String("TextPole0R")), qPrintable(cycle.join(u' ')));
    QVERIFY2(!cycle.contains(QLatin1String("TextPole0S")), qPrintable(cycle.join(u' ')));

    choose("Option2", 2);
    cycle = tabCycle(get("Text2"));
    QVERIFY2(cycle.contains(QLatin1String("TextPole0S")), qPrintable(cycle.join(u' ')));
}

void MainWindowTest::targetListIsPanelGreen()
{
    auto *list = get<QComboBox>("Combo1");
    const QImage shot = list->grab().toImage();
    const QPoint field(list->width() * 2 / 3, list->height() / 2);
    QCOMPARE(shot.pixelColor(field * shot.devicePixelRatio()), QColor(217, 255, 217));
}

void MainWindowTest::addWordsFromOptionsIsModalOverOptions()
{
    QPointer<QWidget> options, addWords;
    QWindow *transientFor = nullptr;
    QTimer::singleShot(0, this, [&] {
        options = QApplication::activeModalWidget();
        QTimer::singleShot(0, this, [&] {
            addWords = QApplication::activeModalWidget();
            if (addWords && addWords->windowHandle())
                transientFor = addWords->windowHandle()->transientParent();
            if (addWords)
                addWords->hide();
            options->hide();
        });
        if (options)
            options->findChild<QAbstractButton *>(QStringLiteral("Command3"))->click();
    });
    get<QAction>("OptionsM")->trigger();
    QVERIFY(options && addWords);
    QCOMPARE(addWords->objectName(), QStringLiteral("AddWords"));
    QCOMPARE(addWords->parentWidget(), options.data());
    QCOMPARE(transientFor, options->windowHandle());

    // Opened from the main window again, it is modal over the main window.
    QDialog *fromMain = openModal([this] { get<QAbstractButton>("Command2")->click(); });
    QCOMPARE(fromMain, addWords.data());
    QCOMPARE(fromMain->parentWidget(), m_window.get());
}

void MainWindowTest::screenReaderSeesNamedControls()
{
    get<QRadioButton>("Option3")->click();
    const std::pair<const char *, const char *> names[] = {{"Text1", "Russian word"},
                                                           {"Text2", "Swedish word"},
                                                           {"TextPole0R", "Translation"},
                                                           {"TextPole0S", "Translation"},
                                                           {"Text11", "Nearest words"},
                                                           {"Text11r", "Nearest words"},
                                                           {"Text22", "Translations of the nearest words"},
                                                           {"Text22r", "Translations of the nearest words"},
                                                           {"Frame1", "From language: "},
                                                           {"Command1", "Translate"},
                                                           {"klav1sv", "Swedish keyboard"}};
    for (const auto &[name, accessibleName] : names) {
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(get(name));
        QVERIFY2(control, name);
        QCOMPARE(control->text(QAccessible::Name), QString::fromUtf8(accessibleName));
    }
    for (const char *name : {"Text1", "TextPole0S", "Text11", "Text22r", "Frame1", "Combo1"})
        QVERIFY2(!QAccessible::queryAccessibleInterface(get(name))->text(QAccessible::Description).isEmpty(), name);

    // The target list is labelled by "Translate to:".
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(get("Combo1"));
    const auto labels = list->relations(QAccessible::Label);
    QVERIFY(!labels.isEmpty());
    QCOMPARE(labels.first().first->object(), get("Label2"));
}

void MainWindowTest::screenReaderPressesKeys_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("after"); // the word "ab" after the press
    QTest::newRow("russian letter") << u"Option1"_qs << u"Image1"_qs << u"й"_qs << u"abй"_qs;
    QTest::newRow("english letter") << u"Option2"_qs << u"Image1"_qs << u"q"_qs << u"abq"_qs;
    QTest::newRow("swedish letter") << u"Option3"_qs << u"Image11"_qs << u"å"_qs << u"abå"_qs;
    QTest::newRow("key with nothing on it") << u"Option2"_qs << u"Image11"_qs << u"no letter"_qs << u"ab"_qs;
    QTest::newRow("space") << u"Option2"_qs << u"Image37"_qs << u"Space"_qs << u"ab "_qs;
    QTest::newRow("backspace") << u"Option3"_qs << u"Image38"_qs << u"Backspace"_qs << u"a"_qs;
    QTest::newRow("delete all") << u"Option1"_qs << u"Image35"_qs << u"Delete All"_qs << u""_qs;
}

void MainWindowTest::screenReaderPressesKeys()
{
    QFETCH(QString, option);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(QString, after);
    get<QRadioButton>(option.toLatin1().constData())->click();
    auto *field = get<QLineEdit>(option == u"Option1"_qs ? "Text1" : "Text2");
    field->setText(QStringLiteral("ab"));

    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(get(key.toLatin1().constData()));
    QVERIFY(area);
    QCOMPARE(area->role(), QAccessible::Button);
    QCOMPARE(area->text(QAccessible::Name), name);
    QVERIFY(area->actionInterface());
    QCOMPARE(area->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    area->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(field->text(), after);
}

void MainWindowTest::windowsOpenOnce()
{
    QDialog *fromButton = openModal([this] { get<QAbstractButton>("Command2")->click(); });
    QVERIFY(fromButton);
    QCOMPARE(fromButton->objectName(), QStringLiteral("AddWords"));
    QDialog *fromMenu = openModal([this] { get<QAction>("addUD")->trigger(); });
    QCOMPARE(fromMenu, fromButton);
    QPointer<QDialog> closed = openModal([this] { get<QAction>("addUD")->trigger(); }, true);
    QVERIFY(closed.isNull()); // the close box destroys it ...
    QDialog *again = openModal([this] { get<QAction>("addUD")->trigger(); });
    QVERIFY(again); // ... and the next opening makes a new one
    QCOMPARE(m_window->findChildren<QDialog *>(QStringLiteral("AddWords")).size(), 1);

    QDialog *options = openModal([this] { get<QAction>("OptionsM")->trigger(); });
    QVERIFY(options);
    QCOMPARE(options->objectName(), QStringLiteral("OptionsF"));
    QCOMPARE(openModal([this] { get<QAction>("OptionsM")->trigger(); }), options);

    QDialog *examples = openModal([this] { get<QAction>("ExampleM")->trigger(); });
    QVERIFY(examples);
    QCOMPARE(examples->objectName(), QStringLiteral("FormText1"));

    QPointer<QDialog> about = openModal([this] { get<QAction>("AboutM")->trigger(); });
    QVERIFY(about.isNull()); // a new one each time, gone once closed
    QCOMPARE(m_window->findChildren<QDialog *>(QStringLiteral("infoDic")).size(), 0);
}

void MainWindowTest::helpOpensThePage()
{
    QList<QUrl> opened;
    SetUrlOpenHook([&opened](const QUrl &url) {
        opened << url;
        return false;
    });
    get<QAction>("DHelp")->trigger();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.front(), QUrl::fromLocalFile(m_appDir.path() + u"/html/info.html"_qs));
    QCOMPARE(m_messages.size(), 1); // the desktop refused: the user hears of it
    QVERIFY(m_messages.front().contains(QLatin1String("info.html")));

    SetUrlOpenHook([](const QUrl &) { return true; });
    get<QAction>("DHelp")->trigger();
    SetUrlOpenHook({});
    QCOMPARE(m_messages.size(), 1);
}

void MainWindowTest::exitEndsTheEventLoop()
{
    QTimer::singleShot(0, this, [this] { get<QAction>("ExitM")->trigger(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
