// trv5200-cli end to end: the program itself against the controller simulator over a
// real pseudo-terminal, its output (--json) and its exit codes.
#include "base/ini_file.h"
#include "cli/exit_codes.h"
#include "parameters/parameter_file.h"
#include "services/calibration.h"
#include "services/clock_words.h"
#include "session/identify.h"
#include "session/interruption.h"
#include "session/link_session.h"
#include "session/parameter_jobs.h"
#include "sim/faults.h"
#include "sim/simulator.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <csignal>
#include <memory>

using trvsim::Generation;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { sim_.reset(); }
    void identify_data();
    void identify();
    void readSavesALoadableFile_data() { identify_data(); }
    void readSavesALoadableFile();
    void writeVerifyAndCompare_data();
    void writeVerifyAndCompare();
    void refusedFileSendsNothing_data();
    void refusedFileSendsNothing();
    void serviceJobs_data() { identify_data(); }
    void serviceJobs();
    void refusedInvocations_data();
    void refusedInvocations();
    void watchEndsOnCtrlC_data() { identify_data(); }
    void watchEndsOnCtrlC();
    void ctrlCStopsBeforeTheNextExchange();
    void report();
    void portOpenHints_data();
    void portOpenHints();
    void optionsAfterTheCommand_data();
    void optionsAfterTheCommand();
    void typedJson_data() { identify_data(); }
    void typedJson();
    void failedWriteSaysWhatItLeft_data();
    void failedWriteSaysWhatItLeft();
    void contradictingFileNamesTheKeys();
    void confirmedReads_data();
    void confirmedReads();
    void failureMessagesNameTheByte_data();
    void failureMessagesNameTheByte();
    void impossibleFaultPosition_data() { identify_data(); }
    void impossibleFaultPosition();
    void firstSynchronisationTriedAgain();
    void watchRidesThroughAGlitch_data() { identify_data(); }
    void watchRidesThroughAGlitch();
    void watchEndsOnSignalsAndAClosedOutput_data();
    void watchEndsOnSignalsAndAClosedOutput();

private:
    void startController(Generation generation, int revision);
    // The program with these arguments, on the controller's link; a generous read
    // time-out, as the test is not about it and the machine may be busy.
    // unprivileged: the program runs as nobody when the test runs as root.
    Run cli(QStringList arguments, bool onController = true, bool unprivileged = false,
            const QProcessEnvironment& extra = {});
    // The controller's set saved by read --ini, with one key changed.
    QString fileWith(const QString& key, const QString& value);
    // Arms the simulator's faults in their command-line form.
    void inject(const QStringList& forms);
    QString link() const { return dir_.filePath(QStringLiteral("ttyTRV")); }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_.path()); // no settings file of the user's
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        return env;
    }

    QTemporaryDir dir_;
    std::unique_ptr<trvsim::Simulator> sim_;
};

void CliTest::init() {
    QVERIFY(dir_.isValid());
}

void CliTest::startController(Generation generation, int revision) {
    sim_ = std::make_unique<trvsim::Simulator>(generation, revision);
    QString error;
    QVERIFY2(sim_->start(&error), qPrintable(error));
    QVERIFY2(sim_->host().publishLink(link(), &error), qPrintable(error));
}

Run CliTest::cli(QStringList arguments, bool onController, bool unprivileged,
                 const QProcessEnvironment& extra) {
    if (onController)
        arguments = QStringList{"--port", link(), "--read-timeout", "500"} + arguments;
    QProcess process;
    QProcessEnvironment env = environment();
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    process.setProcessEnvironment(env);
    QString program = QStringLiteral(TRV_CLI);
    if (unprivileged) {
        runUnprivileged(process);
        // nobody may not reach the build folder (a checkout under /root): a copy in the
        // test's own folder, which is open to it.
        const QString copy = dir_.filePath(QStringLiteral("trv5200-cli"));
        if (!QFileInfo::exists(copy) && !QFile::copy(program, copy))
            return {};
        program = copy;
    }
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void CliTest::inject(const QStringList& forms) {
    for (const QString& form : forms) {
        QString error;
        const std::optional<trvsim::Fault> fault = trvsim::parseFault(form, &error);
        QVERIFY2(fault, qPrintable(error));
        sim_->host().inject(*fault);
    }
}

void CliTest::identify_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("key");
    QTest::newRow("new hardware") << Generation::New << 14 << "new"
                                  << "product_code";
    QTest::newRow("old hardware") << Generation::Old << 14 << "old"
                                  << "revision";
}

void CliTest::identify() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    QFETCH(QString, expected);
    QFETCH(QString, key);
    startController(generation, revision);
    const Run run = cli({"--json", "identify"});
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    const QJsonObject o = run.json();
    QCOMPARE(o.value("generation").toString(), expected);
    QVERIFY2(o.contains(key), run.out.constData());
    QVERIFY(o.value("calibration_value").toInt() > 0);
    if (generation == Generation::Old)
        QCOMPARE(o.value("revision").toInt(), revision);
}

