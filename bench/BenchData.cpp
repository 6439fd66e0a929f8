#include "bench/BenchData.h"

#include <random>

#include "platform/Utf16.h"

namespace tvn::bench {
namespace {

constexpr const char16_t* kVornamen[] = {
    u"Jürgen", u"Anna", u"Käthe", u"Günter", u"Sophie", u"Lukas", u"Björn", u"Marie", u"Jörg",
    u"Ursula", u"Özlem", u"Hans-Peter", u"Renée", u"Maximilian", u"Ilse", u"Dörte", u"Friedrich",
    u"Hannah", u"Bärbel", u"Tobias"};
constexpr const char16_t* kNachnamen[] = {
    u"Müller", u"Schäfer", u"Köhler", u"Groß", u"Weiß", u"Bäcker", u"Schröder", u"Hoffmann",
    u"Krüger", u"Lehmann", u"Özdemir", u"Fuchs", u"Wöhler", u"Zimmermann", u"Jäger", u"Brandt",
    u"Hüttenbrenner", u"Vogel", u"Oßwald", u"Ährenthal", u"Neumann", u"Sauer", u"Dübel",
    u"Kästner", u"Frisch"};
constexpr const char16_t* kWoerter[] = {
    u"Der", u"Die", u"Das", u"Schatten", u"über", u"dem", u"Fluss", u"Nacht", u"Wälder",
    u"Geheimnis", u"Reise", u"nach", u"Süden", u"Häuser", u"am", u"Meer", u"Sturm", u"Brücke",
    u"Erinnerungen", u"Spur", u"im", u"Schnee", u"Königin", u"Glück", u"Straße", u"Jahre"};
constexpr const char16_t* kQuellen[] = {
    u"Stadtbücherei Köln", u"Hörbücherei Leipzig", u"Blindenbibliothek Zürich",
    u"Medienzentrum Münster", u"Fernleihe", u"Bücherhallen Hamburg"};
constexpr const char16_t* kInfoZeilen[] = {
    u"Gelesen vom Autor selbst, 12 CDs.", u"Ungekürzte Lesung.", u"Sehr spannend bis zum Schluss.",
    u"Fortsetzung folgt im zweiten Band.", u"Empfehlung von Frau Schütz.", u"Laufzeit 14 Std. 32 Min.",
    u"Hörspielfassung mit Musik.", u"Zurückgeben bis Monatsende!"};

template <size_t N>
const char16_t* Pick(std::mt19937& rng, const char16_t* const (&items)[N]) {
  return items[rng() % N];
}

}  // namespace

TDaten MakeList(size_t count, unsigned seed) {
  std::mt19937 rng(seed);
  TDaten d;
  d.HbName = u"Meine Hörbücher";
  d.Liste.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    TDatenRec r;
    r.ErstelltDatum = 40000 + rng() % 6000;
    r.Autor = std::u16string(Pick(rng, kNachnamen)) + u", " + Pick(rng, kVornamen);
    const int words = 2 + rng() % 4;
    for (int w = 0; w < words; ++w) {
      if (w) r.Titel += u' ';
      r.Titel += Pick(rng, kWoerter);
    }
    r.KatalogNr = u"HB-" + std::u16string(1, char16_t(u'A' + rng() % 26)) + IntToText(10000 + rng() % 90000);
    r.Quelle = Pick(rng, kQuellen);
    r.ErhaltenS = rng() % 4 != 0;
    r.ErhaltenDatum = r.ErstelltDatum + rng() % 30;
    r.RetourS = r.ErhaltenS && rng() % 2;
    r.RetourDatum = r.ErhaltenDatum + rng() % 60;
    r.GelesenS = r.RetourS || rng() % 3 == 0;
    r.Bewertung = static_cast<TBewertung>(rng() % kBewertungCount);
    const int lines = rng() % 4;
    for (int l = 0; l < lines; ++l) {
      if (l) r.Infos += u"\r\n";
      r.Infos += Pick(rng, kInfoZeilen);
    }
    d.Liste.push_back(std::move(r));
  }
  return d;
}

}  // namespace tvn::bench
