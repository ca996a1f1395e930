// Setting the controller clock from the PC clock (clk_btClick, Req_Time_write,
// Resp_Time_write): the four PC clock registers in standard time, then the PC request
// word 1, 2, 2, 2, whose 1 makes the controller take them. The next RAM read shows the
// new controller time.
#include "app/hauptfenster.h"
#include "base/message_sink.h"
#include "protocol/protocol_state.h"
#include "protocol/requests.h"
#include "protocol/steps.h"
#include "serial/sio.h"
#include "services/clock_words.h"
#include "text/own_texts.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

void THauptfenster::clk_btClick() {
    clk_bt->setEnabled(false);
    SPStimer->stop();
    response_ready = false;
    time_wr_req = true;
    ram_rd_req = false; // the live reading pauses while the clock is written
    ProgressBar_EEP->setValue(0);
    protocol_step = Step::Synchronisation;
    SPStimer->start();
}

void THauptfenster::Req_Time_write() {
    // The time is taken now, right before the telegram, not at the click.
    const QDateTime now = pcNow ? pcNow() : QDateTime::currentDateTime();
    const auto words = clockWords(now, daylightBiasMinutes(now.timeZone(), now));
    if (!words) {
        // The year byte cannot hold this year: nothing is sent, the reading goes on.
        SPStimer->stop();
        showMessage(ownText(activeLanguage(), OwnText::ClockYearRefused).arg(now.date().year()));
        endTimeWrite();
        return;
    }
    const std::array<quint16, 8> values{(*words)[0], (*words)[1], (*words)[2], (*words)[3],
                                        1,           2,           2,           2};
    write_under_way = WriteFailureText::ClockWrite;
    startRequest(buildWrites(HW_old, timeWriteItems(HW_old, values)), Step::Resp_Time_write);
}

void THauptfenster::Resp_Time_write() {
    if (!response_ready)
        return;
    // The answer is the echo of every byte, checked by the link; no data comes back.
    ProgressBar_EEP->setValue(0);
    clearFailedWriteNote(WriteFailureText::ClockWrite);
    endTimeWrite();
}

void THauptfenster::endTimeWrite() {
    response_ready = false;
    protocol_step = Step::Synchronisation;
    time_wr_req = false;
    ram_rd_req = true; // the live reading resumes and shows the controller's new time
    SPStimer->start();
    clk_bt->setEnabled(true);
}
