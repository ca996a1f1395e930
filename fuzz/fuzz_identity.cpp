// The identity answer of either generation at any length: the first byte chooses the
// generation, the rest is the answer as far as the link received it. A short answer is
// refused, a full one decoded into texts and numbers whatever its bytes.
#include "services/calibration.h"
#include "services/identity.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool hwOld = data[0] & 1;
    const QByteArrayView answer(data + 1, qsizetype(size - 1));
    if (answer.size() >= 2)
        (void)isOldHardware(quint8(answer[0]), quint8(answer[1]));

    if (hwOld) {
        const std::optional<OldIdentity> id = decodeOldIdentity(answer);
        if (id.has_value() != (answer.size() >= kOldIdentityAnswerBytes))
            std::abort();
        if (!id)
            return 0;
        if (id->versionText.size() != 32 || id->revision < 0 || id->revision > 99)
            std::abort();
        (void)measurementToVolts(id->uac_start_int, id->kal_value230);
        (void)measurementToVolts(id->uac_nenn_int, id->kal_value230);
        return 0;
    }
    const std::optional<NewIdentity> id = decodeNewIdentity(answer);
    if (id.has_value() != (answer.size() >= kNewIdentityAnswerBytes))
        std::abort();
    if (!id)
        return 0;
    (void)newVersionPanel(*id, id->HW_Beschreibung);
    (void)measurementToVolts(id->uac_start_int, id->kal_value230);
    return 0;
}
