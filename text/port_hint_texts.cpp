#include "text/port_hint_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<PortHintText>;

const Row kRows[] = {
    {PortHintText::JoinDialout,
     {"No permission for %1: serial ports belong to the group dialout. Join it once with "
      "\"sudo usermod -aG dialout $USER\", then log out and in again.",
      "Keine Berechtigung für %1: Serielle Schnittstellen gehören der Gruppe dialout. Einmal "
      "beitreten mit „sudo usermod -aG dialout $USER“, dann ab- und wieder anmelden.",
      "Ingen behörighet till %1: serieportar tillhör gruppen dialout. Gå med en gång med "
      "\"sudo usermod -aG dialout $USER\", logga sedan ut och in igen.",
      "Pas d'autorisation pour %1 : les ports série appartiennent au groupe dialout. "
      "Rejoignez-le une fois avec « sudo usermod -aG dialout $USER », puis déconnectez-vous "
      "et reconnectez-vous.",
      "%1 için izin yok: seri portlar dialout grubuna aittir. Bir kez \"sudo usermod -aG "
      "dialout $USER\" ile katılın, sonra oturumu kapatıp yeniden açın."}},
    {PortHintText::NoDeviceForEntry,
     {"%1 stands for %2, which does not exist. Plug in the adapter, or map %1 to its device in "
      "the [Ports] section of %3 (for example %1=/dev/ttyUSB0).",
      "%1 steht für %2, das es nicht gibt. Den Adapter anstecken oder %1 im Abschnitt [Ports] "
      "von %3 seinem Gerät zuordnen (zum Beispiel %1=/dev/ttyUSB0).",
      "%1 står för %2, som inte finns. Anslut adaptern eller koppla %1 till dess enhet i "
      "sektionen [Ports] i %3 (till exempel %1=/dev/ttyUSB0).",
      "%1 désigne %2, qui n'existe pas. Branchez l'adaptateur ou associez %1 à son "
      "périphérique dans la section [Ports] de %3 (par exemple %1=/dev/ttyUSB0).",
      "%1, var olmayan %2 anlamına geliyor. Adaptörü takın veya %1 girişini %3 dosyasının "
      "[Ports] bölümünde cihazına eşleyin (örneğin %1=/dev/ttyUSB0)."}},
    {PortHintText::NoDevice,
     {"There is no device %1. Plug in the adapter, or name the device it has "
      "(ls /dev/serial/by-id).",
      "Das Gerät %1 gibt es nicht. Den Adapter anstecken oder das Gerät nennen, das er hat "
      "(ls /dev/serial/by-id).",
      "Enheten %1 finns inte. Anslut adaptern eller ange enheten den har "
      "(ls /dev/serial/by-id).",
      "Le périphérique %1 n'existe pas. Branchez l'adaptateur ou indiquez le périphérique "
      "qu'il a (ls /dev/serial/by-id).",
      "%1 cihazı yok. Adaptörü takın veya sahip olduğu cihazı belirtin "
      "(ls /dev/serial/by-id)."}},
};

} // namespace

QString portHintText(std::optional<Language> active, PortHintText text) {
    return textOfRow(kRows, active, text);
}
