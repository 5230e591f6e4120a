// Loaded into the real trova binary by the start-up test (QT_QPA_GENERIC_PLUGINS=
// trovamodaldriver:<log file>): writes down every modal box and every visible window it finds,
// then presses the box's OK button, so the program runs on as a user would let it.
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kLookIntervalMs = 20;

class ModalDriver : public QObject {
public:
    explicit ModalDriver(const QString& logPath)
        : log(logPath)
    {
        connect(&timer, &QTimer::timeout, this, &ModalDriver::look);
        timer.start(kLookIntervalMs);
    }

private:
    void write(const QString& line)
    {
        if (log.isOpen() || log.open(QIODevice::WriteOnly | QIODevice::Append)) {
            log.write(line.toUtf8() + '\n');
            log.flush();
        }
    }

    void look()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != box && window->isVisible())
                write(QStringLiteral("visible|%1").arg(QString::fromLatin1(window->metaObject()->className())));
        }
        write(QStringLiteral("box|%1|%2|%3").arg(box->windowTitle(), box->text()).arg(box->icon()));
        box->button(QMessageBox::Ok)->click();
    }

    QFile log;
    QTimer timer;
};

}  // namespace

class ModalDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ModalDriver.json")

public:
    QObject* create(const QString& key, const QString& specification) override
    {
        return key == QLatin1String("trovamodaldriver") ? new ModalDriver(specification) : nullptr;
    }
};

#include "ModalDriverPlugin.moc"
