#include "mainwindow/FileCommands.h"

#include "mainwindow/WindowCaption.h"

namespace tvn {

std::u16string_view DefaultExtensionForFilter(int filterIndex) {
  switch (filterIndex) {
    case 2:
      return u"TVI";
    case 3:
      return u"TXT";
    default:
      return u"TVD";
  }
}

std::vector<TFilterEntry> SplitFilter(std::u16string_view filter) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t bar = filter.find(u'|', start);
    if (bar == std::u16string_view::npos) bar = filter.size();
    parts.emplace_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<TFilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
  return entries;
}

namespace {
std::u16string DateiFehlerText(std::u16string_view path, std::u16string_view what) {
  std::u16string text = u"Die Datei \"";
  text += path;
  text += u"\" konnte nicht ";
  text += what;
  text += u" werden!";
  return text;
}
}  // namespace

std::u16string OeffnenFehlerText(std::u16string_view path) {
  return DateiFehlerText(path, u"geöffnet");
}

std::u16string SpeichernFehlerText(std::u16string_view path, std::u16string_view lastError) {
  std::u16string text = DateiFehlerText(path, u"gespeichert");
  text += u"\r\n";
  text += lastError;
  return text;
}

bool HatAenderungen(const TDaten& Daten, const TDaten& SaveDaten) {
  return !Daten.Ident(SaveDaten);
}

bool SpeichernUnterNoetig(const std::u16string& FFilename) {
  return !HasFileNamePart(FFilename);
}

bool AenderungenPruefen(bool hatAenderungen, const std::u16string& FFilename,
                        const std::function<TAntwort()>& frage,
                        const std::function<bool(bool SpeichernUnterS)>& speichern) {
  if (!hatAenderungen) return true;
  switch (frage()) {
    case TAntwort::Abbrechen:
      return false;
    case TAntwort::Nein:
      return true;
    case TAntwort::Ja:
      return speichern(SpeichernUnterNoetig(FFilename));
  }
  return false;
}

bool SchliessenEnabled(const std::u16string& FFilename, int entryCount) {
  return HasFileNamePart(FFilename) || entryCount > 0;
}

}  // namespace tvn
