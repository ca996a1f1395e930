#include "text/write_question_texts.h"
#include "text/text_rows.h"

namespace {

using Row = TextRow<WriteQuestionText>;

const Row kRows[] = {
    {WriteQuestionText::Question,
     {"The parameter fields hold values that were neither read from the connected "
      "controller nor loaded from a parameter file nor edited.\n\nWriting them replaces the "
      "controller's parameter set with values it never held. Write anyway?",
      "Die Parameterfelder enthalten Werte, die weder aus dem angeschlossenen Controller "
      "gelesen noch aus einer Parameterdatei geladen noch bearbeitet wurden.\n\nSchreiben "
      "ersetzt den Parametersatz des Controllers durch Werte, die er nie hatte. Trotzdem "
      "schreiben?",
      "Parameterfälten innehåller värden som varken har lästs från den anslutna styrenheten, "
      "lästs in från en parameterfil eller redigerats.\n\nOm de skrivs ersätts styrenhetens "
      "parameteruppsättning med värden som den aldrig har haft. Skriva ändå?",
      "Les champs de paramètres contiennent des valeurs qui n'ont été ni lues dans le "
      "contrôleur connecté, ni chargées depuis un fichier de paramètres, ni modifiées.\n\n"
      "Les écrire remplace le jeu de paramètres du contrôleur par des valeurs qu'il n'a "
      "jamais eues. Écrire quand même ?",
      "Parametre alanlarındaki değerler bağlı kontrolörden okunmadı, bir parametre "
      "dosyasından yüklenmedi ve düzenlenmedi.\n\nBunları yazmak, kontrolörün parametre "
      "setini hiç sahip olmadığı değerlerle değiştirir. Yine de yazılsın mı?"}},
    {WriteQuestionText::Proceed, {"Write", "Schreiben", "Skriv", "Écrire", "Yaz"}},
    {WriteQuestionText::Cancel, {"Cancel", "Abbrechen", "Avbryt", "Annuler", "İptal"}},
};

} // namespace

QString writeQuestionText(std::optional<Language> active, WriteQuestionText text) {
    return textOfRow(kRows, active, text);
}

Question writeQuestion(std::optional<Language> active) {
    return {writeQuestionText(active, WriteQuestionText::Question),
            writeQuestionText(active, WriteQuestionText::Proceed),
            writeQuestionText(active, WriteQuestionText::Cancel)};
}
