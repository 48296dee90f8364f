// Status bar with fixed-width text panels.
#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

namespace quorvel {

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel of `width` pixels; returns its index.
    int addPanel(int width, const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;

private:
    std::vector<QLabel*> panels_;
};

}  // namespace quorvel
