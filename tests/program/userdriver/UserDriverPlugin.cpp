// Loaded into the real trova binary by the program test (QT_QPA_GENERIC_PLUGINS=trovauser:<log
// file>), it acts as the user: every modal box is written down with every other window visible
// behind it, then answered with OK; once the main window shows, "&Výpočet" is pressed on the
// first page and the window closed.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

void answer(QMessageBox& box, const QString& logPath)
{
    QFile log(logPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != &box && window->isVisible())
                log.write("visible|" + QByteArray(window->metaObject()->className()) + '\n');
        }
        log.write(QStringLiteral("box|%1|%2|%3\n").arg(box.windowTitle(), box.text()).arg(box.icon()).toUtf8());
    }
    box.button(QMessageBox::Ok)->click();
}

bool computeAndClose()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        auto* compute = window->findChild<QAbstractButton*>(QStringLiteral("Button1"));
        if (window->isVisible() && pages != nullptr && compute != nullptr) {
            pages->setCurrentIndex(0);
            compute->click();
            window->close();
            return true;
        }
    }
    return false;
}

} // namespace

class UserDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "UserDriver.json")

public:
    QObject* create(const QString& key, const QString& logPath) override
    {
        if (key != QLatin1String("trovauser"))
            return nullptr;
        auto* timer = new QTimer;
        connect(timer, &QTimer::timeout, timer, [logPath, pressed = false]() mutable {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                answer(*box, logPath);
            else if (!pressed)
                pressed = computeAndClose();
        });
        timer->start(kLookIntervalMs);
        return timer;
    }

private:
    static constexpr int kLookIntervalMs = 20;
};

#include "UserDriverPlugin.moc"
