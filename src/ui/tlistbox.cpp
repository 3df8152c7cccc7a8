#include "ui/tlistbox.h"

#include <QMetaObject>
#include <QSize>
#include <QString>

namespace zorvane::ui {

TListBoxModel::TListBoxModel(QObject* parent) : QAbstractListModel(parent)
{
}

void TListBoxModel::Add(std::string_view line)
{
    if (Count() >= m_capacity)
        throw EOutOfResources("Unable to insert a line");
    // The announcement is posted first: when posting runs out of memory the
    // line is refused, rather than kept where the view would never learn
    // of it.
    scheduleFlush();
    m_offsets.push_back(m_bytes.size());
    try {
        m_bytes.append(line);
    } catch (...) {
        m_offsets.pop_back();
        throw;
    }
}

void TListBoxModel::Clear()
{
    beginResetModel();
    std::string().swap(m_bytes);
    std::vector<std::size_t>().swap(m_offsets);
    m_announced = 0;
    endResetModel();
}

std::string_view TListBoxModel::Line(int index) const
{
    const auto row = static_cast<std::size_t>(index);
    const std::size_t begin = m_offsets.at(row);
    const std::size_t end = row + 1 < m_offsets.size() ? m_offsets[row + 1] : m_bytes.size();
    return std::string_view(m_bytes).substr(begin, end - begin);
}

void TListBoxModel::SetItemHeight(int height)
{
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    if (m_announced > 0)
        emit dataChanged(index(0), index(m_announced - 1), {Qt::SizeHintRole});
}

void TListBoxModel::scheduleFlush()
{
    if (m_flushScheduled)
        return;
    QMetaObject::invokeMethod(this, &TListBoxModel::Flush, Qt::QueuedConnection);
    m_flushScheduled = true;
}

void TListBoxModel::Flush()
{
    m_flushScheduled = false;
    if (Count() <= m_announced)
        return;
    beginInsertRows(QModelIndex(), m_announced, Count() - 1);
    m_announced = Count();
    endInsertRows();
}

int TListBoxModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

QVariant TListBoxModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        // Paths come in the system's 8-bit encoding (UTF-8 on Linux, the
        // ANSI code page on Windows).
        const std::string_view line = Line(index.row());
        return QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
    }
    case Qt::SizeHintRole:
        // A width of 1 keeps the contents as wide as the viewport: a top-to-
        // bottom list stretches its rows to the viewport, so long lines are
        // cut at the right edge and there is nothing to scroll sideways.
        return QSize(1, m_itemHeight);
    default:
        return {};
    }
}

TListBox::TListBox(QWidget* parent) : QListView(parent), m_model(new TListBoxModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

}  // namespace zorvane::ui
