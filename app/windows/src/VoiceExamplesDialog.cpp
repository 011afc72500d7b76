#include "windows/VoiceExamplesDialog.h"

#include "qttext/QtText.h"
#include "services/ExampleText.h"
#include "widgets/MessageBox.h"
#include "widgets/PanelComboBox.h"
#include "widgets/WindowLook.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTextCursor>
#include <QToolButton>

namespace trelvik {

namespace {

// The Qt object name of every control, by role. They are set from here and nowhere else: screen-reader scripts,
// style sheets and the tests know the controls by these names, so they never change.
constexpr struct {
    const char *window = "FormText1";
    const char *exampleList = "TextCH";
    const char *exampleText = "Text1";
    const char *cancelButton = "Command1";
    const char *playerStrip = "mciWave";
    const char *playButton = "mciPlay";
    const char *pauseButton = "mciPause";
    const char *stopButton = "mciStop";
    const char *position = "mciPosition";
} kNames;

const QString kFileError = QStringLiteral("file error");
constexpr int kExampleCount = 6;

QToolButton *makeStripButton(QWidget *strip, const char *name, QStyle::StandardPixmap icon, const QString &tip)
{
    auto *button = NamedChild<QToolButton>(strip, name, QRect());
    button->setIcon(strip->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(false);
    button->setFixedSize(24, 22);
    return button;
}

std::function<bool()> &soundOutputCheck()
{
    static std::function<bool()> instance;
    return instance;
}

bool hasSoundOutput(const ExamplePlayerModule &players)
{
    if (soundOutputCheck())
        return soundOutputCheck()();
    return players.hasSoundOutput();
}

} // namespace

void SetSoundOutputCheck(std::function<bool()> check)
{
    soundOutputCheck() = std::move(check);
}

QString ExampleRecordingPath(const QString &appFolder, int index)
{
    return appFolder + QStringLiteral("/sound/text%1.wav").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QString ExampleTextPath(const QString &appFolder, int index)
{
    return appFolder + QStringLiteral("/sound/text%1.dat").arg(index + 1);
}

bool LooksLikeWaveFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}

VoiceExamplesDialog::VoiceExamplesDialog(const QString &appFolder, QWidget *parent)
    : KeptDialog(parent, kFixedDialogFlags), m_appFolder(appFolder)
{
    SetUpFixedDialog(this, kNames.window, QStringLiteral("Voice text examples"), 7590, 5550, SansFont(8.25));

    m_players = LoadExamplePlayers(&m_playerMissing);
    if (m_players) {
        ExamplePlayer::Events events;
        events.sourceChanged = [this] { updatePlayerStrip(); };
        events.durationChanged = [this](qint64 duration) { m_position->setRange(0, static_cast<int>(duration)); };
        events.positionChanged = [this](qint64 position) {
            if (!m_position->isSliderDown())
                m_position->setValue(static_cast<int>(position));
        };
        // The player reports errors from its own pipeline, possibly long after the source was set. The box is
        // shown from the event loop rather than inside the player's signal, and only for the source in force.
        events.failed = [this] {
            const quint64 generation = m_sourceGeneration;
            QMetaObject::invokeMethod(
                this, [this, generation] { reportPlayerError(generation); }, Qt::QueuedConnection);
        };
        m_player = m_players->createPlayer(std::move(events));
    }

    createControls();

    selectExample(m_exampleList->currentIndex());
}

void VoiceExamplesDialog::createControls()
{
    // Created bottom of the stacking order first.
    createPlayerStrip();

    m_exampleList = NamedChild<PanelComboBox>(this, kNames.exampleList, Twips(240, 120, 2655, 315));
    for (int i = 0; i < kExampleCount; ++i)
        m_exampleList->addItem(QStringLiteral("text%1").arg(i + 1));
    PaintPanel(m_exampleList);
    m_exampleList->setAccessibleDescription(QStringLiteral("Chooses the example to read and hear"));

    m_exampleText = NamedChild<QPlainTextEdit>(this, kNames.exampleText, Twips(240, 600, 7095, 4815));
    m_exampleText->setReadOnly(true);
    m_exampleText->setTabChangesFocus(true);
    m_exampleText->setFont(SansFont(12));
    PaintPanel(m_exampleText);
    m_exampleText->setAccessibleName(QStringLiteral("Example text"));

    m_cancelButton =
        NamedChild<QPushButton>(this, kNames.cancelButton, Twips(6000, 120, 1335, 375), QStringLiteral("Cancel"));
    m_cancelButton->setAutoDefault(false);

    auto *pause = m_playerStrip->findChild<QToolButton *>(QLatin1StringView(kNames.pauseButton));
    SetTabChain({m_exampleList, m_exampleText, m_cancelButton, m_playButton, pause, m_stopButton});
    m_exampleList->setFocus();

    connect(m_exampleList, &QComboBox::currentIndexChanged, this, &VoiceExamplesDialog::selectExample);
    connect(m_cancelButton, &QPushButton::clicked, this, &VoiceExamplesDialog::reject);
}

void VoiceExamplesDialog::createPlayerStrip()
{
    m_playerStrip = NamedChild<QWidget>(this, kNames.playerStrip, Twips(3000, 120, 2820, 330));
    m_playerStrip->setAccessibleName(QStringLiteral("Player"));
    auto *strip = new QHBoxLayout(m_playerStrip);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(2);
    m_playButton = makeStripButton(m_playerStrip, kNames.playButton, QStyle::SP_MediaPlay, QStringLiteral("Play"));
    auto *pause = makeStripButton(m_playerStrip, kNames.pauseButton, QStyle::SP_MediaPause, QStringLiteral("Pause"));
    m_stopButton = makeStripButton(m_playerStrip, kNames.stopButton, QStyle::SP_MediaStop, QStringLiteral("Stop"));
    m_position = new QSlider(Qt::Horizontal, m_playerStrip);
    m_position->setObjectName(QLatin1StringView(kNames.position));
    m_position->setAccessibleName(QStringLiteral("Position"));
    m_position->setFocusPolicy(Qt::NoFocus);
    strip->addWidget(m_playButton);
    strip->addWidget(pause);
    strip->addWidget(m_stopButton);
    strip->addWidget(m_position, 1);

    // The buttons are enabled only while a recording is open, so only with a player.
    connect(m_playButton, &QToolButton::clicked, this, [this] { m_player->play(); });
    connect(pause, &QToolButton::clicked, this, [this] { m_player->pause(); });
    connect(m_stopButton, &QToolButton::clicked, this, [this] { m_player->stop(); });
    connect(m_position, &QSlider::sliderMoved, this, [this](int position) {
        if (m_player)
            m_player->setPosition(position);
    });
    updatePlayerStrip();
}

void VoiceExamplesDialog::selectExample(int index)
{
    if (index < 0 || index >= kExampleCount)
        return;

    openRecording(ExampleRecordingPath(m_appFolder, index));

    // The text is shown whether or not the recording could be opened.
    m_exampleText->clear();
    m_textPath = ExampleTextPath(m_appFolder, index);
    const std::string items = LoadExampleText(QFile::encodeName(m_textPath).toStdString());
    QString text = FromSingleByte(items, CodePage::Windows1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_exampleText->setPlainText(text);
    m_exampleText->moveCursor(QTextCursor::Start);
}

void VoiceExamplesDialog::closeRecording()
{
    ++m_sourceGeneration;
    if (m_player && !m_player->source().isEmpty()) {
        m_player->stop();
        m_player->setSource(QString());
    }
}

void VoiceExamplesDialog::openRecording(const QString &fileName)
{
    closeRecording();
    // Checked before the player sees the file, so that a missing, unreadable or foreign file is reported
    // at once rather than whenever the media pipeline gets round to it.
    // Without a sound device the recording cannot be opened for playing either; the player would only move
    // its slider in silence.
    // Without the player module nothing can be played at all; that is said once, with the reason.
    if (!m_player) {
        if (!m_playerMissing.isEmpty())
            ShowMessage(this, QStringLiteral("The voice examples cannot be played: %1").arg(m_playerMissing));
        m_playerMissing.clear();
        return;
    }
    if (!LooksLikeWaveFile(fileName) || !hasSoundOutput(*m_players)) {
        ShowMessage(this, kFileError);
        return;
    }
    m_errorReported = false;
    m_player->setSource(fileName);
}

void VoiceExamplesDialog::reportPlayerError(quint64 generation)
{
    if (generation != m_sourceGeneration || m_errorReported || !m_player || m_player->source().isEmpty())
        return;
    m_errorReported = true;
    ShowMessage(this, kFileError);
}

void VoiceExamplesDialog::updatePlayerStrip()
{
    const bool open = m_player && !m_player->source().isEmpty();
    for (QWidget *control : m_playerStrip->findChildren<QWidget *>())
        control->setEnabled(open);
    if (!open)
        m_position->setValue(0);
}

VoiceExamplesDialog::~VoiceExamplesDialog() = default;

void VoiceExamplesDialog::reject()
{
    if (m_player)
        m_player->stop();
    KeptDialog::reject();
}

} // namespace trelvik
