// The INI reader/writer: case-insensitive sections and keys, in-place updates that keep
// everything else, files of Windows tools kept in their own encoding and line endings,
// files that are no INI text refused, and the port overrides read from the settings file.
#include "base/ini_file.h"
#include "serial/port_map.h"

#include "file_forms.h"

#include <QTemporaryDir>
#include <QTest>

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void updateKeepsTheRest();
    void saveAndLoad();
    void unwritablePathReportsAnError();
    void portOverridesFromSettings();
    void fileKeepsItsForm_data();
    void fileKeepsItsForm();
    void writtenAsRead_data();
    void writtenAsRead();
    void loadRefuses_data();
    void loadRefuses();
};

static const char* kSample = "; written by hand\r\n"
                             "[Option]\r\n"
                             "Com=COM7\r\n"
                             "Language = de \r\n"
                             "\r\n"
                             "[Options]\r\n"
                             "Start_Mo1: = 22:30\r\n"
                             "unknown line without equals\r\n";

void IniFileTest::lookup_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << "Option"
                           << "Com"
                           << "COM7";
    QTest::newRow("case-insensitive") << "OPTION"
                                      << "com"
                                      << "COM7";
    QTest::newRow("value trimmed") << "Option"
                                   << "Language"
                                   << "de";
    QTest::newRow("key ending in colon") << "options"
                                         << "start_mo1:"
                                         << "22:30";
    QTest::newRow("missing key gives default") << "Option"
                                               << "Port"
                                               << "default";
    QTest::newRow("missing section gives default") << "Ports"
                                                   << "COM1"
                                                   << "default";
    QTest::newRow("other section's key not seen") << "Option"
                                                  << "Start_Mo1:"
                                                  << "default";
}

void IniFileTest::lookup() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    IniFile ini;
    ini.parse(QString::fromLatin1(kSample));
    QCOMPARE(ini.value(section, key, "default"), expected);
}

void IniFileTest::updateKeepsTheRest() {
    IniFile ini;
    ini.parse(QString::fromLatin1(kSample));
    ini.setValue("option", "COM", "COM3");         // in place, file's section spelling kept
    ini.setValue("Option", "Window", "max");       // appended to its section, before the blank
    ini.setValue("Ports", "COM3", "/dev/ttyUSB0"); // new section at the end
    QCOMPARE(ini.text(), QString("; written by hand\r\n"
                                 "[Option]\r\n"
                                 "COM=COM3\r\n"
                                 "Language = de \r\n"
                                 "Window=max\r\n"
                                 "\r\n"
                                 "[Options]\r\n"
                                 "Start_Mo1: = 22:30\r\n"
                                 "unknown line without equals\r\n"
                                 "\r\n"
                                 "[Ports]\r\n"
                                 "COM3=/dev/ttyUSB0\r\n"));
}

void IniFileTest::saveAndLoad() {
    QTemporaryDir dir;
    const QString path = dir.filePath("TRV5200.ini");
    IniFile missing;
    QVERIFY(!missing.load(path));
    QCOMPARE(missing.value("Option", "Com", "COM1"), QString("COM1"));

    IniFile ini;
    ini.setValue("Option", "Com", "COM2");
    ini.setValue("Option", "Language", "Türkçe");
    QVERIFY2(ini.save(path), qPrintable(ini.errorString()));
    IniFile again;
    QVERIFY(again.load(path));
    QCOMPARE(again.value("Option", "Language"), QString("Türkçe"));
    QCOMPARE(again.keys("Option"), QStringList({"Com", "Language"}));
}

void IniFileTest::unwritablePathReportsAnError() {
    IniFile ini;
    ini.setValue("Option", "Com", "COM1");
    QVERIFY(!ini.save("/nonexistent-folder/TRV5200.ini"));
    QVERIFY(!ini.errorString().isEmpty());
}

void IniFileTest::portOverridesFromSettings() {
    IniFile ini;
    ini.parse("[Option]\nCom=COM1\n[Ports]\ncom1 = /tmp/trv5200-sim\nCOM9=\n");
    loadPortOverrides(ini);
    QCOMPARE(devicePathFor("COM1"), QString("/tmp/trv5200-sim"));
#ifndef Q_OS_WIN
    QCOMPARE(devicePathFor("COM9"), QString("/dev/ttyS8"));
#endif
    setPortOverrides({});
}

