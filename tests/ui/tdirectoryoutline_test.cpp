// The directory tree on fixture trees: what it lists, in which order, what
// each key and the mouse do, and where the tree's and the process's current
// directories stand after each step.
#include "platform/current_directory.h"
#include "platform/in_out_error.h"
#include "support/test_tree.h"
#include "ui/tdirectoryoutline.h"

#include <QScrollBar>
#include <QStringList>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

using zorvane::platform::InOutError;
using zorvane::platform::currentDirectory;
using zorvane::testing::TestTree;
using zorvane::ui::TDirectoryOutline;

class TDirectoryOutlineTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestTree> m_tree;
    std::unique_ptr<TDirectoryOutline> m_outline;
    int m_beeps = 0;

    // The rows shown, as paths relative to the tree's root ("." for it).
    QStringList rows() const
    {
        QStringList shown;
        for (int row = 0; row < m_outline->rowCount(); ++row)
            shown << relative(m_outline->rowPath(row));
        return shown;
    }

    QString relative(const std::string& path) const
    {
        if (path == m_tree->root())
            return QStringLiteral(".");
        return QString::fromStdString(path.substr(m_tree->root().size() + 1));
    }

    QString selected() const { return relative(m_outline->rowPath(m_outline->selectedRow())); }

    QString expanded() const
    {
        QStringList open;
        for (int row = 0; row < m_outline->rowCount(); ++row) {
            if (m_outline->isRowExpanded(row))
                open << relative(m_outline->rowPath(row));
        }
        return open.join(QLatin1Char(','));
    }

    int rowNamed(const QString& path) const { return static_cast<int>(rows().indexOf(path)); }

