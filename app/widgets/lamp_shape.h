#pragma once
// A status lamp: a circle filled with the lamp colour (green, yellow or red when on,
// grey when off, silver after a display reset) with a thin dark rim.
#include <QColor>
#include <QWidget>

class TLampShape : public QWidget {
    Q_OBJECT
public:
    static QColor silver() { return QColor(192, 192, 192); }

    explicit TLampShape(QWidget* parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = silver();
};
