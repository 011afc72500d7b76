// Preloaded into a Qt Widgets program by the start-up benchmark (LD_PRELOAD), so that the program itself
// carries no benchmark code: once the first top-level window has painted, writes
// "first-paint-ns=<CLOCK_MONOTONIC> libraries=<shared objects mapped, this one not counted>" to standard error
// and ends the program.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

int loadedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> objects;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash >= 0 && line.indexOf(".so", slash) >= 0 && !line.contains("first_paint_probe"))
            objects.insert(line.mid(slash));
    }
    return static_cast<int>(objects.size());
}

class Probe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            m_seen = true;
            // The window and its children are painted and flushed within the one update that sent this
            // event; a call queued now runs right after it.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::fprintf(stderr, "first-paint-ns=%lld libraries=%d\n",
                             static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, loadedLibraries());
                std::fflush(stderr);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new Probe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
