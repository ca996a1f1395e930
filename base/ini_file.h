#pragma once
// A small INI reader/writer in the manner of the Windows profile functions: sections and
// keys are matched case-insensitively, values are trimmed, and writing a key updates its
// line in place so that comments, unknown keys and the order of the file survive.
//
// Files come from Windows tools as often as from this program, so a file keeps what it
// came with: its encoding (UTF-8, UTF-8 or UTF-16LE with a byte-order mark, or the ANSI
// code page Windows-1252 when it is not UTF-8), its line endings (CRLF or LF) and whether
// its last line ends in one. A new document is written with CRLF, in plain ASCII as long
// as it holds nothing else (UTF-8 otherwise).
#include <QByteArray>
#include <QString>
#include <QStringList>

class IniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16LeBom, Windows1252 };
    // No INI file is anywhere near this size; a larger file is refused unread, so a
    // wrong choice in a file dialog can never make the program read a disc image.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    enum class LoadError { None, Missing, Unreadable, TooLarge, NotText };

    IniFile() = default;

    // Reads the file, at most kMaxBytes of it. On failure the document is empty, false is
    // returned and loadError()/errorString() say why: a missing file, one that cannot be
    // opened, one larger than kMaxBytes, or no text: not a regular file, or bytes with
    // control characters other than tab, line feed, carriage return and form feed.
    bool load(const QString& path);
    // Writes the document atomically: the file is replaced only once the whole new text
    // is on disk. False (with errorString()) when it cannot be written; the old file is
    // then left as it was.
    bool save(const QString& path);
    LoadError loadError() const { return loadError_; }
    QString errorString() const { return error_; }

    // The document from a file's bytes (encoding and line endings detected); false, and an
    // empty document, when they are not text.
    bool setBytes(const QByteArray& bytes);
    // The document as the file's bytes, in its own encoding and line endings.
    QByteArray bytes() const;

    void parse(const QString& text);
    // The document with its own line endings.
    QString text() const;

    Encoding encoding() const { return encoding_; }
    // True when the document has no line with anything but blanks on it.
    bool isBlank() const;
    bool hasSection(const QString& section) const { return findSection(section) >= 0; }
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
    QString eol_ = QStringLiteral("\r\n");
    bool finalEol_ = true;
    Encoding encoding_ = Encoding::Utf8;
    LoadError loadError_ = LoadError::None;
    QString error_;
};

// Saves `ini` at `path`, making its folder first (a settings file's folder may not exist
// yet). False with a reason when the folder or the file cannot be written.
bool saveIniMakingFolder(IniFile& ini, const QString& path, QString* error);