private slots:
    void init()
    {
        m_tree = std::make_unique<TestTree>();
        for (const char* dir : {"b", "A/a1", "A/a2/deep", "_c/x", ".git/objects", ".hidden"})
            m_tree->dir(dir);
        m_tree->file("file.pas");
        m_tree->file("A/readme");
        m_outline = std::make_unique<TDirectoryOutline>();
        m_beeps = 0;
        m_outline->setBeep([this] { ++m_beeps; });
        m_outline->resize(213, 121);
        m_outline->show();
        m_outline->setDrive(m_tree->root());
    }

    void cleanup()
    {
        m_outline.reset();
        zorvane::platform::setCurrentDirectory("/");
        m_tree.reset();
    }

    void startsAtTheRootAloneCollapsedAndSelected()
    {
        QCOMPARE(rows(), QStringList{"."});
        QCOMPARE(m_outline->selectedRow(), 0);
        QVERIFY(!m_outline->isRowExpanded(0));
        QCOMPARE(m_outline->Drive(), m_tree->root());
        QCOMPARE(m_outline->Directory(), m_tree->root());
        QCOMPARE(currentDirectory(), m_tree->root());
        QCOMPARE(m_outline->rowText(0), QString::fromStdString(m_tree->root()));
    }

    void listsDirectoriesByTheirLowerCasedBytes()
    {
        m_outline->expandRow(0);
        // Names keep their case on POSIX; "_" (0x5f) sorts before "a" (0x61).
        QCOMPARE(rows(), (QStringList{".", "_c", "A", "b"}));
        QCOMPARE(m_outline->rowText(2), QStringLiteral("A"));
        QCOMPARE(m_outline->rowLevel(2), 1);
    }

    void neverShowsHiddenOrDotDirectoriesFilesOrLinks()
    {
        m_tree->symlink("link-to-A", "A");
        m_tree->symlink("link-to-file", "file.pas");
        m_tree->dir("A/.cache");
        m_outline->expandRow(0);
        m_outline->expandRow(rowNamed("A"));
        QCOMPARE(rows(), (QStringList{".", "_c", "A", "A/a1", "A/a2", "b"}));
    }

    void readsADirectoryOnceUntilTheDriveChanges()
    {
        m_outline->expandRow(0);
        m_tree->dir("new");
        m_outline->collapseRow(0);
        m_outline->expandRow(0);
        QVERIFY(!rows().contains("new"));

        // The same drive again changes nothing; another drive rebuilds.
        m_outline->setDrive(m_tree->root());
        QVERIFY(m_outline->isRowExpanded(0));
        QVERIFY(!rows().contains("new"));
        TestTree other;
        m_outline->setDrive(other.root());
        QCOMPARE(m_outline->rowCount(), 1);
        m_outline->setDrive(m_tree->root());
        m_outline->expandRow(0);
        QCOMPARE(rows(), (QStringList{".", "_c", "A", "b", "new"}));
    }

    void followsTheSelectionWithBothCurrentDirectories()
    {
        m_outline->expandRow(0);
        m_outline->selectRow(rowNamed("A"));
        QCOMPARE(m_outline->Directory(), m_tree->path("A"));
        QCOMPARE(currentDirectory(), m_tree->path("A"));

        QTest::keyClick(m_outline.get(), Qt::Key_Down);
        QCOMPARE(selected(), QStringLiteral("b"));
        QCOMPARE(m_outline->Directory(), m_tree->path("b"));
        QCOMPARE(currentDirectory(), m_tree->path("b"));

        // Collapsing an entry that holds the selection selects it.
        m_outline->selectRow(rowNamed("A"));
        m_outline->expandRow(rowNamed("A"));
        m_outline->selectRow(rowNamed("A/a2"));
        QCOMPARE(currentDirectory(), m_tree->path("A/a2"));
        m_outline->collapseRow(0);
        QCOMPARE(rows(), QStringList{"."});
        QCOMPARE(m_outline->Directory(), m_tree->root());
        QCOMPARE(currentDirectory(), m_tree->root());
    }

    void aRemovedDirectoryIsFileNotFound()
    {
        m_outline->expandRow(0);
        QVERIFY(::rmdir(m_tree->path("b").c_str()) == 0);
        try {
            m_outline->selectRow(rowNamed("b"));
            QFAIL("no error");
        } catch (const InOutError& error) {
            QCOMPARE(error.what(), "File not found");
        }
        // The tree names the selected directory; the process stays put.
        QCOMPARE(selected(), QStringLiteral("b"));
        QCOMPARE(m_outline->Directory(), m_tree->path("b"));
        QCOMPARE(currentDirectory(), m_tree->root());
    }

    void aRemovedDirectoryFailsFromTheKeyboardToo()
    {
        m_outline->expandRow(0);
        QVERIFY(::rmdir(m_tree->path("b").c_str()) == 0);
        QVERIFY_THROWS_EXCEPTION(InOutError, QTest::keyClick(m_outline.get(), Qt::Key_End));
        QCOMPARE(selected(), QStringLiteral("b"));
    }

    void aDriveThatCannotBeEnteredChangesNothingAndIsRetried()
    {
        m_outline->expandRow(0);
        m_outline->selectRow(rowNamed("A"));
        const std::string missing = m_tree->path("not-yet");
        try {
            m_outline->setDrive(missing);
            QFAIL("no error");
        } catch (const InOutError& error) {
            QCOMPARE(error.what(), "File not found");
        }
        QCOMPARE(m_outline->Drive(), m_tree->root());
        QCOMPARE(m_outline->Directory(), m_tree->path("A"));
        QCOMPARE(currentDirectory(), m_tree->path("A"));
        QCOMPARE(selected(), QStringLiteral("A"));

        m_tree->dir("not-yet");
        m_outline->setDrive(missing);
        QCOMPARE(m_outline->Drive(), missing);
        QCOMPARE(currentDirectory(), missing);
    }

    void ignoresWhatIsNoRootPath()
    {
        m_outline->setDrive("");
        m_outline->setDrive("relative/path");
        m_outline->setDrive(std::string("/tmp\0x", 6));
        QCOMPARE(m_outline->Drive(), m_tree->root());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("expansion");
        QTest::addColumn<int>("beeps");

        QTest::newRow("Left on the root beeps") << "Left" << "." << "" << 1;
        QTest::newRow("Right on a collapsed entry beeps") << "Right" << "." << "" << 1;
        QTest::newRow("Ctrl+Up on the only top-level entry beeps") << "C-Up" << "." << "" << 1;
        QTest::newRow("Ctrl+Down on the only top-level entry beeps") << "C-Down" << "." << "" << 1;
        QTest::newRow("Up at the top is silent") << "Up" << "." << "" << 0;
        QTest::newRow("+ expands, Right takes the first sub-entry") << "+ Right" << "_c" << "." << 0;
        QTest::newRow("Down moves one entry") << "+ Down Down" << "A" << "." << 0;
        QTest::newRow("Down at the bottom is silent") << "+ End Down" << "b" << "." << 0;
        QTest::newRow("End takes the last visible entry") << "+ Down Down + End" << "b" << ".,A" << 0;
        QTest::newRow("Home takes the root") << "+ End Home" << "." << "." << 0;
        QTest::newRow("Left takes the parent") << "+ Down Down + Right Left" << "A" << ".,A" << 0;
        QTest::newRow("Right on an entry without sub-entries beeps") << "+ End + Right" << "b" << ".,b" << 1;
        QTest::newRow("Ctrl+Down takes the next at the same level") << "+ Down Down + C-Down" << "b" << ".,A" << 0;
        QTest::newRow("Ctrl+Up takes the previous at the same level") << "+ End C-Up C-Up" << "_c" << "." << 0;
        QTest::newRow("Ctrl+Down at the last of a level beeps") << "+ End C-Down" << "b" << "." << 1;
        QTest::newRow("Ctrl+Up at the first of a level beeps") << "+ Right C-Up" << "_c" << "." << 1;
        QTest::newRow("- collapses the selected entry") << "+ -" << "." << "" << 0;
        QTest::newRow("- on a collapsed entry does nothing") << "-" << "." << "" << 0;
        QTest::newRow("Enter toggles") << "Enter" << "." << "." << 0;
        QTest::newRow("Enter toggles back") << "Enter Enter" << "." << "" << 0;
        QTest::newRow("Keypad Enter toggles") << "KP-Enter" << "." << "." << 0;
        QTest::newRow("* expands only what was read") << "+ Down Down + - Home - *" << "." << ".,A" << 0;
        QTest::newRow("* reads nothing new") << "*" << "." << "" << 0;
        QTest::newRow("* works from the selected entry") << "+ Down Down + - Down *" << "b" << "." << 0;
        QTest::newRow("Ctrl+keypad * works from the root") << "+ Down Down + - Down KP-C-*" << "b" << ".,A" << 0;
        QTest::newRow("Page Down and Page Up") << "+ PgDn" << "b" << "." << 0;
        QTest::newRow("Page Up returns") << "+ PgDn PgUp" << "." << "." << 0;
    }

    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, selection);
        QFETCH(QString, expansion);
        QFETCH(int, beeps);

        for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            static const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> table = {
                {"Up", {Qt::Key_Up, {}}},
                {"Down", {Qt::Key_Down, {}}},
                {"C-Up", {Qt::Key_Up, Qt::ControlModifier}},
                {"C-Down", {Qt::Key_Down, Qt::ControlModifier}},
                {"Left", {Qt::Key_Left, {}}},
                {"Right", {Qt::Key_Right, {}}},
                {"Home", {Qt::Key_Home, {}}},
                {"End", {Qt::Key_End, {}}},
                {"PgUp", {Qt::Key_PageUp, {}}},
                {"PgDn", {Qt::Key_PageDown, {}}},
                {"+", {Qt::Key_Plus, {}}},
                {"-", {Qt::Key_Minus, {}}},
                {"*", {Qt::Key_Asterisk, {}}},
                {"KP-C-*", {Qt::Key_Asterisk, Qt::ControlModifier | Qt::KeypadModifier}},
                {"Enter", {Qt::Key_Return, {}}},
                {"KP-Enter", {Qt::Key_Enter, Qt::KeypadModifier}},
            };
            QVERIFY2(table.contains(key), qPrintable(key));
            QTest::keyClick(m_outline.get(), table[key].first, table[key].second);
        }
        QCOMPARE(selected(), selection);
        QCOMPARE(expanded(), expansion);
        QCOMPARE(m_beeps, beeps);
        QCOMPARE(m_outline->Directory(), m_outline->rowPath(m_outline->selectedRow()));
        QCOMPARE(currentDirectory(), m_outline->Directory());
    }

    void selectsWhenTheButtonIsReleased()
    {
        m_outline->expandRow(0);
        QWidget* area = m_outline->viewport();
        const QPoint onA(40, 2 * m_outline->ItemHeight() + 5);
        QTest::mousePress(area, Qt::LeftButton, {}, onA);
        QCOMPARE(selected(), QStringLiteral("."));
        QTest::mouseRelease(area, Qt::LeftButton, {}, onA);
        QCOMPARE(selected(), QStringLiteral("A"));
        QCOMPARE(currentDirectory(), m_tree->path("A"));

        // Below the last entry nothing happens.
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(40, 90));
        QCOMPARE(selected(), QStringLiteral("A"));
    }

    void doubleClickToggles()
    {
        m_outline->expandRow(0);
        QWidget* area = m_outline->viewport();
        const QPoint onA(40, 2 * m_outline->ItemHeight() + 5);
        QTest::mouseDClick(area, Qt::LeftButton, {}, onA);
        QCOMPARE(selected(), QStringLiteral("A"));
        QCOMPARE(expanded(), QStringLiteral(".,A"));
        QTest::mouseDClick(area, Qt::LeftButton, {}, onA);
        QCOMPARE(expanded(), QStringLiteral("."));
    }

    void theWheelMovesTheSelection()
    {
        m_outline->expandRow(0);
        QWidget* area = m_outline->viewport();
        const QPoint at(40, 20);
        auto wheel = [&](int delta) {
            QWheelEvent event(at, area->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(area, &event);
        };
        wheel(-240);
        QCOMPARE(selected(), QStringLiteral("A"));
        wheel(120);
        QCOMPARE(selected(), QStringLiteral("_c"));
        QCOMPARE(currentDirectory(), m_tree->path("_c"));
    }

    void picturesFollowTheEntries()
    {
        using Picture = TDirectoryOutline::Picture;
        QCOMPARE(m_outline->rowPicture(0), Picture::Leaf);  // not read yet
        m_outline->expandRow(0);
        QCOMPARE(m_outline->rowPicture(0), Picture::Open);
        m_outline->expandRow(rowNamed("b"));  // no sub-directories
        QCOMPARE(m_outline->rowPicture(rowNamed("b")), Picture::Leaf);
        m_outline->expandRow(rowNamed("A"));
        m_outline->collapseRow(rowNamed("A"));
        QCOMPARE(m_outline->rowPicture(rowNamed("A")), Picture::Closed);
    }

    void rowsAre13PixelsForAnEightPointFontAt96Dpi()
    {
        QFont font = m_outline->font();
        font.setPixelSize(11);
        m_outline->setFont(font);
        QCOMPARE(m_outline->ItemHeight(), 13);
    }

    void entersANameThatIsNotUtf8()
    {
        const std::string name = "caf\xe9";
        m_tree->dir(name);
        m_outline->expandRow(0);
        const int row = static_cast<int>(m_outline->rowCount()) - 1;
        QCOMPARE(m_outline->rowPath(row), m_tree->path(name));
        QVERIFY(m_outline->rowText(row).contains(QChar::ReplacementCharacter));
        m_outline->selectRow(row);
        QCOMPARE(m_outline->Directory(), m_tree->path(name));
        QCOMPARE(currentDirectory(), m_tree->path(name));
    }

    void aDirectoryGoneBeforeItIsReadGetsNoEntriesAndNoMessage()
    {
        m_outline->expandRow(0);
        QVERIFY(::rmdir(m_tree->path("b").c_str()) == 0);
        m_outline->expandRow(rowNamed("b"));
        QCOMPARE(rows(), (QStringList{".", "_c", "A", "b"}));
        QCOMPARE(m_outline->rowPicture(rowNamed("b")), TDirectoryOutline::Picture::Leaf);
        QCOMPARE(selected(), QStringLiteral("."));
    }

    void anUnreadableDirectoryGetsNoEntriesAndNoMessage()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every directory");
        ::chmod(m_tree->path("A").c_str(), 0);
        m_outline->expandRow(0);
        m_outline->expandRow(rowNamed("A"));
        QCOMPARE(rows(), (QStringList{".", "_c", "A", "b"}));
        ::chmod(m_tree->path("A").c_str(), 0755);
    }

    // Speed is measured in bench/ui; this checks that a large level is
    // listed whole, in order, and can be scrolled to its end.
    void listsALargeDirectoryWhole()
    {
        const int count = 3000;
        for (int i = 0; i < count; ++i)
            m_tree->dir("big/d" + std::to_string(i));
        m_outline->expandRow(0);
        m_outline->expandRow(rowNamed("big"));
        QCOMPARE(m_outline->rowCount(), 4 + 1 + count);
        const int first = rowNamed("big") + 1;
        QCOMPARE(m_outline->rowText(first), QStringLiteral("d0"));
        QCOMPARE(m_outline->rowText(first + 1), QStringLiteral("d1"));
        QCOMPARE(m_outline->rowText(first + 2), QStringLiteral("d10"));
        QTest::keyClick(m_outline.get(), Qt::Key_End);
        QCOMPARE(m_outline->verticalScrollBar()->value(), m_outline->verticalScrollBar()->maximum());
        QCOMPARE(selected(), QStringLiteral("big/d999"));
        QTest::keyClick(m_outline.get(), Qt::Key_Up);
        QCOMPARE(selected(), QStringLiteral("big/d998"));
    }
};

QTEST_MAIN(TDirectoryOutlineTest)
#include "tdirectoryoutline_test.moc"
