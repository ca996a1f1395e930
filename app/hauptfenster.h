#pragma once
// The main window: pages, menu, bottom bar and status line, the protocol sequencer that
// hangs off its 50 ms timer, and the device state it shows. Widgets and handlers carry
// the names the rest of the system uses and are public, so tests drive the window as a
// user would. The window's methods live in the folder of the feature they belong to.
#include "app/hauptfenster_widgets.h"
#include "app/pages/caption_rows.h"
#include "app/qt_translation.h"
#include "live/live_display.h"
#include "live/ram_table.h"
#include "live/staleness.h"
#include "parameters/field_origin.h"
#include "parameters/parameter_memory_read.h"
#include "parameters/parameter_set.h"
#include "protocol/read_confirmation.h"
#include "protocol/steps.h"
#include "services/calibration.h"
#include "services/fault_ring.h"
#include "text/info_table.h"
#include "text/write_failure_texts.h"
#include "trace/link_statistics.h"
#include "trace/trace_ring.h"
#include "trend/trend_csv.h"
#include "trend/trend_recorder.h"
#include "trend/trend_ring.h"

#include <QDateTime>
#include <QLocale>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QInputDialog;
class QTimer;
class TSio;
class TInfofenst;
class TCompareDialog;
struct ParameterFields;
class Tlang_form;
class TTraceWindow;
class TTrendWindow;

// The request flags (hw_test_req … ram_rd_req) are members through RequestFlags, so the
// sequencer's exchange table can name them.
class THauptfenster : public QMainWindow, public THauptfensterWidgets, public RequestFlags {
    Q_OBJECT
public:
    explicit THauptfenster(QWidget* parent = nullptr);
    ~THauptfenster() override;

    // --- Application shell ----------------------------------------------------------
    QString com_port;      // port from the settings file, "COM1" by default
    QLocale fs;            // fixed formats: decimal comma, dd.MM.yyyy, 24 h
    QString language_code; // "ger", "eng", "schw", "franz", "tuerk" or "none"
    bool service_unlocked = false;
    int passw_level = 0;
    bool err_bit = false;

    TInfofenst* Infofenst = nullptr; // info window (modal, from the Info menu)
    Tlang_form* lang_form = nullptr; // language chooser (first start)
    // Qt's own dialog strings (standard buttons, file dialogs) in the window's language.
    QtTranslation qt_translation;

    // Row idx of the text table in the language ticked in the language menu.
    QString GetInfoString(int idx) const;
    std::optional<Language> activeLanguage() const;

    void FormCreate();
    // Writes the settings file and disconnects an open link; the window always closes.
    void FormCloseQuery();
    void about1Click();

    // The five language items of the menu: each sets language_code, ticks its item alone
    // and labels the windows in its language.
    void german1Click();
    void english1Click();
    void Schwe1Click();
    void Franzsich1Click();
    void tuerk1Click();
    // Labels the main window, the info window and the connect button from the text table
    // in the ticked language, and clears the calibration log.
    void apply_language();
    // At start: the chooser when no language is stored yet, else the stored language's
    // handler (a code that matches none applies nothing).
    void startLanguage();

    // The user selected another page: the service page asks for a password until one is
    // accepted, and the accepted level opens the pages beyond it.
    void PageControl1Change();
    // The password dialog: returns the entry on OK and the pre-filled text on Cancel.
    // Tests put their own answer here.
    std::function<QString(const QString& caption, const QString& prompt, const QString& preset)>
        passwordPrompt;
    // The dialog the password is asked in (not yet shown; the caller owns it).
    static QInputDialog* passwordDialog(QWidget* parent, const QString& caption,
                                        const QString& prompt, const QString& preset);
    // A second start asked this instance to come to the front.
    void RestoreRequest();

    // --- Protocol sequencer and connection --------------------------------------------
    QTimer* SPStimer = nullptr;  // 50 ms: one sequencer step per tick
    QTimer* Helptimer = nullptr; // 500 ms: PC clock
    TSio* Ths = nullptr;         // the serial link, from step 0 until a port change

    bool sio_active = false;  // the link exists and its port was opened
    bool sio_started = false; // the user has connected and not disconnected

    void SPStimerTimer();
    void Init_Sio();
    void Synchronisation();
    void Syncresp();
    void DatenFehler();
    void Com_activate_btClick();
    void ComboBox1Change();
    void uC_read_btClick();
    // Writes telegram items into the link's buffers (kind 9 also starts the transfer).
    void send_sio(bool hw_old, quint16 cfg, quint16 adr, quint16 anz, quint16 offset);
    // The requester's start of a transfer of count bytes; then protocol_step := the
    // response step (a Step:: code).
    void startRequest(quint32 count, qint32 responseStep);
    // Destroys the link (port change, program end).
    void releaseLink();

