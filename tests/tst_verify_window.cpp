// The read-back after a write and the comparison with the controller, through the window
// against the simulated controller of both generations: what the technician is told, the
// fields left as they were, the telegrams sent, and the setting kept in the settings file.
#include "app/compare_dialog.h"
#include "app/hauptfenster.h"
#include "app/widgets/status_line.h"
#include "app/widgets/up_down.h"
#include "base/ini_file.h"
#include "base/settings_location.h"
#include "parameters/parameter_compare.h"
#include "protocol/protocol_state.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "sim/sim_protocol.h"
#include "sim/simulator.h"
#include "sim/telegram_kinds.h"
#include "telegram_log.h"
#include "text/confirm_texts.h"
#include "text/verify_texts.h"
#include "text/write_failure_texts.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>

using trvsim::Fault;
using trvsim::Generation;
using trvsim::Space;
using trvsim::TelegramKind;

Q_DECLARE_METATYPE(Generation)
Q_DECLARE_METATYPE(Space)
Q_DECLARE_METATYPE(QList<ParameterId>)

class VerifyWindowTest : public WindowTestBase {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }
    void init() {
        resetShared();
        QFile::remove(settingsFilePath()); // the read-back on, as at a first start
    }
    void cleanup() {
        releaseAll();
        QFile::remove(settingsFilePath());
    }

    void writeIsReadBackAndVerified_data();
    void writeIsReadBackAndVerified();
    void spoiledWordIsNamed_data();
    void spoiledWordIsNamed();
    void verifyOffSendsTheWriteAlone_data();
    void verifyOffSendsTheWriteAlone();
    void failedReadBackIsADataError();
    void readBackIsConfirmed_data();
    void readBackIsConfirmed();
    void compareListsWhatAWriteWouldChange_data();
    void compareListsWhatAWriteWouldChange();
    void settingPersists();
    void relabelledInTheLanguage();

private:
    void connectAndRead(Generation generation, int revision = 14);
    // The technician's edits: workday dimming end 06:30, 60 Hz.
    void editFields();
    // Stops the sequencer where its next tick synchronises, the link at rest, and forgets
    // what the controller received so far.
    void pauseAndClear();
    // Presses write and waits until the write and its read-back, if any, are done and the
    // next live reading has been shown.
    void writeAndWait();
    // Every text of the parameter fields a write takes, as a technician sees them (the
    // start settings last read beside them follow the live reading).
    QStringList fieldTexts() const;
    QString panel() const { return w_->StatusBar3->panelText(TStatusLine::kMessagePanel); }
    QString verified() const {
        return verifyText(w_->activeLanguage(), VerifyText::WrittenAndVerified);
    }
};

void VerifyWindowTest::connectAndRead(Generation generation, int revision) {
    startController(generation, revision, true);
    // Words whose fields give them back unrounded: 50 Hz, 5 min, darken 200 s and
    // brighten 600 s.
    const bool old = generation == Generation::Old;
    auto& model = sim_->model();
    model.poke(old ? Space::Ram : Space::Parameter, old ? 0x50 : 0x004, 200);
    model.poke(old ? Space::Ram : Space::Parameter, old ? 0x52 : 0x006, 300);
    if (old) { // the old controller's parameter memory holds the same
        model.poke(Space::Parameter, 0x02, 200);
        model.poke(Space::Parameter, 0x04, 300);
    }
    model.poke(Space::Parameter, 0x46, 0x1808);
    createWindow();
    connectAndIdentify();
    w_->uC_read_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !w_->data_rd_req; }, kWait));
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
}

void VerifyWindowTest::editFields() {
    w_->DateTimePicker_Mo_End->setTime(QTime(6, 30));
    w_->takt_burn_visu->setText(QStringLiteral("60"));
    QVERIFY(w_->uC_send_bt->isEnabled());
}

