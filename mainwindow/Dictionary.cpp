#include "Dictionary.h"

#include "widgets/SingleByteValidator.h"
#include "widgets/WindowLook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

// Pictures and icons come from a static library; name the resource once so the linker keeps it.
static void initAssets()
{
    Q_INIT_RESOURCE(assets);
}

namespace trelvik {

namespace {

template <typename W> W *named(QWidget *parent, const char *name)
{
    auto *widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void paintPanel(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kPanelGreen);
    palette.setColor(QPalette::Button, kPanelGreen);
    widget->setPalette(palette);
}

QPlainTextEdit *pane(QWidget *parent, const char *name, int left)
{
    auto *edit = named<QPlainTextEdit>(parent, name);
    edit->setGeometry(Twips(left, 3240, 3900, 3015));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit->setFont(SansFont(8.25));
    paintPanel(edit);
    return edit;
}

QLineEdit *translationLine(QWidget *parent, const char *name)
{
    auto *line = named<QLineEdit>(parent, name);
    line->setGeometry(Twips(1680, 2880, 6285, 315));
    line->setReadOnly(true);
    line->setFont(SansFont(11.25));
    paintPanel(line);
    return line;
}

QLineEdit *inputLine(QWidget *parent, const char *name, CodePage codePage)
{
    auto *line = named<QLineEdit>(parent, name);
    line->setGeometry(Twips(120, 120, 6975, 375));
    line->setFont(SansFont(11.25));
    line->setValidator(new SingleByteValidator(codePage, line));
    return line;
}

QLabel *keyboardPicture(QWidget *parent, const char *name)
{
    auto *picture = named<QLabel>(parent, name);
    picture->setGeometry(Twips(2040, 600, 6000, 2055));
    picture->setPixmap(QPixmap(QStringLiteral(":/keyboards/%1.gif").arg(QString::fromLatin1(name))));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QFrame *rule(QWidget *parent, const char *name, int x1, int x2, int y)
{
    auto *line = named<QFrame>(parent, name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setGeometry(Px(x1), Px(y), Px(x2) - Px(x1) + 1, 1);
    return line;
}

} // namespace

dictionary::dictionary(ProgramValues &values, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
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
        item->setObjectName(QString::fromLatin1(name));
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

    QMenu *helpM = menuBar()->addMenu(QStringLiteral("Help"));
    helpM->setObjectName(QStringLiteral("helpM"));
    action(helpM, "DHelp", QStringLiteral("Dictionary Help"), [this] { showHelp(); });
    action(helpM, "AboutM", QStringLiteral("About"), [this] { openAbout(); });
}

// Controls are made from the bottom of the stacking order up, so that each covers the ones made before it.
void dictionary::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(8130), Px(6600));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, kWindowGreen);
    palette.setColor(QPalette::Button, kWindowGreen);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    m_klav1en = keyboardPicture(client, "klav1en");
    m_klav1sv = keyboardPicture(client, "klav1sv");
    m_klav1ru = keyboardPicture(client, "klav1ru");

    for (const KeyDef &key : KeyTable()) {
        auto *area = new ClickArea(client);
        area->setObjectName(QStringLiteral("Image%1").arg(key.number));
        area->setGeometry(Twips(key.left, key.top, key.width, key.height));
        connect(area, &ClickArea::clicked, this, [this, &key] { keyClicked(key); });
    }

    m_label2 = named<QLabel>(client, "Label2");
    m_label2->setText(QStringLiteral("Translate to:"));
    m_label2->setGeometry(Twips(240, 2640, 975, 255));

    m_statTR = named<QLabel>(client, "statTR");
    m_statTR->setText(QString::fromLatin1(kStatReady.data(), static_cast<qsizetype>(kStatReady.size())));
    m_statTR->setGeometry(Twips(120, 6360, 7815, 255));

    rule(client, "Line1", 120, 7920, 6300);
    rule(client, "Line2", 1800, 7920, 2760);

    m_textPole0S = translationLine(client, "TextPole0S");
    m_text11 = pane(client, "Text11", 120);

