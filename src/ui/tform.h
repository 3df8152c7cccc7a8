// The form class the main window derives from: a top-level widget with the
// stored-window behaviour of the original framework that the program relies
// on (placement at the screen centre, size following the controls).
#pragma once

#include <QWidget>

namespace zorvane::ui {

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

protected:
    // AutoSize: fixes the client size to the extent of the visible controls,
    // at least `minimum`. Every later resize request gets this size, so
    // neither the border nor a size grip can change it.
    void AutoSize(QSize minimum);

    bool event(QEvent* event) override;

private:
    // poScreenCenter: the outer window at half the difference between the
    // primary screen's full geometry and the window's size, at least 0.
    void centreOnPrimaryScreen();

    bool m_shownBefore = false;
    // Shown before the window manager's frame was known.
    bool m_awaitingFrame = false;
};

}  // namespace zorvane::ui
