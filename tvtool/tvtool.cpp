// tvtool: checks, converts and sorts audiobook files from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "data/DatenC.h"
#include "dialogs/TextSave.h"
#include "layout/LocaleNames.h"
#include "mainwindow/DetailsText.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace {

using tvn::TDaten;

void Print(std::FILE* to, const std::u16string& text) {
  const std::string bytes = tvn::ToUtf8(text + u"\n");
  std::fwrite(bytes.data(), 1, bytes.size(), to);
}

int Usage() {
  Print(stderr,
        u"Aufruf:\n"
        u"  tvtool check DATEI                       Einträge und Listenname anzeigen\n"
        u"  tvtool txt DATEI ZIEL                    als Textdokument (Tabstopp-getrennt) schreiben\n"
        u"  tvtool sort DATEI SPALTE asc|desc ZIEL   nach Spalte 0 bis 8 sortiert speichern\n"
        u"  tvtool details DATEI ZIEL [--ohne-beschriftung]\n"
        u"                                           Details aller Einträge schreiben (RTF bei\n"
        u"                                           der Endung .rtf, sonst UTF-8-Text)");
  return 2;
}

bool Load(TDaten& daten, const std::u16string& file) {
  if (daten.LoadFromFile(file, false)) return true;
  Print(stderr, u"Die Datei \"" + file + u"\" konnte nicht geöffnet werden: " + daten.LastError());
  return false;
}

bool Save(TDaten& daten, const std::u16string& file, bool txt) {
  if (daten.SaveToFile(file, txt)) return true;
  Print(stderr, u"Die Datei \"" + file + u"\" konnte nicht gespeichert werden: " + daten.LastError());
  return false;
}

int Check(const std::u16string& file) {
  TDaten daten;
  if (!Load(daten, file)) return 1;
  Print(stdout, u"Einträge: " + tvn::IntToText(daten.Count()));
  Print(stdout, u"Listenname: " + daten.HbName);
  return 0;
}

int Txt(const std::u16string& file, const std::u16string& out) {
  TDaten daten;
  return Load(daten, file) && Save(daten, out, true) ? 0 : 1;
}

int Sort(const std::u16string& file, const std::u16string& column, const std::u16string& order,
         const std::u16string& out) {
  if (column.size() != 1 || column[0] < u'0' || column[0] > u'8') {
    Print(stderr, u"Die Spalte muss eine Zahl von 0 bis 8 sein.");
    return 2;
  }
  if (order != u"asc" && order != u"desc") {
    Print(stderr, u"Die Richtung muss \"asc\" oder \"desc\" sein.");
    return 2;
  }
  TDaten daten;
  if (!Load(daten, file)) return 1;
  daten.Sort(static_cast<tvn::TSortNr>(column[0] - u'0'), order == u"asc");
  return Save(daten, out, false) ? 0 : 1;
}

bool EndsWithRtf(const std::u16string& file) {
  if (file.size() < 4) return false;
  std::u16string ending = file.substr(file.size() - 4);
  for (char16_t& c : ending) c = tvn::platform::LowerCaseChar(c);
  return ending == u".rtf";
}

// The details text of every entry, as the viewer shows it for a list marked as a whole.
int Details(const std::u16string& file, const std::u16string& out, bool captions) {
  TDaten daten;
  if (!Load(daten, file)) return 1;
  const std::u16string text = tvn::DetailsText(tvn::AlleEintraege(daten), captions,
                                               tvn::ProgramLocaleNames().ShortDayNames);
  const int format = EndsWithRtf(out) ? tvn::tsfRtf : tvn::tsfUtf8;
  std::u16string error;
  if (tvn::SaveTextToFile(out, text, format, nullptr, error)) return 0;
  Print(stderr, u"Der Text konnte nicht gespeichert werden.\r\n" + error);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  tvn::platform::UseLargeHeapPages(argv);
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() == 2 && args[0] == u"check") return Check(args[1]);
  if (args.size() == 3 && args[0] == u"txt") return Txt(args[1], args[2]);
  if (args.size() == 5 && args[0] == u"sort") return Sort(args[1], args[2], args[3], args[4]);
  if ((args.size() == 3 || args.size() == 4) && args[0] == u"details") {
    if (args.size() == 4 && args[3] != u"--ohne-beschriftung") return Usage();
    return Details(args[1], args[2], args.size() == 3);
  }
  return Usage();
}
