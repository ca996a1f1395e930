#pragma once
// The trend as CSV, in the form spreadsheets and pandas open without being told anything:
// UTF-8 with a byte-order mark (so Excel and LibreOffice take the degree sign as UTF-8),
// comma separated, '.' as decimal point, CRLF line ends, one header line. The first
// column is the time in ISO 8601 UTC ("2024-11-05T22:13:05.120Z"); its caption names the
// controller's generation and product code, so a file still says where it came from
// without a line above the header that pandas would take for the header. The captions are
// English whatever the program's language: scripts name the columns by them. A value the
// controller does not have (the second heat sink) is an empty cell.
#include "trend/trend_sample.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Written once at the start of the file.
inline constexpr char kTrendCsvBom[] = "\xEF\xBB\xBF";

// What the recording came from: the generation (unknown before the identity was read) and
// the product code (new hardware) or the version text (old hardware).
struct TrendSource {
    std::optional<bool> hwOld;
    QString productCode;
};

// The first column's caption, e.g. "Time UTC (new hardware / product code TRV5200-230)".
QString trendTimeCaption(const TrendSource& source);
// The header line, CRLF at its end.
QString trendCsvHeader(const TrendSource& source);
// One sample's line, CRLF at its end.
QString trendCsvRow(const TrendSample& sample);
// The row of a reading that failed (the command line's watch rides through a disturbed
// line): its time and every value cell empty, as for a value the controller does not
// have, so the file keeps its form and a plot shows the gap.
QString trendCsvGapRow(const QDateTime& time);
// A cell as CSV writes it: quoted when it holds a comma, a quote or a line break.
QString csvCell(const QString& text);
