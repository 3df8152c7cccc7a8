// The drive picker with a fake list of volumes: its entries, its first
// drive, and how often it announces a drive, alone and linked to the tree as
// the main window links them.
#include "platform/current_directory.h"
#include "platform/in_out_error.h"
#include "support/test_tree.h"
#include "ui/tdirectoryoutline.h"
#include "ui/tdrivecombobox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using zorvane::platform::Volume;
using zorvane::platform::VolumeKind;
using zorvane::platform::currentDirectory;
using zorvane::platform::setCurrentDirectory;
using zorvane::testing::TestTree;
using zorvane::ui::TDirectoryOutline;
using zorvane::ui::TDriveComboBox;

Q_DECLARE_METATYPE(Volume)

namespace {

Volume volume(std::string root, VolumeKind kind = VolumeKind::Fixed, std::string label = {})
{
    Volume v;
    v.root = v.name = std::move(root);
    v.kind = kind;
    v.label = std::move(label);
    return v;
}

}  // namespace

class TDriveComboBoxTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestTree> m_tree;
    std::vector<Volume> m_volumes;
    int m_listed = 0;

    std::unique_ptr<TDriveComboBox> newPicker()
    {
        return std::make_unique<TDriveComboBox>(nullptr, [this] {
            ++m_listed;
            return m_volumes;
        });
    }

