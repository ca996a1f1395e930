#include "trend/trend_recorder.h"

#include "trend/trend_csv.h"

TrendRecorder::~TrendRecorder() {
    stop();
}

bool TrendRecorder::start(const QString& path, const QString& header, QString* error) {
    stop();
    error_.clear();
    refused_ = true; // until the header is out
    rows_ = 0;
    path_ = path;
    file_.setFileName(path);
    // Unbuffered: each write goes to the system at once and its count tells the truth.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        if (error)
            *error = error_;
        return false;
    }
    buffer_ = QByteArray(kTrendCsvBom) + header.toUtf8();
    if (!flush()) {
        if (error)
            *error = error_;
        return false;
    }
    refused_ = false;
    return true;
}

bool TrendRecorder::append(const TrendSample& sample) {
    return appendLine(trendCsvRow(sample));
}

bool TrendRecorder::appendGap(const QDateTime& time) {
    return appendLine(trendCsvGapRow(time));
}

bool TrendRecorder::appendLine(const QString& line) {
    if (!recording())
        return false;
    buffer_ += line.toUtf8();
    ++rows_;
    if (buffer_.size() >= kFlushBytes || sinceFlush_.hasExpired(kFlushMs))
        return flush();
    return true;
}

bool TrendRecorder::stop() {
    if (!recording())
        return error_.isEmpty();
    const bool written = flush();
    if (written)
        file_.close();
    return written;
}

bool TrendRecorder::flush() {
    qsizetype pos = 0;
    while (pos < buffer_.size()) {
        const qint64 n = file_.write(buffer_.constData() + pos, buffer_.size() - pos);
        if (n <= 0) {
            fail();
            return false;
        }
        pos += qsizetype(n);
    }
    buffer_.clear();
    sinceFlush_.start();
    return true;
}

void TrendRecorder::fail() {
    error_ = file_.errorString();
    if (error_.isEmpty())
        error_ = QStringLiteral("write failed");
    buffer_.clear();
    file_.close(); // what was written stays
}
