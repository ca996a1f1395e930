// The measurement page: the grid of raw RAM words, its headings, column widths,
// highlighted rows and emptying, and the names and norms of the variable tables.
#include "app/hauptfenster.h"
#include "live/ram_table.h"

#include <QEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

// The words of the voltage calibration stand out on pale green.
const QColor kHighlight(192, 220, 192);

// Standard painting of every cell, then the window's own painting of the highlighted ones.
class MeasurementCellDelegate : public QStyledItemDelegate {
public:
    MeasurementCellDelegate(THauptfenster* window, QObject* parent)
        : QStyledItemDelegate(parent), window_(window) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        window_->StringGrid2DrawCell(index.column(), index.row(), option.rect, painter);
    }

private:
    THauptfenster* window_;
};

// Runs TabSheet4Show when the measurement page is shown and when its grid changes size
// while shown, so the name column follows the window.
class MeasurementPageWatcher : public QObject {
public:
    explicit MeasurementPageWatcher(THauptfenster* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((watched == window_->TabSheet4 && event->type() == QEvent::Show) ||
            (watched == window_->StringGrid2 && event->type() == QEvent::Resize &&
             window_->StringGrid2->isVisible()))
            window_->TabSheet4Show();
        return false;
    }

private:
    THauptfenster* window_;
};

} // namespace

void THauptfenster::init_ram_table() {
    initRamTables(Ram_Data, Ram_Data_Old, Eep_Data);
}

void THauptfenster::wireMeasurementPage() {
    StringGrid2->setItemDelegate(new MeasurementCellDelegate(this, StringGrid2));
    auto* watcher = new MeasurementPageWatcher(this);
    TabSheet4->installEventFilter(watcher);
    StringGrid2->installEventFilter(watcher);
}

void THauptfenster::TabSheet4Show() {
    const std::array<int, 7> widths = measurementColumnWidths(StringGrid2->width());
    for (int c = 0; c < 7; ++c)
        StringGrid2->setColumnWidth(c, widths[std::size_t(c)]);
}

void THauptfenster::StringGridLeer() {
    // Every data row of every column, the address column included; the headings stay.
    for (int c = 0; c < StringGrid2->columnCount(); ++c) {
        for (int r = 1; r < StringGrid2->rowCount(); ++r)
            StringGrid2->item(r, c)->setText(QString());
    }
}

void THauptfenster::StringGrid2DrawCell(int ACol, int ARow, const QRect& Rect, QPainter* Canvas) {
    if (!isHighlightedMeasurementCell(ARow, ACol))
        return;
    const QTableWidgetItem* cell = StringGrid2->item(ARow, ACol);
    Canvas->save();
    Canvas->fillRect(Rect, kHighlight);
    Canvas->setFont(StringGrid2->font());
    Canvas->setPen(StringGrid2->palette().color(QPalette::Text));
    Canvas->drawText(Rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     cell ? cell->text() : QString());
    Canvas->restore();
}
