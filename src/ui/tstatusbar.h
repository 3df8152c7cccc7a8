// The status bar: a bar at the bottom of a form with one text panel that
// spans the whole bar, and a size grip at its right end.
#pragma once

#include <QStatusBar>

class QLabel;

namespace zorvane::ui {

class TStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // The one panel's text, shown centred with a lowered bevel.
    void SetPanelText(const QString& text);
    QString PanelText() const;
    QLabel* Panel() const { return m_panel; }

private:
    QLabel* m_panel;
};

}  // namespace zorvane::ui
