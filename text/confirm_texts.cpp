#include "text/confirm_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<ConfirmText>;

const Row kRows[] = {
    {ConfirmText::ConfirmReadsItem,
     {"Confirm reads", "Lesen bestätigen", "Bekräfta läsningar", "Confirmer les lectures",
      "Okumaları doğrula"}},
    {ConfirmText::LineCorruptedData,
     {"The line corrupted data: three reads, three different answers. Check the cable and "
      "its screening.",
      "Die Leitung hat Daten verfälscht: drei Lesevorgänge, drei verschiedene Antworten. "
      "Prüfen Sie das Kabel und seine Abschirmung.",
      "Ledningen förvanskade data: tre läsningar, tre olika svar. Kontrollera kabeln och dess "
      "skärmning.",
      "La ligne a altéré les données : trois lectures, trois réponses différentes. Vérifiez le "
      "câble et son blindage.",
      "Hat verileri bozdu: üç okuma, üç farklı yanıt. Kabloyu ve ekranlamasını kontrol edin."}},
    {ConfirmText::DiagnosisCorrupted,
     {"Corrupted data: three answers of one read differ (cable screening, noise)",
      "Verfälschte Daten: drei Antworten eines Lesevorgangs weichen ab (Kabelschirm, Störungen)",
      "Förvanskade data: tre svar på en läsning skiljer sig (kabelskärm, störningar)",
      "Données altérées : trois réponses d'une lecture diffèrent (blindage, parasites)",
      "Bozuk veri: bir okumanın üç yanıtı farklı (kablo ekranı, parazit)"}},
    {ConfirmText::ResultCorrupted,
     {"corrupted data (no two answers agree)", "verfälschte Daten (keine zwei Antworten gleich)",
      "förvanskade data (inga två svar lika)", "données altérées (aucune réponse identique)",
      "bozuk veri (iki yanıt aynı değil)"}},
    {ConfirmText::NotPlausible,
     {"not plausible", "nicht plausibel", "inte rimligt", "non plausible", "makul değil"}},
};

} // namespace

QString confirmText(std::optional<Language> active, ConfirmText text) {
    return textOfRow(kRows, active, text);
}
