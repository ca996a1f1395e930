#include "app/widgets/state_strip.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
constexpr int kDesignWidths[TStateStrip::kPanelCount] = {1, 160, 160, 160, 120, 140};
constexpr int kTextLeft = 10; // text offset from the panel's top-left corner
constexpr int kTextTop = 2;
constexpr int kTextRight = 8; // room kept after the text when a panel is widened
} // namespace

TStateStrip::TStateStrip(QWidget* parent) : QWidget(parent) {
    texts_.resize(kPanelCount);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TStateStrip::setPanelTexts(const QStringList& texts) {
    for (int i = 0; i < kPanelCount; ++i)
        texts_[i] = i < texts.size() ? texts[i] : QString();
    updateGeometry();
    update();
}

void TStateStrip::setPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= kPanelCount)
        return;
    texts_[panel] = text;
    updateGeometry();
    update();
}

QString TStateStrip::panelText(int panel) const {
    return panel >= 0 && panel < kPanelCount ? texts_[panel] : QString();
}

void TStateStrip::setPanelPainter(PanelPainter painter) {
    panelPainter_ = std::move(painter);
    update();
}

void TStateStrip::drawPanelText(QPainter& canvas, int panel, const QRect& rect) const {
    const QRect textRect = rect.adjusted(kTextLeft, kTextTop, 0, 0);
    canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, panelText(panel));
}

QVector<int> TStateStrip::preferredWidths() const {
    QVector<int> widths(kPanelCount);
    const QFontMetrics fm = fontMetrics();
    for (int i = 0; i < kPanelCount; ++i) {
        widths[i] = kDesignWidths[i];
        if (kDesignWidths[i] > 1)
            widths[i] = qMax(widths[i], kTextLeft + fm.horizontalAdvance(texts_[i]) + kTextRight);
    }
    return widths;
}

QRect TStateStrip::panelRect(int panel) const {
    if (panel < 0 || panel >= kPanelCount)
        return {};
    const QVector<int> widths = preferredWidths();
    int total = 0;
    for (int w : widths)
        total += w;
    // Narrower than wanted: every panel gives up its share; wider: the last panel grows.
    const double scale = width() < total ? double(width()) / total : 1.0;
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += int(widths[i] * scale);
    int w = int(widths[panel] * scale);
    if (panel == kPanelCount - 1)
        w = qMax(w, width() - left);
    return {left, 0, w, height()};
}

QSize TStateStrip::sizeHint() const {
    int total = 0;
    for (int w : preferredWidths())
        total += w;
    return {total, fontMetrics().height() + 2 * kTextTop + 4};
}

QSize TStateStrip::minimumSizeHint() const {
    return {100, sizeHint().height()};
}

void TStateStrip::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void TStateStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < kPanelCount; ++i) {
        const QRect r = panelRect(i);
        if (r.width() <= 0)
            continue;
        // Each panel is a sunken field, as the panels of a status bar.
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = r.adjusted(0, 0, -1, -1);
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        frame.frameShape = QFrame::Panel;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

        painter.save();
        painter.setClipRect(r);
        if (panelPainter_) {
            panelPainter_(painter, i, r);
        } else {
            painter.setPen(unlitColor());
            drawPanelText(painter, i, r);
        }
        painter.restore();
    }
}
