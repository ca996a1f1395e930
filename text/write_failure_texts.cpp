#include "text/write_failure_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<WriteFailureText>;

const Row kRows[] = {
    {WriteFailureText::ParameterWrite,
     {"Write failed: part of the set may be stored; write it again",
      "Schreibfehler: evtl. teils gespeichert; erneut schreiben",
      "Skrivfel: en del kan vara lagrad; skriv igen",
      "Écriture échouée : peut-être en partie stockée ; réécrivez",
      "Yazma hatası: kısmen kaydedilmiş olabilir; yeniden yazın"}},
    {WriteFailureText::ClockWrite,
     {"Clock write failed: it may have been set; set it again",
      "Uhr stellen fehlgeschlagen: evtl. gestellt; erneut stellen",
      "Klockan ej ställd: kan ha ställts; ställ den igen",
      "Horloge non réglée : peut-être réglée ; réglez-la à nouveau",
      "Saat ayarı başarısız: ayarlanmış olabilir; yeniden ayarlayın"}},
    {WriteFailureText::FaultMemoryClear,
     {"Clear failed: the fault memory may be cleared; read it to see",
      "Löschen fehlgeschlagen: evtl. gelöscht; zum Prüfen lesen",
      "Rensning misslyckades: kan vara rensat; läs för att se",
      "Effacement échoué : peut-être effacée ; lisez-la pour voir",
      "Silme başarısız: silinmiş olabilir; görmek için okuyun"}},
    {WriteFailureText::CalibrationWrite,
     {"Calibration write failed: identity is read again first",
      "Kalibrierung fehlgeschlagen: Kennung wird zuerst gelesen",
      "Kalibrering misslyckades: identiteten läses först igen",
      "Étalonnage échoué : l'identité est d'abord relue",
      "Kalibrasyon başarısız: önce kimlik yeniden okunur"}},
    {WriteFailureText::CalibrationWriteLog,
     {"The calibration write failed: the controller may hold the new calibration value with "
      "the old set points: the identity is read again before the next calibration.",
      "Schreiben der Kalibrierung fehlgeschlagen: Der Controller kann den neuen Kalibrierwert "
      "mit den alten Sollwerten enthalten: Vor der nächsten Kalibrierung wird die Kennung "
      "erneut gelesen.",
      "Skrivningen av kalibreringen misslyckades: styrenheten kan ha det nya kalibrervärdet "
      "med de gamla börvärdena: identiteten läses igen före nästa kalibrering.",
      "L'écriture de l'étalonnage a échoué : le contrôleur peut contenir la nouvelle valeur "
      "d'étalonnage avec les anciennes consignes : l'identité est relue avant le prochain "
      "étalonnage.",
      "Kalibrasyon yazma başarısız: kontrolör yeni kalibrasyon değerini eski ayar "
      "noktalarıyla tutuyor olabilir: bir sonraki kalibrasyondan önce kimlik yeniden "
      "okunur."}},
    {WriteFailureText::IdentityReadFirst,
     {"The last calibration write failed: the identity is read again first. Calibrate once "
      "it has been read.",
      "Das letzte Schreiben der Kalibrierung ist fehlgeschlagen: Zuerst wird die Kennung "
      "erneut gelesen. Danach erneut kalibrieren.",
      "Den senaste skrivningen av kalibreringen misslyckades: identiteten läses först igen. "
      "Kalibrera när den har lästs.",
      "La dernière écriture de l'étalonnage a échoué : l'identité est d'abord relue. "
      "Étalonnez une fois qu'elle a été lue.",
      "Son kalibrasyon yazma başarısız oldu: önce kimlik yeniden okunur. Okunduktan sonra "
      "kalibre edin."}},
    {WriteFailureText::MemoryAndRam,
     {"memory %1, RAM %2", "Speicher %1, RAM %2", "minne %1, RAM %2", "mémoire %1, RAM %2",
      "bellek %1, RAM %2"}},
    {WriteFailureText::KeysOverridden,
     {"The file's savings do not match its takts; the takt counts. Overridden: %1",
      "Die Einsparungen der Datei passen nicht zu ihren Takten; der Takt gilt. Übergangen: %1",
      "Filens besparingar stämmer inte med dess takter; takten gäller. Åsidosatta: %1",
      "Les économies du fichier ne correspondent pas à ses takts ; le takt prévaut. "
      "Ignorées : %1",
      "Dosyanın tasarrufları taktlarıyla uyuşmuyor; takt geçerlidir. Geçersiz sayılan: %1"}},
};

} // namespace

QString writeFailureText(std::optional<Language> active, WriteFailureText text) {
    return textOfRow(kRows, active, text);
}