void VerifyWindowTest::pauseAndClear() {
    QVERIFY(QTest::qWaitFor(
        [this] {
            return protocol_step == Step::Synchronisation && w_->Ths->isAsleep() &&
                   !w_->Ths->anmeldung;
        },
        kWait));
    w_->SPStimer->stop();
    QVERIFY(QTest::qWaitFor([this] { return sim_->host().isQuiet(); }, kWait));
    sim_->host().clearReceived();
}

void VerifyWindowTest::writeAndWait() {
    const quint64 runs = displayRuns_;
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor(
        [&] {
            return (!w_->data_wr_req && !w_->verify_rd_req && displayRuns_ > runs) ||
                   !messages_.isEmpty();
        },
        kWait));
}

QStringList VerifyWindowTest::fieldTexts() const {
    QStringList texts;
    for (const QTimeEdit* picker : w_->profilePickers())
        texts << picker->time().toString(QStringLiteral("HH:mm"));
    for (const QLabel* takt : w_->periodTakts())
        texts << takt->text();
    for (const QLineEdit* saving : w_->periodSavings())
        texts << saving->text();
    for (const QLineEdit* edit : {w_->takt_burn_visu, w_->time_burn_visu, w_->Edit6, w_->Edit10})
        texts << edit->text();
    return texts;
}

void VerifyWindowTest::writeIsReadBackAndVerified_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<int>("revision");
    QTest::newRow("new hardware") << Generation::New << 14;
    QTest::newRow("old hardware, revision 14") << Generation::Old << 14;
    QTest::newRow("old hardware, revision 13") << Generation::Old << 13;
}

void VerifyWindowTest::writeIsReadBackAndVerified() {
    QFETCH(Generation, generation);
    QFETCH(int, revision);
    connectAndRead(generation, revision);
    QVERIFY(w_->verify_after_write1->isChecked()); // on by default
    editFields();
    pauseAndClear();
    const QStringList before = fieldTexts();
    writeAndWait();
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
    QCOMPARE(panel(), verified());
    QCOMPARE(fieldTexts(), before);
    QVERIFY(w_->ram_rd_req); // the live reading resumes
    QVERIFY(w_->uC_send_bt->isEnabled());
    // The write, then one parameter read, then the live reading again.
    const QList<TelegramKind> kinds = telegramKinds(sim_->host().received(), generation).mid(0, 5);
    QCOMPARE(kinds, (QList<TelegramKind>{TelegramKind::Sync, TelegramKind::ParameterWrite,
                                         TelegramKind::Sync, TelegramKind::ParameterRead,
                                         TelegramKind::Sync}));

    // A second write: its own read-back.
    w_->UpDown_WT1->click(TUpDown::Up);
    writeAndWait();
    QVERIFY(messages_.isEmpty());
    QCOMPARE(panel(), verified());
}

void VerifyWindowTest::spoiledWordIsNamed_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<Space>("space");
    QTest::addColumn<int>("address"); // the workday dimming end's word that is spoiled
    // The controller's side: its memory, and its RAM beside it where they differ.
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("ram");
    QTest::newRow("new hardware") << Generation::New << Space::Parameter << 0x26 << "07:00"
                                  << QString();
    QTest::newRow("old hardware, RAM") << Generation::Old << Space::Ram << 0xB8 << "06:30"
                                       << "07:00";
    QTest::newRow("old hardware, memory") << Generation::Old << Space::Parameter << 0x26 << "07:00"
                                          << "06:30";
}

