// The directory tree of the main window: one drive at a time, its root the
// only top-level entry, sub-directories read the first time an entry is
// expanded; every change of selection makes the selected directory the
// tree's and the process's current directory.
#pragma once

#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"

#include <QAbstractScrollArea>
#include <QPixmap>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zorvane::ui {

class TDirectoryOutline : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TDirectoryOutline(QWidget* parent = nullptr);
    ~TDirectoryOutline() override;

    // Shows the drive whose root path is `driveRoot` ("/", "/media/usb";
    // "c:\" on Windows). Ignored when it is not a root path of this system
    // or is the drive already shown. Otherwise makes the root the process's
    // current directory (throws platform::InOutError when that fails, and
    // then changes nothing, so choosing the same drive again retries it),
    // then takes it as the tree's current directory and shows the root
    // alone, collapsed and selected.
    void setDrive(const std::string& driveRoot);
    // The drive shown: its root path as given to setDrive; empty before the
    // first one.
    std::string Drive() const;
    // The tree's current directory as a byte path: the drive's root, or the
    // full path of the selected directory without a trailing separator
    // (lower-cased where the system's names ignore case). Before the first
    // drive, the process's current directory when the tree was created.
    std::string Directory() const;

    // Row height in pixels: 120 % of the font's pixel height (13 for an
    // 11-pixel, 8-point font at 96 dpi).
    int ItemHeight() const { return m_rowHeight; }

    // The outline's drawing options, as the original's Options set:
    // [DrawFocusRect] as stored with the window. DrawTreeRoot adds a tree
    // line to the top-level entry; StretchBitmaps draws the pictures at the
    // row's height instead of their own size.
    enum Option { DrawFocusRect = 0x1, DrawTreeRoot = 0x2, StretchBitmaps = 0x4 };
    Q_DECLARE_FLAGS(Options, Option)
    Options options() const { return m_options; }
    void setOptions(Options options);

    // The folder pictures: open and closed for entries with sub-entries,
    // the leaf picture (a 14 x 14 closed folder) for every other entry.
    QPixmap PictureOpen() const { return m_pictureOpen; }
    QPixmap PictureClosed() const { return m_pictureClosed; }
    QPixmap PictureLeaf() const { return m_pictureLeaf; }
    void setPictureOpen(const QPixmap& picture);
    void setPictureClosed(const QPixmap& picture);
    void setPictureLeaf(const QPixmap& picture);

    // What sounds the "not possible" beep; QApplication::beep by default.
    void setBeep(std::function<void()> beep);

    // The visible entries, top to bottom, as the user sees them; for the
    // window's tests and for tools that inspect the tree.
    enum class Picture { Open, Closed, Leaf };
    int rowCount() const { return static_cast<int>(m_visible.size()); }
    int selectedRow() const;
    int rowLevel(int row) const;
    QString rowText(int row) const;
    std::string rowPath(int row) const;
    bool isRowExpanded(int row) const;
    Picture rowPicture(int row) const;

    // What the keys and the mouse do, also callable directly. Each throws
    // platform::InOutError when the resulting directory cannot be entered.
    void selectRow(int row);
    void expandRow(int row);
    void collapseRow(int row);
    void toggleRow(int row);
    // Expands `row` and every entry below it that was already read.
    void fullExpandRow(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    QSize viewportSizeHint() const override;

private:
    struct Node;

    bool isDriveRoot(const std::string& root) const;
    std::string fold(std::string text) const;
    std::string pathOf(const Node* node) const;
    void read(Node* node);
    void select(Node* node);
    void expand(Node* node);
    void collapse(Node* node);
    void fullExpand(Node* node);
    void rebuildRows();
    int rowOf(const Node* node) const;
    int rowAt(const QPoint& position) const;
    int pageRows() const;
    int textWidth(Node* node) const;
    void updateMetrics();
    void updateScrollBars();
    void scrollToRow(int row);
    void beep();
    const QPixmap& picture(Picture which) const;
    int pictureLeft(int level) const;
    int textLeft(int level) const;

    zorvane::platform::PathRules m_rules;
    std::unique_ptr<zorvane::platform::DirectoryEnumeration> m_enumeration;
    std::function<void()> m_beep;
    Options m_options = DrawFocusRect;
    QPixmap m_pictureOpen;
    QPixmap m_pictureClosed;
    QPixmap m_pictureLeaf;

    std::string m_drive;
    std::string m_directory;
    std::unique_ptr<Node> m_root;
    Node* m_selected = nullptr;
    std::vector<Node*> m_visible;
    unsigned m_generation = 0;

    int m_rowHeight = 13;
    int m_contentWidth = 0;
    int m_pressedRow = -1;
    int m_wheelRemainder = 0;
};

}  // namespace zorvane::ui

Q_DECLARE_OPERATORS_FOR_FLAGS(zorvane::ui::TDirectoryOutline::Options)
