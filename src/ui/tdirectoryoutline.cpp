#include "ui/tdirectoryoutline.h"

#include "platform/attributes.h"
#include "platform/current_directory.h"
#include "platform/wildcard.h"
#include "search/file_search.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace zorvane::ui {

namespace {

// Pixels per level of the outline and the space a picture takes.
constexpr int kIndent = 16;
constexpr int kPictureLeft = 2;
constexpr int kPictureWidth = 16;
constexpr int kTextGap = 3;
constexpr int kTextPadding = 2;

}  // namespace

// One entry: a directory name as the file system spells it (exact bytes),
// its sub-entries once read, and where it stands among the visible rows.
struct TDirectoryOutline::Node {
    std::string name;  // the drive's root path for the root entry
    Node* parent = nullptr;
    int level = 0;
    int indexInParent = 0;
    bool read = false;
    bool expanded = false;
    std::vector<std::unique_ptr<Node>> children;

    // Caches of what painting needs, filled on first use.
    QString text;
    int textWidth = -1;
    int row = -1;
    unsigned rowGeneration = 0;

    bool hasChildren() const { return !children.empty(); }
};

TDirectoryOutline::TDirectoryOutline(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_rules(platform::nativePathRules()),
      m_enumeration(platform::newNativeEnumeration()),
      m_beep([] { QApplication::beep(); }),
      m_pictureOpen(openFolderPicture()),
      m_pictureClosed(closedFolderPicture()),
      m_pictureLeaf(leafPicture()),
      m_directory(fold(platform::currentDirectory()))
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateMetrics();
}

TDirectoryOutline::~TDirectoryOutline() = default;

void TDirectoryOutline::setBeep(std::function<void()> beep)
{
    m_beep = std::move(beep);
}

void TDirectoryOutline::setOptions(Options options)
{
    m_options = options;
    rebuildRows();
}

void TDirectoryOutline::setPictureOpen(const QPixmap& picture)
{
    m_pictureOpen = picture;
    viewport()->update();
}

void TDirectoryOutline::setPictureClosed(const QPixmap& picture)
{
    m_pictureClosed = picture;
    viewport()->update();
}

void TDirectoryOutline::setPictureLeaf(const QPixmap& picture)
{
    m_pictureLeaf = picture;
    viewport()->update();
}

const QPixmap& TDirectoryOutline::picture(Picture which) const
{
    switch (which) {
    case Picture::Open:
        return m_pictureOpen;
    case Picture::Closed:
        return m_pictureClosed;
    case Picture::Leaf:
        break;
    }
    return m_pictureLeaf;
}

// With DrawTreeRoot the top-level entry gets a line too, so every level
// moves one step to the right.
int TDirectoryOutline::pictureLeft(int level) const
{
    const int steps = level + ((m_options & DrawTreeRoot) ? 1 : 0);
    return steps * kIndent + kPictureLeft;
}

int TDirectoryOutline::textLeft(int level) const
{
    return pictureLeft(level) + kPictureWidth + kTextGap;
}

void TDirectoryOutline::beep()
{
    if (m_beep)
        m_beep();
}

std::string TDirectoryOutline::Drive() const
{
    return m_drive;
}

std::string TDirectoryOutline::Directory() const
{
    return m_directory;
}

std::string TDirectoryOutline::fold(std::string text) const
{
    if (m_rules.foldsCase)
        platform::lowerAsciiInPlace(text);
    return text;
}

bool TDirectoryOutline::isDriveRoot(const std::string& root) const
{
    if (root.empty() || root.find('\0') != std::string::npos)
        return false;
    if (!m_rules.foldsCase)
        return root.front() == '/';
    // A drive letter, a colon and a backslash.
    const char letter = platform::lowerAscii(root[0]);
    return root.size() == 3 && letter >= 'a' && letter <= 'z' && root[1] == ':' && root[2] == m_rules.separator;
}

