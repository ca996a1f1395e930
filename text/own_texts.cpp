#include "text/own_texts.h"

#include <array>

namespace {

struct Row {
    OwnText id;
    std::array<const char*, kInfoLanguageCount> cells; // English, German, Swedish, French, Turkish
};

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
};

} // namespace

QString ownText(std::optional<Language> active, OwnText text) {
    const Language language = active.value_or(Language::German);
    for (const Row& row : kRows)
        if (row.id == text)
            return QString::fromUtf8(row.cells[std::size_t(language)]);
    return {};
}
