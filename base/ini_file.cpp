#include "base/ini_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

} // namespace

bool IniFile::load(const QString& path) {
    lines_.clear();
    error_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    parse(text);
    return true;
}

bool IniFile::save(const QString& path) {
    error_.clear();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = file.errorString();
        return false;
    }
    file.write(text().toUtf8());
    if (!file.commit()) {
        error_ = file.errorString();
        return false;
    }
    return true;
}

void IniFile::parse(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines_ = normalised.split(u'\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

QString IniFile::text() const {
    QString out;
    for (const QString& line : lines_)
        out += line + QStringLiteral("\r\n");
    return out;
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
