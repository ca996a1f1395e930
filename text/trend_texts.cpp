#include "text/trend_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<TrendText>;

const Row kRows[] = {
    {TrendText::WindowTitle, {"Trend", "Trend", "Trend", "Tendance", "Eğilim"}},
    {TrendText::MenuItem, {"Trend…", "Trend…", "Trend…", "Tendance…", "Eğilim…"}},

    {TrendText::SeriesDcLink,
     {"DC link (V)", "Zwischenkreis (V)", "Mellanled (V)", "Bus continu (V)", "DC ara devre (V)"}},
    {TrendText::SeriesMains, {"Mains (V)", "Netz (V)", "Nät (V)", "Secteur (V)", "Şebeke (V)"}},
    {TrendText::SeriesActualHz,
     {"Frequency actual (Hz)", "Frequenz Ist (Hz)", "Frekvens ärvärde (Hz)",
      "Fréquence réelle (Hz)", "Gerçek frekans (Hz)"}},
    {TrendText::SeriesNominalHz,
     {"Frequency nominal (Hz)", "Frequenz Soll (Hz)", "Frekvens börvärde (Hz)",
      "Fréquence de consigne (Hz)", "Hedef frekans (Hz)"}},
    {TrendText::SeriesHeatSink1,
     {"Heat sink 1 (°C)", "Kühlkörper 1 (°C)", "Kylfläns 1 (°C)", "Dissipateur 1 (°C)",
      "Soğutucu 1 (°C)"}},
    {TrendText::SeriesHeatSink2,
     {"Heat sink 2 (°C)", "Kühlkörper 2 (°C)", "Kylfläns 2 (°C)", "Dissipateur 2 (°C)",
      "Soğutucu 2 (°C)"}},
    {TrendText::SeriesSaving,
     {"Saving (%)", "Einsparung (%)", "Besparing (%)", "Économie (%)", "Tasarruf (%)"}},

    {TrendText::AxisVolts,
     {"Voltage (V)", "Spannung (V)", "Spänning (V)", "Tension (V)", "Gerilim (V)"}},
    {TrendText::AxisFrequency,
     {"Frequency (Hz)", "Frequenz (Hz)", "Frekvens (Hz)", "Fréquence (Hz)", "Frekans (Hz)"}},
    {TrendText::AxisTemperature,
     {"Temperature (°C)", "Temperatur (°C)", "Temperatur (°C)", "Température (°C)",
      "Sıcaklık (°C)"}},
    {TrendText::AxisSaving,
     {"Saving (%)", "Einsparung (%)", "Besparing (%)", "Économie (%)", "Tasarruf (%)"}},
    {TrendText::AxisTime, {"Time", "Zeit", "Tid", "Heure", "Zaman"}},

    {TrendText::Pause, {"Pause", "Anhalten", "Pausa", "Pause", "Duraklat"}},
    {TrendText::Resume, {"Resume", "Fortsetzen", "Fortsätt", "Reprendre", "Devam et"}},
    {TrendText::ResetZoom,
     {"Reset zoom", "Zoom zurücksetzen", "Återställ zoom", "Réinitialiser le zoom",
      "Yakınlaştırmayı sıfırla"}},
    {TrendText::Record, {"Record…", "Aufzeichnen…", "Spela in…", "Enregistrer…", "Kaydet…"}},
    {TrendText::StopRecording,
     {"Stop recording", "Aufzeichnung beenden", "Stoppa inspelning", "Arrêter l'enregistrement",
      "Kaydı durdur"}},
    {TrendText::RecordFilter,
     {"CSV files (*.csv)", "CSV-Dateien (*.csv)", "CSV-filer (*.csv)", "Fichiers CSV (*.csv)",
      "CSV dosyaları (*.csv)"}},

    {TrendText::NotRecording,
     {"Not recording", "Keine Aufzeichnung", "Ingen inspelning", "Pas d'enregistrement",
      "Kayıt yok"}},
    {TrendText::RecordingTo,
     {"Recording to %1: %2 rows", "Aufzeichnung in %1: %2 Zeilen", "Spelar in till %1: %2 rader",
      "Enregistrement dans %1 : %2 lignes", "%1 dosyasına kaydediliyor: %2 satır"}},
    {TrendText::RecordingFailed,
     {"Recording failed: %2. %1 keeps what was written.",
      "Aufzeichnung fehlgeschlagen: %2. %1 behält das bisher Geschriebene.",
      "Inspelningen misslyckades: %2. %1 behåller det som skrevs.",
      "Échec de l'enregistrement : %2. %1 garde ce qui a été écrit.",
      "Kayıt başarısız: %2. %1 yazılanları korur."}},
    {TrendText::RecordingNotStarted,
     {"Cannot record to %1: %2.", "In %1 kann nicht aufgezeichnet werden: %2.",
      "Kan inte spela in till %1: %2.", "Impossible d'enregistrer dans %1 : %2.",
      "%1 dosyasına kaydedilemiyor: %2."}},
    {TrendText::RecordingEndedAtClose,
     {"The trend recording has ended with the program. The file is %1 (%2 rows).",
      "Die Trendaufzeichnung wurde mit dem Programm beendet. Die Datei ist %1 (%2 Zeilen).",
      "Trendinspelningen avslutades med programmet. Filen är %1 (%2 rader).",
      "L'enregistrement de la tendance s'est terminé avec le programme. Le fichier est %1 "
      "(%2 lignes).",
      "Eğilim kaydı programla birlikte sona erdi. Dosya: %1 (%2 satır)."}},
    {TrendText::Samples,
     {"%1 samples", "%1 Messpunkte", "%1 mätpunkter", "%1 points", "%1 ölçüm noktası"}},
};

} // namespace

QString trendText(std::optional<Language> active, TrendText text) {
    return textOfRow(kRows, active, text);
}
