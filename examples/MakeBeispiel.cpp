// Writes the sample list Beispiel.tvd that ./run.sh opens on a first start: forty entries
// as a listener of a lending library would keep them, some still on their way, some
// received, sent back, listened to and rated.
//   tvn-beispiel OUT.tvd
#include <cstdio>
#include <string>
#include <vector>

#include "data/DatenC.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace {

using namespace tvn;

struct TTag {
  int Jahr, Monat, Tag;
};
constexpr TTag kNie{0, 0, 0};

struct TBeispiel {
  const char16_t* Autor;
  const char16_t* Titel;
  const char16_t* KatalogNr;
  const char16_t* Quelle;
  TTag Erstellt, Erhalten, Retour;
  bool Gelesen;
  TBewertung Bewertung;
  const char16_t* Infos;
};

constexpr const char16_t* kDzb = u"Deutsche Zentralbücherei für Blinde";
constexpr const char16_t* kMuenster = u"Westdeutsche Blindenhörbücherei";
constexpr const char16_t* kHamburg = u"Norddeutsche Hörbücherei";
constexpr const char16_t* kMuenchen = u"Bayerische Blindenhörbücherei";
constexpr const char16_t* kStadt = u"Stadtbibliothek, Hörbuchregal";

// Line breaks in the notes are those of a multi-line edit field.
const TBeispiel kBeispiele[] = {
    {u"Fontane, Theodor", u"Effi Briest", u"DZB 10234", kDzb, {2023, 1, 9}, {2023, 1, 16}, {2023, 2, 20}, true, btSehrGut, u"Sprecherin: ruhig und klar.\r\nZum Wiederhören vormerken."},
    {u"Mann, Thomas", u"Buddenbrooks", u"DZB 10871", kDzb, {2023, 1, 9}, {2023, 1, 18}, {2023, 3, 27}, true, btGut, u"Lang, aber lohnend.\r\n3 CDs im DAISY-Format."},
    {u"Böll, Heinrich", u"Ansichten eines Clowns", u"WBH 4411", kMuenster, {2023, 2, 3}, {2023, 2, 10}, {2023, 3, 1}, true, btGut, u""},
    {u"Kästner, Erich", u"Fabian", u"NBH 2290", kHamburg, {2023, 2, 3}, {2023, 2, 14}, {2023, 3, 6}, true, btSehrGut, u"Gekürzte Lesung."},
    {u"Süskind, Patrick", u"Das Parfum", u"BBH 7762", kMuenchen, {2023, 2, 21}, {2023, 3, 2}, {2023, 4, 3}, true, btMittel, u"Stellenweise zu düster für mich."},
    {u"Zweig, Stefan", u"Schachnovelle", u"DZB 11502", kDzb, {2023, 3, 8}, {2023, 3, 15}, {2023, 3, 29}, true, btSehrGut, u"Kurz, in einem Abend gehört."},
    {u"Hesse, Hermann", u"Der Steppenwolf", u"WBH 3120", kMuenster, {2023, 3, 8}, {2023, 3, 20}, {2023, 5, 2}, true, btSchlecht, u"Sprecher zu schnell.\r\nVielleicht später noch einmal versuchen."},
    {u"Grass, Günter", u"Die Blechtrommel", u"NBH 1884", kHamburg, {2023, 4, 12}, {2023, 4, 24}, {2023, 7, 10}, true, btGut, u""},
    {u"Müller, Herta", u"Atemschaukel", u"BBH 9015", kMuenchen, {2023, 4, 12}, {2023, 4, 21}, {2023, 6, 5}, true, btSehrGut, u"Von der Autorin selbst gelesen."},
    {u"Goethe, Johann Wolfgang von", u"Die Leiden des jungen Werther", u"DZB 10012", kDzb, {2023, 5, 4}, {2023, 5, 11}, {2023, 5, 30}, true, btMittel, u""},
    {u"Schiller, Friedrich", u"Die Räuber", u"DZB 10019", kDzb, {2023, 5, 4}, {2023, 5, 11}, {2023, 6, 12}, true, btGut, u"Hörspielfassung mit mehreren Sprechern."},
    {u"Kehlmann, Daniel", u"Die Vermessung der Welt", u"WBH 5873", kMuenster, {2023, 6, 1}, {2023, 6, 9}, {2023, 7, 3}, true, btSehrGut, u""},
    {u"Dürrenmatt, Friedrich", u"Der Richter und sein Henker", u"BBH 3341", kMuenchen, {2023, 6, 1}, {2023, 6, 13}, {2023, 6, 26}, true, btGut, u"Für den Lesekreis im Juli."},
    {u"Frisch, Max", u"Homo faber", u"NBH 2675", kHamburg, {2023, 6, 19}, {2023, 6, 28}, {2023, 8, 7}, true, btMittel, u""},
    {u"Kafka, Franz", u"Der Process", u"DZB 10456", kDzb, {2023, 7, 5}, {2023, 7, 12}, {2023, 8, 21}, true, btSchlecht, u"Nicht mein Fall."},
    {u"Fallada, Hans", u"Jeder stirbt für sich allein", u"WBH 6602", kMuenster, {2023, 7, 5}, {2023, 7, 17}, {2023, 9, 18}, true, btSehrGut, u"Ungekürzt, 18 Stunden.\r\nSehr bewegend."},
    {u"Remarque, Erich Maria", u"Im Westen nichts Neues", u"BBH 1207", kMuenchen, {2023, 8, 2}, {2023, 8, 14}, {2023, 9, 4}, true, btSehrGut, u""},
    {u"Storm, Theodor", u"Der Schimmelreiter", u"NBH 0933", kHamburg, {2023, 8, 2}, {2023, 8, 10}, {2023, 8, 28}, true, btGut, u"Plattdeutsche Passagen gut gesprochen."},
    {u"Keller, Gottfried", u"Kleider machen Leute", u"DZB 10630", kDzb, {2023, 9, 6}, {2023, 9, 13}, {2023, 9, 27}, true, btGut, u""},
    {u"Lenz, Siegfried", u"Deutschstunde", u"WBH 4987", kMuenster, {2023, 9, 6}, {2023, 9, 19}, {2023, 11, 6}, true, btSehrGut, u""},
    {u"Wolf, Christa", u"Kassandra", u"BBH 5528", kMuenchen, {2023, 10, 4}, {2023, 10, 16}, {2023, 11, 13}, true, btMittel, u"Anspruchsvoll, zweimal angefangen."},
    {u"Tellkamp, Uwe", u"Der Turm", u"NBH 3911", kHamburg, {2023, 10, 4}, {2023, 10, 25}, {2024, 1, 15}, true, btGut, u"Sehr lang.\r\nVerlängerung beantragt am 02.12.2023."},
    {u"Schätzing, Frank", u"Der Schwarm", u"DZB 12877", kDzb, {2023, 11, 8}, {2023, 11, 20}, {2024, 1, 8}, true, btGut, u""},
    {u"Funke, Cornelia", u"Tintenherz", u"WBH 7301", kMuenster, {2023, 11, 8}, {2023, 11, 17}, {2023, 12, 18}, true, btSehrGut, u"Für die Enkelin ausgeliehen."},
    {u"Ende, Michael", u"Momo", u"BBH 2210", kMuenchen, {2023, 12, 1}, {2023, 12, 11}, {2024, 1, 22}, true, btSehrGut, u""},
    {u"Preußler, Otfried", u"Krabat", u"NBH 1452", kHamburg, {2023, 12, 1}, {2023, 12, 8}, {2024, 1, 5}, true, btGut, u"Weihnachtsferien."},
    {u"Hölderlin, Friedrich", u"Hyperion", u"DZB 10088", kDzb, {2024, 1, 10}, {2024, 1, 19}, {2024, 2, 26}, false, btKeine, u"Nach zwei CDs abgebrochen."},
    {u"Rilke, Rainer Maria", u"Die Aufzeichnungen des Malte Laurids Brigge", u"WBH 2544", kMuenster, {2024, 1, 10}, {2024, 1, 22}, {2024, 3, 4}, true, btMittel, u""},
    {u"Kästner, Erich", u"Emil und die Detektive", u"NBH 2291", kHamburg, {2024, 2, 7}, {2024, 2, 15}, {2024, 3, 11}, true, btSehrGut, u"Zweite Kästner-Ausleihe."},
    {u"Mann, Thomas", u"Der Zauberberg", u"DZB 10872", kDzb, {2024, 2, 7}, {2024, 2, 19}, kNie, false, btKeine, u"Läuft noch, etwa bis CD 9 gehört.\r\nRückgabe bis Ende April."},
    {u"Zweig, Stefan", u"Die Welt von Gestern", u"BBH 6034", kMuenchen, {2024, 3, 6}, {2024, 3, 18}, kNie, false, btKeine, u""},
    {u"Böll, Heinrich", u"Gruppenbild mit Dame", u"WBH 4412", kMuenster, {2024, 3, 6}, {2024, 3, 14}, kNie, true, btGut, u"Gehört, noch nicht zurückgeschickt."},
    {u"Fontane, Theodor", u"Der Stechlin", u"DZB 10235", kDzb, {2024, 3, 27}, kNie, kNie, false, btKeine, u"Bestellt am Telefon."},
    {u"Hesse, Hermann", u"Siddhartha", u"NBH 1730", kHamburg, {2024, 3, 27}, kNie, kNie, false, btKeine, u""},
    {u"Grass, Günter", u"Katz und Maus", u"BBH 4108", kMuenchen, {2024, 4, 3}, kNie, kNie, false, btKeine, u"Wunschliste."},
    {u"Kehlmann, Daniel", u"Tyll", u"WBH 8840", kMuenster, {2024, 4, 3}, kNie, kNie, false, btKeine, u"Empfehlung aus der Hörbuchsendung."},
    {u"Ende, Michael", u"Die unendliche Geschichte", u"BBH 2211", kMuenchen, {2024, 4, 10}, kNie, kNie, false, btKeine, u""},
    {u"Süskind, Patrick", u"Die Taube", u"CD 833.914 SÜS", kStadt, {2024, 4, 10}, {2024, 4, 10}, kNie, false, btKeine, u"Aus dem Regal im Erdgeschoss.\r\nLeihfrist 4 Wochen."},
    {u"Fallada, Hans", u"Kleiner Mann - was nun?", u"CD 833.912 FAL", kStadt, {2024, 4, 17}, {2024, 4, 17}, kNie, false, btKeine, u""},
    {u"Droste-Hülshoff, Annette von", u"Die Judenbuche", u"DZB 10077", kDzb, {2024, 4, 24}, kNie, kNie, false, btKeine, u"Für die Nachbarin mitbestellt."},
};

