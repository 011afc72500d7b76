#include "windows/FormText1.h"

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

FormText1::FormText1(const QString &appFolder, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_appFolder(appFolder)
{
    SetUpFixedDialog(this, "FormText1", QStringLiteral("Voice text examples"), 7590, 5550, SansFont(8.25));

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

    selectExample(m_textCH->currentIndex());
}

void FormText1::createControls()
{
    // Created bottom of the stacking order first.
    createPlayerStrip();

    m_textCH = NamedChild<PanelComboBox>(this, "TextCH", Twips(240, 120, 2655, 315));
    for (int i = 0; i < kExampleCount; ++i)
        m_textCH->addItem(QStringLiteral("text%1").arg(i + 1));
    PaintPanel(m_textCH);
    m_textCH->setAccessibleDescription(QStringLiteral("Chooses the example to read and hear"));

    m_text1 = NamedChild<QPlainTextEdit>(this, "Text1", Twips(240, 600, 7095, 4815));
    m_text1->setReadOnly(true);
    m_text1->setTabChangesFocus(true);
    m_text1->setFont(SansFont(12));
    PaintPanel(m_text1);
    m_text1->setAccessibleName(QStringLiteral("Example text"));

    m_command1 = NamedChild<QPushButton>(this, "Command1", Twips(6000, 120, 1335, 375), QStringLiteral("Cancel"));
    m_command1->setAutoDefault(false);

    auto *pause = m_mciWave->findChild<QToolButton *>(QStringLiteral("mciPause"));
    SetTabChain({m_textCH, m_text1, m_command1, m_play, pause, m_stop});
    m_textCH->setFocus();

    connect(m_textCH, &QComboBox::currentIndexChanged, this, &FormText1::selectExample);
    connect(m_command1, &QPushButton::clicked, this, &FormText1::reject);
}

void FormText1::createPlayerStrip()
{
    m_mciWave = NamedChild<QWidget>(this, "mciWave", Twips(3000, 120, 2820, 330));
    m_mciWave->setAccessibleName(QStringLiteral("Player"));
    auto *strip = new QHBoxLayout(m_mciWave);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(2);
    m_play = makeStripButton(m_mciWave, "mciPlay", QStyle::SP_MediaPlay, QStringLiteral("Play"));
    auto *pause = makeStripButton(m_mciWave, "mciPause", QStyle::SP_MediaPause, QStringLiteral("Pause"));
    m_stop = makeStripButton(m_mciWave, "mciStop", QStyle::SP_MediaStop, QStringLiteral("Stop"));
    m_position = new QSlider(Qt::Horizontal, m_mciWave);
    m_position->setObjectName(QStringLiteral("mciPosition"));
    m_position->setAccessibleName(QStringLiteral("Position"));
    m_position->setFocusPolicy(Qt::NoFocus);
    strip->addWidget(m_play);
    strip->addWidget(pause);
    strip->addWidget(m_stop);
    strip->addWidget(m_position, 1);

    // The buttons are enabled only while a recording is open, so only with a player.
    connect(m_play, &QToolButton::clicked, this, [this] { m_player->play(); });
    connect(pause, &QToolButton::clicked, this, [this] { m_player->pause(); });
    connect(m_stop, &QToolButton::clicked, this, [this] { m_player->stop(); });
    connect(m_position, &QSlider::sliderMoved, this, [this](int position) {
        if (m_player)
            m_player->setPosition(position);
    });
    updatePlayerStrip();
}

void FormText1::selectExample(int index)
{
    if (index < 0 || index >= kExampleCount)
        return;

    playVAW(ExampleRecordingPath(m_appFolder, index));

    // The text is shown whether or not the recording could be opened.
    m_text1->clear();
    m_textPath = ExampleTextPath(m_appFolder, index);
    const std::string items = LoadExampleText(QFile::encodeName(m_textPath).toStdString());
    QString text = FromSingleByte(items, CodePage::Windows1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text1->setPlainText(text);
    m_text1->moveCursor(QTextCursor::Start);
}

void FormText1::closeRecording()
{
    ++m_sourceGeneration;
    if (m_player && !m_player->source().isEmpty()) {
        m_player->stop();
        m_player->setSource(QString());
    }
}

void FormText1::playVAW(const QString &fileName)
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

void FormText1::reportPlayerError(quint64 generation)
{
    if (generation != m_sourceGeneration || m_errorReported || !m_player || m_player->source().isEmpty())
        return;
    m_errorReported = true;
    ShowMessage(this, kFileError);
}

void FormText1::updatePlayerStrip()
{
    const bool open = m_player && !m_player->source().isEmpty();
    for (QWidget *control : m_mciWave->findChildren<QWidget *>())
        control->setEnabled(open);
    if (!open)
        m_position->setValue(0);
}

FormText1::~FormText1() = default;

void FormText1::reject()
{
    if (m_player)
        m_player->stop();
    hide();
}

} // namespace trelvik
