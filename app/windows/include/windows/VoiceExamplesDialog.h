#pragma once

#include "windows/ExamplePlayer.h"

#include "widgets/WindowLook.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QToolButton;

namespace trelvik {

// The recording and the text file of voice example number index (0 to 5), in the application folder.
QString ExampleRecordingPath(const QString &appFolder, int index);
QString ExampleTextPath(const QString &appFolder, int index);

// Replaces the test for a sound output (by default: the player module finds at least one audio output device), so
// tests can run the window as on machines with and without sound. Pass an empty function to restore it.
void SetSoundOutputCheck(std::function<bool()> check);

// True when path names a readable file that starts like a WAV recording (a RIFF header of type WAVE).
bool LooksLikeWaveFile(const QString &path);

// The window "Voice text examples": six spoken texts, each loaded into a small player strip, ready to be
// played, with its written text beside it. The window never starts playback itself.
class VoiceExamplesDialog : public KeptDialog {
    Q_OBJECT
public:
    explicit VoiceExamplesDialog(const QString &appFolder, QWidget *parent = nullptr);
    ~VoiceExamplesDialog() override;

    // Stops the sound and hides the window; the recording stays open for the next showing.
    void reject() override;

    // The player behind the strip, for tests and for anyone who needs its state; null when the player module
    // could not be loaded.
    const ExamplePlayer *player() const noexcept { return m_player.get(); }
    // The path of the text file of the example last chosen.
    QString textPath() const { return m_textPath; }

private:
    void createControls();
    void createPlayerStrip();
    void selectExample(int index);
    void openRecording(const QString &fileName);
    void closeRecording();
    void reportPlayerError(quint64 generation);
    void updatePlayerStrip();

    QString m_appFolder;
    QString m_textPath;

    ExamplePlayerModule *m_players = nullptr;
    std::unique_ptr<ExamplePlayer> m_player;
    QString m_playerMissing; // why the player module could not be loaded
    // Counts the sources handed to the player, so a late error of an earlier one is not blamed on this one.
    quint64 m_sourceGeneration = 0;
    bool m_errorReported = false;

    QPushButton *m_cancelButton = nullptr;
    QPlainTextEdit *m_exampleText = nullptr;
    QComboBox *m_exampleList = nullptr;
    QWidget *m_playerStrip = nullptr;
    QToolButton *m_playButton = nullptr;
    QToolButton *m_stopButton = nullptr;
    QSlider *m_position = nullptr;
};

} // namespace trelvik