TDateTime Datum(const TTag& tag) {
  return tag.Jahr == 0 ? ProgMinDatum : EncodeDatum(tag.Jahr, tag.Monat, tag.Tag);
}

TDatenRec Eintrag(const TBeispiel& b) {
  TDatenRec r;
  r.ErstelltDatum = Datum(b.Erstellt);
  r.Autor = b.Autor;
  r.Titel = b.Titel;
  r.KatalogNr = b.KatalogNr;
  r.Quelle = b.Quelle;
  r.ErhaltenS = b.Erhalten.Jahr != 0;
  // An unset date keeps the day of creation, as the entry editor leaves it.
  r.ErhaltenDatum = r.ErhaltenS ? Datum(b.Erhalten) : r.ErstelltDatum;
  r.RetourS = b.Retour.Jahr != 0;
  r.RetourDatum = r.RetourS ? Datum(b.Retour) : r.ErstelltDatum;
  r.GelesenS = b.Gelesen;
  r.Bewertung = b.Bewertung;
  r.Infos = b.Infos;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::u16string> arguments = platform::CommandLineArguments(argc, argv);
  if (arguments.size() != 1) {
    std::fputs("Aufruf: tvn-beispiel AUSGABE.tvd\n", stderr);
    return 1;
  }
  TDaten daten;
  for (const TBeispiel& b : kBeispiele) daten.Add(Eintrag(b));
  daten.Sort(snAutor, true);
  if (!daten.SaveToFile(arguments[0], false)) {
    std::fprintf(stderr, "%s\n", ToUtf8(daten.LastError()).c_str());
    return 1;
  }
  std::printf("%d Einträge in %s\n", daten.Count(), ToUtf8(arguments[0]).c_str());
  return 0;
}
