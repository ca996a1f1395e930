#pragma once
// A small INI reader/writer in the manner of the Windows profile functions: sections and
// keys are matched case-insensitively, values are trimmed, and writing a key updates its
// line in place so that comments, unknown keys and the order of the file survive.
#include <QString>
#include <QStringList>

class IniFile {
public:
    IniFile() = default;

    // Reads the file. A missing file gives an empty document and false. Text that is not
    // valid UTF-8 is read as Latin-1 (files written by older Windows tools).
    bool load(const QString& path);
    // Writes the document atomically. False (with errorString()) when it cannot be written.
    bool save(const QString& path);
    QString errorString() const { return error_; }

    void parse(const QString& text);
    QString text() const;

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    // Keys of a section in file order, as written in the file.
    QStringList keys(const QString& section) const;

private:
    // Index of the section header line, or −1.
    int findSection(const QString& section) const;
    // Index of the key's line within the section starting at sectionLine, or −1.
    int findKey(int sectionLine, const QString& key) const;
    int sectionEnd(int sectionLine) const;

    QStringList lines_;
    QString error_;
};
