#include "base/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace {

bool isSectionHeader(const QString& trimmed) {
    return trimmed.startsWith(u'[') && trimmed.endsWith(u']');
}

QString sectionName(const QString& trimmed) {
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool isComment(const QString& trimmed) {
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// Key part of a "key=value" line, or a null string for other lines.
QString keyOf(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || isComment(trimmed) || isSectionHeader(trimmed))
        return {};
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it leaves undefined
// map to the control characters of the same number, as Windows itself decodes them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = quint8(bytes[i]);
        text[i] = b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray toCp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        char b = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = char(u);
        } else {
            for (std::size_t i = 0; i < kCp1252High.size(); ++i)
                if (kCp1252High[i] == u)
                    b = char(0x80 + i);
        }
        bytes.append(b);
    }
    return bytes;
}

// Text holds no control characters but the line and page breaks and tabs.
bool looksLikeText(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f')
            return false;
    }
    return true;
}

} // namespace

bool IniFile::load(const QString& path) {
    *this = IniFile();
    loadError_ = LoadError::None;
    // A pipe or a device would block or never end: only a regular file is read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        loadError_ = LoadError::NotText;
        error_ = QStringLiteral("Not a regular file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadError_ = file.exists() ? LoadError::Unreadable : LoadError::Missing;
        error_ = file.errorString();
        return false;
    }
    // One byte more than allowed tells a file that is too large, also where the size is
    // not known beforehand (a device or a pipe).
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) {
        loadError_ = LoadError::TooLarge;
        error_ = QStringLiteral("Larger than %1 bytes").arg(kMaxBytes);
        return false;
    }
    if (!setBytes(bytes)) {
        loadError_ = LoadError::NotText;
        error_ = QStringLiteral("Not a text file");
        return false;
    }
    return true;
}

bool IniFile::save(const QString& path) {
    error_.clear();
    const QByteArray data = bytes();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error_ = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        error_ = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error_ = file.errorString();
        return false;
    }
    return true;
}

bool IniFile::setBytes(const QByteArray& bytes) {
    // The file's own byte-order mark is taken off here; one more in the text is a
    // character of it (the decoders would drop it and the next save would lose it).
    constexpr auto kFlags =
        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    QString text;
    bool decoded = true;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8Bom;
        QStringDecoder utf8(QStringDecoder::Utf8, kFlags);
        text = utf8.decode(bytes.mid(3));
        decoded = !utf8.hasError();
    } else if (bytes.startsWith("\xFF\xFE")) {
        encoding_ = Encoding::Utf16LeBom;
        QStringDecoder utf16(QStringDecoder::Utf16LE, kFlags);
        text = utf16.decode(bytes.mid(2));
        decoded = !utf16.hasError() && bytes.size() % 2 == 0;
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, kFlags);
        text = utf8.decode(bytes);
        encoding_ = Encoding::Utf8;
        if (utf8.hasError()) {
            encoding_ = Encoding::Windows1252;
            text = fromCp1252(bytes);
        }
    }
    if (!decoded || !looksLikeText(text)) {
        lines_.clear();
        encoding_ = Encoding::Utf8;
        return false;
    }
    parse(text);
    return true;
}

QByteArray IniFile::bytes() const {
    const QString content = text();
    switch (encoding_) {
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + content.toUtf8();
    case Encoding::Utf16LeBom: {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        return QByteArray("\xFF\xFE") + QByteArray(utf16.encode(content));
    }
    case Encoding::Windows1252:
        return toCp1252(content);
    case Encoding::Utf8:
        break;
    }
    return content.toUtf8();
}

void IniFile::parse(const QString& text) {
    const qsizetype firstBreak = text.indexOf(u'\n');
    eol_ = firstBreak > 0 && text[firstBreak - 1] == u'\r' ? QStringLiteral("\r\n")
           : firstBreak >= 0                               ? QStringLiteral("\n")
                                                           : QStringLiteral("\r\n");
    finalEol_ = text.isEmpty() || text.endsWith(u'\n');
    lines_ = text.split(u'\n');
    if (finalEol_)
        lines_.removeLast();
    // Carriage returns before a line feed belong to the line break, stray ones doubled
    // before it too: left in the line, one would be written back as a CRLF of its own in
    // a file of LF lines and read as a different line. One that ends the last line of a
    // file without a final break stays in the line, so the file is written back as it came.
    const qsizetype broken = finalEol_ ? lines_.size() : lines_.size() - 1;
    for (qsizetype i = 0; i < broken; ++i)
        while (lines_[i].endsWith(u'\r'))
            lines_[i].chop(1);
}

QString IniFile::text() const {
    QString out = lines_.join(eol_);
    if (finalEol_ && !lines_.isEmpty())
        out += eol_;
    return out;
}

bool IniFile::isBlank() const {
    for (const QString& line : lines_)
        if (!line.trimmed().isEmpty())
            return false;
    return true;
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString trimmed = lines_[i].trimmed();
        if (isSectionHeader(trimmed) &&
            sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const {
    int i = sectionLine + 1;
    while (i < lines_.size() && !isSectionHeader(lines_[i].trimmed()))
        ++i;
    return i;
}

int IniFile::findKey(int sectionLine, const QString& key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i)
        if (keyOf(lines_[i]).compare(key.trimmed(), Qt::CaseInsensitive) == 0 &&
            !keyOf(lines_[i]).isNull())
            return i;
    return -1;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    const int s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key,
                       const QString& defaultValue) const {
    const int s = findSection(section);
    if (s < 0)
        return defaultValue;
    const int k = findKey(s, key);
    if (k < 0)
        return defaultValue;
    const QString& line = lines_[k];
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    const QString entry = key.trimmed() + u'=' + value;
    int s = findSection(section);
    if (s < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(u'[' + section + u']');
        lines_.append(entry);
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        lines_[k] = entry;
        return;
    }
    // Append after the section's last non-empty line, keeping a blank line before the
    // next section.
    int insertAt = sectionEnd(s);
    while (insertAt > s + 1 && lines_[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines_.insert(insertAt, entry);
}

QStringList IniFile::keys(const QString& section) const {
    QStringList result;
    const int s = findSection(section);
    if (s < 0)
        return result;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const QString key = keyOf(lines_[i]);
        if (!key.isNull())
            result.append(key);
    }
    return result;
}

bool saveIniMakingFolder(IniFile& ini, const QString& path, QString* error) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    if (!ini.save(path)) {
        if (error)
            *error = ini.errorString();
        return false;
    }
    return true;
}
