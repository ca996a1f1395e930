#include "text/info_table.h"

#include <QtGlobal>
#include <iterator>

namespace {

// info_table: 176 rows, one column per language (English, German, Swedish, French, Turkish).
// Row numbers are stable identifiers: other units ask for "text N" by its number, so rows are
// never moved or reused. Several rows hold the same text (23, 41 and 49, for example); each
// belongs to its own control. Texts are kept exactly as the controls show them, trailing
// blanks included, since captions and log lines are built by appending values to them.
// Row 161 is empty in every language. The Turkish texts are written mostly in capitals.
// The French cell of row 69 ("franz") and the English fault texts of rows 169–173 in the
// Swedish, French and Turkish columns are kept as the installed base knows them.
// Rows 57–64 are the maker's contact data, the same in every language.
constexpr const char* kInfoTable[][kInfoLanguageCount] = {
    // 0
    {"Veltrona - skaLUX - visualisation TRV 5.3", "Veltrona - skaLUX - Visualisierung TRV 5.3",
     "Veltrona - skaLUX - visualisering TRV 5.3", "Veltrona - skaLUX - visualisation TRV 5.3",
     "Veltrona - skaLUX - GÖRSELLEŞTİRME TRV 5.3 "},
    // 1
    {"actual values", "Istwerte", "Ärvärden", "valeurs réelles", "GERÇEK DEĞERLER "},
    // 2
    {"service", "Service", "Service", "service", "SERVİS "},
    // 3
    {"configuration", "Konfiguration", "Konfiguration", "configuration", "KONFİGÜRASYON "},
    // 4
    {"config load", "Konfiguration laden", "Ladda konfiguration", "charger config.",
     "KONFİGÜRASYON YÜKLE "},
    // 5
    {"config save", "Konfiguration speichern", "Spara konfiguration", "enregistrer config.",
     "KONFİGÜRASYON KAYDET "},
    // 6
    {"options", "Optionen", "Alternativ", "options", "SEÇENEKLER "},
    // 7
    {"language", "Sprache", "Språk", "langue", "DİL "},
    // 8
    {"german", "Deutsch", "Tyska", "allemand", "ALMANCA "},
    // 9
    {"english", "Englisch", "Engelsk", "anglais", "İNGİLİZCE "},
    // 10
    {"info", "Info", "Info", "info", "BİLGİ "},
    // 11
    {"about TRV", "Über TRV", "Om TRV", "à propos de TRV", "TRV HAKKINDA "},
    // 12
    {"clock - controller", "Uhrzeit - Controller", "Klocka - styrenhet", "horloge - contrôleur",
     "SAAT - KONTROLÖR "},
    // 13
    {"clock - pc", "Uhrzeit - Pc", "Klocka - PC", "horloge - PC", "SAAT - PC "},
    // 14
    {"clock synchronize", "Uhrzeit synchr.", "Synkronisera klocka", "synchroniser heure",
     "SAATİ EŞİTLE "},
    // 15
    {"operation time - all:", "Betriebsdauer - Gesamt:", "Drifttid - totalt:",
     "temps de marche - total:", "ÇALIŞMA SÜRESİ - TOPLAM: "},
    // 16
    {"operation time - dim:", "Betriebsdauer - Gedimmt:", "Drifttid - dimmad:",
     "temps de marche - gradation:", "ÇALIŞMA SÜRESİ - DİMLEME: "},
    // 17
    {"operation time - actual:", "Betriebsdauer - Aktuell:", "Drifttid - aktuell:",
     "temps de marche - actuel:", "ÇALIŞMA SÜRESİ - GÜNCEL: "},
    // 18
    {"data read", "Daten lesen", "Läs data", "lire données", "VERİ OKU "},
    // 19
    {"data write", "Daten schreiben", "Skriv data", "écrire données", "VERİ YAZ "},
    // 20
    {"works", "Betrieb", "Drift", "marche", "ÇALIŞMA "},
    // 21
    {"internal", "Intern", "Intern", "interne", "DAHİLİ "},
    // 22
    {"external", "Extern", "Extern", "externe", "HARİCİ "},
    // 23
    {"energy saving [%]", "Energieeinsparung [%]", "Energibesparing [%]", "économie d'énergie [%]",
     "ENERJİ TASARRUFU [%] "},
    // 24
    {"nominal:", "Soll:", "Bör:", "consigne:", "NOMİNAL: "},
    // 25
    {"actual:", "Ist:", "Är:", "réelle:", "GERÇEK: "},
    // 26
    {"fan on", "Lüfter an", "Fläkt på", "ventil. marche", "FAN AÇIK "},
    // 27
    {"error", "Fehler", "Fel", "défaut", "HATA "},
    // 28
    {"DC-Link overvoltage fault", "Uz_Fehler", "Överspänning DC-länk", "défaut surtension bus CC",
     "DC BARA AŞIRI GERİLİM HATASI "},
    // 29
    {"overtemp fault", "Übertemperatur", "Övertemperatur", "défaut surtempérature",
     "AŞIRI SICAKLIK HATASI "},
    // 30
    {"short circuit fault", "Kurzschluss", "Kortslutning", "défaut court-circuit",
     "KISA DEVRE HATASI "},
    // 31
    {"ground fault", "Erdschluss", "Jordfel", "défaut à la terre", "TOPRAK HATASI "},
    // 32
    {"start fault", "Startfehler", "Startfel", "défaut démarrage", "BAŞLATMA HATASI "},
    // 33
    {"permanent fault", "Dauerfehler", "Permanent fel", "défaut permanent", "KALICI HATA "},
    // 34
    {"diming profil: so-th night ", "Dimmprofil: So-Do Nacht ", "Dimprofil: sö-to natt ",
     "profil de gradation: nuit di-je ", "DİMLEME PROFİLİ: PAZ-PER GECESİ "},
    // 35
    {"diming period", "Dimmperiode", "Dimperiod", "période de gradation", "DİMLEME PERİYODU "},
    // 36
    {"period 1", "Periode 1", "Period 1", "période 1", "PERİYOT 1 "},
    // 37
    {"period 2", "Periode 2", "Period 2", "période 2", "PERİYOT 2 "},
    // 38
    {"period 3", "Periode 3", "Period 3", "période 3", "PERİYOT 3 "},
    // 39
    {"diming end", "Dimmende", "Dimslut", "fin de gradation", "DİMLEME SONU "},
    // 40
    {"time", "Zeit", "Tid", "heure", "ZAMAN "},
    // 41
    {"energy saving [%]", "Energieeinsparung [%]", "Energibesparing [%]", "économie d'énergie [%]",
     "ENERJİ TASARRUFU [%] "},
    // 42
    {"diming profil: fr/sa night ", "Dimmprofil: Fr/Sa Nacht ", "Dimprofil: fr/lö natt ",
     "profil de gradation: nuit ve/sa ", "DİMLEME PROFİLİ: CUM/CMT GECESİ "},
    // 43
    {"diming period", "Dimmperiode", "Dimperiod", "période de gradation", "DİMLEME PERİYODU "},
    // 44
    {"period 1", "Periode 1", "Period 1", "période 1", "PERİYOT 1 "},
    // 45
    {"period 2", "Periode 2", "Period 2", "période 2", "PERİYOT 2 "},
    // 46
    {"period 3", "Periode 3", "Period 3", "période 3", "PERİYOT 3 "},
    // 47
    {"diming end", "Dimmende", "Dimslut", "fin de gradation", "DİMLEME SONU "},
    // 48
    {"time", "Zeit", "Tid", "heure", "ZAMAN "},
    // 49
    {"energy saving [%]", "Energieeinsparung [%]", "Energibesparing [%]", "économie d'énergie [%]",
     "ENERJİ TASARRUFU [%] "},
    // 50
    {"com activate", "COM aktivieren", "Aktivera COM", "activer COM", "COM ETKİNLEŞTİR "},
    // 51
    {"com activ", "COM aktiv", "COM aktiv", "COM actif", "COM AKTİF "},
    // 52
    {"TRV5200-information", "TRV5200-Information", "TRV5200-information", "TRV5200-information",
     "TRV5200-BİLGİ "},
    // 53
    {"version information", "Versionsinformation", "Versionsinformation", "information de version",
     "SÜRÜM BİLGİSİ "},
    // 54
    {"sw-version:", "SW-Version:", "SW-version:", "version logiciel:", "YAZILIM SÜRÜMÜ: "},
    // 55
    {"programming date:", "Erstellungsdatum:", "Programdatum:", "date de création:",
     "PROGRAM TARİHİ: "},
    // 56
    {"contact", "Kontakt", "Kontakt", "contact", "İLETİŞİM "},
    // 57
    {"Veltrona GmbH", "Veltrona GmbH", "Veltrona GmbH", "Veltrona GmbH", "Veltrona GmbH"},
    // 58
    {"Musterstraße 1", "Musterstraße 1", "Musterstraße 1", "Musterstraße 1", "Musterstraße 1"},
    // 59
    {"00000 Musterstadt", "00000 Musterstadt", "00000 Musterstadt", "00000 Musterstadt",
     "00000 Musterstadt"},
    // 60
    {"tel:", "Tel:", "Tel:", "tél:", "TEL: "},
    // 61
    {"+49 (0) 000 000000-0", "+49 (0) 000 000000-0", "+49 (0) 000 000000-0", "+49 (0) 000 000000-0",
     "+49 (0) 000 000000-0"},
    // 62
    {"fax:", "Fax:", "Fax:", "fax:", "FAKS: "},
    // 63
    {"+49 (0) 000 000000-9", "+49 (0) 000 000000-9", "+49 (0) 000 000000-9", "+49 (0) 000 000000-9",
     "+49 (0) 000 000000-9"},
    // 64
    {"www.example.com", "www.example.com", "www.example.com", "www.example.com", "www.example.com"},
    // 65
    {"password request", "Passwortabfrage", "Lösenordsinmatning", "demande de mot de passe",
     "ŞİFRE GİRİŞİ "},
    // 66
    {"Please, enter password!", "Bitte Passwort eingeben!", "Ange lösenord!",
     "Prière d`introduire le mot de passe!", "LÜTFEN ŞİFRENİZİ GİRİN "},
    // 67
    {"Cancel", "Abbrechen", "Avbryt", "Annuler", "İPTAL "},
    // 68
    {"Ok", "Ok", "OK", "OK", "TAMAM "},
    // 69
    {"start", "START", "START", "franz", "BAŞLA "},
    // 70
    {"run", "ANLAUF", "UPPSTART", "montée", "KALKIŞ "},
    // 71
    {"normal operation", "NORMALBETRIEB", "NORMALDRIFT", "marche normale", "NORMAL ÇALIŞMA "},
    // 72
    {"power reduction", "LEISTUNGSREDUZIERUNG", "EFFEKTREDUCERING", "puissance réduite",
     "GÜÇ AZALTMA "},
    // 73
    {"error", "FEHLER", "FEL", "défaut", "HATA "},
    // 74
    {"measuring values ", "Messwerte ", "Mätvärden ", "valeurs mesurées ", "ÖLÇÜM DEĞERLERİ "},
    // 75
    {"V_Link [V]", "Uz [V]", "U_DC [V]", "U_bus CC [V]", "U_DC [V] "},
    // 76
    {"f_actual [Hz]", "f_ist [Hz]", "f_är [Hz]", "f_réelle [Hz]", "f_GERÇEK [Hz] "},
    // 77
    {"heat sink temp1 [°C]", "KK_Temp1 [°C]", "Kylfläns temp1 [°C]", "temp. radiateur 1 [°C]",
     "SOĞUTUCU SIC.1 [°C] "},
    // 78
    {"V_ac [V]", "U_AC [V]", "U_AC [V]", "U_CA [V]", "U_AC [V] "},
    // 79
    {"f_nominal [Hz]", "f_Soll [Hz]", "f_bör [Hz]", "f_consigne [Hz]", "f_NOMİNAL [Hz] "},
    // 80
    {"heat sink temp2 [°C]", "KK_Temp2 [°C]", "Kylfläns temp2 [°C]", "temp. radiateur 2 [°C]",
     "SOĞUTUCU SIC.2 [°C] "},
    // 81
    {"limits", "Grenzwerte", "Gränsvärden", "limites", "SINIR DEĞERLERİ "},
    // 82
    {"fan on", "Lüfter an", "Fläkt på", "ventil. marche", "FAN AÇIK "},
    // 83
    {"fan off", "Lüfter aus", "Fläkt av", "ventil. arrêt", "FAN KAPALI "},
    // 84
    {"temp error on", "Temp_Err an", "Temp.fel på", "défaut temp. actif", "SIC. HATASI AÇIK "},
    // 85
    {"temp error off", "Temp_Err aus", "Temp.fel av", "défaut temp. inactif",
     "SIC. HATASI KAPALI "},
    // 86
    {"v_ac power_red. on", "Uac_P_red an", "U_AC eff.red. på", "U_CA réd. P. actif",
     "U_AC GÜÇ AZ. AÇIK "},
    // 87
    {"v_ac power_red. off", "Uac_P_red aus", "U_AC eff.red. av", "U_CA réd. P. inactif",
     "U_AC GÜÇ AZ. KAPALI "},
    // 88
    {"temp power_red. on", "Temp_P_red an", "Temp eff.red. på", "temp. réd. P. actif",
     "SIC. GÜÇ AZ. AÇIK "},
    // 89
    {"temp power_red. off", "Temp_P_red aus", "Temp eff.red. av", "temp. réd. P. inactif",
     "SIC. GÜÇ AZ. KAPALI "},
    // 90
    {"start attitudes ", "Starteinstellungen ", "Startinställningar ", "réglages de démarrage ",
     "BAŞLANGIÇ AYARLARI "},
    // 91
    {"start frequency [Hz]", "Startfrequenz [Hz]", "Startfrekvens [Hz]", "fréq. démarrage [Hz]",
     "START FREKANSI [Hz] "},
    // 92
    {"Hz", "Hz", "Hz", "Hz", "Hz"},
    // 93
    {"burning time [min]", "Einbrennzeit [min]", "Inbränningstid [min]", "durée de rodage [min]",
     "ÖN YAKMA SÜRESİ [dk] "},
    // 94
    {"min", "min", "min", "min", "dk"},
    // 95
    {"time - controller", "Uhrzeit - Controller", "Klocka - styrenhet", "heure - contrôleur",
     "SAAT - KONTROLÖR "},
    // 96
    {"summer time corr.", "Sommerzeitkorr.", "Sommartidskorr.", "corr. heure d'été",
     "YAZ SAATİ DÜZELTME "},
    // 97
    {"(31.03. - 31.10.)", "(31.03. - 31.10.)", "(31 mars - 31 oktober)", "(31/03. - 31/10.)",
     "(31.03. - 31.10.) "},
    // 98
    {"standard time", "Winterzeit", "Normaltid", "heure d'hiver", "KIŞ SAATİ "},
    // 99
    {"program close?", "Programm Beenden?", "Avsluta programmet?", "quitter le programme?",
     "PROGRAM KAPATILSIN MI? "},
    // 100
    {"V_red_on", "U_red_on", "U_red_on", "U_red_on", "U_RED_ON "},
    // 101
    {"com deactivate", "COM stoppen", "Stoppa COM", "désactiver COM", "COM DURDUR "},
    // 102
    {"time", "Uhrzeit", "Klocka", "heure", "SAAT "},
    // 103
    {"fault memory ", "Fehlerspeicher ", "Felminne ", "mémoire défauts ", "HATA HAFIZASI "},
    // 104
    {"fault memory read", "Fehlerspeicher lesen", "Läs felminne", "lire mémoire défauts",
     "HATA HAFIZASINI OKU "},
    // 105
    {"fault memory clear", "Fehlerspeicher löschen", "Radera felminne", "effacer mémoire défauts",
     "HATA HAFIZASINI SİL "},
    // 106
    {"Error", "Fehler", "Fel", "Défaut", "HATA "},
    // 107
    {"Date", "Zeitpunkt", "Tidpunkt", "Date", "TARİH "},
    // 108
    {"Nr.", "Nr.", "Nr", "N°", "NO "},
    // 109
    {"hw-version:", "HW-Version:", "HW-version:", "version matériel:", "DONANIM SÜRÜMÜ: "},
    // 110
    {"read hw-version", "Lese HW-Version", "Läs HW-version", "lire version matériel",
     "DONANIM SÜRÜMÜNÜ OKU "},
    // 111
    {"undervoltage fault", "Unterspannung", "Underspänning", "défaut sous-tension",
     "DÜŞÜK GERİLİM HATASI "},
    // 112
    {"time period [50 - 100 Hz] ", "Anfahrdauer [50 - 100 Hz] ", "Ramptid [50 - 100 Hz] ",
     "durée de rampe [50 - 100 Hz] ", "RAMPA SÜRESİ [50 - 100 Hz] "},
    // 113
    {"time to light down", "Zeit zum Verdunkeln [s]", "Tid för nedtoning [s]",
     "durée d'abaissement [s]", "KARARMA SÜRESİ [s] "},
    // 114
    {"time to light up", "Zeit zum Erhellen [s]", "Tid för upptoning [s]", "durée de remontée [s]",
     "AYDINLANMA SÜRESİ [s] "},
    // 115
    {"hardware to old!", "Hardware zu alt!", "Hårdvaran för gammal!", "matériel trop ancien!",
     "DONANIM ÇOK ESKİ! "},
    // 116
    {"voltages ", "Spannungen ", "Spänningar ", "tensions ", "GERİLİMLER "},
    // 117
    {"Send Values ", "Werte senden ", "Skicka värden ", "Envoyer valeurs ", "DEĞERLERİ GÖNDER "},
    // 118
    {"calibration ", "Kalibrierung ", "Kalibrering ", "étalonnage ", "KALİBRASYON "},
    // 119
    {"measuring values ", "Messwerte ", "Mätvärden ", "valeurs mesurées ", "ÖLÇÜM DEĞERLERİ "},
    // 120
    {"calibration ", "Kalibrierung ", "Kalibrering ", "étalonnage ", "KALİBRASYON "},
    // 121
    {"voltages ", "Spannungen ", "Spänningar ", "tensions ", "GERİLİMLER "},
    // 122
    {"calibration !!! ", "Kalibrierung !!! ", "Kalibrera !!! ", "étalonner !!! ",
     "KALİBRE ET !!! "},
    // 123
    {"voltage u_ac [V] measured", "Spannung U_AC [V] gemessen", "Uppmätt spänning U_AC [V]",
     "tension U_CA [V] mesurée", "ÖLÇÜLEN GERİLİM U_AC [V] "},
    // 124
    {"u_ac_start [V] ", "U_AC_Start [V] ", "U_AC_start [V] ", "U_CA départ [V] ",
     "U_AC BAŞLANGIÇ [V] "},
    // 125
    {"u_ac_nominal [V] ", "U_AC Nenn [V] ", "U_AC_nominell [V] ", "U_CA nominale [V] ",
     "U_AC NOMİNAL [V] "},
    // 126
    {"values send ", "Werte senden ", "Skicka värden ", "envoyer valeurs ", "DEĞERLERİ GÖNDER "},
    // 127
    {"1. requirement for calibration:", "1. Bedingungen für eine Kalibrierung:",
     "1. Villkor för kalibrering:", "1. conditions pour l'étalonnage:",
     "1. KALİBRASYON KOŞULLARI: "},
    // 128
    {"a) active communication", "a) aktive Kommunikation", "a) aktiv kommunikation",
     "a) communication active", "a) AKTİF İLETİŞİM "},
    // 129
    {"b) hardware revision > rev.13", "b) Hardwarestand > Rev. 13", "b) hårdvarurevision > rev. 13",
     "b) révision matériel > rév. 13", "b) DONANIM REVİZYONU > REV. 13 "},
    // 130
    {"c) frequency for calibration f = 50 Hz", "c) Frequenz bei der Kalibrierung f = 50 Hz",
     "c) frekvens vid kalibrering f = 50 Hz", "c) fréquence lors de l'étalonnage f = 50 Hz",
     "c) KALİBRASYONDA FREKANS f = 50 Hz "},
    // 131
    {"d) dimmer in condition \"normal\"", "d) Dimmer im Zustand: \"Normalbetrieb\"",
     "d) dimmern i läge \"NORMALDRIFT\"", "d) gradateur en état \"marche normale\"",
     "d) DİMMER \"NORMAL ÇALIŞMA\" DURUMUNDA "},
    // 132
    {"measure the output voltage of the dimmer with an volt meter (r.m.s. value)",
     "Ausgangsspannung des Dimmers per Multimeter messen (Effektivwert) ",
     "Mät dimmerns utspänning med en voltmeter (effektivvärde)",
     "mesurer la tension de sortie du gradateur avec un voltmètre (valeur efficace)",
     "DİMMER ÇIKIŞ GERİLİMİNİ VOLTMETRE İLE ÖLÇÜN (EFEKTİF DEĞER) "},
    // 133
    {"Enter the actual voltage measured on volt meter in the box \"voltage u_ac [V] measured\" ",
     "Messwert in die Box \"Spannung U_AC gemessen\" eingeben.",
     "Ange spänningen uppmätt med voltmetern i rutan \"Uppmätt spänning U_AC [V]\" ",
     "Saisir la tension mesurée au voltmètre dans la case \"tension U_CA [V] mesurée\" ",
     "VOLTMETREDE ÖLÇÜLEN DEĞERİ \"ÖLÇÜLEN GERİLİM U_AC [V]\" KUTUSUNA GİRİN "},
    // 134
    {"Click the \"calibration !\" Button to calibrate the Dimmer",
     "Button \"Kalibrierung !\" drücken",
     "Klicka på knappen \"Kalibrera !\" för att kalibrera dimmern",
     "Cliquer sur le bouton \"étalonner !\" pour étalonner le gradateur",
     "DİMMERİ KALİBRE ETMEK İÇİN \"KALİBRE ET !\" DÜĞMESİNE BASIN "},
    // 135
    {"Step 1:", "Schritt 1:", "Steg 1:", "Étape 1:", "ADIM 1: "},
    // 136
    {"Step 2:", "Schritt 2:", "Steg 2:", "Étape 2:", "ADIM 2: "},
    // 137
    {"Step 3:", "Schritt 3:", "Steg 3:", "Étape 3:", "ADIM 3: "},
    // 138
    {"use calibration value: ", "Benutze Kalibrierwert: ", "Använd kalibreringsvärde: ",
     "valeur d'étalonnage utilisée: ", "KULLANILAN KALİBRASYON DEĞERİ: "},
    // 139
    {"write u_ac_start ", "Schreibe U_AC_Start ", "Skriv U_AC_start ", "écrire U_CA départ ",
     "U_AC BAŞLANGIÇ YAZILIYOR: "},
    // 140
    {"write u_ac_nominal", "Schreibe U_AC_Nenn ", "Skriv U_AC_nominell ", "écrire U_CA nominale ",
     "U_AC NOMİNAL YAZILIYOR: "},
    // 141
    {"hardware is ready to calibrate", "Hardware kann kalibriert werden.",
     "Hårdvaran kan kalibreras", "le matériel peut être étalonné", "DONANIM KALİBRE EDİLEBİLİR "},
    // 142
    {"hardware revision: rev. ", "Hardwarestand: Rev. ", "Hårdvarurevision: rev. ",
     "révision matériel: rév. ", "DONANIM REVİZYONU: REV. "},
    // 143
    {"hardware can not be calibrated. hardware revision <= rev. 13",
     "Hardware kann nicht kalibriert werden.    Hardwarstand <= Rev. 13",
     "Hårdvaran kan inte kalibreras. Hårdvarurevision <= rev. 13",
     "le matériel ne peut pas être étalonné. révision matériel <= rév. 13",
     "DONANIM KALİBRE EDİLEMEZ. DONANIM REVİZYONU <= REV. 13 "},
    // 144
    {"hardware revision: rev. ", "Hardwarestand: Rev. ", "Hårdvarurevision: rev. ",
     "révision matériel: rév. ", "DONANIM REVİZYONU: REV. "},
    // 145
    {"found calibration value: ", "Kalibrierwert gefunden: ", "Kalibreringsvärde hittat: ",
     "valeur d'étalonnage trouvée: ", "KALİBRASYON DEĞERİ BULUNDU: "},
    // 146
    {"no calibration value found ! ", "Kein Kalibrierwert gefunden ! ",
     "Inget kalibreringsvärde hittat ! ", "aucune valeur d'étalonnage trouvée ! ",
     "KALİBRASYON DEĞERİ BULUNAMADI ! "},
    // 147
    {"hardware can not be calibrated.", "Hardware kann nicht kalibriert werden.",
     "Hårdvaran kan inte kalibreras.", "le matériel ne peut pas être étalonné.",
     "DONANIM KALİBRE EDİLEMEZ. "},
    // 148
    {"hardware revision: rev. ", "Hardwarestand: Rev. ", "Hårdvarurevision: rev. ",
     "révision matériel: rév. ", "DONANIM REVİZYONU: REV. "},
    // 149
    {"frequency is not 50 Hz.", "Frequenz ist nicht 50 Hz.", "Frekvensen är inte 50 Hz.",
     "la fréquence n'est pas 50 Hz.", "FREKANS 50 Hz DEĞİL. "},
    // 150
    {"dimmer is not in normal condition", "Dimmer nicht im Normalbetrieb",
     "Dimmern är inte i normaldrift", "le gradateur n'est pas en marche normale",
     "DİMMER NORMAL ÇALIŞMADA DEĞİL "},
    // 151
    {"new calibration value", "Neuer Kalibrierwert: ", "Nytt kalibreringsvärde: ",
     "nouvelle valeur d'étalonnage: ", "YENİ KALİBRASYON DEĞERİ: "},
    // 152
    {"write new calibration value", "Schreibe neuen Kalibrierwert ",
     "Skriv nytt kalibreringsvärde ", "écrire nouvelle valeur d'étalonnage ",
     "YENİ KALİBRASYON DEĞERİ YAZILIYOR: "},
    // 153
    {"write u_ac_start ", "Schreibe U_AC_Sart ", "Skriv U_AC_start ", "écrire U_CA départ ",
     "U_AC BAŞLANGIÇ YAZILIYOR: "},
    // 154
    {"write u_ac_nominal ", "Schreibe U_AC_Nenn ", "Skriv U_AC_nominell ", "écrire U_CA nominale ",
     "U_AC NOMİNAL YAZILIYOR: "},
    // 155
    {"adress", "Adresse", "Adress", "adresse", "ADRES "},
    // 156
    {"name", "Name", "Namn", "nom", "İSİM "},
    // 157
    {"value Dezimal", "Wert Dezimal", "Värde decimalt", "valeur décimale", "DEĞER ONDALIK "},
    // 158
    {"value hex", "Wert Hex", "Värde hex", "valeur hexa", "DEĞER HEX "},
    // 159
    {"value binär", "Wert Binär", "Värde binärt", "valeur binaire", "DEĞER İKİLİ "},
    // 160
    {"value", "Wert normiert", "Värde normerat", "valeur normée", "ÖLÇEKLİ DEĞER "},
    // 161
    {"", "", "", "", ""},
    // 162
    {"dimm_off", "Dimm_off", "Dimning av", "gradation arrêt", "DİMLEME KAPALI "},
    // 163
    {"password", "Passwort", "lösenord", "passe", "ŞİFRE "},
    // 164
    {"swedish", "Schwedisch", "Svenska", "suédois", "İSVEÇÇE "},
    // 165
    {"french", "Französisch", "Franska", "français", "FRANSIZCA "},
    // 166
    {"short circuit / overload", "Kurzschluss / Überlast", "Kortslutning / överlast",
     "court-circuit / surcharge", "KISA DEVRE / AŞIRI YÜK "},
    // 167
    {"standby (synch)", "STANDBY (synch)", "standby (synch)", "standby (synch)",
     "STANDBY (synch) "},
    // 168
    {"turkish", "Türkisch", "Turkisk", "turque", "TÜRKÇE "},
    // 169
    {"concept fault", "Concept Fehler", "concept fault", "concept fault", "concept fault"},
    // 170
    {"iz fault", "iz Fehler", "iz fault", "iz fault", "iz fault"},
    // 171
    {"short circuit ac", "Kurzschluss ac", "short circuit ac", "short circuit ac",
     "short circuit ac"},
    // 172
    {"chopper fault", "Chopper-Fehler", "chopper fault", "chopper fault", "chopper fault"},
    // 173
    {"overload fault", "Überlastfehler", "overload fault", "overload fault", "overload fault"},
    // 174
    {"overtemp fault KK1", "Übertemperatur KK1", "Övertemperatur KK1", "défaut surtempérature KK1",
     "AŞIRI SICAKLIK HATASI KK1 "},
    // 175
    {"overtemp fault KK2", "Übertemperatur KK2", "Övertemperatur KK2", "défaut surtempérature KK2",
     "AŞIRI SICAKLIK HATASI KK2 "},
};

static_assert(std::size(kInfoTable) == kInfoRowCount, "the text table has 176 rows");

constexpr bool allCellsSet() {
    for (const auto& row : kInfoTable) {
        for (const char* cell : row) {
            if (cell == nullptr) {
                return false;
            }
        }
    }
    return true;
}
static_assert(allCellsSet(), "every row of the text table has a text for each language");

} // namespace

bool isInfoRow(int row) {
    return row >= 0 && row < kInfoRowCount;
}

QString infoText(Language lang, int row) {
    const int column = static_cast<int>(lang);
    if (!isInfoRow(row)) {
        qWarning("text table: row %d does not exist (0 … %d)", row, kInfoRowCount - 1);
        return {};
    }
    if (column < 0 || column >= kInfoLanguageCount) {
        qWarning("text table: language column %d does not exist (row %d)", column, row);
        return {};
    }
    return QString::fromUtf8(kInfoTable[row][column]);
}

std::optional<Language> tickedLanguage(bool english, bool german, bool swedish, bool french,
                                       bool turkish) {
    std::optional<Language> active;
    if (english) {
        active = Language::English;
    }
    if (german) {
        active = Language::German;
    }
    if (swedish) {
        active = Language::Swedish;
    }
    if (french) {
        active = Language::French;
    }
    if (turkish) {
        active = Language::Turkish;
    }
    return active;
}

QString GetInfoString(std::optional<Language> active, int row) {
    if (!active) {
        return {};
    }
    return infoText(*active, row);
}
