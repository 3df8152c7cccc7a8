#include "ui/tstatusbar.h"

#include <QApplication>
#include <QLabel>

namespace zorvane::ui {

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent), m_panel(new QLabel(this))
{
    // The bar keeps the system's status-bar font, not the form's: a font
    // with every attribute set does not follow the parent's.
    QFont font = QApplication::font("QStatusBar");
    font.setFamilies(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    font.setPointSizeF(font.pointSizeF());
    setFont(font);

    m_panel->setObjectName(QStringLiteral("Panel0"));
    m_panel->setAlignment(Qt::AlignCenter);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setTextInteractionFlags(Qt::NoTextInteraction);
    // The last panel extends to the bar's right end.
    addWidget(m_panel, 1);
    setSizeGripEnabled(true);
}

void TStatusBar::SetPanelText(const QString& text)
{
    m_panel->setText(text);
}

QString TStatusBar::PanelText() const
{
    return m_panel->text();
}

}  // namespace zorvane::ui
