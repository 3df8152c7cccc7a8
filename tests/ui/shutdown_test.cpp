// The real program, run in a subprocess on the offscreen platform: closing
// its window from the close button or the caption ends it with exit code 0.
#include "app/tapplication.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class ShutdownTest : public QObject {
    Q_OBJECT
private slots:
    void closingEndsWithExitCodeZero_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("report");
        QTest::newRow("close button") << "click=btnClose" << "zorvaneclicker: clicking btnClose";
        QTest::newRow("caption close box") << "close" << "zorvaneclicker: closing Zorvanev1.2";
    }

    void closingEndsWithExitCodeZero()
    {
        QFETCH(QString, action);
        QFETCH(QString, report);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_PLUGIN_PATH", ZORVANE_TEST_PLUGIN_PATH);
        environment.insert("QT_QPA_GENERIC_PLUGINS", "zorvaneclicker:" + action);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QDir::tempPath());
        program.start(ZORVANE_PROGRAM, QStringList());
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            QFAIL("the program did not end after its window was closed");
        }
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(errors.contains(report), qPrintable(errors));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    ShutdownTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shutdown_test.moc"
