#include "ui/tform.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace zorvane::ui {

TForm::TForm(QWidget* parent) : QWidget(parent)
{
}

void TForm::AutoSize(QSize minimum)
{
    QRect extent(QPoint(0, 0), minimum);
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow() && !widget->isHidden())
            extent |= widget->geometry();
    }
    setFixedSize(extent.right() + 1, extent.bottom() + 1);
}

bool TForm::event(QEvent* event)
{
    // The show event comes before the window is mapped, so the first
    // placement is the one the window manager sees.
    if (event->type() == QEvent::Show && !m_shownBefore) {
        m_shownBefore = true;
        centreOnPrimaryScreen();
        m_awaitingFrame = frameGeometry().size() == size();
    } else if (m_awaitingFrame
               && (event->type() == QEvent::Move || event->type() == QEvent::Resize
                   || event->type() == QEvent::WindowActivate)
               && frameGeometry().size() != size()) {
        // The window manager has framed the window: centre the frame, not
        // the client area.
        m_awaitingFrame = false;
        centreOnPrimaryScreen();
    }
    return QWidget::event(event);
}

void TForm::centreOnPrimaryScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect full = screen->geometry();
    // The frame is known only once the window manager has decorated the
    // window; until then the client size stands for the outer size.
    const QSize outer = frameGeometry().size().expandedTo(size());
    const int x = std::max(0, (full.width() - outer.width()) / 2);
    const int y = std::max(0, (full.height() - outer.height()) / 2);
    move(full.topLeft() + QPoint(x, y));
}

}  // namespace zorvane::ui