void TDirectoryOutline::setDrive(const std::string& driveRoot)
{
    if (!isDriveRoot(driveRoot) || fold(driveRoot) == fold(m_drive))
        return;
    // Entered first: when the drive cannot be entered the tree keeps its
    // drive, entries and current directory, and the same drive is tried
    // again the next time it is chosen.
    platform::setCurrentDirectory(driveRoot);

    m_drive = driveRoot;
    m_directory = fold(driveRoot);
    m_root = std::make_unique<Node>();
    m_root->name = driveRoot;
    m_selected = m_root.get();
    m_pressedRow = -1;
    rebuildRows();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

std::string TDirectoryOutline::pathOf(const Node* node) const
{
    if (!node->parent)
        return node->name;
    std::string path = pathOf(node->parent);
    if (path.empty() || path.back() != m_rules.separator)
        path.push_back(m_rules.separator);
    path.append(node->name);
    return path;
}

// Reads the sub-directories of `node` once: directories that are neither
// hidden nor system, whose names do not begin with a full stop, and that are
// not links (the search does not enter links to directories either, and a
// link back up would make the tree endless), sorted by the bytes of their
// lower-cased names. A directory that cannot be read gets no entries.
void TDirectoryOutline::read(Node* node)
{
    if (node->read)
        return;
    node->read = true;

    struct Found {
        std::string key;
        std::string name;
    };
    std::vector<Found> found;
    {
        platform::EnumerationGuard guard(*m_enumeration);
        const std::string pattern = search::AppendPathDelimiter(pathOf(node), m_rules.separator) + "*.*";
        for (bool more = m_enumeration->open(pattern, platform::attr::Directory); more; more = m_enumeration->next()) {
            const platform::DirectoryEntry& entry = m_enumeration->entry();
            // The directories the search would enter, less those whose names
            // begin with a full stop.
            if (!search::isEnteredDirectory(entry) || entry.name.empty() || entry.name.front() == '.')
                continue;
            std::string name(entry.name);
            std::string key = name;
            platform::lowerAsciiInPlace(key);
            found.push_back({std::move(key), std::move(name)});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });

    node->children.reserve(found.size());
    for (auto& entry : found) {
        auto child = std::make_unique<Node>();
        child->name = std::move(entry.name);
        child->parent = node;
        child->level = node->level + 1;
        child->indexInParent = static_cast<int>(node->children.size());
        node->children.push_back(std::move(child));
    }
}

void TDirectoryOutline::rebuildRows()
{
    ++m_generation;
    m_visible.clear();
    m_contentWidth = 0;
    if (m_root) {
        // Depth first without recursion: deep trees stay cheap.
        std::vector<Node*> pending{m_root.get()};
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            node->row = static_cast<int>(m_visible.size());
            node->rowGeneration = m_generation;
            m_visible.push_back(node);
            if (node->expanded) {
                for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
                    pending.push_back(it->get());
            }
        }
        for (Node* node : m_visible)
            m_contentWidth = std::max(m_contentWidth, textLeft(node->level) + textWidth(node) + 2 * kTextPadding);
    }
    updateScrollBars();
    viewport()->update();
}

int TDirectoryOutline::rowOf(const Node* node) const
{
    return node && node->rowGeneration == m_generation ? node->row : -1;
}

int TDirectoryOutline::textWidth(Node* node) const
{
    if (node->text.isNull()) {
        const std::string shown = fold(node->name);
        node->text = QString::fromLocal8Bit(shown.data(), static_cast<qsizetype>(shown.size()));
    }
    if (node->textWidth < 0)
        node->textWidth = fontMetrics().horizontalAdvance(node->text);
    return node->textWidth;
}

void TDirectoryOutline::select(Node* node)
{
    if (!node || node == m_selected)
        return;
    m_selected = node;
    scrollToRow(rowOf(node));
    viewport()->update();
    std::string path = fold(pathOf(node));
    if (path == m_directory)
        return;
    // The current directory changes before the process's does: when the
    // directory cannot be entered, the tree still names it.
    m_directory = std::move(path);
    platform::setCurrentDirectory(pathOf(node));
}

void TDirectoryOutline::expand(Node* node)
{
    if (!node || node->expanded)
        return;
    read(node);
    node->expanded = true;
    rebuildRows();
}

void TDirectoryOutline::collapse(Node* node)
{
    if (!node || !node->expanded)
        return;
    node->expanded = false;
    rebuildRows();
    for (Node* above = m_selected ? m_selected->parent : nullptr; above; above = above->parent) {
        if (above == node) {
            select(node);
            break;
        }
    }
}

void TDirectoryOutline::fullExpand(Node* node)
{
    if (!node)
        return;
    std::vector<Node*> pending{node};
    while (!pending.empty()) {
        Node* current = pending.back();
        pending.pop_back();
        if (!current->read || !current->hasChildren())
            continue;
        current->expanded = true;
        for (auto& child : current->children)
            pending.push_back(child.get());
    }
    rebuildRows();
}

int TDirectoryOutline::selectedRow() const
{
    return rowOf(m_selected);
}

int TDirectoryOutline::rowLevel(int row) const
{
    return row >= 0 && row < rowCount() ? m_visible[row]->level : -1;
}