// The set in the keys of a parameter file, and with --ini saved as one that the window's
// load accepts with the same values; a file that cannot be written is exit code 7.
void CliTest::readSavesALoadableFile() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    const QString path = dir_.filePath("set.ini");
    const Run run = cli({"--json", "read", "--ini", path});
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    const QJsonObject o = run.json();
    QVERIFY2(o.contains("WE_Endtime"), run.out.constData());

    const ParameterFileRead loaded = loadParameterFile(path);
    QVERIFY(std::holds_alternative<LoadedParameters>(loaded));
    const LoadedParameters& set = std::get<LoadedParameters>(loaded);
    QCOMPARE(o.value("Startfrequenz").toInt(), set.startHz);
    QCOMPARE(o.value("WT_Time1").toString(), set.profileTimes[0].toString("hh:mm:ss"));
    QCOMPARE(o.value("WE_Takt3").toInt(), set.takts[5]);

    const Run unwritable = cli({"read", "--ini", dir_.filePath("no/such/folder/set.ini")});
    QCOMPARE(unwritable.exitCode, int(kExitFile));
    QVERIFY(unwritable.out.contains("Startfrequenz: ")); // the set is shown all the same
}

QString CliTest::fileWith(const QString& key, const QString& value) {
    const QString path = dir_.filePath(QStringLiteral("set-%1.ini").arg(QString(key).remove(':')));
    const Run read = cli({"read", "--ini", path});
    if (read.exitCode != kExitSound)
        return {};
    IniFile ini;
    if (!ini.load(path))
        return {};
    ini.setValue(QStringLiteral("Options"), key, value);
    return ini.save(path) ? path : QString();
}

void CliTest::writeVerifyAndCompare_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<trvsim::Space>("space");
    QTest::addColumn<int>("address"); // the workday dimming end's word that is spoiled
    // The controller's memory as read back, and its RAM where that differs.
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("ram");
    QTest::newRow("new hardware") << Generation::New << trvsim::Space::Parameter << 0x26 << "07:00"
                                  << QString();
    QTest::newRow("old hardware, RAM") << Generation::Old << trvsim::Space::Ram << 0xB8 << "06:45"
                                       << "07:00";
    QTest::newRow("old hardware, memory")
        << Generation::Old << trvsim::Space::Parameter << 0x26 << "07:00"
        << "06:45";
}

// compare lists exactly the changed parameter; a write makes it hold and is verified; a
// word the controller stores wrongly is reported with its parameter and exit code 6.
void CliTest::writeVerifyAndCompare() {
    QFETCH(Generation, generation);
    QFETCH(trvsim::Space, space);
    QFETCH(int, address);
    QFETCH(QString, memory);
    QFETCH(QString, ram);
    startController(generation, 14);
    const QString path = fileWith("WT_Endtime:", "06:30:00");
    QVERIFY(!path.isEmpty());

    // As diff: 1 when they differ, 0 when they are the same.
    const Run before = cli({"--json", "compare", path});
    QVERIFY2(before.exitCode == kExitDiffer, before.err.constData());
    QCOMPARE(before.json().value("differing").toInt(), 1);
    for (const QJsonValue& row : before.json().value("parameters").toArray()) {
        if (row.toObject().value("differs").toBool()) {
            QCOMPARE(row.toObject().value("file").toString(), QString("06:30"));
            QCOMPARE(row.toObject().value("controller").toString(), QString("06:00"));
        }
    }

    const Run write = cli({"--json", "write", path});
    QVERIFY2(write.exitCode == kExitSound, write.err.constData());
    QVERIFY(write.json().value("verified").toBool());
    const Run after = cli({"compare", path});
    QCOMPARE(after.exitCode, int(kExitSound));
    QVERIFY2(after.out.endsWith("0 of 16 parameters differ\n"), after.out.constData());

    const QString later = fileWith("WT_Endtime:", "06:45:00");
    sim_->model().spoilNextWrite(space, quint16(address), 0x0700); // 07:00 instead of 06:45
    const Run spoiled = cli({"--json", "write", later});
    QCOMPARE(spoiled.exitCode, int(kExitNotVerified));
    const QJsonArray differences = spoiled.json().value("differences").toArray();
    QCOMPARE(differences.size(), 1);
    QCOMPARE(differences[0].toObject().value("file").toString(), QString("06:45"));
    QCOMPARE(differences[0].toObject().value("controller").toString(), memory);
    QCOMPARE(differences[0].toObject().value("controller_ram").toString(), ram);
    if (!ram.isEmpty()) { // the same in the text, and compare shows it too
        const Run text = cli({"compare", later});
        QCOMPARE(text.exitCode, int(kExitDiffer));
        QVERIFY2(text.out.contains(
                     QStringLiteral("controller memory %1, RAM %2\n").arg(memory, ram).toUtf8()),
                 text.out.constData());
    }

    // Without the read-back the write alone: exit 0, nothing verified.
    const Run unverified = cli({"--json", "write", later, "--no-verify"});
    QCOMPARE(unverified.exitCode, int(kExitSound));
    QVERIFY(unverified.json().value("verified").isNull());
}

void CliTest::refusedFileSendsNothing_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("value out of range") << "Startfrequenz:"
                                        << "90" << QStringList{};
    QTest::newRow("profile out of order") << "WT_Time2:"
                                          << "20:00:00" << QStringList{};
    QTest::newRow("wrong password") << "Startfrequenz:"
                                    << "55" << QStringList{"--password", "x"};
}