// A file read, changed in one key and written again keeps its encoding, line endings and
// everything it held; a new document is ASCII with CRLF.
void IniFileTest::fileKeepsItsForm_data() {
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QString>("place"); // what "Ort" holds
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("CRLF, mixed-case keys, another section")
        << QByteArray("; note\r\n[Other]\r\nA=1\r\n\r\n[OPTIONS]\r\nORT=Hof\r\n"
                      "startfrequenz:=55\r\n")
        << "Hof"
        << QByteArray("; note\r\n[Other]\r\nA=1\r\n\r\n[OPTIONS]\r\nORT=Hof\r\n"
                      "Startfrequenz:=60\r\n");
    QTest::newRow("LF") << QByteArray("[Options]\nOrt=Hof\n") << "Hof"
                        << QByteArray("[Options]\nOrt=Hof\nStartfrequenz:=60\n");
    QTest::newRow("no line break at the end")
        << QByteArray("[Options]\r\nOrt=Hof") << "Hof"
        << QByteArray("[Options]\r\nOrt=Hof\r\nStartfrequenz:=60");
    QTest::newRow("Windows-1252") << QByteArray("[Options]\r\nOrt=K\xe4lte \x80\r\n") << "Kälte €"
                                  << QByteArray("[Options]\r\nOrt=K\xe4lte \x80\r\n"
                                                "Startfrequenz:=60\r\n");
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF[Options]\r\nOrt=K\xc3\xa4lte\r\n") << "Kälte"
        << QByteArray("\xEF\xBB\xBF[Options]\r\nOrt=K\xc3\xa4lte\r\nStartfrequenz:=60\r\n");
    QTest::newRow("UTF-16LE with byte-order mark")
        << utf16le("[Options]\r\nOrt=Kälte\r\n") << "Kälte"
        << utf16le("[Options]\r\nOrt=Kälte\r\nStartfrequenz:=60\r\n");
    QTest::newRow("new file") << QByteArray() << ""
                              << QByteArray("[Options]\r\nStartfrequenz:=60\r\n");
}

void IniFileTest::fileKeepsItsForm() {
    QFETCH(QByteArray, in);
    QFETCH(QString, place);
    QFETCH(QByteArray, out);
    QTemporaryDir dir;
    const QString path = dir.filePath("set.ini");
    if (!in.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(in);
    }
    IniFile ini;
    QCOMPARE(ini.load(path), !in.isNull());
    QCOMPARE(ini.value("Options", "Ort"), place);
    ini.setValue("Options", "Startfrequenz:", "60");
    QVERIFY2(ini.save(path), qPrintable(ini.errorString()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), out);
}

// A document written out unchanged is the file it came from, and read again it is the
// same document, also with the stray bytes of hand-edited or twice-converted files.
void IniFileTest::writtenAsRead_data() {
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("a"); // what "A" of [Options] holds
    QTest::newRow("CR doubled before LF in an LF file")
        << QByteArray("[Options]\nA=1\r\r\nB=2\n") << QByteArray("[Options]\nA=1\nB=2\n") << "1";
    QTest::newRow("CR doubled before CRLF")
        << QByteArray("[Options]\r\nA=1\r\r\n") << QByteArray("[Options]\r\nA=1\r\n") << "1";
    QTest::newRow("last line ends in CR, no final break")
        << QByteArray("[Options]\r\nA=1\r") << QByteArray("[Options]\r\nA=1\r") << "1";
    QTest::newRow("UTF-8, byte-order mark twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                                "A=1\r\n")
                                                  << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                                "A=1\r\n")
                                                  << "";
    QTest::newRow("UTF-16LE, byte-order mark twice")
        << QByteArray("\xFF\xFE") + utf16le("A=1\r\n")
        << QByteArray("\xFF\xFE") + utf16le("A=1\r\n") << "";
}

void IniFileTest::writtenAsRead() {
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, out);
    QFETCH(QString, a);
    IniFile ini;
    QVERIFY(ini.setBytes(in));
    QCOMPARE(ini.bytes(), out);
    IniFile again;
    QVERIFY(again.setBytes(ini.bytes()));
    QCOMPARE(again.text(), ini.text());
    QCOMPARE(ini.value("Options", "A"), a);
}

void IniFileTest::loadRefuses_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<IniFile::LoadError>("error");
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\0\0\0",
                                          10)
                            << IniFile::LoadError::NotText;
    QTest::newRow("UTF-16 without byte-order mark")
        << QByteArray("[\0O\0]\0", 6) << IniFile::LoadError::NotText;
    QTest::newRow("one byte beyond 1 MiB")
        << QByteArray(IniFile::kMaxBytes + 1, '\n') << IniFile::LoadError::TooLarge;
    QTest::newRow("1 MiB of text")
        << QByteArray(IniFile::kMaxBytes, '\n') << IniFile::LoadError::None;
    QTest::newRow("missing") << QByteArray() << IniFile::LoadError::Missing;
    // This row's content names the device it reads instead of a file's bytes.
    QTest::newRow("a device, which never ends")
        << QByteArray("/dev/zero") << IniFile::LoadError::NotText;
}

void IniFileTest::loadRefuses() {
    QFETCH(QByteArray, content);
    QFETCH(IniFile::LoadError, error);
    QTemporaryDir dir;
    QString path = dir.filePath("x.ini");
    if (content.startsWith("/dev/")) {
        path = QString::fromLatin1(content);
    } else if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    IniFile ini;
    ini.parse("[Options]\nA=1\n");
    QCOMPARE(ini.load(path), error == IniFile::LoadError::None);
    QCOMPARE(ini.loadError(), error);
    QCOMPARE(ini.errorString().isEmpty(), error == IniFile::LoadError::None);
    QVERIFY(!ini.contains("Options", "A")); // nothing of an earlier document remains
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_ini_file.moc"
