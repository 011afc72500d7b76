#include "windows/Dictionary.h"

#include "engine/Presentation.h"
#include "qttext/QtText.h"
#include "widgets/PanelComboBox.h"
#include "widgets/SingleByteValidator.h"
#include "widgets/WholeBoxButton.h"
#include "widgets/WindowLook.h"
#include "wordforms/HunspellBaseForms.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QStandardPaths>
#include <QWindow>

#include <cstdio>
#include <sys/stat.h>

// Pictures and icons come from a static library; name the resource once so the linker keeps it.
static void initAssets()
{
    Q_INIT_RESOURCE(assets);
}

namespace trelvik {

namespace {

constexpr QLatin1StringView kWordFormsKey("LookUpWordForms");

// The file that remembers the option between runs: trelvik/trelvik.conf in the user's configuration folder.
QString settingsFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/trelvik/trelvik.conf");
}

// Of the settings file and the lock file written beside it, the one that is there but is no regular file, or
// empty. Reading a named pipe in its place would block the start for ever, and a device could feed it without
// end.
QString notARegularFile(const QString &file)
{
    for (const QString &path : {file, file + QStringLiteral(".lock")}) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
            return path;
    }
    return {};
}

QSettings WordFormsSettings()
{
    return QSettings(settingsFile(), QSettings::IniFormat);
}

QPlainTextEdit *pane(QWidget *parent, const char *name, int left)
{
    auto *edit = NamedChild<QPlainTextEdit>(parent, name, Twips(left, 3240, 3900, 3015));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit->setFont(SansFont(8.25));
    PaintPanel(edit);
    return edit;
}

QLineEdit *translationLine(QWidget *parent, const char *name)
{
    auto *line = NamedChild<QLineEdit>(parent, name, Twips(1680, 2880, 6285, 315));
    line->setReadOnly(true);
    line->setFont(SansFont(11.25));
    PaintPanel(line);
    return line;
}

QLineEdit *inputLine(QWidget *parent, const char *name, CodePage codePage)
{
    auto *line = NamedChild<QLineEdit>(parent, name, Twips(120, 120, 6975, 375));
    line->setFont(SansFont(11.25));
    GuardField(
        line, codePage,
        {QStringLiteral("This field takes Latin letters. Choose \"russian\" under From language: to type Russian."),
         QStringLiteral("This field takes Russian letters. Choose \"swedish\" or \"english\" under From "
                        "language: to type \u201C%1\u201D."),
         QStringLiteral("\u201C%1\u201D is not a letter of Russian, Swedish or English and cannot be looked up.")});
    return line;
}

QLabel *keyboardPicture(QWidget *parent, const char *name)
{
    auto *picture = NamedChild<QLabel>(parent, name, Twips(2040, 600, 6000, 2055));
    picture->setPixmap(QPixmap(QStringLiteral(":/keyboards/%1.gif").arg(QLatin1StringView(name))));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QFrame *rule(QWidget *parent, const char *name, int x1, int x2, int y)
{
    auto *line = NamedChild<QFrame>(parent, name, QRect(Px(x1), Px(y), Px(x2) - Px(x1) + 1, 1));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    return line;
}

QRadioButton *sourceSwitch(QGroupBox *frame, const char *name, const QString &caption, int top)
{
    // Reached with Tab but not focused by a click, so the caret stays in the word field while the user picks
    // languages with the mouse; see createSourceFrame for which switch is the Tab stop.
    return NamedChild<WholeBoxButton<QRadioButton>>(frame, name, Twips(240, top, 1095, 255), caption);
}

// The controls of the client area from the bottom of the stacking order to the top: each covers the ones
// before it where they overlap.
constexpr const char *kStackingBottomUp[] = {
    "klav1en", "klav1sv",    "klav1ru",  "Image1", /* ... every click area in ascending number ... */
    "Label2",  "statTR",     "Line1",    "Line2",  "TextPole0S", "Text11",  "Frame1",  "Text1",
    "Text2",   "TextPole0R", "Command1", "Combo1", "Text22",     "Text11r", "Text22r", "Command2"};

} // namespace

