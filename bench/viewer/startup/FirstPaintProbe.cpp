// Loaded into a program by measure_startup (QT_QPA_GENERIC_PLUGINS=trovafirstpaint): prints
// the wall-clock time in nanoseconds at the end of the last paint before the program goes
// quiet, that is when the window is first shown complete, and ends the program.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Longer than any gap between the paints of one show, shorter than a cursor blink.
constexpr int kQuietMs = 300;

class Probe : public QObject {
public:
    Probe()
    {
        quiet_.setSingleShot(true);
        quiet_.setInterval(kQuietMs);
        connect(&quiet_, &QTimer::timeout, this, [this] {
            std::printf("%lld\n", static_cast<long long>(lastPaintEnd_));
            std::fflush(stdout);
            std::_Exit(0);
        });
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Runs once the paint in progress, with every child painted in it, has finished.
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, this, [this] {
                lastPaintEnd_ = std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                                    .count();
                quiet_.start();
            });
        }
        return false;
    }

private:
    QTimer quiet_;
    std::chrono::nanoseconds::rep lastPaintEnd_ = 0;
};

} // namespace

class FirstPaintProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "FirstPaintProbe.json")

public:
    QObject* create(const QString& key, const QString&) override
    {
        return key == QLatin1String("trovafirstpaint") ? new Probe : nullptr;
    }
};

#include "FirstPaintProbe.moc"