// A file, a profile or a password the window refuses: exit code 5, and not a byte sent.
void CliTest::refusedFileSendsNothing() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QStringList, extra);
    startController(Generation::New, 14);
    const QString path = fileWith(key, value);
    QVERIFY(!path.isEmpty());
    sim_->host().clearReceived();
    const Run run = cli(QStringList{"write", path} + extra);
    QCOMPARE(run.exitCode, int(kExitRefused));
    QVERIFY2(run.err.contains("nothing was sent") || run.err.contains("was not loaded"),
             run.err.constData());
    QCOMPARE(sim_->host().received().size(), 0);
}

// The service page's jobs on a controller in normal operation at 50 Hz: the fault memory
// read and cleared, the calibration refused without its password and done with it, the
// clock set in standard time.
void CliTest::serviceJobs() {
    using namespace std::chrono_literals;
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    auto& m = sim_->model();
    m.setFrozen(true);
    m.setClock(QDateTime(QDate::currentDate(), QTime(12, 0)));
    m.setBurnInOverride(0s);
    QVERIFY(m.setOperatingState(trvsim::ControllerModel::OperatingState::Normal));
    m.forceLampFrequency(50.0);
    m.poke(trvsim::Space::Ram, generation == Generation::Old ? 0x46 : 0x42, 600);
    m.advance(60s);

    const Run faults = cli({"--json", "faults", "--clear"});
    QVERIFY2(faults.exitCode == kExitSound, faults.err.constData());
    QVERIFY(!faults.json().value("records").toArray().isEmpty());
    QVERIFY(faults.json().value("cleared").toBool());
    QVERIFY(cli({"--json", "faults"}).json().value("records").toArray().isEmpty());

    sim_->host().clearReceived();
    QCOMPARE(cli({"calibrate", "--measured", "231"}).exitCode, int(kExitRefused));
    QCOMPARE(cli({"calibrate", "--measured", "231", "--password", "qox"}).exitCode,
             int(kExitRefused)); // the service level does not open the calibration
    QCOMPARE(sim_->host().received().size(), 0);
    const Run calibration =
        cli({"--json", "calibrate", "--measured", "231", "--password", "tarnel4"});
    QVERIFY2(calibration.exitCode == kExitSound, calibration.err.constData());
    QCOMPARE(calibration.json().value("calibration_value").toInt(),
             int(newCalibrationValue(600, 231)));

    const Run clock = cli({"sync-clock"});
    QVERIFY2(clock.exitCode == kExitSound, clock.err.constData());
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime standard = standardTime(now, daylightBiasMinutes(now.timeZone(), now));
    const QDateTime controller(m.clock().date(), m.clock().time(), QTimeZone::utc());
    QVERIFY2(qAbs(controller.secsTo(standard)) < 120, qPrintable(controller.toString()));
}

void CliTest::refusedInvocations_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no command") << QStringList{} << int(kExitUsage);
    QTest::newRow("unknown command") << QStringList{"dance"} << int(kExitUsage);
    QTest::newRow("unknown option") << QStringList{"--colour", "identify"} << int(kExitUsage);
    QTest::newRow("read time-out out of range")
        << QStringList{"--read-timeout", "5", "identify"} << int(kExitUsage);
    QTest::newRow("no such port") << QStringList{"--port", "/nonexistent/tty", "identify"}
                                  << int(kExitPort);
    QTest::newRow("read with a stray argument")
        << QStringList{"--port", "/nonexistent/tty", "read", "extra"} << int(kExitUsage);
    QTest::newRow("another command's option")
        << QStringList{"--port", "/nonexistent/tty", "read", "--csv", "x.csv"} << int(kExitUsage);
    QTest::newRow("COM0") << QStringList{"--port", "COM0", "identify"} << int(kExitUsage);
    QTest::newRow("COM33") << QStringList{"identify", "--port", "com33"} << int(kExitUsage);
    QTest::newRow("COMx") << QStringList{"--port", "COMx", "identify"} << int(kExitUsage);
    QTest::newRow("unknown language")
        << QStringList{"report", "r.pdf", "--language", "xx"} << int(kExitUsage);
    QTest::newRow("help") << QStringList{"--help"} << int(kExitSound);
}

void CliTest::refusedInvocations() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const Run run = cli(arguments, false);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == kExitPort)
        QVERIFY2(run.err.contains("/nonexistent/tty could not be opened: error 2, "),
                 run.err.constData());
    // A refused command line shows the right form: the usage line of its command.
    if (exitCode == kExitUsage && arguments.contains("read"))
        QVERIFY2(run.err.contains("\nusage: trv5200-cli [options] read [--ini FILE]\n"),
                 run.err.constData());
    if (exitCode == kExitUsage && arguments.contains("identify"))
        QVERIFY2(run.err.contains("\nusage: trv5200-cli [options] identify\n"),
                 run.err.constData());
    QVERIFY2(!run.err.contains("Kein Zugriff"), run.err.constData()); // English throughout
    if (arguments == QStringList{"--help"})
        QVERIFY(run.out.contains("Exit codes:"));
}

