#include "session/identify.h"

#include "protocol/requests.h"
#include "serial/sio.h"
#include "services/identity.h"

IdentifyResult identifyController(LinkSession& session) {
    IdentifyResult result;
    result.failure =
        session.exchange([](TSio*) { return buildHwTest(); }, QStringLiteral("hardware test"));
    if (result.failure != LinkSession::Failure::None)
        return result;
    const QByteArrayView test = session.answer();
    if (test.size() < 2) {
        result.failure = LinkSession::Failure::Answer;
        return result;
    }
    const bool hwOld = isOldHardware(quint8(test[0]), quint8(test[1]));
    result.failure = session.confirmedExchange([hwOld](TSio*) { return buildHwInfoRead(hwOld); },
                                               QStringLiteral("identity read"));
    if (result.failure != LinkSession::Failure::None)
        return result;

    ControllerIdentity id;
    id.hwOld = hwOld;
    if (hwOld) {
        const std::optional<OldIdentity> old = decodeOldIdentity(session.answer());
        if (!old) {
            result.failure = LinkSession::Failure::Answer;
            return result;
        }
        id.versionText = old->versionText;
        id.revision = old->revision;
        id.kal_value230 = old->kal_value230;
        id.uac_start_int = old->uac_start_int;
        id.uac_nenn_int = old->uac_nenn_int;
    } else {
        const std::optional<NewIdentity> fresh = decodeNewIdentity(session.answer());
        if (!fresh) {
            result.failure = LinkSession::Failure::Answer;
            return result;
        }
        id.productCode = fresh->HW_Produktcode;
        id.description = fresh->HW_Beschreibung;
        id.softwareDate = fresh->hw_descr_new ? fresh->SW_Date_neu : QString();
        id.revisionString = fresh->Rev_Str;
        id.deviceNumber = fresh->DEV_Nr;
        id.softwareNumber = fresh->SW_Nr;
        id.versionType = fresh->TVers_Nr;
        id.optionBits = fresh->Opt_Bits;
        id.developmentNumber = fresh->Entw_Nr;
        id.productCodeNew = fresh->HW_Produktcode_Neu;
        id.versionText =
            newVersionPanel(*fresh, fresh->hw_descr_new ? QString() : fresh->HW_Beschreibung);
        id.kal_value230 = fresh->kal_value230;
        id.uac_start_int = fresh->uac_start_int;
        id.uac_nenn_int = fresh->uac_nenn_int;
    }
    result.identity = id;
    return result;
}
