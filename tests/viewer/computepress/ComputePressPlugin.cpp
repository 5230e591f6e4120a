// Loaded into a copy of the real trova binary by the viewer-start test
// (QT_QPA_GENERIC_PLUGINS=trovacomputepress): once the main window shows, it presses
// "&Výpočet" on the first page, as a user would, and closes the window.
#include <QAbstractButton>
#include <QApplication>
#include <QGenericPlugin>
#include <QTabWidget>
#include <QTimer>

class ComputePressPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ComputePress.json")

public:
    QObject* create(const QString& key, const QString&) override
    {
        if (key != QLatin1String("trovacomputepress"))
            return nullptr;
        auto* timer = new QTimer;
        connect(timer, &QTimer::timeout, timer, [timer] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
                auto* compute = window->findChild<QAbstractButton*>(QStringLiteral("Button1"));
                if (!window->isVisible() || pages == nullptr || compute == nullptr)
                    continue;
                timer->stop();
                pages->setCurrentIndex(0);
                compute->click();
                window->close();
                return;
            }
        });
        timer->start(kLookIntervalMs);
        return timer;
    }

private:
    static constexpr int kLookIntervalMs = 20;
};

#include "ComputePressPlugin.moc"
