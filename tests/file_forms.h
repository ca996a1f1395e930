#pragma once
// Files as Windows tools write them, made in the tests themselves.
#include <QByteArray>
#include <QString>

// The text in UTF-16LE with its byte-order mark, as Notepad saves "Unicode".
inline QByteArray utf16le(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