    m_frame1 = named<QGroupBox>(client, "Frame1");
    m_frame1->setTitle(QStringLiteral("From language: "));
    m_frame1->setGeometry(Twips(120, 840, 1695, 1575));
    m_option1 = named<QRadioButton>(m_frame1, "Option1");
    m_option1->setText(QStringLiteral("russian"));
    m_option1->setGeometry(Twips(240, 360, 1095, 255));
    m_option1->setChecked(true);
    m_option2 = named<QRadioButton>(m_frame1, "Option2");
    m_option2->setText(QStringLiteral("english"));
    m_option2->setGeometry(Twips(240, 720, 1095, 255));
    m_option3 = named<QRadioButton>(m_frame1, "Option3");
    m_option3->setText(QStringLiteral("swedish"));
    m_option3->setGeometry(Twips(240, 1080, 1095, 255));
    // Switches, the target list and "Translate" are reached with Tab but not focused by a click, so the
    // caret stays in the word field while the user picks languages with the mouse.
    for (QWidget *w : {static_cast<QWidget *>(m_option1), static_cast<QWidget *>(m_option2),
                       static_cast<QWidget *>(m_option3)})
        w->setFocusPolicy(Qt::TabFocus);

    m_text1 = inputLine(client, "Text1", CodePage::Windows1251);
    m_text2 = inputLine(client, "Text2", CodePage::Windows1252);
    m_textPole0R = translationLine(client, "TextPole0R");

    m_command1 = named<QPushButton>(client, "Command1");
    m_command1->setText(QStringLiteral("Translate"));
    m_command1->setGeometry(Twips(7080, 120, 975, 375));
    m_command1->setFocusPolicy(Qt::TabFocus);

    m_combo1 = named<QComboBox>(client, "Combo1");
    m_combo1->addItems({QStringLiteral("Russian"), QStringLiteral("English"), QStringLiteral("Swedish")});
    m_combo1->setEditable(false);
    m_combo1->setToolTip(QStringLiteral("choose languge"));
    m_combo1->setGeometry(Twips(120, 2880, 1455, 315));
    m_combo1->setFocusPolicy(Qt::TabFocus);
    paintPanel(m_combo1);
    paintPanel(m_combo1->view());

    m_text22 = pane(client, "Text22", 4080);
    m_text11r = pane(client, "Text11r", 120);
    m_text22r = pane(client, "Text22r", 4080);

    m_command2 = named<QPushButton>(client, "Command2");
    m_command2->setText(QStringLiteral("Add to user dictionary"));
    m_command2->setGeometry(Twips(120, 480, 1815, 255));

    connect(m_option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            sourceSelected(KeyLanguage::Russian);
    });
    connect(m_option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            sourceSelected(KeyLanguage::English);
    });
    connect(m_option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            sourceSelected(KeyLanguage::Swedish);
    });
    connect(m_combo1, &QComboBox::currentIndexChanged, this, &dictionary::targetSelected);
    connect(m_text1, &QLineEdit::returnPressed, this, &dictionary::Translate);
    connect(m_text2, &QLineEdit::returnPressed, this, &dictionary::Translate);
    connect(m_command1, &QPushButton::clicked, this, &dictionary::Translate);
    connect(m_command2, &QPushButton::clicked, this, [this] { openAddWords(this); });
}

void dictionary::setTabOrder()
{
    QWidget *const order[] = {m_option1, m_option2, m_option3, m_text1, m_text2, m_textPole0R, m_command1,
                              m_combo1, m_text11, m_text22, m_textPole0S, m_text11r, m_text22r, m_command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void dictionary::load()
{
    m_combo1->setCurrentIndex(kTargetSwedish);
    m_values.UseUserDict = 1;
    m_values.FindSynonyms = true;
    sourceSelected(KeyLanguage::Russian);
    // Start with the caret in the word field, so the user can type straight away.
    m_text1->setFocus();
}

void dictionary::closeEvent(QCloseEvent *event)
{
    // The close box ends the program as "Exit" does, even while hidden helper windows still exist.
    QMainWindow::closeEvent(event);
    exitProgram();
}

} // namespace trelvik
