// The window's hint beside a port that would not open, against real ports: a device path
// that is not there (never was, or the controller's pseudo-terminal has gone) and a
// device without permission. The link's messages stay exactly as they were; the hint is
// in the status line's message panel until a later open succeeds.
#include "app/widgets/status_line.h"
#include "base/settings_location.h"
#include "serial/port_hint.h"
#include "unprivileged.h"
#include "window_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <cerrno>

using trvsim::Generation;

class PortHintWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() { resetShared(); }
    void cleanup() { releaseAll(); }
    void missingDevice_data();
    void missingDevice();
    void deviceWithoutPermission();
    void deviceInUse();
    void notASerialPort_data();
    void notASerialPort();

private:
    QString panel() const { return w_->StatusBar3->panelText(TStatusLine::kMessagePanel); }
    // Connects to COM1 and waits for both messages of a failed open.
    void connectAndFail();
    // The controller on COM1 again: the next connect is sound and the hint goes.
    void connectSoundly();
};

void PortHintWindowTest::connectAndFail() {
    w_->Com_activate_btClick();
    QVERIFY(QTest::qWaitFor([this] { return messages_.size() >= 2; }, kWait));
}

void PortHintWindowTest::connectSoundly() {
    messages_.clear();
    setPortOverrides({{"COM1", controllerPort()}});
    connectAndIdentify();
    QCOMPARE(panel(), QString());
    QVERIFY(w_->port_hint_note.isEmpty());
}

void PortHintWindowTest::missingDevice_data() {
    QTest::addColumn<bool>("controllerGone");
    QTest::newRow("no device at the mapped path") << false;
    QTest::newRow("the controller's pseudo-terminal has gone") << true;
}

void PortHintWindowTest::missingDevice() {
    QFETCH(bool, controllerGone);
    startController(Generation::New);
    createWindow();
    const QString missing =
        controllerGone ? controllerPort() : portDir_.filePath(QStringLiteral("ttyNone"));
    if (controllerGone) {
        sim_->stop();
        QVERIFY(!QFileInfo::exists(controllerPort()));
    }
    setPortOverrides({{"COM1", missing}});
    connectAndFail();
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM1, Fehlernummer: 2", "Fehler an COM1"}));
    // In the window's language: the entry, the path it stands for, where it is mapped.
    const QString hint = panel();
    QCOMPARE(hint, portOpenHint(ENOENT, "COM1", missing, settingsFilePath(), w_->activeLanguage()));
    for (const QString& piece : {missing, QStringLiteral("[Ports]"), settingsFilePath()})
        QVERIFY2(hint.contains(piece), qPrintable(hint));
    QCOMPARE(w_->port_hint_note, hint);
    // A change of language relabels it.
    w_->tuerk1Click();
    QCOMPARE(panel(), portOpenHint(ENOENT, "COM1", missing, settingsFilePath(), Language::Turkish));

    if (controllerGone) {
        QString error;
        QVERIFY2(sim_->start(&error), qPrintable(error));
        QVERIFY2(sim_->host().publishLink(controllerPort(), &error), qPrintable(error));
    }
    connectSoundly();
}

void PortHintWindowTest::deviceWithoutPermission() {
    startController(Generation::New);
    createWindow();
    // Only the device's own mode stands in the way: its folder may be searched.
    QVERIFY(QFile::setPermissions(portDir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
    const QString device = sim_->devicePath();
    const QFile::Permissions before = QFile::permissions(device);
    QVERIFY(QFile::setPermissions(device, {}));
    {
        ActAsUnprivileged unprivileged;
        QVERIFY(unprivileged.ok());
        connectAndFail();
    }
    QVERIFY(QFile::setPermissions(device, before));
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM1, Fehlernummer: 13", "Fehler an COM1"}));
    const QString hint = panel();
    QVERIFY2(hint.contains("sudo usermod -aG dialout $USER"), qPrintable(hint));
    QVERIFY2(hint.contains(controllerPort()), qPrintable(hint));
    QCOMPARE(hint, portOpenHint(EACCES, "COM1", controllerPort(), settingsFilePath(),
                                w_->activeLanguage()));

    connectSoundly();
}

// Another program holds the controller's port open (here the test itself, with the serial
// port the link uses, on the device's own name): the link's message says 16, and the hint
// names the holder and its process.
void PortHintWindowTest::deviceInUse() {
    startController(Generation::New);
    createWindow();
    setPortOverrides({{"COM1", controllerPort()}});
    {
        QSerialPort holder(sim_->devicePath());
        QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));
        connectAndFail();
    }
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM1, Fehlernummer: 16", "Fehler an COM1"}));
    const QString hint = panel();
    const QString process = QString::number(QCoreApplication::applicationPid());
    QVERIFY2(hint.contains(controllerPort()) && hint.contains(process) &&
                 hint.contains(QStringLiteral("tst_port_hint_window")),
             qPrintable(hint));
    // Released, the next connect is sound and takes the hint away.
    connectSoundly();
}

void PortHintWindowTest::notASerialPort_data() {
    QTest::addColumn<bool>("regularFile");
    QTest::newRow("/dev/null") << false;
    QTest::newRow("a regular file") << true;
}

// COM1 mapped to something that is no serial port: the link's message says 25, and the
// hint says so and where the entry is mapped.
void PortHintWindowTest::notASerialPort() {
    QFETCH(bool, regularFile);
    startController(Generation::New);
    createWindow();
    QString path = QStringLiteral("/dev/null");
    if (regularFile) {
        path = portDir_.filePath(QStringLiteral("notes.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    setPortOverrides({{"COM1", path}});
    connectAndFail();
    QCOMPARE(messages_, QStringList({"Kein Zugriff auf COM1, Fehlernummer: 25", "Fehler an COM1"}));
    QCOMPARE(panel(), portOpenHint(ENOTTY, "COM1", path, settingsFilePath(), w_->activeLanguage()));
    for (const QString& piece : {path, QStringLiteral("[Ports]"), settingsFilePath()})
        QVERIFY2(panel().contains(piece), qPrintable(panel()));
    connectSoundly();
}

QTEST_MAIN(PortHintWindowTest)
#include "tst_port_hint_window.moc"
