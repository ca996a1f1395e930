#pragma once
// The controller's operating state as a strip of six owner-drawn panels: start, run-up,
// normal operation, power reduction, error, standby. At most one panel is lit: its text
// is drawn in the lit colour (blue or red), every other panel's text in grey.
//
// Panel widths are the design widths 1, 160, 160, 160, 120 and 140 px, each widened to
// its text where the text (drawn 10 px right of and 2 px below the panel's corner) would
// not fit; the last panel takes any width left over. Panel 0 stays one pixel wide, so its
// text, drawn all the same, is clipped away as on the original display.
#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

class TStateStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;
    static QColor unlitColor() { return QColor(128, 128, 128); }

    explicit TStateStrip(QWidget* parent = nullptr);

    // Missing texts are empty; extra ones are ignored.
    void setPanelTexts(const QStringList& texts);
    QString panelText(int panel) const;

    // Lights one panel in the given colour (−1 or an index outside 0…5 lights none).
    void setLit(int panel, const QColor& color);
    void clearLit() { setLit(-1, QColor()); }
    int litPanel() const { return lit_; }
    QColor litColor() const { return litColor_; }

    // Left edge and width of each panel at the strip's current width.
    QRect panelRect(int panel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QVector<int> preferredWidths() const;

    QStringList texts_;
    int lit_ = -1;
    QColor litColor_;
};
