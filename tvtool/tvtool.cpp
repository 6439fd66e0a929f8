// tvtool: checks, converts and sorts audiobook files from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "data/DatenC.h"
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
        u"  tvtool sort DATEI SPALTE asc|desc ZIEL   nach Spalte 0 bis 8 sortiert speichern");
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

}  // namespace

int main(int argc, char** argv) {
  tvn::platform::UseLargeHeapPages(argv);
  const std::vector<std::u16string> args = tvn::platform::CommandLineArguments(argc, argv);
  if (args.size() == 2 && args[0] == u"check") return Check(args[1]);
  if (args.size() == 3 && args[0] == u"txt") return Txt(args[1], args[2]);
  if (args.size() == 5 && args[0] == u"sort") return Sort(args[1], args[2], args[3], args[4]);
  return Usage();
}
