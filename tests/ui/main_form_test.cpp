// The main window as it is stored (controls, texts, tab order, size and
// place), its skin, and the error display as the window's handlers meet it.
#include "app/tapplication.h"
#include "ui/form.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>

using zorvane::ui::MainForm;
using zorvane::ui::TMainForm;

namespace {

// What the error display showed.
struct ShownBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QString boxSkin;
    QString okButtonSkin;
    std::function<void()> whileOpen;
};

// Waits for the next message box, notes what it shows and presses its OK
// button, as a user would.
void closeNextMessageBox(ShownBox& seen, int triesLeft = 500)
{
    QTimer::singleShot(10, [&seen, triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            if (triesLeft > 0)
                closeNextMessageBox(seen, triesLeft - 1);
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.modal = box->isModal() && box->windowModality() == Qt::ApplicationModal;
        seen.boxSkin = box->property(zorvane::ui::TSkinData::kSkinnedProperty).toString();
        seen.okButtonSkin = box->button(QMessageBox::Ok)->property(zorvane::ui::TSkinData::kSkinnedProperty).toString();
        if (seen.whileOpen)
            seen.whileOpen();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

QString textOf(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* bar = qobject_cast<const zorvane::ui::TStatusBar*>(control))
        return bar->PanelText();
    return {};
}

const QString kAppTitle = QStringLiteral("zorvane_main_form_tests");

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_form = std::make_unique<TMainForm>();
        QCOMPARE(MainForm, m_form.get());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanupTestCase()
    {
        m_form.reset();
        QCOMPARE(MainForm, nullptr);
    }

    void window()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Zorvanev1.2"));
        QCOMPARE(m_form->size(), QSize(408, 352));
        QCOMPARE(m_form->font().pointSize(), 8);
        QCOMPARE(m_form->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(m_form->font().styleHint(), QFont::SansSerif);
        QCOMPARE(m_form->lbFiles->ItemHeight(), 13);
        QCOMPARE(m_form->stat1->PanelText(), QStringLiteral("https://zorvane.example"));
        QCOMPARE(m_form->stat1->Panel()->alignment(), Qt::AlignCenter);
        QVERIFY(m_form->stat1->isSizeGripEnabled());
    }

    void fieldsKeepTheirNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"dcbDrives", "edtFileMask", "lblFileMask", "btnSearchForFiles", "lbFiles",
                                 "dolDirectories", "Label1", "btnClose", "SkinData1", "SkinCaption1", "stat1"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void fieldsKeepTheirNames()
    {
        QFETCH(QString, name);
        QVERIFY(m_form->findChild<QObject*>(name) != nullptr);
    }

    void control_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tab");  // -1: not in the tab order

        QTest::newRow("lblFileMask") << "lblFileMask" << QRect(260, 0, 60, 13) << "文件名称：" << -1;
        QTest::newRow("Label1") << "Label1" << QRect(24, 0, 60, 13) << "搜索路径：" << -1;
        QTest::newRow("dcbDrives") << "dcbDrives" << QRect(28, 24, 213, 19) << "" << 0;
        QTest::newRow("edtFileMask") << "edtFileMask" << QRect(260, 24, 141, 21) << "*.pas" << 1;
        QTest::newRow("btnSearchForFiles") << "btnSearchForFiles" << QRect(328, 68, 73, 33) << "搜索" << 2;
        QTest::newRow("lbFiles") << "lbFiles" << QRect(24, 188, 377, 137) << "" << 3;
        QTest::newRow("dolDirectories") << "dolDirectories" << QRect(28, 52, 213, 121) << "" << 4;
        QTest::newRow("btnClose") << "btnClose" << QRect(328, 116, 73, 33) << "关闭" << 5;
        QTest::newRow("stat1") << "stat1" << QRect(0, 328, 408, 24) << "https://zorvane.example" << -1;
    }

    void control()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, tab);

        auto* control = m_form->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget(), m_form.get());
        QCOMPARE(control->geometry(), geometry);
        QVERIFY(control->isVisible());
        if (!text.isEmpty() || qobject_cast<QLabel*>(control) != nullptr)
            QCOMPARE(textOf(control), text);

        if (tab < 0) {
            QVERIFY((control->focusPolicy() & Qt::TabFocus) == 0);
            return;
        }
        // Tab from the first control reaches this one after `tab` presses.
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_form->dcbDrives->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), m_form->dcbDrives);
        for (int i = 0; i < tab; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control);
    }

    void tabWrapsToTheDrivePicker()
    {
        m_form->btnClose->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_form->btnClose, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_form->dcbDrives);
    }

    void firstShowGivesTheDrivePickerTheFocus()
    {
        {
            TMainForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(QApplication::focusWidget(), form.dcbDrives);
        }
        MainForm = m_form.get();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void firstShowCentresOnThePrimaryScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = m_form->frameGeometry();
        QCOMPARE(frame.x() - screen.x(), std::max(0, (screen.width() - frame.width()) / 2));
        QCOMPARE(frame.y() - screen.y(), std::max(0, (screen.height() - frame.height()) / 2));

        // Later showings keep the window where it is.
        m_form->move(10, 20);
        m_form->hide();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QCOMPARE(m_form->pos(), QPoint(10, 20));
    }

    void firstShowOfTheDrivePickerSetsTheTree()
    {
        QVERIFY(!m_form->dolDirectories->Drive().empty());
        QCOMPARE(m_form->dolDirectories->Drive(), m_form->dcbDrives->Drive());
        QCOMPARE(m_form->dolDirectories->Directory(), m_form->dcbDrives->Drive());
    }

    void enterAndEscapePressNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapePressNothing()
    {
        QFETCH(int, key);
        QVERIFY(!m_form->btnSearchForFiles->isDefault() && !m_form->btnSearchForFiles->autoDefault());
        QVERIFY(!m_form->btnClose->isDefault() && !m_form->btnClose->autoDefault());
        QSignalSpy search(m_form->btnSearchForFiles, &QPushButton::clicked);
        QSignalSpy close(m_form->btnClose, &QPushButton::clicked);
        m_form->lbFiles->Clear();
        m_form->lbFiles->Add("kept");
        m_form->edtFileMask->setFocus();
        QTest::keyClick(m_form->edtFileMask, Qt::Key(key));
        QCoreApplication::processEvents();
        QCOMPARE(search.count(), 0);
        QCOMPARE(close.count(), 0);
        QVERIFY(m_form->isVisible());
        QCOMPARE(m_form->lbFiles->Count(), 1);
        QCOMPARE(m_form->edtFileMask->text(), QStringLiteral("*.pas"));
    }

    void resizeRequestsAreRefused()
    {
        QCOMPARE(m_form->minimumSize(), QSize(408, 352));
        QCOMPARE(m_form->maximumSize(), QSize(408, 352));
        m_form->resize(600, 500);
        QCOMPARE(m_form->size(), QSize(408, 352));
        m_form->resize(200, 100);
        QCOMPARE(m_form->size(), QSize(408, 352));

        // Dragging the status bar's size grip.
        auto* grip = m_form->stat1->findChild<QSizeGrip*>();
        QVERIFY(grip != nullptr);
        const QPoint start = grip->rect().center();
        QTest::mousePress(grip, Qt::LeftButton, {}, start);
        QTest::mouseMove(grip, start + QPoint(60, 40));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, start + QPoint(60, 40));
        QCOMPARE(m_form->size(), QSize(408, 352));
    }

    void maskFieldIsReadWhole()
    {
        QCOMPARE(m_form->edtFileMask->maxLength(), 32767);
        m_form->edtFileMask->setText(QStringLiteral("  *.p s  "));
        QCOMPARE(m_form->edtFileMask->text(), QStringLiteral("  *.p s  "));
        m_form->edtFileMask->setText(QStringLiteral("*.pas"));
    }

    void skinMarksControlsButNotLabels()
    {
        QVERIFY(m_form->SkinData1->Active());
        QVERIFY(!qApp->styleSheet().isEmpty());
        const char* property = zorvane::ui::TSkinData::kSkinnedProperty;
        QCOMPARE(m_form->property(property).toString(), QStringLiteral("window"));
        for (QWidget* control : std::initializer_list<QWidget*>{m_form->dcbDrives, m_form->edtFileMask,
                                                                m_form->btnSearchForFiles, m_form->lbFiles,
                                                                m_form->dolDirectories, m_form->btnClose,
                                                                m_form->stat1})
            QCOMPARE(control->property(property).toString(), QStringLiteral("control"));
        QCOMPARE(m_form->lblFileMask->property(property).toString(), QString());
        QCOMPARE(m_form->Label1->property(property).toString(), QString());
        QCOMPARE(m_form->SkinCaption1->Active(), true);
    }

    void skinHonoursDisableTag()
    {
        const char* property = zorvane::ui::TSkinData::kSkinnedProperty;
        QCOMPARE(m_form->SkinData1->DisableTag(), 99);

        auto* tagged = new QPushButton(QStringLiteral("x"), m_form.get());
        tagged->setProperty("tag", 99);
        tagged->setGeometry(0, 0, 1, 1);
        tagged->show();
        QCOMPARE(tagged->property(property).toString(), QString());
        delete tagged;

        QWidget window;
        window.setProperty("tag", 99);
        auto* inside = new QPushButton(QStringLiteral("y"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.property(property).toString(), QString());
        QCOMPARE(inside->property(property).toString(), QString());

        QWidget plain;
        auto* skinned = new QPushButton(QStringLiteral("z"), &plain);
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        QCOMPARE(skinned->property(property).toString(), QStringLiteral("control"));

        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void windowIsTheSameWithTheSkinOff()
    {
        QList<QRect> before;
        const auto controls = m_form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* control : controls)
            before.append(control->geometry());
        const QImage skinned = m_form->grab().toImage();
        m_form->SkinData1->SetActive(false);
        QVERIFY(qApp->styleSheet().isEmpty());
        // The skin shows: the window looks different without it, the
        // labels' text aside.
        const QImage plain = m_form->grab().toImage();
        QCOMPARE(plain.size(), skinned.size());
        QVERIFY(plain != skinned);
        for (QWidget* control : std::initializer_list<QWidget*>{m_form->btnSearchForFiles, m_form->edtFileMask,
                                                                m_form->dcbDrives, m_form->stat1}) {
            const QRect area = control->geometry();
            QVERIFY2(plain.copy(area) != skinned.copy(area), qPrintable(control->objectName()));
        }
        QCoreApplication::processEvents();
        QCOMPARE(m_form->size(), QSize(408, 352));
        for (int i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
        m_form->SkinData1->SetActive(true);
        QVERIFY(!qApp->styleSheet().isEmpty());
        for (int i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
    }

    void errorFromTheSearchIsShownAndTheWindowRunsOn()
    {
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_form->lbFiles->Clear();
        m_form->lbFiles->SetCapacity(3);
        m_form->edtFileMask->setText(QStringLiteral("*"));

        ShownBox seen;
        closeNextMessageBox(seen);
        QTest::mouseClick(m_form->btnSearchForFiles, Qt::LeftButton);
        QTRY_VERIFY(seen.shown);
        QCOMPARE(seen.title, kAppTitle);
        QCOMPARE(seen.text, QStringLiteral("Unable to insert a line."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(seen.modal);

        // The lines appended before the error stay and are shown.
        QCOMPARE(m_form->lbFiles->Count(), 3);
        QTRY_COMPARE(m_form->lbFiles->model()->rowCount(), 3);

        // The window is usable again.
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(m_form->isVisible() && m_form->isEnabled());
        QTRY_VERIFY(m_form->isActiveWindow());
        m_form->edtFileMask->setFocus();
        m_form->edtFileMask->selectAll();
        QTest::keyClicks(m_form->edtFileMask, QStringLiteral("*.pas"));
        QCOMPARE(m_form->edtFileMask->text(), QStringLiteral("*.pas"));
        m_form->lbFiles->SetCapacity(INT_MAX);
    }

    void errorFromAnyHandlerAfterItsCleanUp()
    {
        bool cleanedUp = false;
        bool cleanedUpWhenShown = false;
        QPushButton button(QStringLiteral("fail"), m_form.get());
        button.setGeometry(0, 0, 10, 10);
        button.show();
        connect(&button, &QPushButton::clicked, this, [&cleanedUp] {
            struct CleanUp {
                bool& done;
                ~CleanUp() { done = true; }
            } cleanUp{cleanedUp};
            throw std::runtime_error("Cannot read drive q:");
        });
        ShownBox seen;
        seen.whileOpen = [&] { cleanedUpWhenShown = cleanedUp; };
        closeNextMessageBox(seen);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(seen.shown);
        QVERIFY(cleanedUpWhenShown);
        QCOMPARE(seen.title, kAppTitle);
        QCOMPARE(seen.text, QStringLiteral("Cannot read drive q:."));
        // The skin takes the program's message boxes too.
        QCOMPARE(seen.boxSkin, QStringLiteral("window"));
        QCOMPARE(seen.okButtonSkin, QStringLiteral("control"));

        // A second error is shown just the same.
        ShownBox again;
        closeNextMessageBox(again);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(again.shown);
        QCOMPARE(again.text, QStringLiteral("Cannot read drive q:."));
    }

    void closeButtonClosesTheWindow()
    {
        QTest::mouseClick(m_form->btnClose, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
    }

private:
    std::unique_ptr<TMainForm> m_form;
};

int main(int argc, char** argv)
{
    zorvane::app::TApplication application(argc, argv);
    // Closing the window under test must not end the test run.
    application.setQuitOnLastWindowClosed(false);
    MainFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_form_test.moc"
