// The INI reader on any bytes: a file from any Windows tool, a truncated copy or a file
// that is no INI at all must be read or refused without a crash, and a document that was
// read must come back the same when written out and read again.
#include "base/ini_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > std::size_t(IniFile::kMaxBytes))
        return 0; // refused unread by the loader
    IniFile ini;
    if (!ini.setBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    const QString text = ini.text();
    const QStringList keys = ini.keys(QStringLiteral("Options"));
    for (const QString& key : keys)
        (void)ini.value(QStringLiteral("Options"), key);

    IniFile again;
    if (!again.setBytes(ini.bytes()) || again.text() != text) {
        // Written out and read back, the document changed.
        std::fprintf(stderr, "read:    %s\nwritten: %s\n", text.toUtf8().toPercentEncoding().data(),
                     again.text().toUtf8().toPercentEncoding().data());
        std::abort();
    }

    // A key set is read back as set, whatever the document held before.
    ini.setValue(QStringLiteral("Options"), QStringLiteral("Startfrequenz:"), QStringLiteral("55"));
    if (ini.value(QStringLiteral("Options"), QStringLiteral("Startfrequenz:")) !=
        QLatin1String("55"))
        std::abort();
    return 0;
}
