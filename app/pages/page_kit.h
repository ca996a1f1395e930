#pragma once
// The controls the window's pages are made of, each made the one way every page uses it.
// The makers only create and shape a control; captions come from the page's caption
// rows, and start-up values and formats from FormCreate.
#include <QString>
#include <QTime>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTimeEdit;
class QWidget;
class TLampShape;
class TUpDown;

namespace page_kit {

// Spacing inside groups and between them, in the style's units.
inline constexpr int kGroupSpacing = 6;

// A one-line caption.
QLabel* caption(QWidget* parent, const QString& text = QString());
// A caption that may wrap onto a second line in the longer languages.
QLabel* wrappingCaption(QWidget* parent);
// A read-out: a sunken field that shows a value, as wide as its widest sample text.
QLabel* readout(QWidget* parent, const QString& widestText);
// A number field as wide as `digits` characters.
QLineEdit* numberEdit(QWidget* parent, int digits, bool readOnly);
// An up-down of min … max by increment, at position; an associated edit shows the
// position.
TUpDown* upDown(QWidget* parent, int min, int max, int increment, int position,
                QLineEdit* associate = nullptr);
// An edit with its up-down directly at its right edge, as one cell of a grid.
QHBoxLayout* withUpDown(QLineEdit* edit, TUpDown* ud);
TLampShape* lamp(QWidget* parent);
QGroupBox* group(QWidget* parent, const QString& title = QString());
// A time-of-day picker that wraps round midnight.
QTimeEdit* timePicker(QWidget* parent, QTime time);
// An output that keeps its place in the layout while hidden, so nothing jumps when it
// appears.
void keepPlaceWhenHidden(QWidget* widget);
// A note in red and bold: hardware too old, communication error, training version.
void makeWarning(QLabel* label);
// A grid in the manner of the system's string grids: the heading row and column are cells
// with the button face, the rest are selectable, read-only cells.
QTableWidget* stringGrid(QWidget* parent, int columns, int rows, int defaultColumnWidth);

// Compact margins inside a group and on a page: the window has to hold a lot at
// 784 × 516.
template <typename Layout> Layout* compact(Layout* layout) {
    layout->setContentsMargins(8, 6, 8, 6);
    return layout;
}

} // namespace page_kit
