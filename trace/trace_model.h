#pragma once
// The trace's rows for a table view: one row per entry of the ring, oldest first. The
// model follows the ring when refresh() is called (from the window's timer, never per
// transfer): rows that have left the ring are removed at the top, new ones added below.
#include "text/info_table.h"
#include "trace/trace_ring.h"

#include <QAbstractTableModel>
#include <optional>

class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Exchange, Length, Duration, Result, ColumnCount };

    explicit TraceModel(const TraceRing& ring, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes in what the ring gained and lost since the last refresh.
    void refresh();
    void setLanguage(std::optional<Language> language);
    // The entry a row shows; null when it has left the ring since the last refresh.
    const TraceEntry* entryAt(int row) const;

private:
    const TraceRing& ring_;
    quint64 first_ = 0; // the entries the rows show: first_ … end_ − 1
    quint64 end_ = 0;
    std::optional<Language> language_;
};
