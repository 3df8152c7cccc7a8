#include "ui/tscreen.h"

#include <QCursor>
#include <QGuiApplication>

#include <stdexcept>
#include <string>

namespace zorvane::ui {

void TScreen::setCursor(int cursor)
{
    if (cursor != crDefault && cursor != crHourGlass)
        throw std::invalid_argument("Invalid cursor setting " + std::to_string(cursor));
    if (cursor == m_cursor)
        return;
    // The override cursor is a stack shared with Qt: push one level for the
    // wait cursor and pop exactly that level again.
    if (cursor == crHourGlass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    m_cursor = cursor;
}

TScreen* Screen()
{
    static TScreen screen;
    return &screen;
}

}  // namespace zorvane::ui