    // --- Device identity ------------------------------------------------------------
    bool HW_old = false;
    QString HW_Ver_Str;
    qint32 HW_Ver_Nr = 0;
    quint16 SW_Nr = 0;
    quint16 TVers_Nr = 0;
    quint16 Opt_Bits = 0;
    quint16 Entw_Nr = 0;
    quint16 DEV_Nr = 0;
    QString Rev_Str;
    QString HW_Produktcode = QStringLiteral("0.0");
    QString HW_Produktcode_Neu;
    QString HW_Beschreibung;
    QString SW_Date;
    QString SW_Date_neu;
    bool hw_descr_new = false;
    quint16 kal_value230 = 0;
    quint16 uac_start_int = 0;
    quint16 uac_nenn_int = 0;
    quint16 uac_start_val = 0;
    quint16 uac_nenn_val = 0;

    void Req_HW_Test();
    void Resp_HW_Test();
    void Req_HW_Info();
    void Resp_HW_Info();

    // --- Clock synchronisation and fault memory ---------------------------------------
    // The PC's local time as the clock write reads it, in its time zone (whose daylight
    // bias puts summer time back); tests fix the time and the zone here. Unset: the
    // system clock in the system's zone.
    std::function<QDateTime()> pcNow;

    void clk_btClick();
    void Req_Time_write();
    void Resp_Time_write();
    // The end of a clock write, answered or refused: the reading resumes, the button is back.
    void endTimeWrite();
    // Beside the controller clock: its drift from the PC's standard time after each live
    // reading, marked when worth a synchronisation; cleared with the display.
    void showClockDrift();
    void err_mem_read_btClick();
    void err_mem_clear_btClick();
    void Req_Errmem_rd();
    void Resp_Errmem_rd();
    void Req_Errmem_Clear();
    void Resp_Errmem_Clear();

    // --- Voltage calibration ------------------------------------------------------------
    // The calibration button: the conditions, the new calibration value, the write queued.
    void Bt_WR_KalwertClick();
    // The measured value changed (its up-down): the button may calibrate again.
    void Edit15Change();
    void Req_Kal_Write();
    void Resp_Kal_Write();
    // Adds lines to the calibration log (Memo1) in the active language.
    void addCalibrationLog(const QList<CalibrationLogLine>& lines);

    // --- Live data --------------------------------------------------------------------
    TRam_Data Ram_Data;           // new-hardware RAM, entries 0 … 79
    TRam_Data Ram_Data_Old;       // old-hardware RAM, entries 0 … 30
    TRam_Data Eep_Data;           // parameter words, entries 0 … 48
    TRam_Data Err_Data;           // fault-memory words
    quint16 controller_state = 9; // operating state of the last display run, 9 after a reset
    quint16 uac_ist_int = 0;      // raw mains-voltage count, 0 … 1023
    // The values of the last display run as numbers (trend, recording, clock drift); set
    // before liveValuesShown.
    LiveValues live_values;
    bool live_values_shown = false; // a display run has filled them since the last reset

    void init_ram_table();
    void TabSheet4Show();
    void StringGridLeer();
    void Req_Ram_rd();
    void Resp_Ram_rd();
    void Resp_Ram_rd_new();
    void Resp_Ram_rd_old();
    void ram_to_anz_new();
    void ram_to_anz_old();
    // Range check: a value outside low … high is replaced by the nearer bound and
    // "Com-Error !" (Label31) is shown until the next reset.
    void chk_val(quint16* adresse, quint16 limit_down, quint16 limit_up);
    void init_anzeige();
    void HelptimerTimer();
    // Marks the live values as old (grey, a note in the status line) once no sound answer
    // has reached the display for over a second while the reading runs; a sound answer,
    // the reset or the sequencer standing still takes the mark away. Run on every
    // sequencer tick and by Helptimer, which also runs while the sequencer stands.
    void checkLiveFreshness();

