#include "ui/tskindata.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QWidget>

namespace zorvane::ui {

namespace {

bool hasTag(const QWidget* widget, int tag)
{
    bool ok = false;
    const int value = widget->property("tag").toInt(&ok);
    return ok && value == tag;
}

}  // namespace

bool TSkinData::anySkinActive(const TSkinData* except)
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        for (const TSkinData* skin : window->findChildren<TSkinData*>()) {
            if (skin != except && skin->Active())
                return true;
        }
    }
    return false;
}

TSkinData::TSkinData(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("SkinData1"));
    SetActive(true);
}

TSkinData::~TSkinData()
{
    if (!m_active)
        return;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    app->removeEventFilter(this);
    m_active = false;
    // The window that owns this skin is being torn down and cannot be
    // searched now; whether another skin still needs the sheet is decided
    // once control is back in the event loop.
    QMetaObject::invokeMethod(app, [app] {
        if (!anySkinActive(nullptr))
            app->setStyleSheet(QString());
    }, Qt::QueuedConnection);
}

QString TSkinData::StyleSheet()
{
    QFile file(QStringLiteral(":/skin/zorvane.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool TSkinData::Skinnable(const QWidget* widget) const
{
    // A control with the tag stays as it is, with everything inside it (a
    // list's scroll bars, a combo box's drop-down); so does every control of
    // a window with the tag.
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (hasTag(w, m_disableTag))
            return false;
    }
    return widget->isWindow()
        || qobject_cast<const QAbstractButton*>(widget) != nullptr
        || qobject_cast<const QComboBox*>(widget) != nullptr
        || qobject_cast<const QLineEdit*>(widget) != nullptr
        || qobject_cast<const QScrollBar*>(widget) != nullptr
        || qobject_cast<const QAbstractScrollArea*>(widget) != nullptr
        || qobject_cast<const QStatusBar*>(widget) != nullptr
        || qobject_cast<const QMenu*>(widget) != nullptr;
}

void TSkinData::SetActive(bool active)
{
    if (active == m_active)
        return;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    m_active = active;
    if (active) {
        // Widgets polished before now are marked here, later ones as they
        // are polished; setting the sheet then polishes every widget again.
        app->installEventFilter(this);
        for (QWidget* widget : QApplication::allWidgets())
            mark(widget);
        const QString sheet = StyleSheet();
        if (app->styleSheet() != sheet)
            app->setStyleSheet(sheet);
    } else {
        app->removeEventFilter(this);
        if (!anySkinActive(this))
            app->setStyleSheet(QString());
    }
}

bool TSkinData::mark(QWidget* widget)
{
    QString kind;
    if (Skinnable(widget))
        kind = widget->isWindow() ? QStringLiteral("window") : QStringLiteral("control");
    if (widget->property(kSkinnedProperty).toString() == kind)
        return false;
    widget->setProperty(kSkinnedProperty, kind);
    return true;
}

bool TSkinData::eventFilter(QObject* watched, QEvent* event)
{
    // A widget is polished before it is first shown; a mark set at that
    // point needs the style to look at the widget once more.
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (mark(widget)) {
            widget->style()->unpolish(widget);
            widget->style()->polish(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zorvane::ui
