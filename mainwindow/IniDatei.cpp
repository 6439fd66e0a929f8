#include "mainwindow/IniDatei.h"

#include <algorithm>
#include <climits>

#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {

namespace {

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return platform::LowerCaseChar(x) == platform::LowerCaseChar(y);
         });
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The lines of a text, broken at CR LF, CR or LF.
std::vector<std::u16string> Lines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

bool ParseIniInteger(std::u16string_view text, int& value) {
  const std::u16string t = Trim(text);
  if (t.empty()) return false;
  long long v = 0;
  if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
    for (size_t i = 2; i < t.size(); ++i) {
      const int d = HexDigit(t[i]);
      if (d < 0 || v > 0xFFFFFFFFLL) return false;
      v = v * 16 + d;
    }
    // Hexadecimal may spell a negative number in its 32 bits, as colours once were.
    if (v > 0xFFFFFFFFLL) return false;
    value = static_cast<int>(static_cast<unsigned>(v));
    return true;
  }
  size_t i = 0;
  const bool negative = t[0] == u'-';
  if (t[0] == u'-' || t[0] == u'+') i = 1;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return false;
    v = v * 10 + (t[i] - u'0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

void TIniDatei::Parse(std::string_view bytes) {
  FVorspann.clear();
  FSektionen.clear();
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  for (const std::u16string& line : Lines(FromUtf8(bytes))) {
    const std::u16string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']') {
      FSektionen.push_back({Trim(std::u16string_view(trimmed).substr(1, trimmed.size() - 2)), {}});
      continue;
    }
    // Empty lines separate sections; the writer puts them back.
    if (trimmed.empty()) continue;
    std::vector<TZeile>& target = FSektionen.empty() ? FVorspann : FSektionen.back().Zeilen;
    const size_t eq = line.find(u'=');
    std::u16string key = eq == std::u16string::npos ? std::u16string() : Trim(line.substr(0, eq));
    if (key.empty()) {
      target.push_back({u"", line});
    } else {
      target.push_back({std::move(key), Trim(std::u16string_view(line).substr(eq + 1))});
    }
  }
}

std::string TIniDatei::Encode() const {
  std::string out = "\xEF\xBB\xBF";
  auto put = [&out](std::u16string_view a, std::u16string_view b = {}, bool pair = false) {
    AppendUtf8(out, a);
    if (pair) out += '=';
    AppendUtf8(out, b);
    out += "\r\n";
  };
  auto putLines = [&](const std::vector<TZeile>& zeilen) {
    for (const TZeile& z : zeilen) z.Key.empty() ? put(z.Text) : put(z.Key, z.Text, true);
  };
  putLines(FVorspann);
  if (!FVorspann.empty()) out += "\r\n";
  for (const TSektion& s : FSektionen) {
    put(u"[" + s.Name + u"]");
    putLines(s.Zeilen);
    out += "\r\n";
  }
  return out;
}

int TIniDatei::SectionIndex(std::u16string_view section) const {
  for (size_t i = 0; i < FSektionen.size(); ++i) {
    if (SameName(FSektionen[i].Name, section)) return static_cast<int>(i);
  }
  return -1;
}

int TIniDatei::KeyIndex(const TSektion& s, std::u16string_view key) {
  for (size_t i = 0; i < s.Zeilen.size(); ++i) {
    if (!s.Zeilen[i].Key.empty() && SameName(s.Zeilen[i].Key, key)) return static_cast<int>(i);
  }
  return -1;
}

const TIniDatei::TZeile* TIniDatei::Find(std::u16string_view section,
                                         std::u16string_view key) const {
  const int si = SectionIndex(section);
  if (si < 0) return nullptr;
  const TSektion& s = FSektionen[static_cast<size_t>(si)];
  const int ki = KeyIndex(s, key);
  return ki < 0 ? nullptr : &s.Zeilen[static_cast<size_t>(ki)];
}

bool TIniDatei::SectionExists(std::u16string_view section) const {
  return SectionIndex(section) >= 0;
}

bool TIniDatei::ValueExists(std::u16string_view section, std::u16string_view key) const {
  return Find(section, key) != nullptr;
}

std::u16string TIniDatei::ReadString(std::u16string_view section, std::u16string_view key,
                                     const std::u16string& Default) const {
  const TZeile* z = Find(section, key);
  return z ? z->Text : Default;
}

int TIniDatei::ReadInteger(std::u16string_view section, std::u16string_view key,
                           int Default) const {
  const TZeile* z = Find(section, key);
  int value = 0;
  return z && ParseIniInteger(z->Text, value) ? value : Default;
}

bool TIniDatei::ReadBool(std::u16string_view section, std::u16string_view key, bool Default) const {
  return ReadInteger(section, key, Default ? 1 : 0) != 0;
}

void TIniDatei::WriteString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
  // Line breaks would split the entry on the next reading.
  std::u16string text(value);
  std::replace_if(
      text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  int si = SectionIndex(section);
  if (si < 0) {
    FSektionen.push_back({std::u16string(section), {}});
    si = static_cast<int>(FSektionen.size()) - 1;
  }
  TSektion& s = FSektionen[static_cast<size_t>(si)];
  const int ki = KeyIndex(s, key);
  if (ki >= 0) {
    s.Zeilen[static_cast<size_t>(ki)].Text = std::move(text);
  } else {
    s.Zeilen.push_back({std::u16string(key), std::move(text)});
  }
}

void TIniDatei::WriteInteger(std::u16string_view section, std::u16string_view key,
                             long long value) {
  WriteString(section, key, IntToText(value));
}

void TIniDatei::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

void TIniDatei::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const int si = SectionIndex(section);
  if (si < 0) return;
  std::vector<TZeile>& zeilen = FSektionen[static_cast<size_t>(si)].Zeilen;
  zeilen.erase(
      std::remove_if(zeilen.begin(), zeilen.end(),
                     [&](const TZeile& z) { return !z.Key.empty() && SameName(z.Key, key); }),
      zeilen.end());
}

}  // namespace tvn
