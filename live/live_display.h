#pragma once
// The live status display as data: what the window shows after an accepted RAM read,
// computed from the controller's words, one routine per controller generation. The
// window's display routines gather the inputs, call these and write the result into its
// widgets; nothing here touches a widget.
//
// Words that cannot be right are never shown as they are: each checked word outside its
// range is replaced by the nearer bound (the rule of the window's range check chk_val) and
// listed in `violations`; the window then shows "Com-Error !" until the next reset.
#include "live/ram_table.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Colour of a status lamp after a display run (silver only comes from the reset).
enum class LampColour { Grey, Green, Yellow, Red };
// Colour of a caption the display marks: the window's text colour or red.
enum class CaptionColour { WindowText, Red };
// Text colour of one panel of the two state bars.
enum class StatePanelColour { Grey, Blue, Red };

// The range check's rule (chk_val): a value below limitDown becomes limitDown, one above
// limitUp becomes limitUp. Returns true when the value was out of range.
bool limitToRange(quint16& value, quint16 limitDown, quint16 limitUp);

// A word (or byte) that failed its range check.
struct RangeViolation {
    QString source;  // which word: "[5] low byte", "[13]", "[24] high byte" …
    quint16 value;   // as read
    quint16 limited; // as shown
};

// The shown values as numbers, for the instruments that follow them over time (trend,
// recording, clock drift). Each is the value its text shows, before rounding for display.
struct LiveValues {
    double dcLinkVolts = 0;                 // Edit_Uz
    double mainsVolts = 0;                  // Edit_uac
    double actualHz = 0;                    // Edit_fist
    double nominalHz = 0;                   // Edit_fsoll
    double heatSink1Celsius = 0;            // Edit_tmp1
    std::optional<double> heatSink2Celsius; // Edit_tmp2, when shown
    double savingPercent = 0;               // e_spar_ist_anz
    // The controller clock as it reads (standard time, no zone), to the second; invalid
    // when its registers hold no date.
    QDateTime controllerClock;
};

// Everything one display run writes, by widget name. An empty optional leaves that widget
// as it is (for example Edit_tmp2 when DEV_Nr is neither 0 nor 1).
struct LiveDisplay {
    // Measured values (service page)
    QString Edit_Uz;
    QString Edit_fist;
    QString Edit_fsoll;
    QString Edit_uac;
    QString Edit_tmp1;
    std::optional<QString> Edit_tmp2;
    quint16 uac_ist_int = 0; // mains-voltage count for the calibration, 0..1023

    // Start settings and ramp times (service page)
    QString takt_burn;
    QString time_burn;
    std::optional<QString> Edit12;       // darkening time [s]
    std::optional<QString> Edit13;       // brightening time [s]
    std::optional<bool> Label22_visible; // "HW Stand zu alt !" (old hardware only)

    // Energy saving, "67%" (status page)
    QString e_spar_soll_anz;
    QString e_spar_ist_anz;
    QString e_spar_soll_intern_anz;
    std::optional<QString> e_spar_soll_extern_anz; // new hardware without a source bit: kept

    // Operating times (status page)
    QString h_all;
    QString h_dimm;
    QString t_lauf_anz;

    // Controller clock: uC_Zeit, copied to uC_Zeit2
    QString uC_Zeit;
    std::optional<CaptionColour> clk_uc; // old hardware: red while the clock reports 80 s

    // Light sensor, lux (new hardware only)
    std::optional<QString> Lux_Ist;

    // Status lamps
    LampColour LED_G = LampColour::Grey;
    LampColour Sh_cond_4 = LampColour::Grey;
    LampColour Sh_cond_3 = LampColour::Grey;
    LampColour Sh_Dimm_off = LampColour::Grey;
    LampColour LED_Y = LampColour::Grey;
    LampColour LED_R = LampColour::Grey;
    LampColour so_time_led = LampColour::Grey;
    // Limit captions of the calibration page (new hardware only)
    std::optional<CaptionColour> Label69; // "Uac_P_red an"
    std::optional<CaptionColour> Label60; // "Temp_P_red an"

    // Operating state (0..8 new, 0..5 old) and the lamps of the active dimming period:
    // wt_ph1_led, wt_ph2_led, wt_ph3_led, we_ph1_led, we_ph2_led, we_ph3_led.
    quint16 controller_state = 0;
    std::array<LampColour, 6> periodLamps{};

    LiveValues values;

    std::vector<RangeViolation> violations;
    bool comError() const { return !violations.empty(); }
};

// Inputs of the new-hardware display: the RAM table (val_int of entries 0..79 and the
// normalised DC-link voltage val_n[8]), the identity, the calibration count for 230 V and
// the texts of the two light-sensor fields.
struct NewDisplayInputs {
    const TRam_Data& ram;
    quint16 DEV_Nr = 0;
    quint16 kal_value230 = 0;
    QString luxM; // Edit_Lux_m, decimal comma
    QString luxN; // Edit_Lux_n
};

// Inputs of the old-hardware display: the RAM table (val_int of entries 0..30), the
// hardware revision, the calibration count and the ramp-time bytes of the answer (the low
// and high byte of item 28, answer bytes 4 × 28 + 2 and 4 × 28 + 3).
struct OldDisplayInputs {
    const TRam_Data& ram;
    qint32 HW_Ver_Nr = 0;
    quint16 kal_value230 = 0;
    quint8 rampLow = 0;
    quint8 rampHigh = 0;
};

LiveDisplay liveDisplayNew(const NewDisplayInputs& in);
LiveDisplay liveDisplayOld(const OldDisplayInputs& in);

// The state bars: the panel lit for a controller state (0 → 0, 1 → 1, 2 → 2, 3 → 3,
// 4 → 4, 6 → 5; −1 for every other state, 9 after a reset among them) and the text colour
// of a panel (blue for panels 0..3, red for 4 and 5 when lit, grey otherwise).
int statePanel(quint16 controllerState);
StatePanelColour statePanelColour(quint16 controllerState, int panel);

// Current run time: "1h, 2min, 5s", "2min, 5s" or "5s".
QString runTimeText(quint32 seconds);

// The display's number format: fixed notation with `decimals` decimals and at most eight
// significant digits (digits beyond the eighth become 0), decimal comma, no "-0". A value
// beyond eight digits before the comma is shown in exponent notation.
QString formatF(double value, int decimals);
