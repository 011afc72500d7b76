#include "windows/MainWindow.h"

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
#include <utility>

// Pictures and icons come from a static library; name the resource once so the linker keeps it.
static void initAssets()
{
    Q_INIT_RESOURCE(assets);
}

namespace trelvik {

namespace {

constexpr QLatin1StringView kWordFormsKey("LookUpWordForms");

// The Qt object name of every control, by role. They are set from here and nowhere else: screen-reader scripts,
// style sheets and the tests know the controls by these names, so they never change.
constexpr struct {
    const char *window = "dictionary";
    const char *client = "client";
    const char *fileMenu = "FileM";
    const char *exitItem = "ExitM";
    const char *toolsMenu = "toolsM";
    const char *examplesItem = "ExampleM";
    const char *addWordsItem = "addUD";
    const char *optionsItem = "OptionsM";
    const char *wordFormsItem = "FormsM";
    const char *helpMenu = "helpM";
    const char *helpItem = "DHelp";
    const char *aboutItem = "AboutM";
    const char *russianKeyboard = "klav1ru";
    const char *swedishKeyboard = "klav1sv";
    const char *englishKeyboard = "klav1en";
    const char *keyArea = "Image%1"; // %1: the key's number, 1 to 35
    const char *westernNearestPane = "Text11";
    const char *cyrillicNearestPane = "Text11r";
    const char *westernTranslationsPane = "Text22";
    const char *cyrillicTranslationsPane = "Text22r";
    const char *westernTranslation = "TextPole0S";
    const char *cyrillicTranslation = "TextPole0R";
    const char *sourceFrame = "Frame1";
    const char *russianSwitch = "Option1";
    const char *englishSwitch = "Option2";
    const char *swedishSwitch = "Option3";
    const char *russianField = "Text1";
    const char *westernField = "Text2";
    const char *translateButton = "Command1";
    const char *addWordsButton = "Command2";
    const char *targetLabel = "Label2";
    const char *targetList = "Combo1";
    const char *statusLine = "statTR";
    const char *statusRule = "Line1";
    const char *targetRule = "Line2";
} kNames;

QString keyAreaName(const KeyDef &key)
{
    return QString::fromLatin1(kNames.keyArea).arg(key.number);
}

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

// A keyboard's picture, decoded when it is first shown: a user who sticks to one source language never needs
// the other two, and decoding them would delay the window's first paint.
class KeyboardPicture : public QLabel {
public:
    using QLabel::QLabel;

    void setImage(const QString &path) { m_image = path; }

protected:
    void showEvent(QShowEvent *event) override
    {
        if (!m_image.isEmpty())
            setPixmap(QPixmap(std::exchange(m_image, QString())));
        QLabel::showEvent(event);
    }

private:
    QString m_image;
};

QLabel *keyboardPicture(QWidget *parent, const char *name)
{
    auto *picture = NamedChild<KeyboardPicture>(parent, name, Twips(2040, 600, 6000, 2055));
    picture->setImage(QStringLiteral(":/keyboards/%1.gif").arg(QLatin1StringView(name)));
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

} // namespace

MainWindow::MainWindow(ProgramValues &values, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                              | Qt::MSWindowsFixedSizeDialogHint),
      m_values(values)
{
    initAssets();
    setObjectName(QLatin1StringView(kNames.window));
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

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto handler) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QLatin1StringView(name));
        connect(item, &QAction::triggered, this, handler);
    };

    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    fileMenu->setObjectName(QLatin1StringView(kNames.fileMenu));
    action(fileMenu, kNames.exitItem, QStringLiteral("Exit"), [this] { exitProgram(); });

    QMenu *toolsMenu = menuBar()->addMenu(QStringLiteral("Tools"));
    toolsMenu->setObjectName(QLatin1StringView(kNames.toolsMenu));
    action(toolsMenu, kNames.examplesItem, QStringLiteral("Voice text examples"), [this] { openExamples(); });
    action(toolsMenu, kNames.addWordsItem, QStringLiteral("Add words to User dictionary"),
           [this] { openAddWords(this); });
    action(toolsMenu, kNames.optionsItem, QStringLiteral("Options"), [this] { openOptions(); });
    m_wordFormsItem = toolsMenu->addAction(QStringLiteral("Look up word forms"));
    m_wordFormsItem->setObjectName(QLatin1StringView(kNames.wordFormsItem));
    setUpWordForms(m_wordFormsItem);
    toolsMenu->setToolTipsVisible(true);

    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("Help"));
    helpMenu->setObjectName(QLatin1StringView(kNames.helpMenu));
    action(helpMenu, kNames.helpItem, QStringLiteral("Dictionary Help"), [this] { showHelp(); });
    action(helpMenu, kNames.aboutItem, QStringLiteral("About"), [this] { openAbout(); });
}

