// The results list: an append-only list of byte lines shown in a QListView,
// made to hold a million paths without slowing down per line.
#pragma once

#include "search/result_sink.h"

#include <QAbstractListModel>
#include <QListView>

#include <climits>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::ui {

// The platform's out-of-resources error ("Unable to insert a line").
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines, stored back to back in one buffer (a line costs its bytes and
// one offset). Rows reach the view in batches: lines appended while no event
// loop turns are announced together once control returns to the loop, so a
// long search emits one insertion, not one per line.
class TListBoxModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TListBoxModel(QObject* parent = nullptr);

    // Throws EOutOfResources("Unable to insert a line") when the list holds
    // Capacity() lines already; the lines before stay.
    void Add(std::string_view line);
    // Removes every line in one step; reports nothing.
    void Clear();
    int Count() const { return static_cast<int>(m_offsets.size()); }
    std::string_view Line(int index) const;

    int Capacity() const { return m_capacity; }
    void SetCapacity(int capacity) { m_capacity = capacity; }

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);

    // Announces the lines added since the last announcement to the views.
    void Flush();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void scheduleFlush();

    std::string m_bytes;
    std::vector<std::size_t> m_offsets;  // start of each line in m_bytes
    int m_announced = 0;                 // rows the views know of
    bool m_flushScheduled = false;
    int m_capacity = INT_MAX;
    int m_itemHeight = 13;
};

class TListBox final : public QListView {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent = nullptr);

    void Add(std::string_view line) { m_model->Add(line); }
    void Clear() { m_model->Clear(); }
    int Count() const { return m_model->Count(); }
    std::string Item(int index) const { return std::string(m_model->Line(index)); }

    int Capacity() const { return m_model->Capacity(); }
    void SetCapacity(int capacity) { m_model->SetCapacity(capacity); }
    int ItemHeight() const { return m_model->ItemHeight(); }
    void SetItemHeight(int height) { m_model->SetItemHeight(height); }

    TListBoxModel* Model() const { return m_model; }

private:
    TListBoxModel* m_model;
};

// Feeds a search's results into a list box.
class TListBoxSink final : public search::ResultSink {
public:
    explicit TListBoxSink(TListBox& list) : m_list(list) {}
    void append(std::string_view line) override { m_list.Add(line); }

private:
    TListBox& m_list;
};

}  // namespace zorvane::ui
