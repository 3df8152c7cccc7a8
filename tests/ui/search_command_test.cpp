// The search command through the real window on fixture trees: the drive
// picked, the directory chosen in the tree with the keyboard, the mask typed
// and the search button clicked, as a user does it; the wait cursor, the
// errors and the masks and directories nobody expected.
#include "allocation_budget.h"
#include "app/tapplication.h"
#include "platform/attributes.h"
#include "platform/current_directory.h"
#include "platform/volumes.h"
#include "support/reference_search.h"
#include "support/test_tree.h"
#include "ui/form.h"
#include "ui/tscreen.h"

#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using zorvane::platform::DirectoryEntry;
using zorvane::platform::DirectoryEnumeration;
using zorvane::testing::TestTree;
using zorvane::ui::Screen;
using zorvane::ui::TDirectoryOutline;
using zorvane::ui::TMainForm;

namespace {

const QString kAppTitle = QStringLiteral("zorvane_search_command_tests");

// Notes every message box that comes up and presses its OK button.
class BoxWatcher {
public:
    struct Box {
        QString title;
        QString text;
        int cursorSetting;
        bool overrideCursor;
    };

    BoxWatcher()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            seen.push_back({box->windowTitle(), box->text(), Screen()->Cursor(),
                            QGuiApplication::overrideCursor() != nullptr});
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        m_timer.start();
    }

    std::vector<Box> seen;

private:
    QTimer m_timer;
};

// What one open of a directory saw of the cursor.
struct OpenSeen {
    std::string pattern;
    int cursorSetting;
    int overrideShape;  // -1: no override cursor
};

// Passes everything on to the system's enumeration and notes each open;
// can run the program out of memory right after the Nth open.
class WatchingEnumeration final : public DirectoryEnumeration {
public:
    WatchingEnumeration(std::vector<OpenSeen>& opens, int failAfterOpen)
        : m_inner(zorvane::platform::newNativeEnumeration()), m_opens(opens), m_failAfterOpen(failAfterOpen)
    {
    }

    bool open(std::string_view pattern, zorvane::platform::Attributes wanted) override
    {
        const QCursor* shown = QGuiApplication::overrideCursor();
        m_opens.push_back({std::string(pattern), Screen()->Cursor(), shown ? int(shown->shape()) : -1});
        const bool found = m_inner->open(pattern, wanted);
        if (static_cast<int>(m_opens.size()) == m_failAfterOpen)
            zorvane::testing::armAllocationBudget(0);
        return found;
    }
    bool next() override { return m_inner->next(); }
    void close() noexcept override { m_inner->close(); }
    const DirectoryEntry& entry() const override { return m_inner->entry(); }

private:
    std::unique_ptr<DirectoryEnumeration> m_inner;
    std::vector<OpenSeen>& m_opens;
    int m_failAfterOpen;
};

// A drive root "/" holding Readme.TXT and sub/Main.PAS, nothing else.
class RootEnumeration final : public DirectoryEnumeration {
public:
    bool open(std::string_view pattern, zorvane::platform::Attributes wanted) override
    {
        using namespace zorvane::platform;
        m_entries.clear();
        if (pattern == "/*.*")
            m_entries = {{".", attr::Directory}, {"..", attr::Directory}, {"Readme.TXT", attr::Archive},
                         {"sub", attr::Directory}};
        else if (pattern == "/sub/*.*")
            m_entries = {{".", attr::Directory}, {"..", attr::Directory}, {"Main.PAS", attr::Archive}};
        std::erase_if(m_entries, [wanted](const DirectoryEntry& e) { return !passesFilter(e.attributes, wanted); });
        m_at = 0;
        return !m_entries.empty();
    }
    bool next() override { return ++m_at < m_entries.size(); }
    void close() noexcept override { m_entries.clear(); }
    const DirectoryEntry& entry() const override { return m_entries.at(m_at); }

private:
    std::vector<DirectoryEntry> m_entries;
    std::size_t m_at = 0;
};

std::vector<std::string> linesOf(const TMainForm& form)
{
    std::vector<std::string> lines;
    for (int i = 0; i < form.lbFiles->Count(); ++i)
        lines.push_back(form.lbFiles->Item(i));
    return lines;
}

