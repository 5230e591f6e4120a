// Loaded into the real trova binary by the start-up test (QT_QPA_GENERIC_PLUGINS=
// trovamodaldriver:<log file>): writes down every modal box and every visible window it finds,
// then presses the box's OK button, so the program runs on as a user would let it.
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

class ModalDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ModalDriver.json")

public:
    QObject* create(const QString& key, const QString& logPath) override
    {
        if (key != QLatin1String("trovamodaldriver"))
            return nullptr;
        auto* timer = new QTimer;
        connect(timer, &QTimer::timeout, timer, [logPath] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QFile log(logPath);
            if (box == nullptr || !log.open(QIODevice::WriteOnly | QIODevice::Append))
                return;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window != box && window->isVisible())
                    log.write("visible|" + QByteArray(window->metaObject()->className()) + '\n');
            }
            log.write(QStringLiteral("box|%1|%2|%3\n").arg(box->windowTitle(), box->text()).arg(box->icon()).toUtf8());
            box->button(QMessageBox::Ok)->click();
        });
        timer->start(kLookIntervalMs);
        return timer;
    }

private:
    static constexpr int kLookIntervalMs = 20;
};

#include "ModalDriverPlugin.moc"
