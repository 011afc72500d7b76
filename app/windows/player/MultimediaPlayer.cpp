// The player module: ExamplePlayer on Qt Multimedia. Built as a plugin that the program loads when the
// voice-examples window first opens; nothing else in the program links Qt Multimedia.
#include "windows/ExamplePlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QObject>
#include <QUrl>

namespace trelvik {

namespace {

class MultimediaPlayer final : public ExamplePlayer {
public:
    explicit MultimediaPlayer(Events events) : m_events(std::move(events))
    {
        m_player.setAudioOutput(&m_audio);
        QObject::connect(&m_player, &QMediaPlayer::sourceChanged, &m_player, [this] {
            if (m_events.sourceChanged)
                m_events.sourceChanged();
        });
        QObject::connect(&m_player, &QMediaPlayer::durationChanged, &m_player, [this](qint64 duration) {
            if (m_events.durationChanged)
                m_events.durationChanged(duration);
        });
        QObject::connect(&m_player, &QMediaPlayer::positionChanged, &m_player, [this](qint64 position) {
            if (m_events.positionChanged)
                m_events.positionChanged(position);
        });
        QObject::connect(&m_player, &QMediaPlayer::errorOccurred, &m_player,
                         [this](QMediaPlayer::Error error, const QString &) {
                             if (error != QMediaPlayer::NoError && m_events.failed)
                                 m_events.failed();
                         });
    }

    ~MultimediaPlayer() override
    {
        // The player's own signals must not reach the events while the members go away.
        QObject::disconnect(&m_player, nullptr, nullptr, nullptr);
    }

    void setSource(const QString &file) override
    {
        m_player.setSource(file.isEmpty() ? QUrl() : QUrl::fromLocalFile(file));
    }
    QString source() const override { return m_player.source().toLocalFile(); }
    bool isPlaying() const override { return m_player.playbackState() == QMediaPlayer::PlayingState; }
    void play() override { m_player.play(); }
    void pause() override { m_player.pause(); }
    void stop() override { m_player.stop(); }
    void setPosition(qint64 milliseconds) override { m_player.setPosition(milliseconds); }

private:
    Events m_events;
    QAudioOutput m_audio;
    QMediaPlayer m_player;
};

} // namespace

class MultimediaPlayerModule : public QObject, public ExamplePlayerModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TRELVIK_EXAMPLE_PLAYER_IID)
    Q_INTERFACES(trelvik::ExamplePlayerModule)
public:
    std::unique_ptr<ExamplePlayer> createPlayer(ExamplePlayer::Events events) override
    {
        return std::make_unique<MultimediaPlayer>(std::move(events));
    }
    bool hasSoundOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
};

} // namespace trelvik

#include "MultimediaPlayer.moc"