QString TDirectoryOutline::rowText(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    textWidth(m_visible[row]);
    return m_visible[row]->text;
}

std::string TDirectoryOutline::rowPath(int row) const
{
    return row >= 0 && row < rowCount() ? pathOf(m_visible[row]) : std::string();
}

bool TDirectoryOutline::isRowExpanded(int row) const
{
    return row >= 0 && row < rowCount() && m_visible[row]->expanded;
}

TDirectoryOutline::Picture TDirectoryOutline::rowPicture(int row) const
{
    if (row < 0 || row >= rowCount() || !m_visible[row]->hasChildren())
        return Picture::Leaf;
    return m_visible[row]->expanded ? Picture::Open : Picture::Closed;
}

void TDirectoryOutline::selectRow(int row)
{
    if (row >= 0 && row < rowCount())
        select(m_visible[row]);
}

void TDirectoryOutline::expandRow(int row)
{
    if (row >= 0 && row < rowCount())
        expand(m_visible[row]);
}

void TDirectoryOutline::collapseRow(int row)
{
    if (row >= 0 && row < rowCount())
        collapse(m_visible[row]);
}

void TDirectoryOutline::toggleRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    Node* node = m_visible[row];
    if (node->expanded)
        collapse(node);
    else
        expand(node);
}

void TDirectoryOutline::fullExpandRow(int row)
{
    if (row >= 0 && row < rowCount())
        fullExpand(m_visible[row]);
}

void TDirectoryOutline::keyPressEvent(QKeyEvent* event)
{
    if (!m_selected) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int row = selectedRow();
    Node* node = m_selected;
    switch (event->key()) {
    case Qt::Key_Up:
        if (control) {
            if (node->parent && node->indexInParent > 0)
                select(node->parent->children[node->indexInParent - 1].get());
            else
                beep();
        } else {
            selectRow(row - 1);
        }
        break;
    case Qt::Key_Down:
        if (control) {
            if (node->parent && node->indexInParent + 1 < static_cast<int>(node->parent->children.size()))
                select(node->parent->children[node->indexInParent + 1].get());
            else
                beep();
        } else {
            selectRow(row + 1);
        }
        break;
    case Qt::Key_PageUp:
        selectRow(std::max(0, row - pageRows()));
        break;
    case Qt::Key_PageDown:
        selectRow(std::min(rowCount() - 1, row + pageRows()));
        break;
    case Qt::Key_Home:
        selectRow(0);
        break;
    case Qt::Key_End:
        selectRow(rowCount() - 1);
        break;
    case Qt::Key_Left:
        if (node->parent)
            select(node->parent);
        else
            beep();
        break;
    case Qt::Key_Right:
        if (node->expanded && node->hasChildren())
            select(node->children.front().get());
        else
            beep();
        break;
    case Qt::Key_Plus:
        expand(node);
        break;
    case Qt::Key_Minus:
        collapse(node);
        break;
    case Qt::Key_Asterisk:
        if (control && (event->modifiers() & Qt::KeypadModifier))
            fullExpand(m_root.get());
        else
            fullExpand(node);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        toggleRow(row);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

int TDirectoryOutline::rowAt(const QPoint& position) const
{
    if (position.y() < 0)
        return -1;
    const int row = verticalScrollBar()->value() + position.y() / m_rowHeight;
    return row < rowCount() ? row : -1;
}

void TDirectoryOutline::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressedRow = rowAt(event->position().toPoint());
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

// A click selects when the button is released, over the entry it was
// pressed on.
void TDirectoryOutline::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const int row = rowAt(event->position().toPoint());
    const bool sameRow = row == m_pressedRow;
    m_pressedRow = -1;
    if (row >= 0 && sameRow)
        selectRow(row);
    event->accept();
}

void TDirectoryOutline::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The first click of the pair selected the entry under the pointer on
    // its release; the pair toggles that entry.
    const int row = rowAt(event->position().toPoint());
    m_pressedRow = row;
    if (row >= 0)
        selectRow(row);
    toggleRow(selectedRow());
    event->accept();
}

// Each notch of the wheel moves the selection one entry, as the arrow keys do.
void TDirectoryOutline::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    while (m_wheelRemainder >= 120) {
        m_wheelRemainder -= 120;
        selectRow(selectedRow() - 1);
    }
    while (m_wheelRemainder <= -120) {
        m_wheelRemainder += 120;
        selectRow(selectedRow() + 1);
    }
    event->accept();
}

int TDirectoryOutline::pageRows() const
{
    return std::max(1, viewport()->height() / m_rowHeight);
}

