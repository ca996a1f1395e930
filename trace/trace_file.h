#pragma once
// Writing a saved trace to disk: all of it or, on a full disk or any short write, nothing
// (the file that was there stays as it was).
#include <QByteArray>
#include <QString>

// Returns false with the system's reason in *error when the file was not written whole.
bool saveTraceFile(const QString& path, const QByteArray& content, QString* error);
