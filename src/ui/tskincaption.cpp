#include "ui/tskincaption.h"

namespace zorvane::ui {

TSkinCaption::TSkinCaption(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("SkinCaption1"));
}

}  // namespace zorvane::ui
