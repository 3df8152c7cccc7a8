#include "app/error_display.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace zorvane::app {

std::string WithPeriod(std::string_view message)
{
    std::string result(message);
    if (message.empty())
        return result;
    // Back over UTF-8 continuation bytes (10xxxxxx) to the character's first.
    std::size_t last = message.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(message[last]) & 0xC0) == 0x80)
        --last;
    if (static_cast<unsigned char>(message[last]) > 0x2E)
        result.push_back('.');
    return result;
}

void ShowErrorMessage(std::string_view message, std::string_view title)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QPointer<QWidget> activeWindow = QApplication::activeWindow();
    const QPointer<QWidget> focused = QApplication::focusWidget();

    const std::string text = WithPeriod(message);
    QMessageBox box(QMessageBox::Critical,
                    QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorDisplay"));
    box.setTextFormat(Qt::PlainText);
    // Every other window of the program waits while the box is open.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();

    // Back to where the user was.
    if (activeWindow != nullptr && activeWindow->isVisible()) {
        activeWindow->activateWindow();
        if (focused != nullptr && focused->window() == activeWindow)
            focused->setFocus(Qt::ActiveWindowFocusReason);
    }
}

}  // namespace zorvane::app
