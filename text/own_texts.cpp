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
     {"The controller reported an impossible fault-memory position (%1); the sixteen records "
      "are shown as for a full ring.",
      "Der Controller meldete eine unmögliche Fehlerspeicher-Position (%1); die sechzehn "
      "Einträge werden wie bei einem vollen Ring gezeigt.",
      "Styrenheten rapporterade en omöjlig position i felminnet (%1); de sexton posterna visas "
      "som för ett fullt minne.",
      "Le contrôleur a signalé une position impossible de la mémoire des défauts (%1) ; les "
      "seize enregistrements sont affichés comme pour un anneau plein.",
      "Kontrolör imkânsız bir hata belleği konumu bildirdi (%1); on altı kayıt dolu bir halka "
      "gibi gösteriliyor."}},
};

} // namespace

QString ownText(std::optional<Language> active, OwnText text) {
    const Language language = active.value_or(Language::German);
    for (const Row& row : kRows)
        if (row.id == text)
            return QString::fromUtf8(row.cells[std::size_t(language)]);
    return {};
}