dictionary::dictionary(ProgramValues &values, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint),
      m_values(values)
{
    initAssets();
    setObjectName(QStringLiteral("dictionary"));
    setWindowTitle(QStringLiteral("Trelvik"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/trelvik-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/trelvik-32.png"), QSize(32, 32));
    setWindowIcon(icon);
    setFont(SansFont(8.25));

    createMenus();
    createControls();
    setTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    load();
}

dictionary::~dictionary() = default;

void dictionary::createMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto handler) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1StringView(name));
        connect(item, &QAction::triggered, this, handler);
    };

    QMenu *fileM = menuBar()->addMenu(QStringLiteral("File"));
    fileM->setObjectName(QStringLiteral("FileM"));
    action(fileM, "ExitM", QStringLiteral("Exit"), [this] { exitProgram(); });

    QMenu *toolsM = menuBar()->addMenu(QStringLiteral("Tools"));
    toolsM->setObjectName(QStringLiteral("toolsM"));
    action(toolsM, "ExampleM", QStringLiteral("Voice text examples"), [this] { openExamples(); });
    action(toolsM, "addUD", QStringLiteral("Add words to User dictionary"), [this] { openAddWords(this); });
    action(toolsM, "OptionsM", QStringLiteral("Options"), [this] { openOptions(); });
    m_formsM = toolsM->addAction(QStringLiteral("Look up word forms"));
    m_formsM->setObjectName(QStringLiteral("FormsM"));
    setUpWordForms(m_formsM);
    toolsM->setToolTipsVisible(true);

    QMenu *helpM = menuBar()->addMenu(QStringLiteral("Help"));
    helpM->setObjectName(QStringLiteral("helpM"));
    action(helpM, "DHelp", QStringLiteral("Dictionary Help"), [this] { showHelp(); });
    action(helpM, "AboutM", QStringLiteral("About"), [this] { openAbout(); });
}

// The option is remembered between runs; a missing Hunspell dictionary switches it off and says which
// package to install.
void dictionary::setUpWordForms(QAction *item)
{
    item->setCheckable(true);
    m_hunspellFolder = HunspellFolder();
    const std::string missing = MissingDictionaryMessage(m_hunspellFolder, {kLanguages.begin(), kLanguages.end()});
    if (!missing.empty()) {
        item->setEnabled(false);
        item->setToolTip(FromEngineMessage(missing));
        return;
    }
    item->setToolTip(
        QStringLiteral("When a word has no translation, look up its base form: books \u2192 book, "
                       "\u043A\u043D\u0438\u0433\u0438 \u2192 \u043A\u043D\u0438\u0433\u0430. When it is also "
                       "a form of another word, show that word's translations after its own: saw \u2192 see."));
    const QString settings = settingsFile();
    if (const QString bad = notARegularFile(settings); !bad.isEmpty())
        std::fprintf(stderr, "trelvik: %s is not a regular file and is ignored; \"Look up word forms\" starts off.\n",
                     QFile::encodeName(bad).constData());
    else if (!settings.isEmpty())
        item->setChecked(WordFormsSettings().value(kWordFormsKey, false).toBool());
    connect(item, &QAction::toggled, this, &dictionary::wordFormsToggled);
}

void dictionary::wordFormsToggled(bool on)
{
    if (const QString settings = settingsFile(); !settings.isEmpty() && notARegularFile(settings).isEmpty())
        WordFormsSettings().setValue(kWordFormsKey, on);
}

void dictionary::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(8130), Px(6600));
    PaintWindowGreen(client);
    setCentralWidget(client);

    createKeyboard(client);
    createPanes(client);
    createSourceFrame(client);
    createCommandRow(client);
    stackControls(client);
}