void TDirectoryOutline::scrollToRow(int row)
{
    if (row < 0)
        return;
    QScrollBar* bar = verticalScrollBar();
    const int visible = pageRows();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + visible)
        bar->setValue(row - visible + 1);
}

void TDirectoryOutline::updateMetrics()
{
    // Qt reports the pixel height of a font given in points at the screen's
    // logical resolution: 11 for 8 points at 96 dpi, giving 13.
    m_rowHeight = std::max(1, QFontInfo(font()).pixelSize() * 12 / 10);
    if (m_root) {
        std::vector<Node*> pending{m_root.get()};
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            node->textWidth = -1;
            for (auto& child : node->children)
                pending.push_back(child.get());
        }
    }
    rebuildRows();
}

void TDirectoryOutline::updateScrollBars()
{
    const QSize area = viewport()->size();
    QScrollBar* vertical = verticalScrollBar();
    const int visible = std::max(1, area.height() / m_rowHeight);
    vertical->setRange(0, std::max(0, rowCount() - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, m_contentWidth - area.width()));
    horizontal->setPageStep(std::max(1, area.width()));
    horizontal->setSingleStep(kIndent);
}

void TDirectoryOutline::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TDirectoryOutline::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
}

// The focus rectangle comes and goes with the focus.
void TDirectoryOutline::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TDirectoryOutline::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TDirectoryOutline::scrollContentsBy(int, int)
{
    viewport()->update();
}

QSize TDirectoryOutline::viewportSizeHint() const
{
    return QSize(m_contentWidth, rowCount() * m_rowHeight);
}

void TDirectoryOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int first = verticalScrollBar()->value();
    const int left = -horizontalScrollBar()->value();
    const int last = std::min(rowCount(), first + viewport()->height() / m_rowHeight + 2);
    QPen linePen(colours.color(QPalette::Mid));
    linePen.setStyle(Qt::DotLine);

    for (int row = first; row < last; ++row) {
        Node* node = m_visible[row];
        const int top = (row - first) * m_rowHeight;
        const int middle = top + m_rowHeight / 2;

        // Tree lines, none for the top-level entry: a branch to this entry
        // from its parent's picture, and the lines of the ancestors that
        // have entries further down.
        painter.setPen(linePen);
        if (node->level == 0 && (m_options & DrawTreeRoot)) {
            painter.drawLine(left + kPictureLeft + kPictureWidth / 2, middle, left + pictureLeft(0) - 1, middle);
        } else if (node->level > 0) {
            const int branch = left + pictureLeft(node->level - 1) + kPictureWidth / 2;
            const bool lastChild = node->indexInParent + 1 == static_cast<int>(node->parent->children.size());
            painter.drawLine(branch, top, branch, lastChild ? middle : top + m_rowHeight - 1);
            painter.drawLine(branch, middle, left + pictureLeft(node->level) - 1, middle);
            for (const Node* above = node->parent; above && above->level > 0; above = above->parent) {
                if (above->indexInParent + 1 < static_cast<int>(above->parent->children.size())) {
                    const int x = left + pictureLeft(above->level - 1) + kPictureWidth / 2;
                    painter.drawLine(x, top, x, top + m_rowHeight - 1);
                }
            }
        }

        // The picture at its own size, centred on the row and cut to it, or
        // stretched to the row's height.
        const QPixmap& shown = picture(rowPicture(row));
        if (m_options & StretchBitmaps) {
            painter.drawPixmap(QRect(left + pictureLeft(node->level), top, kPictureWidth, m_rowHeight), shown);
        } else {
            painter.save();
            painter.setClipRect(QRect(0, top, viewport()->width(), m_rowHeight));
            painter.drawPixmap(left + pictureLeft(node->level), top + (m_rowHeight - shown.height()) / 2, shown);
            painter.restore();
        }

        const int width = textWidth(node);
        const QRect textRect(left + textLeft(node->level), top, width + 2 * kTextPadding, m_rowHeight);
        const bool selected = node == m_selected;
        if (selected)
            painter.fillRect(textRect, colours.brush(QPalette::Highlight));
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(textRect.adjusted(kTextPadding, 0, -kTextPadding, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node->text);
        if (selected && hasFocus() && (m_options & DrawFocusRect)) {
            // Drawn here rather than by the style: some styles draw focus
            // frames only after a keyboard focus change.
            QPen dotted(colours.color(QPalette::HighlightedText));
            dotted.setStyle(Qt::DotLine);
            painter.setPen(dotted);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(textRect.adjusted(0, 0, -1, -1));
        }
    }
}

}  // namespace zorvane::ui
