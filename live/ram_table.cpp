#include "live/ram_table.h"

#include "base/formats.h"

namespace {

// New-hardware RAM from 0x0030, entry i at 0x0030 + 2i. Entries without a name are words
// the firmware does not publish; entry 80 is never read.
const char* const kNewRamNames[kNewRamWords] = {
    "uac_soll_start",        // 0  0x0030
    "uac_soll_nenn",         // 1  0x0032
    "hl_time / rl_time",     // 2  0x0034
    "t_burn",                // 3  0x0036
    "f_burn",                // 4  0x0038
    "f_soll_r / f_soll",     // 5  0x003A
    "f_poti / f_uhr",        // 6  0x003C
    "f_0_10V / f_lux",       // 7  0x003E
    "uz_ad_pt1",             // 8  0x0040
    "uac_ad_pt1",            // 9  0x0042
    "poti_ad_pt1",           // 10 0x0044
    "ex2_ad_pt1",            // 11 0x0046
    "iz_ad_pt1",             // 12 0x0048
    "tmp1_ad_pt1",           // 13 0x004A
    "tmp2_ad_pt1",           // 14 0x004C
    "u_spg_ad",              // 15 0x004E
    "bhz_all_l",             // 16 0x0050
    "bhz_all_h",             // 17 0x0052
    "bhz_dim_l",             // 18 0x0054
    "bhz_dim_h",             // 19 0x0056
    "z_time3",               // 20 0x0058
    "regime / dim_zone",     // 21 0x005A
    "info_bits",             // 22 0x005C
    "err_bits",              // 23 0x005E
    "anzeige_bits",          // 24 0x0060
    "check_bits",            // 25 0x0062
    "pc_sende_bits",         // 26 0x0064
    "sw_info",               // 27 0x0066
    "f_soll / regime_start", // 28 0x0068
    "fehler_intern",         // 29 0x006A
    "port_c_sh / port_b_sh", // 30 0x006C
    "port_e_sh/ port_d_sh",  // 31 0x006E
    "p_dc",                  // 32 0x0070
    "err_bits_save",         // 33 0x0072
    "",                      // 34 0x0074
    "uac_soll",              // 35 0x0076
    "uac_ist",               // 36 0x0078
    "uac_delta",             // 37 0x007A
    "uac_kp",                // 38 0x007C
    "uac_ki",                // 39 0x007E
    "uac_kges",              // 40 0x0080
    "uz_diff",               // 41 0x0082
    "uz_soll",               // 42 0x0084
    "uz_ist",                // 43 0x0086
    "uz_delta",              // 44 0x0088
    "uz_kp",                 // 45 0x008A
    "uz_ki",                 // 46 0x008C
    "uz_kd",                 // 47 0x008E
    "uz_kges",               // 48 0x0090
    "uz_vt",                 // 49 0x0092
    "",                      // 50 0x0094
    "",                      // 51 0x0096
    "",                      // 52 0x0098
    "",                      // 53 0x009A
    "",                      // 54 0x009C
    "",                      // 55 0x009E
    "min / sec",             // 56 0x00A0
    "day / hrs",             // 57 0x00A2
    "month / date",          // 58 0x00A4
    "____ / year",           // 59 0x00A6
    "min_pc / sec_pc",       // 60 0x00A8
    "day_pc / hrs_pc",       // 61 0x00AA
    "month_pc / date_pc",    // 62 0x00AC
    "____ / year_pc",        // 63 0x00AE
    "",                      // 64 0x00B0
    "dt_wt1",                // 65 0x00B2
    "dt_wt2",                // 66 0x00B4
    "dt_wt3",                // 67 0x00B6
    "dt_wte",                // 68 0x00B8
    "dt_we1",                // 69 0x00BA
    "dt_we2",                // 70 0x00BC
    "dt_we3",                // 71 0x00BE
    "dt_wee",                // 72 0x00C0
    "",                      // 73 0x00C2
    "",                      // 74 0x00C4
    "",                      // 75 0x00C6
    "",                      // 76 0x00C8
    "df_wt2 / df_we1",       // 77 0x00CA
    "df_wt3 / df_we2",       // 78 0x00CC
    "df_we2 / df_we3",       // 79 0x00CE
};

// Scaling of the new-hardware words that have one: normalised value = word × norm / 32767.
struct Norm {
    int index;
    float norm;
};
constexpr Norm kNewRamNorms[] = {
    {0, 12800.0f},  // uac_soll_start
    {1, 12800.0f},  // uac_soll_nenn
    {8, 12800.0f},  // uz_ad_pt1: DC-link voltage
    {9, 12926.95f}, // uac_ad_pt1: mains voltage
    {10, 160.0f},   // poti_ad_pt1
    {12, 59.26f},   // iz_ad_pt1
};

// Old-hardware RAM, in the order the RAM read fetches the words (addresses 8-bit).
const char* const kOldRamNames[kOldRamWords] = {
    "temp1_ad",                 // 0  0x40
    "temp2_ad",                 // 1  0x42
    "uz_ad_filter",             // 2  0x44
    "uac_ad_filter",            // 3  0x46
    "takt_dim_analog",          // 4  0x48
    "takt_dim_uhr",             // 5  0x4A
    "lampen_freq_ist",          // 6  0x4C
    "lampen_freq_soll",         // 7  0x4E
    "takt_start",               // 8  0x50
    "dimm_time_eep",            // 9  0x52
    "bhz_all_min",              // 10 0x54
    "bhz_all_hours",            // 11 0x56
    "bhz_all_days",             // 12 0x58
    "bhz_all_years",            // 13 0x5A
    "bhz_dimm_min",             // 14 0x5C
    "bhz_dimm_hours",           // 15 0x5E
    "bhz_dimm_days",            // 16 0x60
    "bhz_dimm_years",           // 17 0x62
    "z_time3",                  // 18 0x64
    "helptimer / regime",       // 19 0x66
    "error_bits / en_bits",     // 20 0x70
    "checkbits / anzeige_bits", // 21 0x72
    "min / sec",                // 22 0xA0
    "day / hrs",                // 23 0xA2
    "month / date",             // 24 0xA4
    "free / year",              // 25 0xA6
    "uac_soll_start",           // 26 0x2C
    "uac_soll_nenn",            // 27 0x2E
    "HL / RL Time",             // 28 0x30
    "Frei",                     // 29 0x32
    "Port_E / Port_D ",         // 30 0x08
};

// Parameter words in the order the parameter read fetches them: a name per run of words.
struct NameRun {
    int first;
    int last;
    const char* name;
};
constexpr NameRun kEepNames[] = {
    {0, 9, "Codeword"},         {10, 10, "Dev-Info"},   {11, 11, "HW/SW-Info"},
    {12, 21, "HW-Description"}, {22, 31, "HW-Date"},    {32, 32, "U_AC_Soll_Start"},
    {33, 33, "U_AC_Soll_Nenn"}, {34, 34, "HLRL-Time"},  {35, 35, "Kalibrierwert"},
    {36, 43, "Dimmmzeiten"},    {44, 46, "Dimmmfreq."}, {47, 47, "Einbrennfreq."},
    {48, 48, "Einbrennzeit"},
};

} // namespace

