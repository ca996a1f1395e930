// The INI reader/writer: case-insensitive sections and keys, in-place updates that keep
// everything else, and the port overrides read from the settings file.
#include "base/ini_file.h"
#include "serial/port_map.h"

#include <QTemporaryDir>
#include <QTest>

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void updateKeepsTheRest();
    void saveAndLoad();
    void latin1FileIsRead();
    void unwritablePathReportsAnError();
    void portOverridesFromSettings();
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

void IniFileTest::latin1FileIsRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Options]\r\nName=K\xfchlhaus\r\n"); // "Kühlhaus" in Latin-1
    file.close();
    IniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.value("Options", "Name"), QString("Kühlhaus"));
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

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_ini_file.moc"
