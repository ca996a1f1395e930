#include "trace/trace_model.h"

#include "text/trace_texts.h"
#include "trace/trace_rows.h"

#include <QColor>

TraceModel::TraceModel(const TraceRing& ring, QObject* parent)
    : QAbstractTableModel(parent), ring_(ring) {
    first_ = end_ = ring_.first();
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(end_ - first_);
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const TraceEntry* TraceModel::entryAt(int row) const {
    if (row < 0 || quint64(row) >= end_ - first_)
        return nullptr;
    return ring_.find(first_ + quint64(row));
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    const TraceEntry* entry = entryAt(index.row());
    if (!entry)
        return {};
    const TransferRecord& r = entry->record;
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Time:
            return traceTime(r.startMs);
        case Exchange:
            return exchangeName(language_, entry->exchange);
        case Length:
            return r.count;
        case Duration:
            return durationText(r);
        case Result:
            return resultText(language_, *entry);
        default:
            return {};
        }
    }
    if (role == Qt::ForegroundRole && (!r.sound() || entry->corrupted))
        return QColor(Qt::red);
    if (role == Qt::TextAlignmentRole && (index.column() == Length || index.column() == Duration))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static constexpr TraceText kHeaders[] = {TraceText::ColumnTime, TraceText::ColumnExchange,
                                             TraceText::ColumnLength, TraceText::ColumnDuration,
                                             TraceText::ColumnResult};
    if (section < 0 || section >= ColumnCount)
        return {};
    return traceText(language_, kHeaders[section]);
}

void TraceModel::refresh() {
    const quint64 first = ring_.first();
    const quint64 end = ring_.end();
    if (first > first_) {
        // Entries gone from the ring: their rows go first.
        const quint64 goneEnd = std::min(first, end_);
        if (goneEnd > first_) {
            beginRemoveRows({}, 0, int(goneEnd - first_) - 1);
            first_ = goneEnd;
            endRemoveRows();
        }
        if (first_ < first) // nothing shown was kept: the rows start at the ring's first
            first_ = end_ = first;
    }
    if (end > end_) {
        beginInsertRows({}, int(end_ - first_), int(end - first_) - 1);
        end_ = end;
        endInsertRows();
    }
}

void TraceModel::setLanguage(std::optional<Language> language) {
    language_ = language;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}