    // --- Parameters --------------------------------------------------------------------
    // The profile pickers in picker order (workday 1, 2, 3, end, then the weekend's), and
    // the periods' takt labels and saving edits (workday 1, 2, 3, weekend 1, 2, 3).
    std::array<QTimeEdit*, 8> profilePickers() const;
    std::array<QLabel*, 6> periodTakts() const;
    std::array<QLineEdit*, 6> periodSavings() const;
    void Req_Data_rd();
    void Resp_Data_rd();
    // Checks the order of both night profiles (sender: the picker the user changed, or
    // null) and the start settings, sets err_bit and enables or locks the write button.
    void check_public(QObject* Sender);
    // The one rule of the write button: locked while err_bit marks a profile out of order
    // or a write is under way, open while the link runs.
    void updateWriteButton();
    void time_burn_visuChange();
    void start_freq_inputChange();
    void uC_send_btClick();
    void Req_Data_Write();
    void Resp_Data_Write();
    // The end of a write, answered or refused: the request dropped, the reading resumed.
    void endDataWrite();
    // The ramp times go with the write only at a service access level and, on old
    // hardware, from revision 14 on.
    bool rampTimesPermitted() const;
    // A period's up-down (up: more saving): steps its takt label and shows the saving.
    void UpDown_WT1Click(bool up);
    void UpDown_WT2Click(bool up);
    void UpDown_WT3Click(bool up);
    void UpDown_Sa1Click(bool up);
    void UpDown_Sa2Click(bool up);
    void UpDown_Sa3Click(bool up);
    // A picker the user changed: the order check names it as the sender.
    void DateTimePicker_Mo1_input_change();
    void DateTimePicker_Mo2_input_change();
    void DateTimePicker_Mo3_input_change();
    void DateTimePicker_Mo_End_input_change();
    void DateTimePicker_Sa1_input_change();
    void DateTimePicker_Sa2_input_change();
    void DateTimePicker_Sa3_input_change();
    void DateTimePicker_Sa_End_input_change();
    // Where the fields' values came from: a write of values the controller never held
    // (start-up values, a set read in an earlier connection) asks first.
    FieldOrigin field_origin;

    // --- Parameter files and light control ---------------------------------------------
    // The file dialog of the parameter files: the kind, the folder it starts in, its
    // filter and preset name; the chosen path, empty when cancelled. While empty, Qt's file
    // dialogs ask; tests choose the path here instead.
    enum class FileDialogKind { Open, Save };
    using FileChooser = std::function<QString(FileDialogKind kind, const QString& folder,
                                              const QString& filter, const QString& presetName)>;
    FileChooser chooseParameterFile;
    void config_save1Click();
    void config_load1Click();
    // The light sensor's type: a preset's slope and offset in locked edits, or the edits
    // opened for typing ("Individual").
    void CB_LuxparaChange();

    // --- Window shell (layout, dialogs) -----------------------------------------------
    // The numeric key filter of the start-setting fields: digits, the decimal comma and
    // backspace pass; any other character, Enter included, becomes 0 (swallowed).
    static void FormKeyPress(QChar& key);
    // Outer window size for a screen's available area: at most 800 × 572, never larger
    // than the screen.
    static QSize mainWindowSize(const QSize& availableScreen);
    // Captions the window is built with until a language is applied: German by design.
    // The screenshot run builds the window in the other languages to check the layout.
    static void setDesignLanguage(Language language);
    static QString designText(int row);
    // Every caption the pages show from the text table, by control and row, as the page
    // builders listed them; the window was labelled from it in the design language.
    const CaptionRows& captionRows() const { return captionRows_; }
    // Points each COM entry's tooltip at the device path it opens.
    void refreshComToolTips();

    // --- Variable tables and RAM read (helpers) --------------------------------------
    // Installs the measurement grid's cell painting (StringGrid2DrawCell) and runs
    // TabSheet4Show whenever the measurement page is shown or resized. Called at creation.
    void wireMeasurementPage();
    // Paints a highlighted cell of StringGrid2 over its standard painting: columns 1..5
    // of rows 1, 2 and 10 on pale green, the text at the top-left corner.
    void StringGrid2DrawCell(int ACol, int ARow, const QRect& Rect, QPainter* Canvas);

    // --- Live display (helpers) ------------------------------------------------------
    // Paint one panel of the state bar on the status page (StatusBar1) or on the service
    // page (StatusBar2) from controller_state: the text blue (panels 0..3) or red (4, 5)
    // when the panel is the state's, grey otherwise.
    void StatusBar1DrawPanel(TStateStrip* StatusBar, QPainter& Canvas, int Panel,
                             const QRect& Rect);
    void StatusBar2DrawPanel(TStateStrip* StatusBar, QPainter& Canvas, int Panel,
                             const QRect& Rect);