// watch: one JSON object per reading; --seconds ends it, and so does Ctrl-C, soundly and
// with every line it read complete.
void CliTest::watchEndsOnCtrlC() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    const auto checkLines = [](const QByteArray& out) {
        const QList<QByteArray> lines = out.trimmed().split('\n');
        for (const QByteArray& line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            QVERIFY2(o.contains("time") && o.contains("dc_link_v") && o.contains("saving_percent"),
                     line.constData());
            QVERIFY(QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs).isValid());
        }
    };
    const Run timed = cli({"--json", "watch", "--seconds", "1"});
    QVERIFY2(timed.exitCode == kExitSound, timed.err.constData());
    checkLines(timed.out);

    QProcess process;
    process.setProcessEnvironment(environment());
    const QString csv = dir_.filePath("night.csv");
    process.start(QStringLiteral(TRV_CLI),
                  {"--port", link(), "--read-timeout", "500", "--json", "watch", "--csv", csv});
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += process.readAllStandardOutput()).count('\n') >= 2, 30000);
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), int(kExitSound));
    out += process.readAllStandardOutput();
    QVERIFY(out.endsWith('\n'));
    checkLines(out);
    // The recording holds every reading that was printed, after its header.
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QVERIFY2(rows.value(0).startsWith("\xEF\xBB\xBFTime UTC ("), rows.value(0).constData());
    QCOMPARE(rows.size() - 2, out.count('\n')); // the header, and nothing after the last CRLF

    QCOMPARE(cli({"watch", "--csv", dir_.filePath("no/such/folder/night.csv")}).exitCode,
             int(kExitFile));
}

// Ctrl-C between exchanges, in the session itself: the exchange that follows it sends
// nothing at all and says it was interrupted, which the tool ends with exit code 130.
void CliTest::ctrlCStopsBeforeTheNextExchange() {
    startController(Generation::New, 14);
    LinkSession session;
    QString error;
    QVERIFY2(session.open(link(), &error), qPrintable(error));
    const IdentifyResult id = identifyController(session);
    QVERIFY(id.identity);
    sim_->host().clearReceived();
    requestInterrupt();
    const ParameterReadResult read = readParameters(session, *id.identity);
    clearInterrupt();
    QCOMPARE(read.failure, LinkSession::Failure::Interrupted);
    QVERIFY(!read.read);
    QCOMPARE(sim_->host().received().size(), 0);
    // Cleared, the session goes on where it stopped.
    QVERIFY(readParameters(session, *id.identity).read);
}

// The commissioning report as a PDF, without a display and without a platform named: the
// command sets up its own offscreen one. A file that cannot be written is exit code 7 and
// leaves nothing behind; a language it does not know is refused before the port opens.
void CliTest::report() {
    startController(Generation::New, 14);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    const QString path = dir_.filePath("report.pdf");
    const Run run = cli({"--json", "report", path, "--language", "de"});
    const Run unwritable = cli({"report", dir_.filePath("no/such/folder/report.pdf")});
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty())
        qputenv("DISPLAY", display);

    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    QCOMPARE(run.json().value("file").toString(), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QCOMPARE(unwritable.exitCode, int(kExitFile));
    QVERIFY(!QFile::exists(dir_.filePath("no/such/folder/report.pdf")));

    sim_->host().clearReceived();
    // The settings file's code names a language as well as the short one, in any case.
    QCOMPARE(cli({"report", dir_.filePath("bericht.pdf"), "--language", "GER"}).exitCode,
             int(kExitSound));
    sim_->host().clearReceived();
    QCOMPARE(cli({"report", path, "--language", "xx"}).exitCode, int(kExitUsage));
    QCOMPARE(cli({"report"}).exitCode, int(kExitUsage));
    QCOMPARE(sim_->host().received().size(), 0);
}

// A port that would not open: the link's message, then what to do about it, against real
// ports: a path with no device, a COM entry whose controller has gone, and a device the
// program may not open.
void CliTest::portOpenHints_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("stderrHolds");
    QTest::newRow("no device at the path")
        << "path"
        << QStringList{"/nonexistent/tty could not be opened: error 2, ",
                       "There is no device /nonexistent/tty."};
    QTest::newRow("the COM entry's controller has gone")
        << "entry"
        << QStringList{"COM7 (", ") could not be opened: error 2, ", "COM7 stands for ",
                       "in the [Ports] section of ", "TRV5200.ini"};
    QTest::newRow("no permission for the device")
        << "permission"
        << QStringList{"could not be opened: error 13, ", "No permission for ",
                       "serial ports belong to the "
                       "group dialout",
                       "\"sudo usermod -aG dialout $USER\", then log out and "
                       "in again."};
    // Held open by another program, here the test itself through the link, as the
    // window's "com deactivate" leaves it: busy, and who holds it.
    QTest::newRow("held by another program")
        << "busy"
        << QStringList{"could not be opened: error 16, ", " is in use: tst_cli (process ",
                       "End that program to release the port."};
    QTest::newRow("held by another program, as nobody")
        << "busy unprivileged"
        << QStringList{"could not be opened: error 16, ", " is in use: tst_cli (process "};
    QTest::newRow("/dev/null") << "/dev/null"
                               << QStringList{"/dev/null could not be opened: error 25, ",
                                              "/dev/null is not a serial port."};
    QTest::newRow("a regular file") << "file"
                                    << QStringList{"could not be opened: error 25, ",
                                                   "is not a serial port. Name the adapter's "
                                                   "device instead"};
}

