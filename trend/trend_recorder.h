#pragma once
// Records the trend into a CSV file while it runs: the header when it starts, one row a
// sample. Rows are gathered in memory and written out every few seconds, when enough have
// come and when the recording stops, so the live cycle does not wait on the disk for each
// one. A write that fails (disk full, stick pulled) ends the recording with the system's
// reason; what reached the file stays there. Used by the trend window and the
// command-line tool alike; widget-free.
#include "trend/trend_sample.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

class TrendRecorder {
public:
    // Written out at this size of the buffer or after this time, whichever comes first.
    static constexpr qsizetype kFlushBytes = 16 * 1024;
    static constexpr qint64 kFlushMs = 2000;

    TrendRecorder() = default;
    TrendRecorder(const TrendRecorder&) = delete;
    TrendRecorder& operator=(const TrendRecorder&) = delete;
    ~TrendRecorder();

    // Creates (or empties) the file and writes the byte-order mark and the header line at
    // once, so a file that cannot be written is refused here. False with the reason.
    bool start(const QString& path, const QString& header, QString* error);
    // One row. False once the recording has ended on a failed write (errorText says why);
    // false too while not recording.
    bool append(const TrendSample& sample);
    // The row of a reading that failed at `time` (trendCsvGapRow); false as append.
    bool appendGap(const QDateTime& time);
    // Writes out what is gathered and closes the file; false when that write failed.
    bool stop();

    bool recording() const { return file_.isOpen(); }
    QString path() const { return path_; }
    quint64 rows() const { return rows_; }
    // Why the last recording ended early or did not start; empty when it did not.
    QString errorText() const { return error_; }
    // The last start was refused (the error is the file's, nothing was recorded).
    bool refusedAtStart() const { return refused_; }

private:
    bool flush();
    void fail();
    bool appendLine(const QString& line);

    QFile file_;
    QString path_;
    QByteArray buffer_;
    QElapsedTimer sinceFlush_;
    quint64 rows_ = 0;
    QString error_;
    bool refused_ = false;
};
