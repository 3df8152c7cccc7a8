// The skin: a style sheet compiled into the program that gives the windows
// of the program one look (face colour, buttons, combo boxes, edits, scroll
// bars, status bars, menus and message boxes). Labels are left alone, and so
// is anything whose `tag` property equals DisableTag, or that lies inside it.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace zorvane::ui {

class TSkinData final : public QObject {
    Q_OBJECT
public:
    // The dynamic property that the style sheet's rules select on:
    // "window" on a skinned window, "control" on a skinned control.
    static constexpr const char* kSkinnedProperty = "zorvaneSkin";

    // Starts active, as the stored component does.
    explicit TSkinData(QObject* parent = nullptr);
    ~TSkinData() override;

    bool Active() const { return m_active; }
    // Turning the skin off gives every window the platform's plain look.
    void SetActive(bool active);

    int DisableTag() const { return m_disableTag; }
    void SetDisableTag(int tag) { m_disableTag = tag; }

    // The style sheet compiled into the program.
    static QString StyleSheet();

    // Whether the skin takes `widget` (its kind, its tag and its parents'
    // tags), whatever the skin's state.
    bool Skinnable(const QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The application's style sheet stays while any window's skin is on.
    static bool anySkinActive(const TSkinData* except);
    // Sets the widget's property; true when it changed.
    bool mark(QWidget* widget);

    bool m_active = false;
    int m_disableTag = 99;
};

}  // namespace zorvane::ui
