#pragma once
// The controller's operating state as a strip of six owner-drawn panels: start, run-up,
// normal operation, power reduction, error, standby. The strip draws the sunken panel
// frames; the owner draws each panel's content (the window picks the text colour from
// the controller's state when the panel is painted). Without an owner's painter the texts
// are drawn in grey.
//
// Panel widths are the design widths 1, 160, 160, 160, 120 and 140 px, each widened to
// its text where the text (drawn 10 px right of and 2 px below the panel's corner) would
// not fit; the last panel takes any width left over. Panel 0 stays one pixel wide, so its
// text, drawn all the same, is clipped away as on the original display.
#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <functional>

class QPainter;

class TStateStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;
    static QColor unlitColor() { return QColor(128, 128, 128); }

    explicit TStateStrip(QWidget* parent = nullptr);

    // Missing texts are empty; extra ones are ignored.
    void setPanelTexts(const QStringList& texts);
    // One panel's text; a panel outside 0 … 5 is ignored.
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

    // Paints the content of one panel; the painter is clipped to the panel's rectangle.
    using PanelPainter = std::function<void(QPainter& canvas, int panel, const QRect& rect)>;
    void setPanelPainter(PanelPainter painter);
    // Draws a panel's text in the painter's current pen, 10 px right of and 2 px below the
    // panel's top-left corner.
    void drawPanelText(QPainter& canvas, int panel, const QRect& rect) const;

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
    PanelPainter panelPainter_;
};
