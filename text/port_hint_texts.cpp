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
    {PortHintText::BusyWindow,
     {"%1 is in use by the TRV5200 window (process %2). \"%3\" keeps the port open; select "
      "another port in the window's list or close the window to release it.",
      "%1 wird vom TRV5200-Fenster belegt (Prozess %2). „%3“ hält die Schnittstelle offen; im "
      "Fenster eine andere Schnittstelle wählen oder das Fenster schließen, um sie freizugeben.",
      "%1 används av TRV5200-fönstret (process %2). \"%3\" håller porten öppen; välj en annan "
      "port i fönstrets lista eller stäng fönstret för att frigöra den.",
      "%1 est occupé par la fenêtre TRV5200 (processus %2). « %3 » garde le port ouvert ; "
      "choisissez un autre port dans la liste de la fenêtre ou fermez la fenêtre pour le "
      "libérer.",
      "%1, TRV5200 penceresi tarafından kullanılıyor (süreç %2). \"%3\" portu açık tutar; "
      "serbest bırakmak için pencerenin listesinden başka bir port seçin veya pencereyi "
      "kapatın."}},
    {PortHintText::BusyProgram,
     {"%1 is in use: %2 (process %3) holds it open. End that program to release the port.",
      "%1 ist belegt: %2 (Prozess %3) hält die Schnittstelle offen. Dieses Programm beenden, "
      "um sie freizugeben.",
      "%1 används: %2 (process %3) håller den öppen. Avsluta det programmet för att frigöra "
      "porten.",
      "%1 est occupé : %2 (processus %3) le garde ouvert. Quittez ce programme pour libérer "
      "le port.",
      "%1 kullanımda: %2 (süreç %3) onu açık tutuyor. Portu serbest bırakmak için o programı "
      "kapatın."}},
    {PortHintText::BusyUnknown,
     {"%1 is in use: another program holds it open. End that program to release the port. "
      "In the TRV5200 window \"%2\" keeps the port open; selecting another port or closing "
      "the window releases it.",
      "%1 ist belegt: Ein anderes Programm hält die Schnittstelle offen. Dieses Programm "
      "beenden, um sie freizugeben. Im TRV5200-Fenster hält „%2“ die Schnittstelle offen; "
      "eine andere Schnittstelle wählen oder das Fenster schließen gibt sie frei.",
      "%1 används: ett annat program håller den öppen. Avsluta det programmet för att frigöra "
      "porten. I TRV5200-fönstret håller \"%2\" porten öppen; att välja en annan port eller "
      "stänga fönstret frigör den.",
      "%1 est occupé : un autre programme le garde ouvert. Quittez ce programme pour libérer "
      "le port. Dans la fenêtre TRV5200, « %2 » garde le port ouvert ; choisir un autre port "
      "ou fermer la fenêtre le libère.",
      "%1 kullanımda: başka bir program onu açık tutuyor. Portu serbest bırakmak için o "
      "programı kapatın. TRV5200 penceresinde \"%2\" portu açık tutar; başka bir port "
      "seçmek veya pencereyi kapatmak onu serbest bırakır."}},
    {PortHintText::NotSerialForEntry,
     {"%1 stands for %2, which is not a serial port. Map %1 to the adapter's device in the "
      "[Ports] section of %3 (for example %1=/dev/ttyUSB0).",
      "%1 steht für %2, das ist keine serielle Schnittstelle. %1 im Abschnitt [Ports] von %3 "
      "dem Gerät des Adapters zuordnen (zum Beispiel %1=/dev/ttyUSB0).",
      "%1 står för %2, som inte är någon serieport. Koppla %1 till adapterns enhet i "
      "sektionen [Ports] i %3 (till exempel %1=/dev/ttyUSB0).",
      "%1 désigne %2, qui n'est pas un port série. Associez %1 au périphérique de "
      "l'adaptateur dans la section [Ports] de %3 (par exemple %1=/dev/ttyUSB0).",
      "%1, seri port olmayan %2 anlamına geliyor. %1 girişini %3 dosyasının [Ports] "
      "bölümünde adaptörün cihazına eşleyin (örneğin %1=/dev/ttyUSB0)."}},
    {PortHintText::NotSerial,
     {"%1 is not a serial port. Name the adapter's device instead (ls /dev/serial/by-id).",
      "%1 ist keine serielle Schnittstelle. Stattdessen das Gerät des Adapters nennen "
      "(ls /dev/serial/by-id).",
      "%1 är ingen serieport. Ange adapterns enhet i stället (ls /dev/serial/by-id).",
      "%1 n'est pas un port série. Indiquez plutôt le périphérique de l'adaptateur "
      "(ls /dev/serial/by-id).",
      "%1 bir seri port değil. Bunun yerine adaptörün cihazını belirtin "
      "(ls /dev/serial/by-id)."}},
};

} // namespace

QString portHintText(std::optional<Language> active, PortHintText text) {
    return textOfRow(kRows, active, text);
}
