// A generic plugin that acts on the program's window once it is shown, as a
// user would: "click=NAME" clicks the control of that object name,
// "close" closes the window as the caption's close box does. It reports
// what it did on stderr.
#include <QApplication>
#include <QCloseEvent>
#include <QGenericPlugin>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

class Clicker final : public QObject {
public:
    explicit Clicker(QString command) : m_command(std::move(command))
    {
        connect(&m_timer, &QTimer::timeout, this, &Clicker::poll);
        m_timer.start(20);
    }

private:
    void poll()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || window->windowHandle() == nullptr || !window->isWindow())
                continue;
            if (m_command.startsWith(QLatin1String("click="))) {
                const QString name = m_command.mid(6);
                auto* target = window->findChild<QWidget*>(name);
                if (target == nullptr || !target->isVisible())
                    continue;
                m_timer.stop();
                std::fprintf(stderr, "zorvaneclicker: clicking %s\n", qPrintable(name));
                QTest::mouseClick(target, Qt::LeftButton);
                return;
            }
            if (m_command == QLatin1String("close")) {
                m_timer.stop();
                std::fprintf(stderr, "zorvaneclicker: closing %s\n", qPrintable(window->windowTitle()));
                // What the platform sends when the window manager asks the
                // window to close (caption box, system menu, Alt+F4).
                QCoreApplication::postEvent(window->windowHandle(), new QCloseEvent);
                return;
            }
        }
    }

    QString m_command;
    QTimer m_timer;
};

}  // namespace

class ClickerPlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "clicker_plugin.json")
public:
    QObject* create(const QString& key, const QString& command) override
    {
        if (key.compare(QLatin1String("zorvaneclicker"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new Clicker(command);
    }
};

#include "clicker_plugin.moc"