void CliTest::portOpenHints() {
    QFETCH(QString, kind);
    QFETCH(QStringList, stderrHolds);
    Run run;
    if (kind == "path") {
        run = cli({"--port", "/nonexistent/tty", "identify"}, false);
    } else if (kind == "entry") {
        startController(Generation::New, 14);
        sim_->stop(); // the link goes with it
        QVERIFY(!QFileInfo::exists(link()));
        QVERIFY(QDir().mkpath(dir_.filePath("config/TRV5200")));
        QFile settings(dir_.filePath("config/TRV5200/TRV5200.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Ports]\nCOM7=" + link().toUtf8() + "\n");
        settings.close();
        run = cli({"--port", "COM7", "identify"}, false);
        QVERIFY2(run.err.contains(link().toUtf8()), run.err.constData());
        QVERIFY2(run.err.contains(settings.fileName().toUtf8()), run.err.constData());
    } else if (kind.startsWith("busy")) {
        startController(Generation::New, 14);
        LinkSession holder;
        QString error;
        QVERIFY2(holder.open(link(), &error), qPrintable(error));
        if (kind == "busy") {
            run = cli({"--port", link(), "identify"}, false);
        } else {
            // By the device's own name, as an ordinary user: the same lock stops it.
            QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ExeOwner | QFile::ReadOther |
                                                           QFile::ExeOther));
            run = cli({"--port", sim_->devicePath(), "identify"}, false, true);
        }
        QVERIFY2(
            run.err.contains(
                QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid()).toUtf8()),
            run.err.constData());
        // Once the holder lets go, the port opens.
        QVERIFY(holder.isOpen());
    } else if (kind == "/dev/null") {
        run = cli({"--port", "/dev/null", "identify"}, false);
    } else if (kind == "file") {
        const QString file = dir_.filePath("not-a-port");
        QFile regular(file);
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();
        run = cli({"--port", file, "identify"}, false);
    } else {
        startController(Generation::New, 14);
        // Only the device's own mode stands in the way: its folder may be searched.
        QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
        const QString device = sim_->devicePath();
        const QFile::Permissions before = QFile::permissions(device);
        QVERIFY(QFile::setPermissions(device, {}));
        run = cli({"--port", link(), "identify"}, false, true);
        QVERIFY(QFile::setPermissions(device, before));
        QVERIFY2(run.err.contains(link().toUtf8()), run.err.constData());
    }
    QCOMPARE(run.exitCode, int(kExitPort));
    for (const QString& piece : stderrHolds)
        QVERIFY2(run.err.contains(piece.toUtf8()), run.err.constData());
    // The failure first, in English as the rest, then the hint on a line of its own.
    QVERIFY2(!run.err.contains("Kein Zugriff"), run.err.constData());
    QCOMPARE(run.err.count('\n'), 2);
    QVERIFY(run.out.isEmpty());
    if (kind == "busy") // released, the port opens again
        QCOMPARE(cli({"identify"}).exitCode, int(kExitSound));
}

void CliTest::optionsAfterTheCommand_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("key"); // what the JSON holds
    QTest::newRow("--json before") << QStringList{"--json", "identify"} << "generation";
    QTest::newRow("--json after") << QStringList{"identify", "--json"} << "generation";
    QTest::newRow("every option after")
        << QStringList{"faults", "--read-timeout", "500", "--json"} << "records";
    QTest::newRow("the command's option before it")
        << QStringList{"--json", "--ini", dir_.filePath("before.ini"), "read"} << "WT_Time1";
}

// Options before or after the command, as a Linux command takes them.
void CliTest::optionsAfterTheCommand() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, key);
    startController(Generation::New, 14);
    const Run run = cli(arguments);
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    QVERIFY2(run.json().contains(key), run.out.constData());
    if (arguments.contains("--ini"))
        QVERIFY(QFileInfo::exists(dir_.filePath("before.ini")));
}

// JSON is typed: numbers, booleans, null for what the controller does not have. The
// controller clock is its local standard time, without an offset (it knows no zone), here
// Berlin's in winter and summer alike; fault records have no year.
void CliTest::typedJson() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    QProcessEnvironment berlin;
    berlin.insert("TZ", "Europe/Berlin");

    const QJsonObject id = cli({"identify", "--json"}, true, false, berlin).json();
    QVERIFY(id.value("calibration_value").isDouble());
    QCOMPARE(id.value("product_code").isNull(), generation == Generation::Old);

    const QJsonObject set = cli({"read", "--json"}, true, false, berlin).json();
    for (const char* number : {"Startfrequenz", "Einbrenndauer", "WT_Takt1", "WE_P_Red3"})
        QVERIFY2(set.value(number).isDouble(), number);
    QCOMPARE(set.value("WT_Time1").toString().size(), 8); // "21:00:00"
    QVERIFY(QDateTime::fromString(set.value("Datum").toString(), Qt::ISODate).isValid());

    QCOMPARE(cli({"sync-clock"}, true, false, berlin).exitCode, int(kExitSound));
    const QTimeZone zone("Europe/Berlin");
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    const QDateTime standard = utc.addSecs(zone.standardTimeOffset(utc));
    const auto checkClock = [&standard](const QJsonValue& value) {
        const QString text = value.toString();
        QVERIFY2(!text.endsWith('Z') && !text.contains('+'), qPrintable(text));
        const QDateTime clock = QDateTime::fromString(text, Qt::ISODate);
        QVERIFY2(clock.isValid() && clock.timeSpec() == Qt::LocalTime, qPrintable(text));
        const QDateTime asStandard(clock.date(), clock.time(), QTimeZone::utc());
        const QDateTime expected(standard.date(), standard.time(), QTimeZone::utc());
        QVERIFY2(qAbs(asStandard.secsTo(expected)) < 120, qPrintable(text));
    };
    checkClock(cli({"sync-clock", "--json"}, true, false, berlin).json().value("controller_clock"));

    const Run watch = cli({"watch", "--json", "--seconds", "1"}, true, false, berlin);
    const QJsonObject reading =
        QJsonDocument::fromJson(watch.out.left(watch.out.indexOf('\n'))).object();
    checkClock(reading.value("controller_clock"));
    QVERIFY(reading.value("mains_v").isDouble());
    QVERIFY(reading.value("heat_sink_1_c").isDouble());
    QVERIFY(reading.value("time").toString().endsWith('Z')); // the PC's own time, in UTC

    const QJsonObject faults = cli({"faults", "--json"}, true, false, berlin).json();
    QVERIFY(faults.value("cleared").isBool());
    const QJsonArray records = faults.value("records").toArray();
    QVERIFY(!records.isEmpty());
    for (const QJsonValue& each : records) {
        const QJsonObject record = each.toObject();
        for (const char* field : {"day", "month", "hour", "minute", "bits"})
            QVERIFY2(record.value(field).isDouble(), field);
        QVERIFY(!record.contains("year"));
        QVERIFY(record.value("faults").isArray());
        QCOMPARE(record.value("time").toString(),
                 QStringLiteral("%1.%2  %3:%4")
                     .arg(record.value("day").toInt(), 2, 10, QChar('0'))
                     .arg(record.value("month").toInt(), 2, 10, QChar('0'))
                     .arg(record.value("hour").toInt(), 2, 10, QChar('0'))
                     .arg(record.value("minute").toInt(), 2, 10, QChar('0')));
    }
}