    // --- Telegram trace and link diagnosis (trace/trace_steps.cpp) ---------------------
    TraceRing trace_ring;                // the last 1,000 transfers
    LinkStatistics link_statistics;      // since the program started
    TTraceWindow* traceWindow = nullptr; // made when first opened
    QAction* trace1 = nullptr;           // its item in the tools menu
    // Opens the trace window (not modal); a benchmark or the screenshots may call it.
    void openTrace();
    // The link's record of a transfer: into the trace and the statistics, tagged with its
    // exchange; a failed one's cause into the status line, a sound one clears it.
    void traceTransfer(const TransferRecord& record);
    // The next connect: the note on the last failure goes.
    void clearLinkDiagnosis();
    // Confirmed reads (protocol/confirm_steps.cpp): the answers of the running read, the
    // request step to send once more (the next synchronisation serves it before any
    // other), the tools menu item that turns it off, and whether the error step follows
    // a read whose answers all differed.
    ReadConfirmation read_confirmation;
    std::optional<qint32> confirm_repeat_;
    QAction* confirm_reads1 = nullptr;
    bool corrupted_read_ = false;
    void addConfirmItem();
    void confirm_reads1Click(bool on);
    bool confirmReadsOn() const;
    // Before a confirmed read's response step: false when the step must not run (another
    // answer is asked for, or the read failed).
    bool confirmAnswer();
    void resetConfirmation();

    // --- Read-back after a write, comparison with the controller -----------------------
    // Tools menu items: the read-back after every sound write (checkable, on unless the
    // settings file says 0) and the comparison window.
    QAction* verify_after_write1 = nullptr;
    QAction* compare1 = nullptr;
    TCompareDialog* CompareDialog = nullptr; // made by the first comparison
    // The fields of a write as they stand (the write and the comparison read them alike).
    ParameterFields parameterFieldsShown() const;
    // The set the last write sent and whether its ramp times went with it.
    struct WrittenParameters {
        ParameterSet set;
        bool withRampTimes = false;
    };
    std::optional<WrittenParameters> written_parameters;
    // The controller's set from the comparison's read.
    std::optional<ParameterMemoryRead> compared_read;
    // The status-line note of the last sound read-back; empty when none stands there.
    QString verified_note;
    void buildVerifyItems();
    void verify_after_write1Click(bool on);
    // The write's answer was sound: the read-back is queued when it is on.
    void queueVerify();
    void Req_Verify_rd();
    void Resp_Verify_rd();
    void compare1Click();
    void Req_Compare_rd();
    void Resp_Compare_rd();
    // Fills the comparison window from compared_read and the side it is set to.
    void refreshComparison();
    // The comparison window asks for a parameter file to compare with.
    void chooseCompareFile();
    // --- What a failed write leaves behind (services/failed_write_steps.cpp) ----------
    // The write telegram under way (set by its request step, cleared by its response):
    // when it fails its answer check, the error step names what it may have stored.
    std::optional<WriteFailureText> write_under_way;
    void noteFailedWrite(); // the error step's one call
    // A sound write of this kind (or the fault memory's read after a failed clear): the
    // note on the last failed one of the kind goes.
    void clearFailedWriteNote(WriteFailureText kind);
    void showFailedWriteNote();
    std::optional<WriteFailureText> failed_write; // the note's write, for a language switch
    QString failed_write_note;                    // the note as shown
    // A calibration write failed: the controller may hold the new value with the old set
    // points, so the next calibration waits for a fresh identity read.
    bool identity_stale = false;
    void buildFailedWriteNotes();
    // --- Commissioning report (report/report_steps.cpp) --------------------------------
    QAction* report1 = nullptr; // its item in the tools menu
    // The report's file: the path chosen, empty when cancelled. While empty, Qt's file
    // dialog asks; tests choose the path here instead.
    FileChooser chooseReportFile;
    // What this session did that the report tells: the last calibration's log and the
    // last fault-memory read (a clear leaves it read and empty), with its write position.
    QList<CalibrationLogLine> session_calibration_log;
    std::optional<FaultList> session_faults;
    quint16 session_fault_position = 0;
    // The comparison's parameter read is the report's: it writes the report, not the
    // comparison window.
    bool report_pending = false;
    void addReportMenuItem();
    // Reads the parameters fresh (the comparison's exchange), then asks for the file.
    void report1Click();
    // The report from the set just read and what the window holds, into the chosen file.
    void writeReport(const ParameterRead& read);

