#include "app/widgets/lamp_shape.h"

#include <QPainter>

TLampShape::TLampShape(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TLampShape::setBrushColor(const QColor& color) {
    if (color == brush_)
        return;
    brush_ = color;
    update();
}

QSize TLampShape::sizeHint() const {
    // As tall as a line of text, so a lamp lines up with its caption at any font size.
    const int d = qMax(12, fontMetrics().height());
    return {d, d};
}

void TLampShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int d = qMin(width(), height()) - 2;
    const QRectF circle((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.0));
    painter.setBrush(brush_);
    painter.drawEllipse(circle);
}
