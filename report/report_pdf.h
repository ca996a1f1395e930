#pragma once
// The commissioning report as a PDF: the document laid out on A4 pages — the title, each
// section as a table of captions and values with its note under it, the lines for place,
// controller number and signature — with the page numbers in the footer. Qt's own PDF writer; it
// needs a QGuiApplication (its fonts), never widgets.
#include "report/report_model.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The version of this build of the service tool.
QString reportToolVersion();

// The PDF's bytes; empty when the painter could not start.
QByteArray reportPdf(const ReportDocument& document);

// The PDF written to path, which is replaced only once the whole file is on disk; nullopt
// when it is, otherwise the reason (and no file, or the old one as it was, is left).
std::optional<QString> saveReportPdf(const QString& path, const ReportDocument& document);
