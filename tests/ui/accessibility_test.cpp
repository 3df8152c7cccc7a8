// Every control of the main window tells a screen reader what it is, and the
// program's icon is on its windows.
#include "app/tapplication.h"
#include "ui/form.h"

#include <QAccessible>
#include <QTest>

using zorvane::ui::TMainForm;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void controlsHaveAccessibleNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("drive picker") << "dcbDrives" << "Drive";
        QTest::newRow("mask field") << "edtFileMask" << "File mask";
        QTest::newRow("search button") << "btnSearchForFiles" << "Search";
        QTest::newRow("results list") << "lbFiles" << "Results";
        QTest::newRow("directory tree") << "dolDirectories" << "Directory tree";
        QTest::newRow("close button") << "btnClose" << "Close";
    }

    void controlsHaveAccessibleNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        TMainForm form;
        auto* widget = form.findChild<QWidget*>(control);
        QVERIFY(widget);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
    }

    void labelsKeepTheirTexts()
    {
        TMainForm form;
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("lblFileMask"))->text(), QStringLiteral("文件名称："));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("搜索路径："));
        QCOMPARE(form.btnSearchForFiles->text(), QStringLiteral("搜索"));
    }

    void windowsCarryTheProgramIcon()
    {
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.zorvane.Zorvane"));
        TMainForm form;
        QVERIFY(!form.windowIcon().isNull());
    }
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "accessibility_test.moc"
