#include "text/report_texts.h"

#include <array>

namespace {

struct Row {
    ReportText id;
    std::array<const char*, kInfoLanguageCount> cells; // English, German, Swedish, French, Turkish
};

const Row kRows[] = {
    {ReportText::MenuItem,
     {"Commissioning report…", "Inbetriebnahmeprotokoll…", "Idrifttagningsprotokoll…",
      "Procès-verbal de mise en service…", "Devreye alma raporu…"}},
    {ReportText::Title,
     {"Commissioning report", "Inbetriebnahmeprotokoll", "Idrifttagningsprotokoll",
      "Procès-verbal de mise en service", "Devreye alma raporu"}},
    {ReportText::General, {"Report", "Protokoll", "Protokoll", "Procès-verbal", "Rapor"}},
    {ReportText::Created,
     {"Date and time", "Datum und Uhrzeit", "Datum och tid", "Date et heure", "Tarih ve saat"}},
    {ReportText::ToolVersion,
     {"Service tool version", "Version des Service-Programms", "Serviceprogrammets version",
      "Version de l'outil de service", "Servis programı sürümü"}},
    {ReportText::Controller, {"Controller", "Controller", "Styrenhet", "Contrôleur", "Kontrolör"}},
    {ReportText::Generation,
     {"Hardware generation", "Hardware-Generation", "Hårdvarugeneration", "Génération du matériel",
      "Donanım nesli"}},
    {ReportText::GenerationOld, {"old", "alt", "äldre", "ancienne", "eski"}},
    {ReportText::GenerationNew, {"new", "neu", "nyare", "nouvelle", "yeni"}},
    {ReportText::ProductCode,
     {"Product code", "Produktcode", "Produktkod", "Code produit", "Ürün kodu"}},
    {ReportText::Description,
     {"Description", "Beschreibung", "Beskrivning", "Description", "Açıklama"}},
    {ReportText::SoftwareDate,
     {"Software date", "Software-Datum", "Programvarudatum", "Date du logiciel", "Yazılım tarihi"}},
    {ReportText::Revision, {"Revision", "Revision", "Revision", "Révision", "Revizyon"}},
    {ReportText::DeviceNumber,
     {"Device number", "Gerätenummer", "Enhetsnummer", "Numéro d'appareil", "Cihaz numarası"}},
    {ReportText::CalibrationValue,
     {"Calibration value (raw count at 230 V)", "Kalibrierwert (Rohwert bei 230 V)",
      "Kalibreringsvärde (råvärde vid 230 V)", "Valeur d'étalonnage (valeur brute à 230 V)",
      "Kalibrasyon değeri (230 V'ta ham değer)"}},
    {ReportText::NoCalibrationValue,
     {"none (not calibrated)", "keiner (nicht kalibriert)", "inget (ej kalibrerad)",
      "aucune (non étalonné)", "yok (kalibre edilmemiş)"}},
    {ReportText::SetPointValue,
     {"%1 (raw %2)", "%1 (Rohwert %2)", "%1 (råvärde %2)", "%1 (brut %2)", "%1 (ham %2)"}},
    {ReportText::CalibrationLog,
     {"Calibration log", "Kalibrierprotokoll", "Kalibreringslogg", "Journal d'étalonnage",
      "Kalibrasyon kaydı"}},
    {ReportText::NoCalibrationThisSession,
     {"no calibration in this session", "keine Kalibrierung in dieser Sitzung",
      "ingen kalibrering under denna session", "aucun étalonnage pendant cette session",
      "bu oturumda kalibrasyon yapılmadı"}},
    {ReportText::NotRead, {"not read", "nicht gelesen", "inte läst", "non lu", "okunmadı"}},
    {ReportText::NotStored,
     {"not stored by this controller", "von diesem Controller nicht gespeichert",
      "lagras inte av denna styrenhet", "non mémorisé par ce contrôleur",
      "bu kontrolör saklamıyor"}},
    {ReportText::ClockSection,
     {"Controller clock", "Controller-Uhr", "Styrenhetens klocka", "Horloge du contrôleur",
      "Kontrolör saati"}},
    {ReportText::ClockDrift,
     {"Drift from the PC (standard time)", "Abweichung vom PC (Winterzeit)",
      "Avvikelse från PC (normaltid)", "Écart par rapport au PC (heure normale)",
      "PC'ye göre sapma (standart saat)"}},
    {ReportText::ClockDriftWorthSync,
     {"%1 (more than a minute: set the clock)", "%1 (mehr als eine Minute: Uhr stellen)",
      "%1 (mer än en minut: ställ klockan)", "%1 (plus d'une minute : régler l'horloge)",
      "%1 (bir dakikadan fazla: saati ayarlayın)"}},
    {ReportText::NoValidTime,
     {"no valid time", "keine gültige Uhrzeit", "ingen giltig tid", "pas d'heure valide",
      "geçerli saat yok"}},
    {ReportText::NoFaultRecords,
     {"no fault records", "keine Fehlereinträge", "inga felposter", "aucune entrée de défaut",
      "hata kaydı yok"}},
    {ReportText::LiveValues,
     {"Live values at the time of the report", "Momentanwerte zum Zeitpunkt des Protokolls",
      "Momentanvärden vid protokollets tidpunkt", "Valeurs instantanées au moment du procès-verbal",
      "Rapor anındaki anlık değerler"}},
    {ReportText::Confirmation,
     {"Confirmation", "Bestätigung", "Bekräftelse", "Confirmation", "Onay"}},
    {ReportText::Place, {"Place", "Ort", "Ort", "Lieu", "Yer"}},
    {ReportText::ControllerNumber,
     {"Controller number", "Controller-Nummer", "Styrenhetsnummer", "Numéro du contrôleur",
      "Kontrolör numarası"}},
    {ReportText::Signature, {"Signature", "Unterschrift", "Underskrift", "Signature", "İmza"}},
    {ReportText::Page,
     {"Page %1 of %2", "Seite %1 von %2", "Sida %1 av %2", "Page %1 sur %2", "Sayfa %1 / %2"}},
    {ReportText::Saved,
     {"Commissioning report saved: %1", "Inbetriebnahmeprotokoll gespeichert: %1",
      "Idrifttagningsprotokoll sparat: %1", "Procès-verbal de mise en service enregistré : %1",
      "Devreye alma raporu kaydedildi: %1"}},
    {ReportText::NotSaved,
     {"The commissioning report could not be saved as %1: %2",
      "Das Inbetriebnahmeprotokoll konnte nicht als %1 gespeichert werden: %2",
      "Idrifttagningsprotokollet kunde inte sparas som %1: %2",
      "Le procès-verbal de mise en service n'a pas pu être enregistré sous %1 : %2",
      "Devreye alma raporu %1 olarak kaydedilemedi: %2"}},
};

} // namespace

QString reportText(std::optional<Language> active, ReportText text) {
    const Language language = active.value_or(Language::German);
    for (const Row& row : kRows)
        if (row.id == text)
            return QString::fromUtf8(row.cells[std::size_t(language)]);
    return {};
}
