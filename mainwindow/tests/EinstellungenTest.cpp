// Settings values as read, written and taken over from the registry of earlier versions,
// with a registry stand-in that records what is deleted.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <variant>

#include "mainwindow/Einstellungen.h"

namespace tvn {
namespace {

TIniDatei Ini(const std::string& mainForm, const std::string& listView = "") {
  TIniDatei ini;
  ini.Parse("[MainForm]\n" + mainForm + "\n[ListView]\n" + listView + "\n");
  return ini;
}

TEST(Einstellungen, StoredValuesAreCheckedWhenRead) {
  struct Case {
    const char* stored;
    std::function<void(const TEinstellungen&)> check;
  };
  const Case cases[] = {
      {"FontSize=50", [](const TEinstellungen& e) { EXPECT_EQ(e.Font.Size, 35); }},
      {"FontSize=2", [](const TEinstellungen& e) { EXPECT_EQ(e.Font.Size, 5); }},
      {"FontStyle=1", [](const TEinstellungen& e) { EXPECT_FALSE(e.Font.Bold); }},
      {"FontStyle=2", [](const TEinstellungen& e) { EXPECT_TRUE(e.Font.Bold); }},
      {"FontStyle=3", [](const TEinstellungen& e) { EXPECT_TRUE(e.Font.Bold); }},
      {"FontStyle=16", [](const TEinstellungen& e) { EXPECT_FALSE(e.Font.Bold); }},
      {"FontStyle=18", [](const TEinstellungen& e) { EXPECT_FALSE(e.Font.Bold); }},
      {"WindowState=1", [](const TEinstellungen& e) { EXPECT_TRUE(e.Maximiert); }},
      {"WindowState=0", [](const TEinstellungen& e) { EXPECT_FALSE(e.Maximiert); }},
      {"SortNr=9", [](const TEinstellungen& e) { EXPECT_EQ(e.SortNr, snAutor); }},
      {"SortNr=8", [](const TEinstellungen& e) { EXPECT_EQ(e.SortNr, snErstellt); }},
      {"FontName=   ", [](const TEinstellungen& e) { EXPECT_EQ(e.Font.Name, u"Arial"); }},
      {"FontName= Courier", [](const TEinstellungen& e) { EXPECT_EQ(e.Font.Name, u"Courier"); }},
      {"FontCharSet=300", [](const TEinstellungen& e) { EXPECT_EQ(e.Font.CharSet, 255); }},
      {"BackColor=0xF0CAA6", [](const TEinstellungen& e) { EXPECT_EQ(e.BackColor, 0xF0CAA6u); }},
      {"DetailNamenS=0\nSortAufS=0",
       [](const TEinstellungen& e) {
         EXPECT_FALSE(e.DetailNamenS);
         EXPECT_FALSE(e.SortAufS);
       }},
      {"History2=b\nHistory4=a\nHistory5=b",
       [](const TEinstellungen& e) {
         EXPECT_EQ(e.History, (std::vector<std::u16string>{u"b", u"a"}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    c.check(EinstellungenLesen(Ini(c.stored), TEinstellungen{}));
  }
  const TEinstellungen defaults = EinstellungenLesen(TIniDatei{}, TEinstellungen{});
  EXPECT_TRUE(defaults.Maximiert);
  EXPECT_EQ(defaults.Font.Name, u"Arial");
  EXPECT_EQ(defaults.Font.Size, 12);
  EXPECT_EQ(defaults.Font.Color, 0u);
  EXPECT_FALSE(defaults.Font.Bold);
  EXPECT_EQ(defaults.Font.CharSet, 0);
  EXPECT_EQ(defaults.BackColor, 0xFFFFFFu);
}

TEST(Einstellungen, ColumnWidthsOutsideTheirRangeMeanNone) {
  const TEinstellungen e = EinstellungenLesen(
      Ini("",
          "ColumnWidth0=80\nColumnWidth1=-5\nColumnWidth2=32768\nColumnWidth3=32767\n"
          "ColumnWidth4=0\nColumnWidth5=breit"),
      TEinstellungen{});
  EXPECT_EQ(e.ColumnWidths, (std::array<int, 9>{80, -1, -1, 32767, 0, -1, -1, -1, -1}));
}

TEST(Einstellungen, WindowSizesFallBackAndAreClamped) {
  struct Case {
    const char* stored;
    int minimum, extent, expected;
  };
  const Case cases[] = {
      {"Width=0", 1000, 1920, 1200},    {"Width=-4", 1000, 1920, 1200},
      {"Width=5000", 1000, 1920, 1920}, {"Width=800", 1000, 1280, 1000},
      {"Width=800", 1000, 900, 900},    {"", 1000, 1920, 1200},
      {"Width=1300", 1000, 1920, 1300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(GroesseLesen(Ini(c.stored), u"Width", 1200, c.minimum, c.extent), c.expected);
  }
}

TEST(Einstellungen, ANewFileHoldsEveryKeyInItsOrder) {
  TEinstellungen e;
  e.Width = 1200;
  e.Height = 900;
  e.Filename = u"C:\\Listen\\";
  e.History = {u"C:\\a.tvd", u"C:\\b.tvd"};
  e.ColumnWidths[0] = 100;
  TIniDatei ini;
  EinstellungenSchreiben(ini, e);
  EXPECT_EQ(ini.Encode(),
            "\xEF\xBB\xBF[MainForm]\r\nWindowState=2\r\nWidth=1200\r\nHeight=900\r\n"
            "DetailNamenS=1\r\nFilename=C:\\Listen\\\r\nSortNr=0\r\nSortAufS=1\r\n"
            "BackColor=16777215\r\nFontName=Arial\r\nFontSize=12\r\nFontColor=0\r\n"
            "FontCharSet=1\r\nFontStyle=0\r\nHistory1=C:\\a.tvd\r\nHistory2=C:\\b.tvd\r\n\r\n"
            "[ListView]\r\nColumnWidth0=100\r\n\r\n");
  e.History.clear();
  e.ColumnWidths[0] = -1;
  EinstellungenSchreiben(ini, e);
  EXPECT_FALSE(ini.ValueExists(kSektionMainForm, u"History1"));
  EXPECT_FALSE(ini.ValueExists(kSektionListView, u"ColumnWidth0"));
}

// A registry of two keys; values are integers or texts.
class TFakeRegistry : public IAlteRegistry {
 public:
  using TValue = std::variant<long long, std::u16string>;
  std::map<std::u16string, std::map<std::u16string, TValue>> Keys;
  std::set<std::u16string> Locked;       // keys that exist but cannot be opened for changing
  std::set<std::u16string> Undeletable;  // values whose deletion fails
  std::vector<std::u16string> Deleted;

  bool Open(std::u16string_view key, bool Aendern) override {
    auto it = Keys.find(std::u16string(key));
    if (it == Keys.end() || (Aendern && Locked.count(it->first))) return false;
    FOpen = &it->second;
    return true;
  }
  bool KeyExists(std::u16string_view key) override { return Keys.count(std::u16string(key)) > 0; }
  void Close() override { FOpen = nullptr; }
  std::optional<long long> Integer(std::u16string_view name) override {
    const TValue* v = Find(name);
    if (!v || !std::holds_alternative<long long>(*v)) return std::nullopt;
    return std::get<long long>(*v);
  }
  std::optional<std::u16string> Text(std::u16string_view name) override {
    const TValue* v = Find(name);
    if (!v || !std::holds_alternative<std::u16string>(*v)) return std::nullopt;
    return std::get<std::u16string>(*v);
  }
  bool ValueExists(std::u16string_view name) override { return Find(name) != nullptr; }
  bool DeleteValue(std::u16string_view name) override {
    if (Undeletable.count(std::u16string(name))) return false;
    Deleted.emplace_back(name);
    return FOpen->erase(std::u16string(name)) > 0;
  }

 private:
  const TValue* Find(std::u16string_view name) const {
    if (!FOpen) return nullptr;
    auto it = FOpen->find(std::u16string(name));
    return it == FOpen->end() ? nullptr : &it->second;
  }
  std::map<std::u16string, TValue>* FOpen = nullptr;
};

const std::u16string kAlt(kAlterSchluessel);
const std::u16string kAltHistory(kAlterHistorySchluessel);

TEST(Einstellungen, OldRegistryValuesAreTakenOverOnce) {
  TFakeRegistry registry;
  registry.Keys[kAlt] = {{u"Width", 1100LL},           {u"FontName", u"Verdana"},
                         {u"FontSize", u"groß"},       {u"SortAufS", 0LL},
                         {u"DetailNamenS", u"ja"},     {u"HintColor", 5LL},
                         {u"History3", u"C:\\alt.tvd"}};
  registry.Keys[kAltHistory] = {{u"History3", u"C:\\zweiter.tvd"}, {u"History1", u"C:\\neu.tvd"}};
  TIniDatei ini;
  AlteEinstellungenUebernehmen(ini, registry);
  const auto M = kSektionMainForm;
  EXPECT_EQ(ini.ReadInteger(M, u"Width", 0), 1100);
  EXPECT_EQ(ini.ReadString(M, u"FontName", u""), u"Verdana");
  EXPECT_FALSE(ini.ValueExists(M, u"FontSize"));      // a text where a number belongs
  EXPECT_FALSE(ini.ValueExists(M, u"DetailNamenS"));  // no flag
  EXPECT_EQ(ini.ReadString(M, u"SortAufS", u""), u"0");
  EXPECT_EQ(ini.ReadInteger(M, u"BackColor", 0), 15780518);
  EXPECT_EQ(ini.ReadString(M, u"History3", u""), u"C:\\alt.tvd");  // the first key wins
  EXPECT_EQ(ini.ReadString(M, u"History1", u""), u"C:\\neu.tvd");

  struct Case {
    std::optional<long long> hint;
    winui::TColor back;
  };
  for (const Case& c : {Case{std::nullopt, 0xFFFFFF}, Case{19, 0xFFFFFF}, Case{-1, 0xFFFFFF},
                        Case{18, 0x000080}, Case{0, 0x000000}}) {
    TFakeRegistry r;
    r.Keys[kAlt] = {};
    if (c.hint) r.Keys[kAlt][u"HintColor"] = *c.hint;
    TIniDatei fresh;
    AlteEinstellungenUebernehmen(fresh, r);
    EXPECT_EQ(static_cast<winui::TColor>(fresh.ReadInteger(M, u"BackColor", -1)), c.back);
  }
  TFakeRegistry none;
  TIniDatei empty;
  AlteEinstellungenUebernehmen(empty, none);
  EXPECT_FALSE(empty.SectionExists(M));
}

TEST(Einstellungen, CleanUpDeletesWhatBothFilesHoldAlike) {
  TFakeRegistry registry;
  registry.Keys[kAlt] = {
      {u"Width", 1100LL}, {u"Height", 700LL}, {u"HintColor", 5LL}, {u"Filename", u"C:\\x.tvd"}};
  registry.Keys[kAltHistory] = {{u"History1", u"C:\\a.tvd"}, {u"History2", u"C:\\b.tvd"}};
  const TIniDatei ini = Ini("Width=1100\nHeight=800\nBackColor=15780518\nHistory1=C:\\a.tvd");
  const TIniDatei disk = Ini("Width=1100\nHeight=700\nBackColor=15780518\nHistory1=C:\\a.tvd");
  EXPECT_EQ(AlteEinstellungenBereinigen(ini, disk, registry), std::nullopt);
  EXPECT_EQ(registry.Deleted, (std::vector<std::u16string>{u"Width", u"HintColor", u"History1"}));
  EXPECT_EQ(registry.Keys[kAlt].count(u"Height"), 1u);    // the two files differ
  EXPECT_EQ(registry.Keys[kAlt].count(u"Filename"), 1u);  // the files lack it
  EXPECT_EQ(registry.Keys[kAltHistory].count(u"History2"), 1u);
  EXPECT_EQ(registry.Keys.size(), 2u);  // keys stay, only values go

  struct Case {
    std::u16string locked, undeletable, error;
  };
  const Case cases[] = {
      {kAlt, u"", u"Die alten Registry-Einstellungen konnten nicht bereinigt werden."},
      {kAltHistory, u"",
       u"Die alte Liste zuletzt geoeffneter Dateien konnte nicht bereinigt werden."},
      {u"", u"Width", u"Der alte Registry-Wert konnte nicht entfernt werden: Width"},
  };
  for (const Case& c : cases) {
    TFakeRegistry r;
    r.Keys[kAlt] = {{u"Width", 1100LL}};
    r.Keys[kAltHistory] = {};
    r.Locked = {c.locked};
    r.Undeletable = {c.undeletable};
    EXPECT_EQ(AlteEinstellungenBereinigen(ini, disk, r), std::optional<std::u16string>(c.error));
  }
  TFakeRegistry none;
  EXPECT_EQ(AlteEinstellungenBereinigen(ini, disk, none), std::nullopt);
}

}  // namespace
}  // namespace tvn
