#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>

namespace trelvik {

// A player for one recording at a time, as the voice-examples window needs it. Qt Multimedia sits behind this
// interface in a module of its own (see LoadExamplePlayers), so that the program does not load it, and the two
// dozen libraries it pulls in, before the user opens that window.
class ExamplePlayer {
public:
    // What the player reports; each may be empty. Called from the event loop of the thread that made it.
    struct Events {
        std::function<void()> sourceChanged;
        std::function<void(qint64 milliseconds)> durationChanged;
        std::function<void(qint64 milliseconds)> positionChanged;
        std::function<void()> failed; // the current source cannot be played, possibly long after it was set
    };

    virtual ~ExamplePlayer() = default;

    // Opens a recording for playing, or closes the current one when file is empty. Never starts playback.
    virtual void setSource(const QString &file) = 0;
    // The file now open, or an empty string.
    virtual QString source() const = 0;
    virtual bool isPlaying() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void setPosition(qint64 milliseconds) = 0;
};

// The entry point of the player module.
class ExamplePlayerModule {
public:
    virtual ~ExamplePlayerModule() = default;
    virtual std::unique_ptr<ExamplePlayer> createPlayer(ExamplePlayer::Events events) = 0;
    // True when the system lists at least one audio output device.
    virtual bool hasSoundOutput() const = 0;
};

// The player module, relative to the program's folder. (In a folder of its own: a shared object right under
// /usr/lib/trelvik would have the package run ldconfig for nothing.)
inline constexpr char kExamplePlayerModuleFile[] = "modules/trelvik-player.so";

// Loads the player module on first use and keeps it loaded. Returns null and sets *error (when given) to why,
// when the module is missing or unusable; the next call tries again.
ExamplePlayerModule *LoadExamplePlayers(QString *error = nullptr);

// Looks for the module in folder instead of the program's folder (tests and benchmarks, whose programs live
// elsewhere). Takes effect until a module has been loaded.
void SetExamplePlayerFolder(const QString &folder);

} // namespace trelvik

#define TRELVIK_EXAMPLE_PLAYER_IID "org.trelvik.ExamplePlayerModule/1"
Q_DECLARE_INTERFACE(trelvik::ExamplePlayerModule, TRELVIK_EXAMPLE_PLAYER_IID)
