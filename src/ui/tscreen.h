// The screen-wide cursor setting: one number for the whole program, 0 for
// each control's own cursor, -11 for the wait cursor everywhere.
#pragma once

namespace zorvane::ui {

inline constexpr int crDefault = 0;
inline constexpr int crHourGlass = -11;

class TScreen {
public:
    int Cursor() const { return m_cursor; }
    // Takes effect at once (Qt's override cursor), without waiting for the
    // event loop. Throws std::invalid_argument for a value other than
    // crDefault and crHourGlass; the setting is unchanged then.
    void setCursor(int cursor);

private:
    int m_cursor = crDefault;
};

// The program's one screen object.
TScreen* Screen();

// Shows the wait cursor for as long as it lives, and the default cursor
// again on every way out of its scope.
class TWaitCursor {
public:
    TWaitCursor() { Screen()->setCursor(crHourGlass); }
    ~TWaitCursor() { Screen()->setCursor(crDefault); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace zorvane::ui
