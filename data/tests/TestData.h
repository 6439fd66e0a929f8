// Small fixtures shared by the data tests: entries, temporary folders, raw file bytes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/DatenC.h"

namespace tvn::test {

constexpr TDateTime kDay2024 = 45292;  // 2024-01-01

TDatenRec Entry(std::u16string autor, std::u16string titel = u"Titel",
                TDateTime erstellt = kDay2024);

// A list whose content must survive every failed load untouched.
TDaten Sentinel();

// Keeps the messages a failed load shows.
class RecordingMeldung : public TDatenMeldung {
 public:
  void ShowError(const std::u16string& text) override { shown.push_back(text); }
  std::vector<std::u16string> shown;
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::u16string File(const std::u16string& name) const;
  // Names of all files in the folder, sorted.
  std::vector<std::u16string> Files() const;

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::u16string& path);
void WriteBytes(const std::u16string& path, const std::string& bytes);

// Builds the bytes of an audiobook file field by field.
class FileBytes {
 public:
  FileBytes& Text(const std::string& latin1);
  FileBytes& Length(unsigned n);  // a text length without its characters
  FileBytes& Number(int32_t v);
  FileBytes& Flag(char c);
  FileBytes& Raw(const std::string& bytes);
  // One record with the given texts and dates; rating only for version 2.
  FileBytes& Record(const std::string& autor, int32_t erstellt = 45292, int32_t erhalten = 45292,
                    char erhaltenS = '0', int rating = 0, bool v2 = true);
  const std::string& str() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace tvn::test