private slots:
    void init()
    {
        m_tree = std::make_unique<TestTree>();
        m_tree->dir("one/sub");
        m_tree->dir("two");
        m_volumes = {volume("/", VolumeKind::Fixed, "System"), volume(m_tree->path("one"), VolumeKind::Removable, "Stick"),
                     volume(m_tree->path("two"), VolumeKind::Optical)};
        m_listed = 0;
        setCurrentDirectory(m_tree->path("one/sub"));
    }

    void cleanup()
    {
        setCurrentDirectory("/");
        m_tree.reset();
    }

    void entryTexts_data()
    {
        QTest::addColumn<Volume>("volume");
        QTest::addColumn<QString>("text");
        Volume usb = volume("/media/usb", VolumeKind::Removable, "My Stick");
        QTest::newRow("label lower-cased in brackets") << usb << "/media/usb [my stick]";
        QTest::newRow("no label gives empty brackets") << volume("/", VolumeKind::Fixed) << "/ []";
        Volume share = volume("/mnt/share", VolumeKind::Network, "ignored");
        share.remote = "Server:/Export";
        QTest::newRow("network shows its remote source") << share << "/mnt/share server:/export";
        Volume unknownShare = volume("/mnt/nfs", VolumeKind::Network, "NFS");
        QTest::newRow("network without a source shows its label") << unknownShare << "/mnt/nfs [nfs]";
        Volume floppy = volume("a:\\", VolumeKind::Removable);
        floppy.name = "a:";
        floppy.labelRead = false;
        QTest::newRow("removable drive letter, medium untouched") << floppy << "a:";
        Volume system = volume("c:\\", VolumeKind::Fixed, "SYSTEM");
        system.name = "c:";
        QTest::newRow("fixed drive letter with its label") << system << "c: [system]";
    }

    void entryTexts()
    {
        QFETCH(Volume, volume);
        QFETCH(QString, text);
        QCOMPARE(TDriveComboBox::entryText(volume), text);
    }

    void startsAtTheVolumeOfTheCurrentDirectory()
    {
        auto picker = newPicker();
        QCOMPARE(picker->Drive(), m_tree->path("one"));
        QVERIFY(!picker->isEditable());
    }

    void fallsBackToTheFirstFixedVolume()
    {
        m_volumes = {volume(m_tree->path("two"), VolumeKind::Optical), volume(m_tree->path("one"), VolumeKind::Fixed)};
        setCurrentDirectory("/");
        auto picker = newPicker();
        QCOMPARE(picker->Drive(), m_tree->path("one"));
    }

    void announcesOnceWhenItsWindowIsCreated()
    {
        auto picker = newPicker();
        QSignalSpy changes(picker.get(), &TDriveComboBox::changed);
        QCOMPARE(changes.count(), 0);
        picker->show();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(picker->count(), 3);
        QCOMPARE(picker->currentIndex(), 1);
        QCOMPARE(picker->currentText(), QString::fromStdString(m_tree->path("one") + " [stick]"));
        QCOMPARE(picker->iconSize(), QSize(16, 11));

        // Showing again is no new window; re-creating it is.
        picker->hide();
        picker->show();
        QCOMPARE(changes.count(), 1);
        picker->recreateWindow();
        QCOMPARE(changes.count(), 2);
        QFont font = picker->font();
        font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() + 3 : 15);
        picker->setFont(font);
        QCOMPARE(changes.count(), 3);
        QCOMPARE(picker->Drive(), m_tree->path("one"));
    }

    void theListIsReadWhenTheWindowIsCreated()
    {
        auto picker = newPicker();
        picker->show();
        m_volumes.push_back(volume(m_tree->path("three")));
        QCOMPARE(picker->count(), 3);
        picker->recreateWindow();
        QCOMPARE(picker->count(), 4);
    }

    void announcesAUserSelectionTwiceWhenItChangesTheDrive()
    {
        auto picker = newPicker();
        picker->show();
        QSignalSpy changes(picker.get(), &TDriveComboBox::changed);
        QTest::keyClick(picker.get(), Qt::Key_Down);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(picker->Drive(), m_tree->path("two"));
        QTest::keyClick(picker.get(), Qt::Key_Up);
        QTest::keyClick(picker.get(), Qt::Key_Up);
        QCOMPARE(changes.count(), 6);
        QCOMPARE(picker->Drive(), std::string("/"));
    }

    void theWheelOnTheClosedListSelectsEachDriveItPasses()
    {
        auto picker = newPicker();
        picker->show();
        QSignalSpy changes(picker.get(), &TDriveComboBox::changed);
        const QPoint at(10, 5);
        QWheelEvent notch(at, picker->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(picker.get(), &notch);
        QCOMPARE(picker->Drive(), m_tree->path("two"));
        QCOMPARE(changes.count(), 2);
    }

    void theSystemListAlwaysHoldsTheRoot()
    {
        // Only what holds on every machine: the filter keeps "/", first.
        const auto volumes = TDriveComboBox::systemVolumes();
        QVERIFY(!volumes.empty());
        QCOMPARE(volumes.front().root, std::string("/"));
    }

    void announcesAUserSelectionOfTheSameDriveOnce()
    {
        auto picker = newPicker();
        picker->show();
        QSignalSpy changes(picker.get(), &TDriveComboBox::changed);
        // The same drive chosen again from the open list.
        picker->showPopup();
        QTest::keyClick(picker->view(), Qt::Key_Return);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(picker->Drive(), m_tree->path("one"));
    }

    void aFailedFirstAnnouncementIsNotRepeated()
    {
        auto picker = newPicker();
        int calls = 0;
        picker->show();
        QObject::connect(picker.get(), &TDriveComboBox::changed, [&] {
            ++calls;
            throw std::runtime_error("cannot enter");
        });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, QTest::keyClick(picker.get(), Qt::Key_Down));
        QCOMPARE(calls, 1);
    }

    // The main window's link: dcbDrivesChange sets the tree's drive.
    void givesTheTreeItsFirstDriveAndEachChosenOne()
    {
        auto picker = newPicker();
        TDirectoryOutline outline;
        int handled = 0;
        QObject::connect(picker.get(), &TDriveComboBox::changed, [&] {
            ++handled;
            outline.setDrive(picker->Drive());
        });
        picker->show();
        outline.show();
        QCOMPARE(handled, 1);
        QCOMPARE(outline.Drive(), m_tree->path("one"));
        QCOMPARE(outline.Directory(), m_tree->path("one"));
        QCOMPARE(currentDirectory(), m_tree->path("one"));

        QTest::keyClick(picker.get(), Qt::Key_Down);
        QCOMPARE(handled, 3);
        QCOMPARE(outline.Drive(), m_tree->path("two"));
        QCOMPARE(currentDirectory(), m_tree->path("two"));
    }

    void aDriveThatCannotBeEnteredLeavesTheTreeAndIsRetried()
    {
        m_volumes.push_back(volume(m_tree->path("zz-missing"), VolumeKind::Removable));
        auto picker = newPicker();
        TDirectoryOutline outline;
        QObject::connect(picker.get(), &TDriveComboBox::changed, [&] { outline.setDrive(picker->Drive()); });
        picker->show();
        QTest::keyClick(picker.get(), Qt::Key_Down);  // two
        try {
            QTest::keyClick(picker.get(), Qt::Key_Down);  // zz-missing
            QFAIL("no error");
        } catch (const zorvane::platform::InOutError& error) {
            QCOMPARE(error.what(), "File not found");
        }
        QCOMPARE(picker->Drive(), m_tree->path("zz-missing"));
        QCOMPARE(outline.Drive(), m_tree->path("two"));
        QCOMPARE(outline.Directory(), m_tree->path("two"));
        QCOMPARE(currentDirectory(), m_tree->path("two"));

        // Choosing it again, once its medium is in, enters it.
        m_tree->dir("zz-missing");
        picker->showPopup();
        QTest::keyClick(picker->view(), Qt::Key_Return);
        QCOMPARE(outline.Drive(), m_tree->path("zz-missing"));
    }
};

QTEST_MAIN(TDriveComboBoxTest)
#include "tdrivecombobox_test.moc"