void VerifyWindowTest::spoiledWordIsNamed() {
    QFETCH(Generation, generation);
    QFETCH(Space, space);
    QFETCH(int, address);
    QFETCH(QString, memory);
    QFETCH(QString, ram);
    connectAndRead(generation);
    editFields();
    sim_->model().spoilNextWrite(space, quint16(address), 0x0700); // 07:00 instead of 06:30
    writeAndWait();
    QCOMPARE(messages_.size(), 1);
    const QString& message = messages_.first();
    const auto language = w_->activeLanguage();
    const ParameterId dimmingEnd{ParameterField::ProfileTime, 3};
    QVERIFY2(message.startsWith(verifyText(language, VerifyText::VerifyFailed)),
             qPrintable(message));
    // The one differing parameter, by its caption, with what was written and read back.
    const QStringList lines = message.split('\n');
    QCOMPARE(lines.size(), 2);
    const QString readBack =
        ram.isEmpty() ? memory
                      : writeFailureText(language, WriteFailureText::MemoryAndRam).arg(memory, ram);
    QCOMPARE(lines[1], verifyText(language, VerifyText::VerifyDifference)
                           .arg(parameterCaption(language, dimmingEnd), "06:30", readBack));
    QVERIFY(panel() != verified());
    QCOMPARE(w_->DateTimePicker_Mo_End->time(), QTime(6, 30)); // the field keeps the entry
    QVERIFY(QTest::qWaitFor([this] { return w_->ram_rd_req && !w_->verify_rd_req; }, kWait));
    QVERIFY(w_->sio_started);
}

void VerifyWindowTest::verifyOffSendsTheWriteAlone_data() {
    QTest::addColumn<Generation>("generation");
    QTest::newRow("new hardware") << Generation::New;
    QTest::newRow("old hardware") << Generation::Old;
}

void VerifyWindowTest::verifyOffSendsTheWriteAlone() {
    QFETCH(Generation, generation);
    connectAndRead(generation);
    w_->verify_after_write1->trigger();
    QVERIFY(!w_->verify_after_write1->isChecked());
    editFields();
    pauseAndClear();
    writeAndWait();
    QVERIFY(messages_.isEmpty());
    QCOMPARE(panel(), QString());
    // Exactly today's write: the live reading follows it at once.
    const QList<TelegramKind> kinds = telegramKinds(sim_->host().received(), generation).mid(0, 4);
    QCOMPARE(kinds, (QList<TelegramKind>{TelegramKind::Sync, TelegramKind::ParameterWrite,
                                         TelegramKind::Sync, TelegramKind::RamRead}));
}

void VerifyWindowTest::failedReadBackIsADataError() {
    connectAndRead(Generation::New);
    editFields();
    pauseAndClear();
    // The first parameter read after arming is the read-back; its 120th byte is an echo.
    sim_->host().inject(Fault::drop().in(TelegramKind::ParameterRead, 1, 120));
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !messages_.isEmpty() && !w_->SPStimer->isActive(); },
                            kWait));
    QCOMPARE(messages_, QStringList{QStringLiteral("       COM Data-Error!       ")});
    for (const Exchange& e : kExchanges)
        QVERIFY2(!(w_.get()->*(e.flag)), qPrintable(QString::number(e.request)));
    QVERIFY(panel() != verified());
    QCOMPARE(w_->DateTimePicker_Mo_End->time(), QTime(6, 30));
}

void VerifyWindowTest::readBackIsConfirmed_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<bool>("everyAnswer");
    // The burn-in's high byte: on old hardware the parameter memory's word, the last item
    // of the read-back's telegram.
    for (const Generation generation : {Generation::New, Generation::Old}) {
        const char* g = generation == Generation::New ? "new" : "old";
        QTest::addRow("%s, first answer spoilt", g) << generation << false;
        QTest::addRow("%s, three unlike answers", g) << generation << true;
    }
}