const EnergySavingTable energy_saving_table = {{
    // 50..99: every lamp frequency from 100 Hz up saves the same.
    88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, //
    88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, //
    88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, //
    88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, //
    88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, 88.8f, //
    67.0f, 66.8f, 66.5f, 66.1f, 65.8f, 65.4f, 65.1f, 64.7f, 64.4f, 64.0f, // 100
    63.6f, 63.3f, 62.9f, 62.5f, 62.1f, 61.8f, 61.4f, 61.0f, 60.6f, 60.2f, // 110
    59.8f, 59.4f, 58.9f, 58.5f, 58.1f, 57.7f, 57.2f, 56.8f, 56.4f, 55.9f, // 120
    55.4f, 55.0f, 54.5f, 54.1f, 53.6f, 53.1f, 52.6f, 52.1f, 51.6f, 51.1f, // 130
    50.6f, 50.1f, 49.6f, 49.0f, 48.5f, 48.0f, 47.4f, 46.8f, 46.3f, 45.7f, // 140
    45.1f, 44.5f, 43.9f, 43.3f, 42.7f, 42.1f, 41.5f, 40.9f, 40.2f, 39.6f, // 150
    38.9f, 38.2f, 37.5f, 36.9f, 36.2f, 35.4f, 34.7f, 34.0f, 33.3f, 32.5f, // 160
    31.7f, 31.0f, 30.2f, 29.4f, 28.6f, 27.7f, 26.9f, 26.1f, 25.2f, 24.3f, // 170
    23.4f, 22.5f, 21.6f, 20.7f, 19.7f, 18.8f, 17.8f, 16.8f, 15.8f, 14.7f, // 180
    13.7f, 12.6f, 11.5f, 10.4f, 9.3f,  8.1f,  6.9f,  5.8f,  4.5f,  3.3f,  // 190
    0.0f,                                                                 // 200: 50 Hz
}};

void initRamTables(TRam_Data& ram, TRam_Data& ramOld, TRam_Data& eep) {
    for (int i = 1; i < kRamEntries; ++i) {
        ram.norm[i] = 0.0f;
        ramOld.norm[i] = 0.0f;
    }
    for (int i = 0; i < kNewRamWords; ++i)
        ram.name[i] = QString::fromLatin1(kNewRamNames[i]);
    for (const Norm& n : kNewRamNorms)
        ram.norm[n.index] = n.norm;
    for (int i = 0; i < kOldRamWords; ++i)
        ramOld.name[i] = QString::fromLatin1(kOldRamNames[i]);
    for (const NameRun& run : kEepNames) {
        for (int i = run.first; i <= run.last; ++i) {
            eep.name[i] = QString::fromLatin1(run.name);
            eep.norm[i] = 0.0f;
        }
    }
}

