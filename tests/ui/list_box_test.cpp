// The results list: append-only, one-step emptying, the capacity error, the
// look of long lines, and a million lines without slowing down.
#include "allocation_budget.h"
#include "app/tapplication.h"
#include "ui/tlistbox.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <new>
#include <string>

using zorvane::ui::EOutOfResources;
using zorvane::ui::TListBox;
using zorvane::ui::TListBoxSink;

class ListBoxTest : public QObject {
    Q_OBJECT
private slots:
    void keepsLinesInAppendOrder()
    {
        TListBox list;
        for (const char* line : {"/b/z.pas", "/a/y.pas", "/c/x.pas"})
            list.Add(line);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Item(0), std::string("/b/z.pas"));
        QCOMPARE(list.Item(1), std::string("/a/y.pas"));
        QCOMPARE(list.Item(2), std::string("/c/x.pas"));
    }

    void capacityErrorKeepsEarlierLines()
    {
        TListBox list;
        list.SetCapacity(3);
        TListBoxSink sink(list);
        sink.append("one");
        sink.append("two");
        sink.append("three");
        try {
            sink.append("four");
            QFAIL("the fourth line was taken");
        } catch (const EOutOfResources& error) {
            QCOMPARE(QByteArray(error.what()), QByteArray("Unable to insert a line"));
        }
        QCoreApplication::processEvents();
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.model()->rowCount(), 3);
        QCOMPARE(list.Item(2), std::string("three"));
    }

    void linesReachTheViewInOneBatch()
    {
        TListBox list;
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        for (int i = 0; i < 1000; ++i)
            list.Add("line " + std::to_string(i));
        QCOMPARE(inserted.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(list.model()->rowCount(), 1000);
        QCOMPARE(list.model()->index(999, 0).data().toString(), QString("line 999"));
    }

    // Whichever allocation of an append runs out of memory, the line is
    // either taken and shown, or refused and absent; later lines show.
    void runningOutOfMemoryLeavesTheListWhole_data()
    {
        QTest::addColumn<int>("allocations");
        for (int allocations = 0; allocations < 6; ++allocations)
            QTest::addRow("after %d allocations", allocations) << allocations;
    }

    void runningOutOfMemoryLeavesTheListWhole()
    {
        QFETCH(int, allocations);
        TListBox list;
        const std::string line = "/a/line/longer/than/any/short/string/buffer.pas";
        zorvane::testing::armAllocationBudget(static_cast<std::size_t>(allocations));
        bool refused = false;
        try {
            list.Add(line);
        } catch (const std::bad_alloc&) {
            refused = true;
        }
        zorvane::testing::disarmAllocationBudget();
        QCOMPARE(list.Count(), refused ? 0 : 1);
        QCoreApplication::processEvents();
        QCOMPARE(list.model()->rowCount(), list.Count());
        list.Add("/next.pas");
        QCoreApplication::processEvents();
        QCOMPARE(list.model()->rowCount(), list.Count());
        QCOMPARE(list.Item(list.Count() - 1), std::string("/next.pas"));
    }

    void clearEmptiesInOneStep()
    {
        TListBox list;
        for (int i = 0; i < 100; ++i)
            list.Add("x");
        QCoreApplication::processEvents();
        QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(list.model(), &QAbstractItemModel::modelReset);
        list.Clear();
        QCOMPARE(list.Count(), 0);
        QCOMPARE(list.model()->rowCount(), 0);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(reset.count(), 1);
        list.Add("after");
        QCoreApplication::processEvents();
        QCOMPARE(list.model()->rowCount(), 1);
    }

    void bytesStayBytesDisplayIsDecoded()
    {
        TListBox list;
        list.Add("/tmp/caf\xe9.pas");  // Latin-1, not UTF-8
        list.Add("/tmp/文件.pas");
        QCoreApplication::processEvents();
        QCOMPARE(list.Item(0), std::string("/tmp/caf\xe9.pas"));
        QCOMPARE(list.model()->index(0, 0).data().toString(), QString("/tmp/caf\uFFFD.pas"));
        QCOMPARE(list.model()->index(1, 0).data().toString(), QString("/tmp/文件.pas"));
    }

    void settingsOfTheStandardListBox()
    {
        TListBox list;
        QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(list.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(list.textElideMode(), Qt::ElideNone);
        QVERIFY(list.uniformItemSizes());
        QCOMPARE(list.editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void longLinesAreCutAndNeverScrollSideways()
    {
        TListBox list;
        list.setGeometry(24, 188, 377, 137);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.Add("/short.pas");
        list.Add("/" + std::string(600, 'w') + ".pas");
        QCoreApplication::processEvents();
        QTest::qWait(20);
        QVERIFY(!list.verticalScrollBar()->isVisible());
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);
        const QRect row = list.visualRect(list.model()->index(1, 0));
        QCOMPARE(row.height(), 13);
        QVERIFY(row.right() < list.viewport()->width());
        list.setCurrentIndex(list.model()->index(1, 0));
        QCOMPARE(list.horizontalScrollBar()->value(), 0);

        for (int i = 0; i < 20; ++i)
            list.Add("/more.pas");
        QCoreApplication::processEvents();
        QTest::qWait(20);
        QVERIFY(list.verticalScrollBar()->isVisible());
    }

    void takesAMillionLines()
    {
        TListBox list;
        list.setGeometry(24, 188, 377, 137);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        TListBoxSink sink(list);
        constexpr int kLines = 1'000'000;
        const std::string prefix = "/home/user/projects/zorvane/src/some/deeper/directory/file";
        for (int i = 0; i < kLines; ++i)
            sink.append(prefix + std::to_string(i) + ".pas");
        QCoreApplication::processEvents();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(list.Count(), kLines);
        QCOMPARE(list.model()->rowCount(), kLines);
        list.scrollToBottom();
        const QModelIndex last = list.model()->index(kLines - 1, 0);
        QCOMPARE(last.data().toString(), QString::fromStdString(prefix + std::to_string(kLines - 1) + ".pas"));
        QVERIFY(list.viewport()->rect().intersects(list.visualRect(last)));
        list.Clear();
        QCOMPARE(list.model()->rowCount(), 0);
    }
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    ListBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "list_box_test.moc"