// A data byte the line spoils in the read-back is no difference of the controller's: the
// next two answers agree and the write is verified. Three unlike answers are no read-back
// at all: the corrupted line's message, and never "written and verified".
void VerifyWindowTest::readBackIsConfirmed() {
    QFETCH(Generation, generation);
    QFETCH(bool, everyAnswer);
    connectAndRead(generation);
    editFields();
    pauseAndClear();
    const int data = generation == Generation::New ? 244 : 183;
    auto& host = sim_->host();
    host.inject(Fault::corrupt().in(TelegramKind::ParameterRead, 1, data));
    if (everyAnswer) {
        host.inject(Fault::corrupt().in(TelegramKind::ParameterRead, 2, data - 1));
        host.inject(Fault::corrupt().in(TelegramKind::ParameterRead, 3, data));
        host.inject(Fault::corrupt().in(TelegramKind::ParameterRead, 3, data - 1));
    }
    if (!everyAnswer) {
        writeAndWait();
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QCOMPARE(panel(), verified());
        QCOMPARE(host.faultsFired(), quint64(1));
        return;
    }
    w_->uC_send_btClick();
    QVERIFY(QTest::qWaitFor([this] { return !messages_.isEmpty() && !w_->SPStimer->isActive(); },
                            kWait));
    QCOMPARE(messages_,
             QStringList{confirmText(w_->activeLanguage(), ConfirmText::LineCorruptedData)});
    QVERIFY(panel() != verified());
    QCOMPARE(host.faultsFired(), quint64(4));
    for (const Exchange& e : kExchanges)
        QVERIFY2(!(w_.get()->*(e.flag)), qPrintable(QString::number(e.request)));
}

void VerifyWindowTest::compareListsWhatAWriteWouldChange_data() {
    QTest::addColumn<Generation>("generation");
    QTest::addColumn<QString>("password"); // entered on the service page; none: not asked
    QTest::addColumn<int>("rowCount");
    QTest::newRow("new, no access level") << Generation::New << QString() << 16;
    QTest::newRow("new, service level") << Generation::New << QString("qox") << 18;
    QTest::newRow("old, service level") << Generation::Old << QString("qox") << 18;
}

void VerifyWindowTest::compareListsWhatAWriteWouldChange() {
    QFETCH(Generation, generation);
    QFETCH(QString, password);
    QFETCH(int, rowCount);
    connectAndRead(generation);
    if (!password.isEmpty()) {
        w_->passwordPrompt = [password](const QString&, const QString&, const QString&) {
            return password;
        };
        w_->PageControl1->setCurrentWidget(w_->TabSheet2);
    }
    // A file of what the controller holds, saved from the fields as read.
    const QString file = portDir_.filePath(QStringLiteral("controller.ini"));
    w_->chooseParameterFile = [file](THauptfenster::FileDialogKind, const QString&, const QString&,
                                     const QString&) { return file; };
    w_->config_save1Click();
    QVERIFY(QFileInfo::exists(file));

    // The technician changes two parameters (and the darkening, which goes only with the
    // write at a service level).
    w_->UpDown_WT1->click(TUpDown::Up);
    w_->time_burn_visu->setText(QStringLiteral("12"));
    w_->Edit6->setText(QStringLiteral("175"));
    const QStringList before = fieldTexts();
    w_->compare1Click();
    QVERIFY(QTest::qWaitFor([this] { return w_->CompareDialog && w_->CompareDialog->isVisible(); },
                            kWait));
    QVERIFY(messages_.isEmpty());
    QCOMPARE(fieldTexts(), before); // the read touches no field
    TCompareDialog* dialog = w_->CompareDialog;
    const auto differing = [dialog] {
        QList<ParameterId> ids;
        for (const ParameterRow& row : dialog->rows())
            if (row.differs)
                ids.append(row.id);
        return ids;
    };
    QList<ParameterId> changed{{ParameterField::Takt, 0}, {ParameterField::BurnIn}};
    if (rowCount == 18)
        changed.append({ParameterField::Darken});
    QCOMPARE(dialog->rows().size(), rowCount);
    QCOMPARE(differing(), changed);
    QCOMPARE(dialog->table->rowCount(), rowCount);
    const int burnInRow = 15;
    QCOMPARE(dialog->rows()[burnInRow].id, ParameterId{ParameterField::BurnIn});
    QCOMPARE(dialog->table->item(burnInRow, 2)->text(), QStringLiteral("12"));
    QVERIFY(dialog->table->item(burnInRow, 0)->font().bold());
    QVERIFY(!dialog->table->item(burnInRow - 1, 0)->font().bold());

    // Against the file saved before the changes: nothing differs.
    dialog->side->setCurrentIndex(int(TCompareDialog::Side::File));
    QCOMPARE(dialog->file(), file);
    QCOMPARE(differing(), QList<ParameterId>{});
    // A file with another start frequency: that alone.
    IniFile ini;
    QVERIFY(ini.load(file));
    ini.setValue(QStringLiteral("Options"), QStringLiteral("Startfrequenz:"), "65");
    QVERIFY(ini.save(file));
    dialog->chooseFile->click();
    QCOMPARE(differing(), QList<ParameterId>{{ParameterField::StartFrequency}});
    QCOMPARE(fieldTexts(), before);
    QVERIFY(messages_.isEmpty());

    // Back to the fields, one of which a write would refuse: nothing is compared, the
    // note says which field and what it holds.
    w_->time_burn_visu->setText(QString());
    dialog->showFieldsSide();
    QCOMPARE(differing(), QList<ParameterId>{});
    const auto language = w_->activeLanguage();
    QCOMPARE(dialog->note->text(),
             verifyText(language, VerifyText::FieldNotComparable)
                 .arg(parameterCaption(language, {ParameterField::BurnIn}), QString()));
    QVERIFY(messages_.isEmpty());
}

