#include "app/StatusBar.h"

#include <QLabel>

namespace quorvel {

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
}

int TStatusBar::addPanel(int width, const QString& text, Qt::Alignment alignment)
{
    auto* panel = new QLabel(text, this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(panels_.size()));
    panel->setTextFormat(Qt::PlainText);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment);
    panel->setFixedWidth(width);
    addWidget(panel);
    panels_.push_back(panel);
    return static_cast<int>(panels_.size()) - 1;
}

QString TStatusBar::panelText(int index) const
{
    return panels_.at(static_cast<std::size_t>(index))->text();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    panels_.at(static_cast<std::size_t>(index))->setText(text);
}

int TStatusBar::panelWidth(int index) const
{
    return panels_.at(static_cast<std::size_t>(index))->maximumWidth();
}

}  // namespace quorvel
