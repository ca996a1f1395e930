#include "text/verify_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<VerifyText>;

const Row kRows[] = {
    {VerifyText::VerifyAfterWriteItem,
     {"Verify after write", "Nach dem Schreiben prüfen", "Verifiera efter skrivning",
      "Vérifier après écriture", "Yazdıktan sonra doğrula"}},
    {VerifyText::WrittenAndVerified,
     {"written and verified", "geschrieben und geprüft", "skrivet och verifierat",
      "écrit et vérifié", "yazıldı ve doğrulandı"}},
    {VerifyText::VerifyFailed,
     {"The controller does not hold what was written. Read back after the write:",
      "Der Controller enthält nicht, was geschrieben wurde. Nach dem Schreiben zurückgelesen:",
      "Styrenheten innehåller inte det som skrevs. Återläst efter skrivningen:",
      "Le contrôleur ne contient pas ce qui a été écrit. Relu après l'écriture :",
      "Kontrolör yazılanı içermiyor. Yazdıktan sonra geri okunan:"}},
    {VerifyText::VerifyDifference,
     {"%1: written %2, read back %3", "%1: geschrieben %2, zurückgelesen %3",
      "%1: skrivet %2, återläst %3", "%1 : écrit %2, relu %3", "%1: yazılan %2, geri okunan %3"}},
    {VerifyText::CompareItem,
     {"Compare with controller…", "Mit Controller vergleichen…", "Jämför med styrenheten…",
      "Comparer avec le contrôleur…", "Kontrolörle karşılaştır…"}},
    {VerifyText::CompareTitle,
     {"Compare with controller", "Mit Controller vergleichen", "Jämför med styrenheten",
      "Comparer avec le contrôleur", "Kontrolörle karşılaştır"}},
    {VerifyText::ColumnParameter,
     {"Parameter", "Parameter", "Parameter", "Paramètre", "Parametre"}},
    {VerifyText::ColumnController,
     {"In the controller", "Im Controller", "I styrenheten", "Dans le contrôleur", "Kontrolörde"}},
    {VerifyText::ColumnFields,
     {"In the fields", "In den Feldern", "I fälten", "Dans les champs", "Alanlarda"}},
    {VerifyText::ColumnFile,
     {"In the file", "In der Datei", "I filen", "Dans le fichier", "Dosyada"}},
    {VerifyText::CompareWith,
     {"Compare with:", "Vergleichen mit:", "Jämför med:", "Comparer avec :", "Karşılaştır:"}},
    {VerifyText::SourceFields, {"the fields", "den Feldern", "fälten", "les champs", "alanlar"}},
    {VerifyText::SourceFile,
     {"a parameter file", "einer Parameterdatei", "en parameterfil", "un fichier de paramètres",
      "bir parametre dosyası"}},
    {VerifyText::ChooseFile,
     {"Choose file…", "Datei wählen…", "Välj fil…", "Choisir un fichier…", "Dosya seç…"}},
    {VerifyText::NoDifferences,
     {"No differences: a write would change nothing.",
      "Keine Unterschiede: Ein Schreiben würde nichts ändern.",
      "Inga skillnader: en skrivning skulle inte ändra något.",
      "Aucune différence : une écriture ne changerait rien.",
      "Fark yok: yazma hiçbir şeyi değiştirmez."}},
    {VerifyText::Differences,
     {"Parameters that differ: %1", "Abweichende Parameter: %1", "Avvikande parametrar: %1",
      "Paramètres différents : %1", "Farklı parametreler: %1"}},
    {VerifyText::FieldNotComparable,
     {"Not compared: %1 holds \"%2\", which is not a value the controller can take.",
      "Nicht verglichen: %1 enthält „%2“, das ist kein Wert, den der Controller annehmen kann.",
      "Inte jämfört: %1 innehåller \"%2\", vilket inte är ett värde som styrenheten kan ta "
      "emot.",
      "Non comparé : %1 contient « %2 », ce n'est pas une valeur que le contrôleur peut "
      "accepter.",
      "Karşılaştırılmadı: %1 \"%2\" içeriyor; bu, kontrolörün kabul edebileceği bir değer "
      "değil."}},
    {VerifyText::Close, {"Close", "Schließen", "Stäng", "Fermer", "Kapat"}},
    {VerifyText::SettingNotSaved,
     {"The setting could not be saved in %1: %2",
      "Die Einstellung konnte nicht in %1 gespeichert werden: %2",
      "Inställningen kunde inte sparas i %1: %2",
      "Le réglage n'a pas pu être enregistré dans %1 : %2", "Ayar %1 içine kaydedilemedi: %2"}},
};

} // namespace

QString verifyText(std::optional<Language> active, VerifyText text) {
    return textOfRow(kRows, active, text);
}
