#pragma once
// Who is on the line: the hardware test, then the identity read of that generation, the
// two exchanges the window runs after connecting, decoded by the same decoders.
#include "session/link_session.h"

#include <QString>
#include <optional>

struct ControllerIdentity {
    bool hwOld = false;
    qint32 revision = 0;    // old hardware: HW_Ver_Nr from the version text
    QString versionText;    // old hardware: the version text; new: the status line's text
    QString productCode;    // new hardware
    QString description;    // new hardware
    QString softwareDate;   // new hardware with the newer identity block
    QString revisionString; // new hardware: "SW.TVers.Opt.Entw"
    quint16 deviceNumber = 0;
    // New hardware: the words Rev_Str is made of, and the newer block's product code.
    quint16 softwareNumber = 0;    // SW_Nr
    quint16 versionType = 0;       // TVers_Nr, 9 on a training unit
    quint16 optionBits = 0;        // Opt_Bits; bit 0: no second heat-sink temperature
    quint16 developmentNumber = 0; // Entw_Nr, non-zero on a test version
    QString productCodeNew;        // HW_Produktcode_Neu, empty without the newer block
    quint16 kal_value230 = 0;
    quint16 uac_start_int = 0;
    quint16 uac_nenn_int = 0;
};

struct IdentifyResult {
    LinkSession::Failure failure = LinkSession::Failure::None;
    std::optional<ControllerIdentity> identity; // set when both exchanges were sound
};

IdentifyResult identifyController(LinkSession& session);
