// Texts shared by several parts of the program.
#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace tvn {

enum TBewertung : unsigned char { btKeine, btSehrGut, btGut, btMittel, btSchlecht, btSehrSchlecht };
constexpr int kBewertungCount = 6;

enum TSortNr : unsigned char {
  snAutor, snTitel, snKatalogNr, snQuelle, snGelesen, snBewertung, snErhalten, snRetour, snErstellt
};
constexpr int kSortNrCount = 9;

namespace ResConst {

inline constexpr std::array<std::u16string_view, 2> SearchEndTexts = {
    u"Daten wurden bis zum Anfang durchsucht!", u"Daten wurden bis zum Ende durchsucht!"};
// 0 = several marked entries (%d = their number), 1 = exactly one.
inline constexpr std::array<std::u16string_view, 2> DeleteQuestions = {
    u"Sollen alle %d markierten Einträge gelöscht werden?",
    u"Soll der markierte Eintrag gelöscht werden?"};
inline constexpr std::array<std::u16string_view, 2> SavedLoadedTexts = {u"gespeichert", u"geladen"};
// Indexed by a flag: false, true.
inline constexpr std::array<std::u16string_view, 2> YesNoTexts = {u"Nein", u"Ja"};
inline constexpr std::array<std::u16string_view, kBewertungCount> RatingNames = {
    u"Keine", u"Sehr gut", u"Gut", u"Mittel", u"Schlecht", u"Sehr schlecht"};
inline constexpr std::array<std::u16string_view, kSortNrCount> ColumnNames = {
    u"Autor",   u"Titel",     u"Katalognummer", u"Quelle",  u"Gelesen",
    u"Bewertung", u"Erhalten", u"Retourniert",   u"Erstellt"};
inline constexpr std::array<std::pair<char16_t, std::u16string_view>, 3> FoldPairs = {
    {{u'ä', u"ae"}, {u'ö', u"oe"}, {u'ü', u"ue"}}};
inline constexpr std::array<std::u16string_view, 10> FieldCaptions = {
    u"Autor",    u"Titel",    u"Katalognummer", u"Quelle",   u"Gelesen",
    u"Bewertung", u"Erhalten", u"Retourniert",  u"Erstellt", u"Infos"};
// 0 = several marked entries (%s = their number as text), 1 = exactly one.
inline constexpr std::array<std::u16string_view, 2> DetailsCaptions = {
    u"Details aller %s markierten Einträge", u"Details des markierten Eintrags"};

}  // namespace ResConst
}  // namespace tvn
