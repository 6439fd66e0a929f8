// The settings file as a document in memory: sections of "key=value" lines, UTF-8, read
// with or without a byte-order mark, written with one and with CR LF. Section and key
// names match without regard to case; keys keep the order in which they were first written;
// sections, keys and lines the program does not know stay as they were.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn {

class TIniDatei {
 public:
  // Replaces the content by the parsed bytes; any bytes give a document.
  void Parse(std::string_view bytes);
  // The file content: mark, every section followed by an empty line, CR LF.
  std::string Encode() const;

  bool SectionExists(std::u16string_view section) const;
  bool ValueExists(std::u16string_view section, std::u16string_view key) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            const std::u16string& Default) const;
  // Decimal, or hexadecimal after "0x"; missing, malformed or outside the int range gives
  // the default.
  int ReadInteger(std::u16string_view section, std::u16string_view key, int Default) const;
  // An integer that means true when it is not 0.
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool Default) const;

  void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void WriteInteger(std::u16string_view section, std::u16string_view key, long long value);
  void WriteBool(std::u16string_view section, std::u16string_view key, bool value);
  void DeleteKey(std::u16string_view section, std::u16string_view key);

 private:
  struct TZeile {
    std::u16string Key;   // empty for a line that is no "key=value" (kept as Text)
    std::u16string Text;  // the value, or the whole line
  };
  struct TSektion {
    std::u16string Name;
    std::vector<TZeile> Zeilen;
  };
  // -1 when there is none.
  int SectionIndex(std::u16string_view section) const;
  static int KeyIndex(const TSektion& s, std::u16string_view key);
  const TZeile* Find(std::u16string_view section, std::u16string_view key) const;

  std::vector<TZeile> FVorspann;  // lines before the first section
  std::vector<TSektion> FSektionen;
};

// Decimal with an optional sign, or "0x" hexadecimal; false when the text is neither or the
// number does not fit an int.
bool ParseIniInteger(std::u16string_view text, int& value);

}  // namespace tvn
