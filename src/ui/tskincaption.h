// The skin's caption add-on. The window frame and caption belong to the
// window manager here, so the add-on keeps its settings and does nothing
// the program relies on.
#pragma once

#include <QObject>

namespace zorvane::ui {

class TSkinCaption final : public QObject {
    Q_OBJECT
public:
    explicit TSkinCaption(QObject* parent = nullptr);

    bool Active() const { return m_active; }
    void SetActive(bool active) { m_active = active; }
    int SkinAlpha() const { return m_skinAlpha; }
    void SetSkinAlpha(int alpha) { m_skinAlpha = alpha; }

private:
    bool m_active = true;
    int m_skinAlpha = 0;
};

}  // namespace zorvane::ui
