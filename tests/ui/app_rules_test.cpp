// The pure rules of start-up and the error display: the application title
// from the executable's path, and the period appended to error messages.
#include "app/application_title.h"
#include "app/error_display.h"
#include "app/tapplication.h"

#include <QTest>

#include <string>

using zorvane::app::ApplicationTitle;
using zorvane::app::WithPeriod;

namespace {
QByteArray bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}
}  // namespace

class AppRulesTest : public QObject {
    Q_OBJECT
private slots:
    void title_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QByteArray>("title");

        const QByteArray longName(300, 'A');
        QTest::newRow("cut at the first period") << QByteArray("/opt/tools/Tool.Search.EXE") << '/' << QByteArray("Tool");
        QTest::newRow("rest lower-cased") << QByteArray("/usr/bin/FINDER.exe") << '/' << QByteArray("Finder");
        QTest::newRow("Windows path") << QByteArray("C:\\Program Files\\FINDER.exe") << '\\' << QByteArray("Finder");
        QTest::newRow("first keeps lower case") << QByteArray("/work/build/zorvane") << '/' << QByteArray("zorvane");
        QTest::newRow("periods in the directory") << QByteArray("/a.b/c.d/MyApp") << '/' << QByteArray("Myapp");
        QTest::newRow("no directory") << QByteArray("NoDir.exe") << '/' << QByteArray("Nodir");
        QTest::newRow("backslash is a name byte on POSIX") << QByteArray("/x/A\\B.exe") << '/' << QByteArray("A\\b");
        QTest::newRow("name starting with a period") << QByteArray("/x/.Hidden") << '/' << QByteArray("");
        QTest::newRow("two-byte first character") << QByteArray("/x/ÄRGER.exe") << '/' << QByteArray("Ärger");
        QTest::newRow("two-byte lower first") << QByteArray("/x/éCOLE.exe") << '/' << QByteArray("école");
        QTest::newRow("three-byte characters") << QByteArray("/x/文件搜索.EXE") << '/' << QByteArray("文件搜索");
        QTest::newRow("four-byte first character") << QByteArray("/x/𝔸BC.exe") << '/' << QByteArray("𝔸bc");
        QTest::newRow("Greek") << QByteArray("/x/ΣΟΦΙΑ") << '/' << QByteArray("Σοφια");
        QTest::newRow("at most 255 characters") << ("/x/" + longName) << '/' << ("A" + QByteArray(254, 'a'));
    }

    void title()
    {
        QFETCH(QByteArray, path);
        QFETCH(char, separator);
        QFETCH(QByteArray, title);
        QCOMPARE(bytes(ApplicationTitle(path.toStdString(), separator)), title);
    }

    void titleOfThisProgram()
    {
        // This test executable is zorvane_app_rules_tests: "z" keeps its case.
        auto* application = static_cast<zorvane::app::TApplication*>(QCoreApplication::instance());
        QCOMPARE(bytes(application->Title()), QByteArray("zorvane_app_rules_tests"));
    }

    void period_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("shown");

        QTest::newRow("letter") << QByteArray("Unable to insert a line") << QByteArray("Unable to insert a line.");
        QTest::newRow("digit") << QByteArray("I/O error 21") << QByteArray("I/O error 21.");
        QTest::newRow("colon") << QByteArray("Cannot open:") << QByteArray("Cannot open:.");
        QTest::newRow("slash (0x2F)") << QByteArray("a/") << QByteArray("a/.");
        QTest::newRow("period") << QByteArray("Done.") << QByteArray("Done.");
        QTest::newRow("comma") << QByteArray("a,") << QByteArray("a,");
        QTest::newRow("hyphen") << QByteArray("a-") << QByteArray("a-");
        QTest::newRow("closing parenthesis") << QByteArray("(a)") << QByteArray("(a)");
        QTest::newRow("exclamation mark") << QByteArray("Stop!") << QByteArray("Stop!");
        QTest::newRow("space") << QByteArray("a ") << QByteArray("a ");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("two-byte character") << QByteArray("café") << QByteArray("café.");
        QTest::newRow("three-byte character") << QByteArray("无法插入行") << QByteArray("无法插入行.");
        QTest::newRow("full-width full stop") << QByteArray("完成。") << QByteArray("完成。.");
        QTest::newRow("four-byte character") << QByteArray("a𝔸") << QByteArray("a𝔸.");
        QTest::newRow("lone continuation byte") << QByteArray("\x80") << QByteArray("\x80.");
    }

    void period()
    {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, shown);
        QCOMPARE(bytes(WithPeriod(message.toStdString())), shown);
    }
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    AppRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_rules_test.moc"
