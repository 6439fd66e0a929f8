#include "mainwindow/Einstellungen.h"

#include <algorithm>

#include "mainwindow/KxHistory.h"
#include "platform/Utf16.h"

namespace tvn {

namespace {

constexpr std::u16string_view M = kSektionMainForm;

std::u16string ColumnKey(int i) {
  return u"ColumnWidth" + IntToText(i);
}

constexpr std::array<std::u16string_view, 8> kAlteZahlen = {
    u"Width",     u"Height",      u"WindowState", u"FontSize",
    u"FontColor", u"FontCharSet", u"FontStyle",   u"SortNr"};
constexpr std::array<std::u16string_view, 2> kAlteTexte = {u"FontName", u"Filename"};
constexpr std::array<std::u16string_view, 2> kAlteFlags = {u"DetailNamenS", u"SortAufS"};

}  // namespace

TEinstellungen EinstellungenLesen(const TIniDatei& ini, const TEinstellungen& start) {
  TEinstellungen e = start;
  THistoryList history;
  history.SetMaxLen(kHistoryCount);
  std::vector<std::u16string> stored;
  for (int n = 1; n <= kHistoryCount; ++n) {
    stored.push_back(ini.ReadString(M, THistoryList::KeyName(n), u""));
  }
  history.LoadFromStrings(stored);
  e.History = history.Items();
  for (int i = 0; i < kSortNrCount; ++i) {
    const int w = ini.ReadInteger(kSektionListView, ColumnKey(i), -1);
    e.ColumnWidths[static_cast<size_t>(i)] = w >= 0 && w <= 32767 ? w : -1;
  }
  e.Maximiert = ini.ReadInteger(M, u"WindowState", 2) != 0;
  e.DetailNamenS = ini.ReadBool(M, u"DetailNamenS", true);
  const int sortNr = ini.ReadInteger(M, u"SortNr", 0);
  e.SortNr = static_cast<TSortNr>(sortNr >= 0 && sortNr < kSortNrCount ? sortNr : 0);
  e.SortAufS = ini.ReadBool(M, u"SortAufS", true);
  const std::u16string name = ini.ReadString(M, u"FontName", u"Arial");
  e.Font.Name = Trim(name).empty() ? u"Arial" : name;
  e.Font.Size = std::clamp(ini.ReadInteger(M, u"FontSize", 12), 5, 35);
  e.Font.Color = static_cast<winui::TColor>(ini.ReadInteger(M, u"FontColor", 0));
  e.Font.CharSet = std::clamp(ini.ReadInteger(M, u"FontCharSet", 0), 0, 255);
  const int style = ini.ReadInteger(M, u"FontStyle", 0);
  e.Font.Bold = style >= 0 && style <= 15 && (style & 2) != 0;
  e.BackColor = static_cast<winui::TColor>(ini.ReadInteger(M, u"BackColor", 0xFFFFFF));
  e.Filename = ini.ReadString(M, u"Filename", u"");
  return e;
}

int GroesseLesen(const TIniDatei& ini, std::u16string_view key, int current, int minimum,
                 int extent) {
  int v = ini.ReadInteger(M, key, current);
  if (v <= 0) v = current;
  return std::clamp(v, std::min(minimum, extent), extent);
}

void EinstellungenSchreiben(TIniDatei& ini, const TEinstellungen& e) {
  ini.WriteInteger(M, u"WindowState", e.Maximiert ? 2 : 0);
  ini.WriteInteger(M, u"Width", e.Width);
  ini.WriteInteger(M, u"Height", e.Height);
  ini.WriteBool(M, u"DetailNamenS", e.DetailNamenS);
  ini.WriteString(M, u"Filename", e.Filename);
  ini.WriteInteger(M, u"SortNr", e.SortNr);
  ini.WriteBool(M, u"SortAufS", e.SortAufS);
  ini.WriteInteger(M, u"BackColor", e.BackColor);
  ini.WriteString(M, u"FontName", e.Font.Name);
  ini.WriteInteger(M, u"FontSize", e.Font.Size);
  ini.WriteInteger(M, u"FontColor", e.Font.Color);
  ini.WriteInteger(M, u"FontCharSet", e.Font.CharSet);
  ini.WriteInteger(M, u"FontStyle", e.Font.Bold ? 2 : 0);
  for (int n = 1; n <= kHistoryCount; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    if (i < e.History.size()) {
      ini.WriteString(M, THistoryList::KeyName(n), e.History[i]);
    } else {
      ini.DeleteKey(M, THistoryList::KeyName(n));
    }
  }
  for (int i = 0; i < kSortNrCount; ++i) {
    const int w = e.ColumnWidths[static_cast<size_t>(i)];
    if (w < 0) {
      ini.DeleteKey(kSektionListView, ColumnKey(i));
    } else {
      ini.WriteInteger(kSektionListView, ColumnKey(i), w);
    }
  }
}

winui::TColor HintColorFarbe(long long index) {
  static constexpr std::array<winui::TColor, 19> kFarben = {
      0x000000, 0xFFFFFF, 0x00FFFF, 0xFF0000, 0x800000, 0xF0CAA6, 0x808000,
      0x008000, 0xC0DCC0, 0x00FF00, 0x008080, 0x808080, 0x808080, 0xC0C0C0,
      0x0000FF, 0x800080, 0xFF00FF, 0xC0C0C0, 0x000080};
  return kFarben[index >= 0 && index < 19 ? static_cast<size_t>(index) : 1];
}

void AlteEinstellungenUebernehmen(TIniDatei& ini, IAlteRegistry& registry) {
  auto copyText = [&](std::u16string_view name) {
    if (const auto text = registry.Text(name)) ini.WriteString(M, name, *text);
  };
  if (registry.Open(kAlterSchluessel, false)) {
    for (std::u16string_view name : kAlteZahlen) {
      if (const auto v = registry.Integer(name)) ini.WriteInteger(M, name, *v);
    }
    for (std::u16string_view name : kAlteTexte) copyText(name);
    // A flag that is no integer is skipped without a word.
    for (std::u16string_view name : kAlteFlags) {
      if (const auto v = registry.Integer(name)) ini.WriteBool(M, name, *v != 0);
    }
    if (const auto v = registry.Integer(u"BackColor")) ini.WriteInteger(M, u"BackColor", *v);
    if (!ini.ValueExists(M, u"BackColor")) {
      ini.WriteInteger(M, u"BackColor", HintColorFarbe(registry.Integer(u"HintColor").value_or(1)));
    }
    for (int n = 1; n <= kHistoryCount; ++n) copyText(THistoryList::KeyName(n));
    registry.Close();
  }
  if (registry.Open(kAlterHistorySchluessel, false)) {
    for (int n = 1; n <= kHistoryCount; ++n) {
      const std::u16string key = THistoryList::KeyName(n);
      if (!ini.ValueExists(M, key)) copyText(key);
    }
    registry.Close();
  }
}

std::optional<std::u16string> AlteEinstellungenBereinigen(const TIniDatei& ini,
                                                          const TIniDatei& disk,
                                                          IAlteRegistry& registry) {
  // Deletes each value whose INI key both documents hold with the same text.
  auto clean = [&](const std::vector<std::pair<std::u16string, std::u16string>>& values)
      -> std::optional<std::u16string> {
    for (const auto& [name, iniKey] : values) {
      if (!ini.ValueExists(M, iniKey) || !disk.ValueExists(M, iniKey)) continue;
      if (ini.ReadString(M, iniKey, u"") != disk.ReadString(M, iniKey, u"")) continue;
      if (!registry.ValueExists(name)) continue;
      if (!registry.DeleteValue(name)) {
        return u"Der alte Registry-Wert konnte nicht entfernt werden: " + name;
      }
    }
    return std::nullopt;
  };
  std::vector<std::pair<std::u16string, std::u16string>> history;
  for (int n = 1; n <= kHistoryCount; ++n) {
    history.emplace_back(THistoryList::KeyName(n), THistoryList::KeyName(n));
  }
  std::vector<std::pair<std::u16string, std::u16string>> main;
  for (std::u16string_view name :
       {u"Width", u"Height", u"WindowState", u"FontName", u"FontSize", u"FontColor", u"FontCharSet",
        u"FontStyle", u"SortNr", u"Filename", u"DetailNamenS", u"SortAufS", u"BackColor"}) {
    main.emplace_back(name, name);
  }
  main.emplace_back(u"HintColor", u"BackColor");
  main.insert(main.end(), history.begin(), history.end());

  struct TSchritt {
    std::u16string_view Key;
    const std::vector<std::pair<std::u16string, std::u16string>>& Values;
    std::u16string_view OpenError;
  };
  const TSchritt schritte[] = {
      {kAlterSchluessel, main, u"Die alten Registry-Einstellungen konnten nicht bereinigt werden."},
      {kAlterHistorySchluessel, history,
       u"Die alte Liste zuletzt geoeffneter Dateien konnte nicht bereinigt werden."},
  };
  for (const TSchritt& s : schritte) {
    if (registry.Open(s.Key, true)) {
      const std::optional<std::u16string> error = clean(s.Values);
      registry.Close();
      if (error) return error;
    } else if (registry.KeyExists(s.Key)) {
      return std::u16string(s.OpenError);
    }
  }
  return std::nullopt;
}

}  // namespace tvn
