#include "app/widgets/status_line.h"

#include <QLabel>
#include <iterator>

namespace {
// Design widths of the panels; the last one stretches over the rest of the line.
constexpr int kPanelWidths[] = {300, 50, 50};
} // namespace

TStatusLine::TStatusLine(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    const int count = int(std::size(kPanelWidths));
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("panel%1").arg(i));
        label->setMinimumWidth(kPanelWidths[i]);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addWidget(label, i == count - 1 ? 1 : 0);
        panels_.append(label);
    }
    setPanelText(0, QStringLiteral("Version: "));
}

QString TStatusLine::panelText(int panel) const {
    if (panel < 0 || panel >= panels_.size())
        return {};
    return panels_[panel]->text();
}

void TStatusLine::setPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= panels_.size())
        return;
    panels_[panel]->setText(text);
    // A long file path in the last panel stays readable in full as a tooltip.
    panels_[panel]->setToolTip(text.trimmed().isEmpty() ? QString() : text);
}