QString IntToBin(quint32 value, int digits) {
    if (digits <= 0)
        return {};
    QString text(digits, QLatin1Char('0'));
    // From the rightmost character leftwards, one bit each; bits beyond the leftmost
    // character are dropped.
    for (int k = digits - 1; value != 0 && k >= 0; --k, value >>= 1) {
        if (value & 1u)
            text[k] = QLatin1Char('1');
    }
    return text;
}

QString hexWord(quint32 value) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value & 0xFFFFu, 4, 16, QLatin1Char('0')).toUpper();
}

BlockChecksum parseNewRamAnswer(const quint8* rx, TRam_Data& ram, std::vector<GridRow>& rows) {
    BlockChecksum check;
    const quint32 start = quint32(rx[2]) * 256u + rx[3];
    for (int i = kNewRamDataOffset; i < kNewRamChecksumOffset; ++i)
        check.computed = quint8(check.computed + rx[i]);
    check.received = rx[kNewRamChecksumOffset];

    rows.resize(kNewRamWords);
    for (int i = 0; i < kNewRamWords; ++i) {
        const quint16 word =
            quint16(rx[kNewRamDataOffset + 2 * i] | rx[kNewRamDataOffset + 2 * i + 1] << 8);
        ram.nr[i] = i;
        ram.adr[i] = hexWord(start + 2u * quint32(i));
        ram.val_int[i] = word;
        ram.val_sint[i] = qint16(word);
        ram.val_n[i] = float(double(word) * double(ram.norm[i]) / 32767.0);

        auto& cells = rows[std::size_t(i)].cells;
        cells[0] = ram.adr[i];
        cells[1] = QLatin1Char('[') + QString::number(i) + QStringLiteral("]  ") + ram.name[i];
        cells[2] = QString::number(word);
        cells[3] = hexWord(word);
        cells[4] = QStringLiteral("0x") + IntToBin(word, 16);
        cells[5] = formatFixed(double(ram.val_n[i]), 2);
        cells[6] = QString::number(ram.val_sint[i]);
    }
    return check;
}

void parseOldRamAnswer(const quint8* rx, TRam_Data& ramOld, std::vector<GridRow>& rows) {
    rows.resize(kOldRamWords);
    for (int i = 0; i < kOldRamWords; ++i) {
        const quint8 address = rx[4 * i + 1];
        const quint8 lo = rx[4 * i + 2];
        const quint8 hi = rx[4 * i + 3];
        const quint16 word = quint16(lo | hi << 8);
        ramOld.nr[i] = i;
        ramOld.adr[i] = hexWord(address);
        ramOld.val_int[i] = word;
        ramOld.val_sint[i] = qint16(word);
        ramOld.val_hex[i] = hexWord(word);
        ramOld.val_bin[i] = QStringLiteral("0x") + IntToBin(word, 16);
        ramOld.val_high[i] = hi;
        ramOld.val_low[i] = lo;

        auto& cells = rows[std::size_t(i)].cells;
        cells[0] = ramOld.adr[i];
        cells[1] = ramOld.name[i];
        cells[2] = QString::number(word);
        cells[3] = ramOld.val_hex[i];
        cells[4] = ramOld.val_bin[i];
        cells[5] = QString::number(hi);
        cells[6] = QString::number(lo);
    }
}

std::optional<BlockChecksum> parseNewRamAnswer(QByteArrayView rx, TRam_Data& ram,
                                               std::vector<GridRow>& rows) {
    if (rx.size() <= kNewRamChecksumOffset)
        return std::nullopt;
    return parseNewRamAnswer(reinterpret_cast<const quint8*>(rx.data()), ram, rows);
}

bool parseOldRamAnswer(QByteArrayView rx, TRam_Data& ramOld, std::vector<GridRow>& rows) {
    if (rx.size() < kOldRamAnswerLength)
        return false;
    parseOldRamAnswer(reinterpret_cast<const quint8*>(rx.data()), ramOld, rows);
    return true;
}

std::array<int, 7> measurementColumnWidths(int gridWidth) {
    std::array<int, 7> widths = {60, 0, 100, 100, 150, 100, 100};
    int fixed = 0;
    for (int c = 0; c < 7; ++c)
        fixed += c == 1 ? 0 : widths[std::size_t(c)];
    // 30 pixels for the frame and the vertical scroll bar.
    const qint64 rest = qint64(gridWidth) - 30 - fixed;
    widths[1] = int(qBound(qint64(kMinNameColumnWidth), rest, qint64(kMaxNameColumnWidth)));
    return widths;
}

bool isHighlightedMeasurementCell(int row, int column) {
    return column >= 1 && column <= 5 && (row == 1 || row == 2 || row == 10);
}