    // --- Trend and its recording (trend/trend_steps.cpp) -------------------------------
    TrendRing trend_ring;                // every live display run's values, the newest 36,000
    TrendRecorder trend_recorder;        // the CSV recording while one runs
    TTrendWindow* trendWindow = nullptr; // made when first opened
    QAction* trend1 = nullptr;           // its item in the tools menu
    // The file a recording goes to; empty when the user cancelled. While unset, a file
    // dialog asks; tests and the benchmark choose the path here.
    std::function<QString(const QString& filter)> chooseRecordingFile;
    // Opens the trend window (not modal); a benchmark or the screenshots may call it.
    void openTrend();
    // The trend window's record button: starts a recording to a chosen file or stops it.
    void trendRecordClick();
    // On liveValuesShown: live_values into the trend and the recording.
    void takeTrendSample();
    // The window closes: a running recording ends, and a message says where its file is.
    void endTrendRecordingAtClose();
    // The controller the header of a recording names.
    TrendSource trendSource() const;
    void addTrendMenuItem();
    // --- A port that would not open (serial/port_hint_steps.cpp) -----------------------
    // Below the link's message, in the status line's message panel (serial/port_hint): for
    // permission denied how to join the group dialout, for no such device the path the
    // entry stands for and where it is mapped, for a device in use who holds it and how
    // to release it, for a path that is no serial port what to name instead; nothing for
    // other error numbers. A sound open takes it away.
    void showPortHint(int errorNumber, const QString& devicePath);
    void clearPortHint();
    QString port_hint_note;                    // the hint as shown; empty when none stands there
    QMetaObject::Connection port_hint_relabel; // a hint on screen follows the language

signals:
    // A RAM answer was shown on the live display (a new-hardware answer with a wrong
    // checksum is not).
    void liveValuesShown();
    // apply_language has labelled the windows: the windows of our own relabel themselves.
    void languageApplied();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A language handler's work: the code, the tick of its item alone, the labels.
    void chooseLanguage(const QString& code, QAction* item);
    // Creates every widget and layout (app/hauptfenster_ui.cpp): the page builders in
    // the order of their tabs, each in its own file of app/pages/, then the captions.
    void buildUi();
    void buildMenu();
    void buildActualValuesPage();    // TabSheet1
    void buildServicePage();         // TabSheet2
    void buildCalibrationPage();     // TabSheet3
    void buildMeasurementPage();     // TabSheet4
    void buildLightControlPage();    // TabSheet6
    void buildParameterMemoryPage(); // TabSheet5
    QGroupBox* buildBottomBar(QWidget* central);
    void buildStatusLine();
    CaptionRows captionRows_; // filled by the builders, applied by buildUi
    // Connects the widgets' signals to the handlers above.
    void wireHandlers();
    void runStep();
    // The six period up-downs differ only in the label and edit they use.
    void periodUpDownClick(QLabel* takt, QLineEdit* saving, bool up);
    // A parameter file's path from chooseParameterFile or a file dialog.
    QString chooseFile(FileDialogKind kind, const QString& folder, const QString& filter,
                       const QString& presetName);
    // Shows the running transfer's progress on the bar of its exchange.
    void setProgress(int percent);
    // The connect button offers to connect again (text 50).
    void offerConnect();
    // The buttons that request an exchange, enabled once a link is up.
    void enableRequestButtons();
    // The port did not open: nothing asked for before runs at a later connect, and the
    // request buttons are locked as after the error step.
    void dropRequestsAfterFailedOpen();
    // The technician's own changes of the parameter fields (the start settings' and ramp
    // times' up-downs) mark the fields as the technician's.
    void wireParameterEdits();
    // Before a write of values the controller never held: the question, with the
    // sequencer stopped behind it. True to write.
    bool writeConfirmed();

    bool stepRunning_ = false; // a sequencer step is running (it may show a modal message)

    // The live values' freshness (live/stale_mark_steps.cpp).
    void liveValuesRefreshed(); // a sound answer is on the display
    void resetStaleMark();      // the display reset: nothing on it claims to be live
    void showStaleMark(bool stale);
    StaleWatch liveWatch_;
    QString staleNote_;       // the status-line note the mark put there; empty: no mark
    QString noteBeforeStale_; // what the message panel said before, given back with the mark

    // The link diagnosis (trace/trace_steps.cpp).
    void addTraceMenuItem();
    void showLinkDiagnosis();
    // A confirmed read failed: its last transfer is marked and the note says so.
    void noteCorruptedRead();
    std::optional<TransferRecord> diagnosis_; // the failed transfer the note is about
    bool diagnosisCorrupted_ = false;         // the note is about a read whose answers differed
    QString diagnosisNote_;                   // the note as shown
};