// What the search must list, in its order, by the slow two-pass walk.
std::vector<std::string> expectedLines(const std::string& directory, const std::string& mask)
{
    std::vector<std::string> lines;
    zorvane::testing::twoPassSearch(zorvane::platform::newNativeEnumeration, directory, mask,
                                    zorvane::platform::nativePathRules(), lines);
    return lines;
}

bool startsWith(const std::vector<std::string>& lines, const std::vector<std::string>& prefix)
{
    return prefix.size() <= lines.size() && std::equal(prefix.begin(), prefix.end(), lines.begin());
}

}  // namespace

class SearchCommandTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<BoxWatcher> m_boxes;
    std::vector<OpenSeen> m_opens;

    // Picks the volume that holds `path` in the drive picker with the arrow
    // keys, then walks the tree down to `path`: "+" expands the selected
    // entry, Down moves to the wanted sub-entry. Empty on success.
    QString choose(const std::string& path)
    {
        const auto& volumes = m_form->dcbDrives->volumes();
        const auto* holding = zorvane::platform::volumeHolding(path, volumes, '/', false);
        if (!holding)
            return QStringLiteral("no volume holds the path");
        const int best = static_cast<int>(holding - volumes.data());
        m_form->dcbDrives->setFocus();
        for (int tries = 0; m_form->dcbDrives->currentIndex() != best && tries < 100; ++tries)
            QTest::keyClick(m_form->dcbDrives, m_form->dcbDrives->currentIndex() < best ? Qt::Key_Down : Qt::Key_Up);
        if (m_form->dolDirectories->Drive() != volumes[static_cast<std::size_t>(best)].root)
            return QStringLiteral("the tree did not take the drive");

        TDirectoryOutline* tree = m_form->dolDirectories;
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Home);
        std::string at = tree->Drive();
        while (at != path) {
            const std::size_t from = at.ends_with('/') ? at.size() : at.size() + 1;
            const std::size_t end = path.find('/', from);
            const std::string next = path.substr(0, end);
            QTest::keyClick(tree, Qt::Key_Plus);
            for (int tries = 0; tree->rowPath(tree->selectedRow()) != next && tries < tree->rowCount(); ++tries)
                QTest::keyClick(tree, Qt::Key_Down);
            if (tree->rowPath(tree->selectedRow()) != next)
                return QStringLiteral("the tree shows no entry for ") + QString::fromStdString(next);
            at = next;
        }
        return tree->Directory() == path ? QString() : QStringLiteral("the tree's directory is another");
    }

    void typeMask(const QString& mask)
    {
        m_form->edtFileMask->setFocus();
        QTest::keyClick(m_form->edtFileMask, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_form->edtFileMask, Qt::Key_Delete);
        // QTest types no NUL: that key goes in as a bare key event.
        const QStringList parts = mask.split(QChar(0));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0)));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0)));
                QApplication::sendEvent(m_form->edtFileMask, &press);
                QApplication::sendEvent(m_form->edtFileMask, &release);
            }
            QTest::keyClicks(m_form->edtFileMask, parts[i]);
        }
    }

    void pasteMask(const QString& mask)
    {
        QGuiApplication::clipboard()->setText(mask);
        m_form->edtFileMask->setFocus();
        QTest::keyClick(m_form->edtFileMask, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_form->edtFileMask, Qt::Key_V, Qt::ControlModifier);
    }

    // Clicks the search button, lets the window catch up, and says whether
    // the list shows every line it holds.
    void search()
    {
        QTest::mouseClick(m_form->btnSearchForFiles, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    bool viewShowsEveryLine() const { return m_form->lbFiles->model()->rowCount() == m_form->lbFiles->Count(); }

    void watchOpens(int failAfterOpen = 0)
    {
        m_form->SetEnumerationSource(
            [this, failAfterOpen] { return std::make_unique<WatchingEnumeration>(m_opens, failAfterOpen); });
    }

private slots:
    void init()
    {
        m_tree = std::make_unique<TestTree>();
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_boxes = std::make_unique<BoxWatcher>();
        m_opens.clear();
    }

    void cleanup()
    {
        zorvane::testing::disarmAllocationBudget();
        m_boxes.reset();
        m_form.reset();
        zorvane::platform::setCurrentDirectory("/");
        m_tree.reset();
        QCOMPARE(Screen()->Cursor(), zorvane::ui::crDefault);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void screenCursorSettingTakesEffectAtOnce()
    {
        using namespace zorvane::ui;
        Screen()->setCursor(crHourGlass);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // Setting it again does not stack: one reset gives the default back.
        Screen()->setCursor(crHourGlass);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Screen()->setCursor(-12));
        QCOMPARE(Screen()->Cursor(), crHourGlass);
        Screen()->setCursor(crDefault);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(Screen()->Cursor(), crDefault);
    }

    void wholeSearchListsTheTreeInItsOrder()
    {
        for (const char* file : {"Main.PAS", "notes.txt", "src/form.pas", "src/Form.pascal", "src/deep/x/unit.pas",
                                 "src/deep/.dot.pas", "lib/b.pas", "lib/a.pas", ".hidden/secret.pas",
                                 "dir.pas/inside.txt"})
            m_tree->file(file);
        m_tree->symlink("loop", ".");
        QVERIFY2(choose(m_tree->root()).isEmpty(), "choosing the directory");
        typeMask(QStringLiteral("*.pas"));
        search();

        const std::string root = m_tree->root();
        const std::vector<std::string> lines = linesOf(*m_form);
        const std::vector<std::string> wanted{root + "/Main.PAS", root + "/src/form.pas",
                                              root + "/src/deep/x/unit.pas", root + "/src/deep/.dot.pas",
                                              root + "/lib/b.pas", root + "/lib/a.pas"};
        QCOMPARE(lines, expectedLines(root, "*.pas"));
        QCOMPARE(std::set<std::string>(lines.begin(), lines.end()), std::set<std::string>(wanted.begin(), wanted.end()));
        QCOMPARE(lines.front(), root + "/Main.PAS");  // the start directory's files come first
        QVERIFY(viewShowsEveryLine());
        QCOMPARE(m_form->lbFiles->model()->index(0, 0).data().toString(), QString::fromStdString(root + "/Main.PAS"));
        QVERIFY(m_boxes->seen.empty());
    }

    void twoSearchesNeverMix()
    {
        m_tree->file("one/a.pas");
        m_tree->file("one/b.pas");
        m_tree->file("two/c.pas");
        QVERIFY(choose(m_tree->path("one")).isEmpty());
        search();
        QCOMPARE(linesOf(*m_form), expectedLines(m_tree->path("one"), "*.pas"));
        QCOMPARE(m_form->lbFiles->Count(), 2);
        // The same search again: the same lines, not twice as many.
        search();
        QCOMPARE(m_form->lbFiles->Count(), 2);

        QVERIFY(choose(m_tree->path("two")).isEmpty());
        search();
        QCOMPARE(linesOf(*m_form), std::vector<std::string>{m_tree->path("two/c.pas")});
        QVERIFY(viewShowsEveryLine());
    }

    void maskChangedAfterASearchWaitsForTheNext()
    {
        m_tree->file("a.pas");
        m_tree->file("b.txt");
        QVERIFY(choose(m_tree->root()).isEmpty());
        typeMask(QStringLiteral("*.pas"));
        search();
        QCOMPARE(linesOf(*m_form), std::vector<std::string>{m_tree->path("a.pas")});
        typeMask(QStringLiteral("*.txt"));
        QCoreApplication::processEvents();
        QCOMPARE(linesOf(*m_form), std::vector<std::string>{m_tree->path("a.pas")});
        search();
        QCOMPARE(linesOf(*m_form), std::vector<std::string>{m_tree->path("b.txt")});
    }

    void waitCursorWhileSearchingOnly()
    {
        m_tree->file("a/x.pas");
        m_tree->file("b/y.pas");
        QVERIFY(choose(m_tree->root()).isEmpty());
        watchOpens();
        std::vector<int> cursorAtEmptying;
        connect(m_form->lbFiles->model(), &QAbstractItemModel::modelAboutToBeReset, this,
                [&cursorAtEmptying] { cursorAtEmptying.push_back(Screen()->Cursor()); });
        QCOMPARE(Screen()->Cursor(), zorvane::ui::crDefault);
        search();

        QCOMPARE(cursorAtEmptying, std::vector<int>{zorvane::ui::crHourGlass});
        QCOMPARE(m_opens.size(), std::size_t(3));  // the start directory, a and b
        for (const OpenSeen& open : m_opens) {
            QCOMPARE(open.cursorSetting, zorvane::ui::crHourGlass);
            QCOMPARE(open.overrideShape, int(Qt::WaitCursor));
        }
        QCOMPARE(Screen()->Cursor(), zorvane::ui::crDefault);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(m_form->lbFiles->Count(), 2);
    }

    // An error ends the search: the lines before it stay and are shown, the
    // cursor is back to the default before the message comes up, and the
    // window searches again afterwards.
    void errorKeepsTheLinesBeforeIt_data()
    {
        QTest::addColumn<bool>("outOfMemory");
        QTest::addColumn<QString>("message");
        QTest::newRow("the list refuses a line") << false << "Unable to insert a line.";
        QTest::newRow("memory runs out") << true << "Out of memory.";
    }

    void errorKeepsTheLinesBeforeIt()
    {
        QFETCH(bool, outOfMemory);
        QFETCH(QString, message);
        m_tree->file("Top.pas");
        m_tree->file("top2.pas");
        for (int i = 0; i < 300; ++i)
            m_tree->file("many/a-file-with-a-rather-long-name-number-" + std::to_string(i) + ".pas");
        QVERIFY(choose(m_tree->root()).isEmpty());
        const std::vector<std::string> all = expectedLines(m_tree->root(), "*.pas");
        if (outOfMemory)
            watchOpens(2);  // memory runs out once the walk enters "many"
        else
            m_form->lbFiles->SetCapacity(5);
        search();

        QTRY_COMPARE(m_boxes->seen.size(), std::size_t(1));
        const BoxWatcher::Box& box = m_boxes->seen.front();
        QCOMPARE(box.text, message);
        QCOMPARE(box.title, kAppTitle);
        QCOMPARE(box.cursorSetting, zorvane::ui::crDefault);
        QVERIFY(!box.overrideCursor);
        QCOMPARE(zorvane::testing::allocationBudgetSpent(), outOfMemory);

        const std::vector<std::string> kept = linesOf(*m_form);
        QVERIFY(startsWith(all, kept));
        QVERIFY(kept.size() >= 2 && kept.size() < all.size());
        if (!outOfMemory)
            QCOMPARE(kept.size(), std::size_t(5));
        QTRY_VERIFY(viewShowsEveryLine());

        // Usable again: the next search lists everything.
        zorvane::testing::disarmAllocationBudget();
        m_form->SetEnumerationSource(nullptr);
        m_form->lbFiles->SetCapacity(INT_MAX);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        search();
        QCOMPARE(linesOf(*m_form), all);
        QCOMPARE(m_boxes->seen.size(), std::size_t(1));
    }

    void rootStartDirectoryGetsNoDoubledSeparator()
    {
        QVERIFY(choose("/").isEmpty());
        QCOMPARE(m_form->dolDirectories->Directory(), std::string("/"));
        m_form->SetEnumerationSource([] { return std::make_unique<RootEnumeration>(); });
        typeMask(QStringLiteral("*"));
        search();
        QCOMPARE(linesOf(*m_form), (std::vector<std::string>{"/Readme.TXT", "/sub/Main.PAS"}));
    }

    void nameThatIsNotUtf8CanBeChosenAndSearched()
    {
        const std::string odd = "caf\xe9-\xff";
        m_tree->file(odd + "/Inside.pas");
        m_tree->file(odd + "/sub\x80/deeper.pas");
        QVERIFY(choose(m_tree->path(odd)).isEmpty());
        search();
        QCOMPARE(linesOf(*m_form), (std::vector<std::string>{m_tree->path(odd + "/Inside.pas"),
                                                             m_tree->path(odd + "/sub\x80/deeper.pas")}));
        QVERIFY(viewShowsEveryLine());
        // Shown with replacement characters, never lost.
        QVERIFY(m_form->lbFiles->model()->index(0, 0).data().toString().endsWith(QStringLiteral("/Inside.pas")));
    }

    // A directory chosen in the tree and removed before the search: the
    // list stays empty and no message comes, as for any directory that
    // cannot be read; the window searches elsewhere afterwards.
    void startDirectoryThatVanishedListsNothing()
    {
        m_tree->file("gone/a.pas");
        m_tree->file("here/b.pas");
        QVERIFY(choose(m_tree->path("gone")).isEmpty());
        m_form->lbFiles->Add("left over");
        zorvane::platform::setCurrentDirectory("/");
        zorvane::testing::removeTree(m_tree->path("gone"));
        search();
        QCOMPARE(m_form->lbFiles->Count(), 0);
        QVERIFY(m_boxes->seen.empty());
        QCOMPARE(Screen()->Cursor(), zorvane::ui::crDefault);

        QVERIFY(choose(m_tree->path("here")).isEmpty());
        search();
        QCOMPARE(linesOf(*m_form), std::vector<std::string>{m_tree->path("here/b.pas")});
    }

    // Masks nobody expects: the walk ends, nothing crashes, no message
    // comes, and the list holds what the mask dialect says.
    void unusualMasks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<int>("fieldLength");  // what the field takes of it
        QTest::addColumn<QStringList>("listed");  // relative to the tree

        QTest::newRow("empty") << QString() << false << 0 << QStringList();
        QTest::newRow("only * and ?") << QStringLiteral("*?*??**") << false << 7 << QStringList{"ccc.pas", "sub/ddd"};
        QTest::newRow("only ?") << QStringLiteral("???") << false << 3 << QStringList{"sub/ddd"};
        QTest::newRow("with a separator") << QStringLiteral("sub/*") << false << 5 << QStringList();
        QTest::newRow("with ..") << QStringLiteral("../*") << false << 4 << QStringList();
        // The field takes no NUL from the keyboard, but keeps one pasted;
        // no name holds a NUL, so such a mask lists nothing.
        QTest::newRow("NUL typed") << QStringLiteral("*.pas") + QChar(0) << false << 5 << QStringList{"ccc.pas"};
        QTest::newRow("NUL pasted") << QStringLiteral("*.pas") + QChar(0) << true << 6 << QStringList();
        // The field holds at most 32767 characters.
        QTest::newRow("100,000 characters pasted") << QString(100000, QLatin1Char('a')) << true << 32767
                                                   << QStringList();
        QTest::newRow("100,000 stars and marks pasted")
            << QStringLiteral("*?").repeated(50000) << true << 32767 << QStringList();
    }

    void unusualMasks()
    {
        QFETCH(QString, mask);
        QFETCH(bool, paste);
        QFETCH(int, fieldLength);
        QFETCH(QStringList, listed);
        for (const char* file : {"a", "bb", "ccc.pas", "sub/ddd"})
            m_tree->file(file);
        QVERIFY(choose(m_tree->root()).isEmpty());
        watchOpens();
        if (paste)
            pasteMask(mask);
        else
            typeMask(mask);
        const QString field = m_form->edtFileMask->text();
        QCOMPARE(field.size(), fieldLength);
        QVERIFY(mask.startsWith(field) || !paste);
        search();

        std::vector<std::string> wanted;
        for (const QString& relative : listed)
            wanted.push_back(m_tree->path(relative.toStdString()));
        std::vector<std::string> lines = linesOf(*m_form);
        std::sort(lines.begin(), lines.end());
        QCOMPARE(lines, wanted);
        // The whole tree was walked, whatever the mask.
        QCOMPARE(m_opens.size(), std::size_t(2));
        QVERIFY(m_boxes->seen.empty());
        // The search leaves the field as it was.
        QCOMPARE(m_form->edtFileMask->text(), field);
    }
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    SearchCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "search_command_test.moc"
