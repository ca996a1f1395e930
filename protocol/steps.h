#pragma once
// The sequencer's step codes and its exchanges with the controller.
//
// protocol_step stays a plain int (the codes are the controller tool's own numbering);
// these names say which routine each code runs. Every exchange is a pair of steps, a
// request step that builds and sends a telegram and a response step that consumes the
// answer, started by a request flag. The table below is the one place that pairs them:
// the sequencer's dispatch, its choice of the next request, the error step's clearing of
// the flags and the choice of progress bar all read it. Adding an exchange is one row
// here plus its two window methods (and their two dispatch entries).
#include <QtGlobal>
#include <array>
#include <optional>

namespace Step {
constexpr qint32 Init_Sio = 0;        // create the link and open the port
constexpr qint32 Synchronisation = 1; // ten 0x00, each answered with 0xAA
constexpr qint32 Syncresp = 2;        // wait for it, then choose the next request
constexpr qint32 Req_Ram_rd = 3;
constexpr qint32 Resp_Ram_rd = 4;
constexpr qint32 Req_Data_rd = 5;
constexpr qint32 Resp_Data_rd = 6;
constexpr qint32 Req_Data_Write = 7;
constexpr qint32 Resp_Data_Write = 8;
constexpr qint32 Req_Time_write = 9;
constexpr qint32 Resp_Time_write = 10;
constexpr qint32 Req_Errmem_rd = 11;
constexpr qint32 Resp_Errmem_rd = 12;
constexpr qint32 Req_Errmem_Clear = 13;
constexpr qint32 Resp_Errmem_Clear = 14;
constexpr qint32 Req_Kal_Write = 19;
constexpr qint32 Resp_Kal_Write = 20;
constexpr qint32 Req_HW_Test = 91;
constexpr qint32 Resp_HW_Test = 92;
constexpr qint32 Req_HW_Info = 93;
constexpr qint32 Resp_HW_Info = 94;
constexpr qint32 Req_Verify_rd = 21; // the parameter read-back after a write
constexpr qint32 Resp_Verify_rd = 22;
constexpr qint32 Req_Compare_rd = 23; // the parameter read of the comparison
constexpr qint32 Resp_Compare_rd = 24;
constexpr qint32 DatenFehler = 99; // a transfer's answer failed its check
} // namespace Step

// The pending exchanges, one flag each. Set by user actions (and ram_rd_req by the
// responses that resume the cyclic reading), cleared by their response step and by the
// error step. The main window holds them as members of its own.
struct RequestFlags {
    bool hw_test_req = false;
    bool hw_info_req = false;
    bool kal_wr_req = false;
    bool data_rd_req = false;
    bool data_wr_req = false;
    bool time_wr_req = false;
    bool errmem_rd_req = false;
    bool errmem_clr_req = false;
    bool ram_rd_req = false;
    bool verify_rd_req = false;
    bool compare_rd_req = false;
};

// The bar that shows an exchange's transfer: the RAM bar for the live reading and the
// short service telegrams, the parameter bar for parameter memory and the identity.
enum class ProgressBarOf { Ram, Eep };

// Whether an exchange's read is confirmed: the data bytes of a word read carry no check
// on the line, so a read whose values are kept, written back or handed on is sent again
// and counts only when two answers agree (see protocol/read_confirmation.h).
enum class Confirmed { No, Yes };

struct Exchange {
    bool RequestFlags::*flag;
    qint32 request;
    qint32 response;
    ProgressBarOf bar;
    Confirmed confirmed = Confirmed::No;
};

// In the order the sequencer serves them after a synchronisation.
inline constexpr std::array<Exchange, 11> kExchanges{{
    {&RequestFlags::hw_test_req, Step::Req_HW_Test, Step::Resp_HW_Test, ProgressBarOf::Ram},
    {&RequestFlags::hw_info_req, Step::Req_HW_Info, Step::Resp_HW_Info, ProgressBarOf::Eep,
     Confirmed::Yes},
    {&RequestFlags::kal_wr_req, Step::Req_Kal_Write, Step::Resp_Kal_Write, ProgressBarOf::Ram},
    {&RequestFlags::data_rd_req, Step::Req_Data_rd, Step::Resp_Data_rd, ProgressBarOf::Eep,
     Confirmed::Yes},
    {&RequestFlags::data_wr_req, Step::Req_Data_Write, Step::Resp_Data_Write, ProgressBarOf::Eep},
    {&RequestFlags::verify_rd_req, Step::Req_Verify_rd, Step::Resp_Verify_rd, ProgressBarOf::Eep,
     Confirmed::Yes},
    {&RequestFlags::compare_rd_req, Step::Req_Compare_rd, Step::Resp_Compare_rd, ProgressBarOf::Eep,
     Confirmed::Yes},
    {&RequestFlags::time_wr_req, Step::Req_Time_write, Step::Resp_Time_write, ProgressBarOf::Eep},
    {&RequestFlags::errmem_rd_req, Step::Req_Errmem_rd, Step::Resp_Errmem_rd, ProgressBarOf::Eep,
     Confirmed::Yes},
    {&RequestFlags::errmem_clr_req, Step::Req_Errmem_Clear, Step::Resp_Errmem_Clear,
     ProgressBarOf::Eep},
    {&RequestFlags::ram_rd_req, Step::Req_Ram_rd, Step::Resp_Ram_rd, ProgressBarOf::Ram},
}};

// The exchange whose request or response step this is; null for the sequencer's own
// steps and unknown codes.
const Exchange* exchangeOf(qint32 step);

// The request step of the most urgent pending exchange; nullopt when none is pending.
std::optional<qint32> nextRequestStep(const RequestFlags& flags);

// The response step of a confirmed read: its answer goes to the confirmation first.
bool isConfirmedResponse(qint32 step);

// Drops every pending exchange (the error step).
void clearRequests(RequestFlags& flags);

// What the two progress bars show for a transfer at `percent` while protocol_step holds
// the response step of the running exchange: the RAM bar shows it for the exchanges of
// the RAM bar and 0 otherwise (the synchronisation too); the parameter bar shows it for
// its own exchanges and is left as it is otherwise.
struct ProgressUpdate {
    int ram;
    std::optional<int> eep;
};
ProgressUpdate progressFor(qint32 protocolStep, int percent);