void CliTest::failedWriteSaysWhatItLeft_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QStringList>("arguments"); // "FILE" stands for a parameter file
    QTest::addColumn<trvsim::TelegramKind>("telegram");
    QTest::addColumn<QString>("note");
    using trvsim::TelegramKind;
    const QStringList calibrate{"calibrate", "--measured", "231", "--password", "tarnel4"};
    for (const Generation generation : {Generation::New, Generation::Old}) {
        const char* g = generation == Generation::New ? "new" : "old";
        QTest::addRow("%s, write", g)
            << generation << QStringList{"write", "FILE"} << TelegramKind::ParameterWrite
            << "the controller may hold part of the set; write it again";
        QTest::addRow("%s, sync-clock", g)
            << generation << QStringList{"sync-clock"} << TelegramKind::ClockWrite
            << "the clock may have been set; set it again";
        QTest::addRow("%s, faults --clear", g)
            << generation << QStringList{"faults", "--clear"} << TelegramKind::FaultMemoryClear
            << "the fault memory may be cleared; read it to see";
        QTest::addRow("%s, calibrate", g)
            << generation << calibrate << TelegramKind::CalibrationWrite
            << "the controller may hold the new calibration value with the old set points: "
               "the identity is read again before the next calibration";
    }
}

// A write whose answer check fails (a wrong echo in its telegram) says what the controller
// may hold and what to do, and exits with the link's code.
void CliTest::failedWriteSaysWhatItLeft() {
    using namespace std::chrono_literals;
    QFETCH(Generation, generation);
    QFETCH(QStringList, arguments);
    QFETCH(trvsim::TelegramKind, telegram);
    QFETCH(QString, note);
    startController(generation, 14);
    auto& m = sim_->model(); // the calibration's conditions, as in serviceJobs
    m.setFrozen(true);
    m.setBurnInOverride(0s);
    QVERIFY(m.setOperatingState(trvsim::ControllerModel::OperatingState::Normal));
    m.forceLampFrequency(50.0);
    m.poke(trvsim::Space::Ram, generation == Generation::Old ? 0x46 : 0x42, 600);
    m.advance(60s);
    if (arguments.contains("FILE")) {
        const QString path = fileWith("WT_Endtime:", "06:30:00");
        QVERIFY(!path.isEmpty());
        arguments.replace(arguments.indexOf("FILE"), path);
    }
    // The address echo of the telegram's second item.
    sim_->host().inject(
        trvsim::Fault::corrupt().in(telegram, 1, generation == Generation::New ? 7 : 6));
    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, int(kExitLink));
    QVERIFY2(run.err.contains(note.toUtf8()), run.err.constData());
}

// A file whose saving contradicts its takt: loaded as the takt says, the key named on
// stderr, for write and compare alike.
void CliTest::contradictingFileNamesTheKeys() {
    startController(Generation::New, 14);
    QString path = fileWith("WT_P_Red2:", "-5"); // no takt saves that
    QVERIFY(!path.isEmpty());
    const Run compare = cli({"compare", path});
    QCOMPARE(compare.exitCode, int(kExitSound)); // the takt is the controller's
    QVERIFY2(compare.err.contains("Overridden: WT_P_Red2\n"), compare.err.constData());
    const Run write = cli({"write", path});
    QCOMPARE(write.exitCode, int(kExitSound));
    QVERIFY2(write.err.contains("Overridden: WT_P_Red2\n"), write.err.constData());
    // A file that agrees with itself says nothing.
    path = fileWith("WT_Endtime:", "06:30:00");
    QVERIFY(cli({"compare", path}).err.isEmpty());
}