void VerifyWindowTest::settingPersists() {
    // A settings file of an earlier start, with a port mapping and a comment.
    const QString path = settingsFilePath();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray original = "; technician's notes\r\n[Option]\r\nCom=COM2\r\nLanguage=eng\r\n"
                                "\r\n[Ports]\r\nCOM7=/dev/ttyUSB3\r\n";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(original), qint64(original.size()));
    }
    createWindow();
    QVERIFY(w_->verify_after_write1->isChecked());
    w_->verify_after_write1->trigger();
    QVERIFY(!w_->verify_after_write1->isChecked());
    IniFile stored;
    QVERIFY(stored.load(path));
    QCOMPARE(stored.value("Tools", "VerifyAfterWrite"), QStringLiteral("0"));
    QVERIFY(stored.bytes().startsWith(original)); // everything else as it was
    w_->close(); // writes the port and the language as at every close
    w_.reset();

    createWindow();
    QVERIFY(!w_->verify_after_write1->isChecked());
    QCOMPARE(w_->language_code, QStringLiteral("eng"));
    QVERIFY(stored.load(path));
    QCOMPARE(stored.value("Tools", "VerifyAfterWrite"), QStringLiteral("0"));
    QCOMPARE(stored.value("Ports", "COM7"), QStringLiteral("/dev/ttyUSB3"));
    QVERIFY(stored.bytes().startsWith("; technician's notes\r\n"));
    w_->verify_after_write1->trigger();
    QVERIFY(stored.load(path));
    QCOMPARE(stored.value("Tools", "VerifyAfterWrite"), QStringLiteral("1"));
}

void VerifyWindowTest::relabelledInTheLanguage() {
    connectAndRead(Generation::New);
    w_->compare1Click();
    QVERIFY(QTest::qWaitFor([this] { return w_->CompareDialog && w_->CompareDialog->isVisible(); },
                            kWait));
    w_->english1Click();
    const auto en = std::optional<Language>(Language::English);
    QCOMPARE(w_->verify_after_write1->text(), verifyText(en, VerifyText::VerifyAfterWriteItem));
    QCOMPARE(w_->compare1->text(), verifyText(en, VerifyText::CompareItem));
    QCOMPARE(w_->CompareDialog->windowTitle(), verifyText(en, VerifyText::CompareTitle));
    QCOMPARE(w_->CompareDialog->table->item(0, 0)->text(),
             QStringLiteral("diming profil: so-th night – period 1 – time"));
    QCOMPARE(w_->CompareDialog->note->text(), verifyText(en, VerifyText::NoDifferences));
}

QTEST_MAIN(VerifyWindowTest)
#include "tst_verify_window.moc"