// The option is remembered between runs; a missing Hunspell dictionary switches it off and says which
// package to install.
void MainWindow::setUpWordForms(QAction *item)
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
    connect(item, &QAction::toggled, this, &MainWindow::wordFormsToggled);
}

void MainWindow::wordFormsToggled(bool on)
{
    if (const QString settings = settingsFile(); !settings.isEmpty() && notARegularFile(settings).isEmpty())
        WordFormsSettings().setValue(kWordFormsKey, on);
}

void MainWindow::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QLatin1StringView(kNames.client));
    client->setFixedSize(Px(8130), Px(6600));
    PaintWindowGreen(client);
    setCentralWidget(client);

    createKeyboard(client);
    createPanes(client);
    createSourceFrame(client);
    createCommandRow(client);
    stackControls(client);
}

void MainWindow::createKeyboard(QWidget *client)
{
    m_englishKeyboard = keyboardPicture(client, kNames.englishKeyboard);
    m_swedishKeyboard = keyboardPicture(client, kNames.swedishKeyboard);
    m_russianKeyboard = keyboardPicture(client, kNames.russianKeyboard);
    for (const KeyDef &key : KeyTable()) {
        auto *area = new ClickArea(client);
        area->setObjectName(keyAreaName(key));
        area->setGeometry(Twips(key.left, key.top, key.width, key.height));
        connect(area, &ClickArea::clicked, this, [this, &key] { keyClicked(key); });
    }
    const QString keyboardHelp = QStringLiteral("Each key adds its letter to the end of the word");
    for (QLabel *picture : {m_russianKeyboard, m_swedishKeyboard, m_englishKeyboard})
        picture->setAccessibleDescription(keyboardHelp);
    m_russianKeyboard->setAccessibleName(QStringLiteral("Russian keyboard"));
    m_swedishKeyboard->setAccessibleName(QStringLiteral("Swedish keyboard"));
    m_englishKeyboard->setAccessibleName(QStringLiteral("English keyboard"));
}

void MainWindow::nameKeys(Language language)
{
    for (const KeyDef &key : KeyTable()) {
        if (auto *area = centralWidget()->findChild<ClickArea *>(keyAreaName(key)))
            area->setAccessibleName(KeyName(key, language));
    }
}

void MainWindow::createPanes(QWidget *client)
{
    m_nearestPane = {pane(client, kNames.westernNearestPane, 120), pane(client, kNames.cyrillicNearestPane, 120)};
    m_translationsPane = {pane(client, kNames.westernTranslationsPane, 4080),
                          pane(client, kNames.cyrillicTranslationsPane, 4080)};
    m_translation = {translationLine(client, kNames.westernTranslation),
                     translationLine(client, kNames.cyrillicTranslation)};

    m_nearestPane.setAccessibleName(QStringLiteral("Nearest words"));
    m_nearestPane.setAccessibleDescription(
        QStringLiteral("Words that contain the word translated, under the name of the source language"));
    m_translationsPane.setAccessibleName(QStringLiteral("Translations of the nearest words"));
    m_translationsPane.setAccessibleDescription(
        QStringLiteral("One line for each nearest word, under the name of the target language"));
    m_translation.setAccessibleName(QStringLiteral("Translation"));
    m_translation.setAccessibleDescription(
        QStringLiteral("The translations found, the best first, separated by commas"));
}

void MainWindow::createSourceFrame(QWidget *client)
{
    m_sourceFrame = NamedChild<QGroupBox>(client, kNames.sourceFrame, Twips(120, 840, 1695, 1575),
                                          QStringLiteral("From language: "));
    m_russianSwitch = sourceSwitch(m_sourceFrame, kNames.russianSwitch, QStringLiteral("russian"), 360);
    m_englishSwitch = sourceSwitch(m_sourceFrame, kNames.englishSwitch, QStringLiteral("english"), 720);
    m_swedishSwitch = sourceSwitch(m_sourceFrame, kNames.swedishSwitch, QStringLiteral("swedish"), 1080);
    m_russianSwitch->setChecked(true);
    m_sourceField = {inputLine(client, kNames.westernField, CodePage::Windows1252),
                     inputLine(client, kNames.russianField, CodePage::Windows1251)};
    m_sourceField.cyrillic()->setAccessibleName(QStringLiteral("Russian word"));
    m_sourceField.western()->setAccessibleName(QStringLiteral("English or Swedish word"));
    m_sourceField.setAccessibleDescription(QStringLiteral("The word to translate; type it or click it together on "
                                                          "the keyboard below, then press Enter"));
    m_sourceFrame->setAccessibleDescription(QStringLiteral("The language of the word to translate"));

    const std::pair<QRadioButton *, Language> switches[] = {{m_russianSwitch, Language::Russian},
                                                            {m_englishSwitch, Language::English},
                                                            {m_swedishSwitch, Language::Swedish}};
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
    connect(m_sourceField.cyrillic(), &QLineEdit::returnPressed, this, &MainWindow::translate);
    connect(m_sourceField.western(), &QLineEdit::returnPressed, this, &MainWindow::translate);
}