// A data byte the line spoils carries no check of its own: every read whose values are
// kept is read twice and counts only when two answers agree. One spoilt answer of three:
// the true values, as from a clean line. Three unlike answers: exit code 4 with the
// corrupted line's message, nothing on stdout and no file. The simulator counts the
// confirming reads of the identity as parameter reads (they do not follow a hardware
// test), so the parameter read's own telegrams are the 2nd to 4th of that kind. The
// bytes are data bytes: item words the decoders take (calibration value, the first
// profile words, the first fault records).
void CliTest::confirmedReads_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<bool>("corrupted");
    struct Place {
        const char* command;
        const char* kinds[3];
        int newBytes[3];
        int oldBytes[3];
    };
    const Place places[] = {
        {"identify", {"identity:1", "parread:1", "parread:2"}, {178, 179, 163}, {78, 79, 66}},
        {"read", {"parread:2", "parread:3", "parread:4"}, {183, 184, 188}, {82, 83, 86}},
        {"faults", {"errread:1", "errread:2", "errread:3"}, {8, 9, 13}, {6, 7, 10}},
    };
    for (const Generation generation : {Generation::New, Generation::Old}) {
        const bool old = generation == Generation::Old;
        for (const Place& place : places) {
            QStringList all;
            for (int i = 0; i < 3; ++i)
                all << QStringLiteral("corrupt@%1:%2")
                           .arg(QLatin1String(place.kinds[i]))
                           .arg(old ? place.oldBytes[i] : place.newBytes[i]);
            const QByteArray name = QByteArray(old ? "old " : "new ") + place.command;
            QTest::newRow(name + ", first read spoilt")
                << generation << QString::fromLatin1(place.command) << all.mid(0, 1) << false;
            QTest::newRow(name + ", three reads spoilt")
                << generation << QString::fromLatin1(place.command) << all << true;
        }
    }
}

void CliTest::confirmedReads() {
    QFETCH(Generation, generation);
    QFETCH(QString, command);
    QFETCH(QStringList, faults);
    QFETCH(bool, corrupted);
    startController(generation, 14);
    const auto withoutDate = [](QJsonObject o) {
        o.remove("Datum");
        return o;
    };
    const Run clean = cli({"--json", command});
    QVERIFY2(clean.exitCode == kExitSound, clean.err.constData());

    inject(faults);
    const QString path = dir_.filePath("spoilt.ini");
    QFile::remove(path);
    QStringList arguments{"--json", "--link-stats", command};
    if (command == QLatin1String("read"))
        arguments << "--ini" << path;
    const Run run = cli(arguments);
    if (!corrupted) {
        QVERIFY2(run.exitCode == kExitSound, run.err.constData());
        QCOMPARE(withoutDate(run.json()), withoutDate(clean.json()));
        return;
    }
    QCOMPARE(run.exitCode, int(kExitLink));
    QVERIFY2(run.err.contains("the line corrupted the data"), run.err.constData());
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QVERIFY(!QFileInfo::exists(path));
}

// The link's record of a failed transfer in the message: a byte that never came, a byte
// that came wrong, and which exchange it was. Without confirmation the parameter read is
// the first of its kind; a spoilt data byte then goes unseen by the line's check, and is
// caught as a value the controller cannot hold.
void CliTest::failureMessagesNameTheByte_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("message");
    // The identity's two reads come first; the parameter read's telegrams follow them. A
    // value the controller cannot hold must come in both answers to be confirmed.
    QTest::newRow("missing") << Generation::New << QStringList{"drop@parread:1:50"}
                             << "the controller did not answer byte 50 of the parameter read";
    QTest::newRow("wrong") << Generation::New << QStringList{"corrupt@parread:1:182"}
                           << "the controller answered 0xDF where 0x20 was due (byte 182 of "
                              "the parameter read)";
    QTest::newRow("not plausible, new")
        << Generation::New << QStringList{"corrupt@parread:1:183", "corrupt@parread:2:183"}
        << "the parameter read brought a value the controller cannot hold, not plausible: [36] "
           "low byte = 255";
    // The new hardware's burn-in is shown as it is read, but 1084 min is no controller's.
    QTest::newRow("not plausible, new burn-in")
        << Generation::New << QStringList{"corrupt@parread:1:244", "corrupt@parread:2:244"}
        << "the parameter read brought a value the controller cannot hold, not plausible: [48] "
           "= 65068";
    QTest::newRow("not plausible, old")
        << Generation::Old << QStringList{"corrupt@parread:1:83", "corrupt@parread:2:83"}
        << "the parameter read brought a value the controller cannot hold, not plausible: [20] "
           "high byte = 234";
}

void CliTest::failureMessagesNameTheByte() {
    QFETCH(Generation, generation);
    QFETCH(QStringList, faults);
    QFETCH(QString, message);
    startController(generation, 14);
    inject(faults);
    const QString path = dir_.filePath("failed.ini");
    const Run run = cli({"read", "--ini", path});
    QCOMPARE(run.exitCode, int(kExitLink));
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QVERIFY(!QFileInfo::exists(path));
    // With confirmation off one parameter read; with it two when the answers agree.
    const auto exchanges = [](const Run& r) {
        const qsizetype at = r.err.indexOf("link: ");
        return r.err.mid(at + 6).split(' ').value(0).toInt();
    };
    QCOMPARE(exchanges(cli({"--no-confirm", "--link-stats", "read"})), 3);
    QCOMPARE(exchanges(cli({"--link-stats", "read"})), 5);
}