void dictionary::createKeyboard(QWidget *client)
{
    m_klav1en = keyboardPicture(client, "klav1en");
    m_klav1sv = keyboardPicture(client, "klav1sv");
    m_klav1ru = keyboardPicture(client, "klav1ru");
    for (const KeyDef &key : KeyTable()) {
        auto *area = new ClickArea(client);
        area->setObjectName(QStringLiteral("Image%1").arg(key.number));
        area->setGeometry(Twips(key.left, key.top, key.width, key.height));
        connect(area, &ClickArea::clicked, this, [this, &key] { keyClicked(key); });
    }
    const QString keyboardHelp = QStringLiteral("Each key adds its letter to the end of the word");
    for (QLabel *picture : {m_klav1ru, m_klav1sv, m_klav1en})
        picture->setAccessibleDescription(keyboardHelp);
    m_klav1ru->setAccessibleName(QStringLiteral("Russian keyboard"));
    m_klav1sv->setAccessibleName(QStringLiteral("Swedish keyboard"));
    m_klav1en->setAccessibleName(QStringLiteral("English keyboard"));
}

void dictionary::nameKeys(Language language)
{
    for (const KeyDef &key : KeyTable()) {
        if (auto *area = centralWidget()->findChild<ClickArea *>(QStringLiteral("Image%1").arg(key.number)))
            area->setAccessibleName(KeyName(key, language));
    }
}

void dictionary::createPanes(QWidget *client)
{
    m_text11 = pane(client, "Text11", 120);
    m_text11r = pane(client, "Text11r", 120);
    m_text22 = pane(client, "Text22", 4080);
    m_text22r = pane(client, "Text22r", 4080);
    m_textPole0S = translationLine(client, "TextPole0S");
    m_textPole0R = translationLine(client, "TextPole0R");

    // Each twin is named as what it shows; only one of a pair is seen at a time.
    for (QPlainTextEdit *pane : {m_text11, m_text11r}) {
        pane->setAccessibleName(QStringLiteral("Nearest words"));
        pane->setAccessibleDescription(QStringLiteral("Words that contain the word translated, under the name of "
                                                      "the source language"));
    }
    for (QPlainTextEdit *pane : {m_text22, m_text22r}) {
        pane->setAccessibleName(QStringLiteral("Translations of the nearest words"));
        pane->setAccessibleDescription(QStringLiteral("One line for each nearest word, under the name of the "
                                                      "target language"));
    }
    for (QLineEdit *line : {m_textPole0S, m_textPole0R}) {
        line->setAccessibleName(QStringLiteral("Translation"));
        line->setAccessibleDescription(QStringLiteral("The translations found, the best first, separated by commas"));
    }
}

void dictionary::createSourceFrame(QWidget *client)
{
    m_frame1 = NamedChild<QGroupBox>(client, "Frame1", Twips(120, 840, 1695, 1575), QStringLiteral("From language: "));
    m_option1 = sourceSwitch(m_frame1, "Option1", QStringLiteral("russian"), 360);
    m_option2 = sourceSwitch(m_frame1, "Option2", QStringLiteral("english"), 720);
    m_option3 = sourceSwitch(m_frame1, "Option3", QStringLiteral("swedish"), 1080);
    m_option1->setChecked(true);
    m_text1 = inputLine(client, "Text1", CodePage::Windows1251);
    m_text2 = inputLine(client, "Text2", CodePage::Windows1252);
    m_text1->setAccessibleName(QStringLiteral("Russian word"));
    m_text2->setAccessibleName(QStringLiteral("English or Swedish word"));
    for (QLineEdit *field : {m_text1, m_text2})
        field->setAccessibleDescription(QStringLiteral("The word to translate; type it or click it together on the "
                                                       "keyboard below, then press Enter"));
    m_frame1->setAccessibleDescription(QStringLiteral("The language of the word to translate"));

    const std::pair<QRadioButton *, Language> switches[] = {
        {m_option1, Language::Russian}, {m_option2, Language::English}, {m_option3, Language::Swedish}};
    for (const auto &[option, language] : switches) {
        // The switches are one Tab stop, and it is the selected switch: the arrow keys move between them, and
        // Space there keeps the language instead of picking another one.
        option->setFocusPolicy(option->isChecked() ? Qt::TabFocus : Qt::NoFocus);
        connect(option, &QRadioButton::toggled, this, [this, option = option, language = language](bool on) {
            option->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
            if (on)
                sourceSelected(language);
        });
    }
    connect(m_text1, &QLineEdit::returnPressed, this, &dictionary::Translate);
    connect(m_text2, &QLineEdit::returnPressed, this, &dictionary::Translate);
}