void MainWindow::createCommandRow(QWidget *client)
{
    m_translateButton = NamedChild<QPushButton>(client, kNames.translateButton, Twips(7080, 120, 975, 375),
                                                QStringLiteral("Translate"));
    m_translateButton->setFocusPolicy(Qt::TabFocus);
    m_addWordsButton = NamedChild<QPushButton>(client, kNames.addWordsButton, Twips(120, 480, 1815, 255),
                                               QStringLiteral("Add to user dictionary"));

    m_targetLabel =
        NamedChild<QLabel>(client, kNames.targetLabel, Twips(240, 2640, 975, 255), QStringLiteral("Translate to:"));
    m_targetList = NamedChild<PanelComboBox>(client, kNames.targetList, Twips(120, 2880, 1455, 315));
    m_targetList->addItems({QStringLiteral("Russian"), QStringLiteral("English"), QStringLiteral("Swedish")});
    m_targetList->setToolTip(QStringLiteral("choose languge"));
    m_targetList->setFocusPolicy(Qt::TabFocus);
    m_targetList->setAccessibleDescription(QStringLiteral("The language to translate into"));
    m_targetLabel->setBuddy(m_targetList);
    PaintPanel(m_targetList);

    m_statusLine =
        NamedChild<QLabel>(client, kNames.statusLine, Twips(120, 6360, 7815, 255), FromEngineMessage(kStatReady));
    m_statusRule = rule(client, kNames.statusRule, 120, 7920, 6300);
    m_targetRule = rule(client, kNames.targetRule, 1800, 7920, 2760);

    connect(m_targetList, &QComboBox::currentIndexChanged, this, &MainWindow::targetSelected);
    connect(m_translateButton, &QPushButton::clicked, this, &MainWindow::translate);
    connect(m_addWordsButton, &QPushButton::clicked, this, [this] { openAddWords(this); });
}

// Raises the controls of the client area from the bottom of the stacking order to the top: each covers the ones
// before it where they overlap.
void MainWindow::stackControls(QWidget *client)
{
    for (QWidget *picture : {m_englishKeyboard, m_swedishKeyboard, m_russianKeyboard})
        picture->raise();
    for (const KeyDef &key : KeyTable()) // in ascending number
        client->findChild<QWidget *>(keyAreaName(key))->raise();
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_targetLabel, m_statusLine, m_statusRule, m_targetRule, m_translation.western(), m_nearestPane.western(),
             m_sourceFrame, m_sourceField.cyrillic(), m_sourceField.western(), m_translation.cyrillic(),
             m_translateButton, m_targetList, m_translationsPane.western(), m_nearestPane.cyrillic(),
             m_translationsPane.cyrillic(), m_addWordsButton})
        control->raise();
}

void MainWindow::setTabOrder()
{
    SetTabChain({m_russianSwitch, m_englishSwitch, m_swedishSwitch, m_sourceField.cyrillic(), m_sourceField.western(),
                 m_translation.cyrillic(), m_translateButton, m_targetList, m_nearestPane.western(),
                 m_translationsPane.western(), m_translation.western(), m_nearestPane.cyrillic(),
                 m_translationsPane.cyrillic(), m_addWordsButton});
}

void MainWindow::load()
{
    m_targetList->setCurrentIndex(TargetIndexOf(Language::Swedish));
    m_values.useUserDict = true;
    m_values.findSynonyms = true;
    sourceSelected(Language::Russian);
    // Start with the caret in the word field, so the user can type straight away.
    m_sourceField.cyrillic()->setFocus();
}

void MainWindow::centreOnScreen()
{
    // The fixed size is only worked out by the layout; before that the window would be centred at Qt's
    // default size.
    layout()->activate();
    winId();
    placeFrameInTheMiddle();
    m_centreWhenShown = true;
}

void MainWindow::placeFrameInTheMiddle()
{
    const QScreen *where = screen();
    if (!where || !windowHandle())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    // Placed through the native window, so the widget is not marked as moved by the user.
    windowHandle()->setFramePosition(frame.topLeft());
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_centreWhenShown || event->spontaneous())
        return;
    m_centreWhenShown = false;
    // Before the first showing the frame is only the window itself; once the window is up its real frame
    // is known, and the frame, not the window inside it, is what goes to the middle.
    QMetaObject::invokeMethod(this, &MainWindow::placeFrameInTheMiddle, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The close box ends the program as "Exit" does, even while hidden helper windows still exist.
    QMainWindow::closeEvent(event);
    exitProgram();
}

} // namespace trelvik
