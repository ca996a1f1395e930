#include "text/own_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<OwnText>;

const Row kRows[] = {
    {OwnText::WriteRefused,
     {"Nothing was written to the controller: %1 holds \"%2\", which is not a value the "
      "controller can take.",
      "Es wurde nichts in den Controller geschrieben: %1 enthält „%2“, das ist kein Wert, den "
      "der Controller annehmen kann.",
      "Inget skrevs till styrenheten: %1 innehåller \"%2\", vilket inte är ett värde som "
      "styrenheten kan ta emot.",
      "Rien n'a été écrit dans le contrôleur : %1 contient « %2 », ce n'est pas une valeur que "
      "le contrôleur peut accepter.",
      "Kontrolöre hiçbir şey yazılmadı: %1 \"%2\" içeriyor; bu, kontrolörün kabul edebileceği "
      "bir değer değil."}},
    {OwnText::NoMainsReading,
     {"no mains voltage measured (reading 0): nothing written, calibration value unchanged",
      "Keine Netzspannung gemessen (Messwert 0): nichts geschrieben, Kalibrierwert unverändert",
      "ingen nätspänning uppmätt (mätvärde 0): inget skrivet, kalibreringsvärdet oförändrat",
      "aucune tension secteur mesurée (valeur 0) : rien n'est écrit, valeur d'étalonnage "
      "inchangée",
      "şebeke gerilimi ölçülmedi (ölçüm 0): hiçbir şey yazılmadı, kalibrasyon değeri "
      "değişmedi"}},
    {OwnText::ParameterFileBadValue,
     {"%1 was not loaded: %2 holds \"%3\", which is not a valid value. No field was changed.",
      "%1 wurde nicht geladen: %2 enthält „%3“, das ist kein gültiger Wert. Kein Feld wurde "
      "geändert.",
      "%1 lästes inte in: %2 innehåller \"%3\", vilket inte är ett giltigt värde. Inget fält "
      "ändrades.",
      "%1 n'a pas été chargé : %2 contient « %3 », ce n'est pas une valeur valide. Aucun champ "
      "n'a été modifié.",
      "%1 yüklenmedi: %2 \"%3\" içeriyor; bu geçerli bir değer değil. Hiçbir alan "
      "değiştirilmedi."}},
    {OwnText::ParameterFileNoParameterSet,
     {"%1 was not loaded: it holds no parameter set (no [Options] section). No field was "
      "changed.",
      "%1 wurde nicht geladen: Die Datei enthält keinen Parametersatz (keinen Abschnitt "
      "[Options]). Kein Feld wurde geändert.",
      "%1 lästes inte in: filen innehåller ingen parameteruppsättning (ingen sektion "
      "[Options]). Inget fält ändrades.",
      "%1 n'a pas été chargé : le fichier ne contient aucun jeu de paramètres (pas de section "
      "[Options]). Aucun champ n'a été modifié.",
      "%1 yüklenmedi: dosyada parametre seti yok ([Options] bölümü yok). Hiçbir alan "
      "değiştirilmedi."}},
    {OwnText::ParameterFileNotIni,
     {"%1 was not loaded: it is not an INI file (it is empty or holds binary data). No field "
      "was changed.",
      "%1 wurde nicht geladen: Das ist keine INI-Datei (sie ist leer oder enthält Binärdaten). "
      "Kein Feld wurde geändert.",
      "%1 lästes inte in: det är ingen INI-fil (den är tom eller innehåller binärdata). Inget "
      "fält ändrades.",
      "%1 n'a pas été chargé : ce n'est pas un fichier INI (il est vide ou contient des données "
      "binaires). Aucun champ n'a été modifié.",
      "%1 yüklenmedi: bu bir INI dosyası değil (boş ya da ikili veri içeriyor). Hiçbir alan "
      "değiştirilmedi."}},
    {OwnText::ParameterFileTooLarge,
     {"%1 was not loaded: it is larger than 1 MiB, which no parameter file is. No field was "
      "changed.",
      "%1 wurde nicht geladen: Die Datei ist größer als 1 MiB, das ist keine Parameterdatei. "
      "Kein Feld wurde geändert.",
      "%1 lästes inte in: filen är större än 1 MiB, vilket ingen parameterfil är. Inget fält "
      "ändrades.",
      "%1 n'a pas été chargé : le fichier dépasse 1 Mio, aucun fichier de paramètres n'est "
      "aussi grand. Aucun champ n'a été modifié.",
      "%1 yüklenmedi: dosya 1 MiB'den büyük; hiçbir parametre dosyası bu kadar büyük değildir. "
      "Hiçbir alan değiştirilmedi."}},
    {OwnText::ParameterFileUnreadable,
     {"%1 could not be read: %2. No field was changed.",
      "%1 konnte nicht gelesen werden: %2. Kein Feld wurde geändert.",
      "%1 kunde inte läsas: %2. Inget fält ändrades.",
      "%1 n'a pas pu être lu : %2. Aucun champ n'a été modifié.",
      "%1 okunamadı: %2. Hiçbir alan değiştirilmedi."}},
    {OwnText::ParameterFileNotSaved,
     {"%1 was not saved: %2. The file on disk was not changed.",
      "%1 wurde nicht gespeichert: %2. Die Datei auf dem Datenträger ist unverändert.",
      "%1 sparades inte: %2. Filen på disken är oförändrad.",
      "%1 n'a pas été enregistré : %2. Le fichier sur le disque n'a pas été modifié.",
      "%1 kaydedilmedi: %2. Diskteki dosya değiştirilmedi."}},
    {OwnText::ClockYearRefused,
     {"The controller clock was not set: the PC clock shows the year %1, and the controller "
      "can only take the years 2000 to 2255.",
      "Die Controller-Uhr wurde nicht gestellt: Die PC-Uhr zeigt das Jahr %1, der Controller "
      "kennt nur die Jahre 2000 bis 2255.",
      "Styrenhetens klocka ställdes inte: datorns klocka visar året %1, och styrenheten kan "
      "bara ta emot åren 2000 till 2255.",
      "L'horloge du contrôleur n'a pas été réglée : l'horloge du PC indique l'année %1, et le "
      "contrôleur n'accepte que les années 2000 à 2255.",
      "Kontrolör saati ayarlanmadı: PC saati %1 yılını gösteriyor, kontrolör yalnızca 2000 ile "
      "2255 arasındaki yılları kabul edebilir."}},
    {OwnText::FaultPositionImpossible,
     {"Impossible fault-memory position %1: shown as a full ring",
      "Fehlerspeicher-Position %1 unmöglich: als voll gezeigt",
      "Omöjlig felminnesposition %1: visas som fullt minne",
      "Position mémoire défauts impossible %1 : affichée pleine",
      "İmkânsız hata belleği konumu %1: dolu halka gibi gösterildi"}},
    {OwnText::LiveValuesStale,
     {"Values are old: no sound answer for over a second",
      "Werte veraltet: über eine Sekunde keine fehlerfreie Antwort",
      "Värdena är gamla: inget felfritt svar på över en sekund",
      "Valeurs périmées : plus d'une seconde sans réponse valide",
      "Değerler eski: bir saniyeden uzun süredir hatasız yanıt yok"}},
    {OwnText::PortLost,
     {"Connection to %1 lost (%2)", "Verbindung zu %1 unterbrochen (%2)",
      "Anslutningen till %1 bröts (%2)", "Connexion à %1 interrompue (%2)",
      "%1 bağlantısı kesildi (%2)"}},
    {OwnText::ToolsMenu, {"Tools", "Extras", "Verktyg", "Outils", "Araçlar"}},
    {OwnText::ClockDrift,
     {"Controller clock against the PC's standard time: %1",
      "Controller-Uhr gegenüber der Normalzeit des PCs: %1",
      "Styrenhetens klocka mot datorns normaltid: %1",
      "Horloge du contrôleur par rapport à l'heure normale du PC : %1",
      "Kontrolör saati, PC'nin standart saatine göre: %1"}},
    {OwnText::ClockDriftWorthSync,
     {"Controller clock against the PC's standard time: %1. Over a minute: set it with "
      "\"%2\".",
      "Controller-Uhr gegenüber der Normalzeit des PCs: %1. Über eine Minute: mit „%2“ "
      "stellen.",
      "Styrenhetens klocka mot datorns normaltid: %1. Över en minut: ställ den med \"%2\".",
      "Horloge du contrôleur par rapport à l'heure normale du PC : %1. Plus d'une minute : "
      "réglez-la avec « %2 ».",
      "Kontrolör saati, PC'nin standart saatine göre: %1. Bir dakikadan fazla: \"%2\" ile "
      "ayarlayın."}},
};

} // namespace

QString ownText(std::optional<Language> active, OwnText text) {
    return textOfRow(kRows, active, text);
}
