#include "trace/trace_file.h"

#include <QSaveFile>

bool saveTraceFile(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile of Qt 6.4 commits a truncated file on a full disk
    // and reports success. Each write's count is compared with what was to go.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    constexpr qsizetype kPiece = 64 * 1024;
    for (qsizetype pos = 0; pos < content.size(); pos += kPiece) {
        const qsizetype n = std::min(kPiece, content.size() - pos);
        if (file.write(content.constData() + pos, n) != n) {
            if (error)
                *error = file.errorString();
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