// A fault-memory write position beyond the ring is no controller's: faults and report
// name it and end with the link's code, and nothing is shown, written or cleared.
void CliTest::impossibleFaultPosition() {
    QFETCH(Generation, generation);
    startController(generation, 14);
    sim_->model().poke(trvsim::Space::Parameter, 0x70, 200);
    const Run faults = cli({"--json", "faults", "--clear"});
    QCOMPARE(faults.exitCode, int(kExitLink));
    QVERIFY2(faults.err.contains("write position of 200, beyond the ring, not plausible"),
             faults.err.constData());
    QVERIFY2(faults.out.isEmpty(), faults.out.constData());
    QCOMPARE(sim_->model().peek(trvsim::Space::Parameter, 0x70), quint16(200)); // not cleared
}

// The first synchronisation of a run that fails is sent once more on a quiet, purged line;
// a later one fails at once, and the job with it.
void CliTest::firstSynchronisationTriedAgain() {
    startController(Generation::New, 14);
    inject({"drop@sync:1:3"});
    const Run first = cli({"--json", "identify"});
    QVERIFY2(first.exitCode == kExitSound, first.err.constData());
    QCOMPARE(first.json().value("generation").toString(), QStringLiteral("new"));

    inject({"drop@sync:2:3"});
    const Run later = cli({"identify"});
    QCOMPARE(later.exitCode, int(kExitLink));
    QVERIFY2(later.err.contains("no synchronisation with the controller: the controller did not "
                                "answer byte 3 of the synchronisation before the identity read"),
             later.err.constData());
}

// A dropped answer in the middle of a watch: the gap is a line of its own (JSON with
// "error"), a CSV row with the time and empty value cells, and the readings go on after
// it. --max-errors 1 ends a watch on a silent controller with the link's exit code.
void CliTest::watchRidesThroughAGlitch() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    startController(generation, revision);
    inject({"drop@ramread:3:2"});
    const QString csv = dir_.filePath("glitch.csv");
    const Run run = cli({"--json", "watch", "--seconds", "3", "--csv", csv});
    QVERIFY2(run.exitCode == kExitSound, run.err.constData());
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    // The gap at the third reading (a busy line may take one more to come back in step),
    // readings after it.
    QList<qsizetype> gaps;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QJsonObject o = QJsonDocument::fromJson(lines[i]).object();
        QVERIFY2(o.contains("time"), lines[i].constData());
        if (o.contains("error"))
            gaps << i;
        else
            QVERIFY2(o.contains("dc_link_v"), lines[i].constData());
    }
    QVERIFY2(!gaps.isEmpty() && gaps.first() == 2 && gaps.size() <= 2, run.out.constData());
    const qsizetype gap = gaps.first();
    QVERIFY2(QJsonDocument::fromJson(lines[gap])
                 .object()
                 .value("error")
                 .toString()
                 .contains("did not answer byte 2 of the live"),
             lines[gap].constData());
    QVERIFY2(lines.size() > gaps.last() + 2, run.out.constData()); // the watch went on

    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.size() - 2, lines.size()); // the header, one row a line, nothing after CRLF
    QVERIFY2(rows[gap + 1].endsWith(",,,,,,,,\r"), rows[gap + 1].constData());
    QCOMPARE(rows[gap + 1].count(','), rows[0].count(','));

    inject({"silent@ramread:2:0"});
    const Run silent = cli({"watch", "--max-errors", "1"});
    QCOMPARE(silent.exitCode, int(kExitLink));
    QVERIFY2(silent.err.contains("did not answer byte 0 of the live reading"),
             silent.err.constData());
}

// SIGTERM and SIGHUP end a watch as Ctrl-C does, and a reader that closes the pipe
// (`watch | head -1`) too: exit code 0 and the recording complete up to its last CRLF.
void CliTest::watchEndsOnSignalsAndAClosedOutput_data() {
    QTest::addColumn<int>("signal"); // 0: stdout closed
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("closed stdout") << 0;
}

void CliTest::watchEndsOnSignalsAndAClosedOutput() {
    QFETCH(int, signal);
    startController(Generation::New, 14);
    QProcess process;
    process.setProcessEnvironment(environment());
    const QString csv = dir_.filePath("ended.csv");
    const QStringList arguments{"--port", link(),  "--read-timeout", "500",
                                "--json", "watch", "--csv",          csv};
    QByteArray out;
    if (signal != 0) {
        process.start(QStringLiteral(TRV_CLI), arguments);
        QTRY_VERIFY_WITH_TIMEOUT((out += process.readAllStandardOutput()).count('\n') >= 2, 30000);
        ::kill(pid_t(process.processId()), signal);
    } else {
        // The tool's own exit code through the pipe: head takes two lines and goes.
        process.start(QStringLiteral("bash"),
                      QStringList{"-c", "\"$0\" \"$@\" | head -2; exit ${PIPESTATUS[0]}",
                                  QStringLiteral(TRV_CLI)} +
                          arguments);
    }
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), int(kExitSound));
    out += process.readAllStandardOutput();
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray recorded = file.readAll();
    QVERIFY(recorded.endsWith("\r\n"));
    // The header, and every reading printed (through a closed pipe: those head took and
    // the ones that met the pipe still open or found it closed).
    const qsizetype rows = recorded.count('\n') - 1;
    if (signal != 0)
        QCOMPARE(rows, out.count('\n'));
    else
        QVERIFY2(rows >= 2, recorded.constData());
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
