#include "app/tapplication.h"

#include "app/application_title.h"
#include "app/error_display.h"
#include "platform/path_rules.h"

#include <QDir>
#include <QIcon>

#include <exception>
#include <new>

namespace zorvane::app {

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv),
      m_title(ApplicationTitle(QDir::toNativeSeparators(applicationFilePath()).toStdString(),
                               platform::nativePathRules().separator))
{
    // Closing the main window, its last window, ends the message loop with 0.
    setQuitOnLastWindowClosed(true);
    // The program's icon on every window, and the desktop entry that
    // launches it, so that docks and task bars match the two.
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/org.zorvane.Zorvane-48.png"));
    icon.addFile(QStringLiteral(":/icons/org.zorvane.Zorvane-256.png"));
    setWindowIcon(icon);
    setDesktopFileName(QStringLiteral("org.zorvane.Zorvane"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    // The message is copied out and shown after the handler has been left:
    // its clean-up has run by then, and the box's own event loop does not
    // run inside a catch block.
    std::string message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& error) {
        message = error.what();
    } catch (...) {
        message = "Unknown error";
    }
    ShowException(message);
    return false;
}

void TApplication::ShowException(const std::string& message) const
{
    ShowErrorMessage(message, m_title);
}

}  // namespace zorvane::app