void dictionary::createCommandRow(QWidget *client)
{
    m_command1 = NamedChild<QPushButton>(client, "Command1", Twips(7080, 120, 975, 375), QStringLiteral("Translate"));
    m_command1->setFocusPolicy(Qt::TabFocus);
    m_command2 = NamedChild<QPushButton>(client, "Command2", Twips(120, 480, 1815, 255),
                                         QStringLiteral("Add to user dictionary"));

    m_label2 = NamedChild<QLabel>(client, "Label2", Twips(240, 2640, 975, 255), QStringLiteral("Translate to:"));
    m_combo1 = NamedChild<PanelComboBox>(client, "Combo1", Twips(120, 2880, 1455, 315));
    m_combo1->addItems({QStringLiteral("Russian"), QStringLiteral("English"), QStringLiteral("Swedish")});
    m_combo1->setToolTip(QStringLiteral("choose languge"));
    m_combo1->setFocusPolicy(Qt::TabFocus);
    m_combo1->setAccessibleDescription(QStringLiteral("The language to translate into"));
    m_label2->setBuddy(m_combo1);
    PaintPanel(m_combo1);

    m_statTR = NamedChild<QLabel>(client, "statTR", Twips(120, 6360, 7815, 255), FromEngineMessage(kStatReady));
    rule(client, "Line1", 120, 7920, 6300);
    rule(client, "Line2", 1800, 7920, 2760);

    connect(m_combo1, &QComboBox::currentIndexChanged, this, &dictionary::targetSelected);
    connect(m_command1, &QPushButton::clicked, this, &dictionary::Translate);
    connect(m_command2, &QPushButton::clicked, this, [this] { openAddWords(this); });
}

void dictionary::stackControls(QWidget *client)
{
    for (const char *name : kStackingBottomUp) {
        if (qstrcmp(name, "Image1") == 0) {
            for (const KeyDef &key : KeyTable())
                client->findChild<QWidget *>(QStringLiteral("Image%1").arg(key.number))->raise();
        } else {
            client->findChild<QWidget *>(QLatin1StringView(name))->raise();
        }
    }
}

void dictionary::setTabOrder()
{
    SetTabChain({m_option1, m_option2, m_option3, m_text1, m_text2, m_textPole0R, m_command1, m_combo1, m_text11,
                 m_text22, m_textPole0S, m_text11r, m_text22r, m_command2});
}

void dictionary::load()
{
    m_combo1->setCurrentIndex(TargetIndexOf(Language::Swedish));
    m_values.useUserDict = true;
    m_values.findSynonyms = true;
    sourceSelected(Language::Russian);
    // Start with the caret in the word field, so the user can type straight away.
    m_text1->setFocus();
}

void dictionary::centreOnScreen()
{
    // The fixed size is only worked out by the layout; before that the window would be centred at Qt's
    // default size.
    layout()->activate();
    winId();
    placeFrameInTheMiddle();
    m_centreWhenShown = true;
}

void dictionary::placeFrameInTheMiddle()
{
    const QScreen *where = screen();
    if (!where || !windowHandle())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    // Placed through the native window, so the widget is not marked as moved by the user.
    windowHandle()->setFramePosition(frame.topLeft());
}

void dictionary::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_centreWhenShown || event->spontaneous())
        return;
    m_centreWhenShown = false;
    // Before the first showing the frame is only the window itself; once the window is up its real frame
    // is known, and the frame, not the window inside it, is what goes to the middle.
    QMetaObject::invokeMethod(this, &dictionary::placeFrameInTheMiddle, Qt::QueuedConnection);
}

void dictionary::closeEvent(QCloseEvent *event)
{
    // The close box ends the program as "Exit" does, even while hidden helper windows still exist.
    QMainWindow::closeEvent(event);
    exitProgram();
}

} // namespace trelvik
