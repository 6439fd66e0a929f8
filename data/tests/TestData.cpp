#include "data/tests/TestData.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace tvn::test {

TDatenRec Entry(std::u16string autor, std::u16string titel, TDateTime erstellt) {
  TDatenRec r;
  r.ErstelltDatum = erstellt;
  r.Autor = std::move(autor);
  r.Titel = std::move(titel);
  r.ErhaltenDatum = erstellt;
  r.RetourDatum = erstellt;
  return r;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("tvn-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::u16string TempDir::File(const std::u16string& name) const { return (path_ / name).u16string(); }

std::vector<std::u16string> TempDir::Files() const {
  std::vector<std::u16string> names;
  for (const auto& e : std::filesystem::directory_iterator(path_)) {
    names.push_back(e.path().filename().u16string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::u16string& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

FileBytes& FileBytes::Length(unsigned n) {
  bytes_ += static_cast<char>(n >> 8);
  bytes_ += static_cast<char>(n & 0xFF);
  return *this;
}

FileBytes& FileBytes::Text(const std::string& latin1) {
  Length(static_cast<unsigned>(latin1.size()));
  bytes_ += latin1;
  return *this;
}

FileBytes& FileBytes::Number(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  bytes_ += static_cast<char>(u & 0xFF);
  bytes_ += static_cast<char>(u >> 24);
  bytes_ += static_cast<char>((u >> 16) & 0xFF);
  bytes_ += static_cast<char>((u >> 8) & 0xFF);
  return *this;
}

FileBytes& FileBytes::Flag(char c) {
  bytes_ += c;
  return *this;
}

FileBytes& FileBytes::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

FileBytes& FileBytes::Record(const std::string& autor, int32_t erstellt, int32_t erhalten,
                             char erhaltenS, int rating, bool v2) {
  Number(erstellt).Text(autor).Text("T").Text("").Text("");
  Flag(erhaltenS).Number(erhalten).Flag('0').Number(45292).Flag('0');
  if (v2) Number(rating);
  return Text("");
}

TDaten Sentinel() {
  TDaten d;
  d.HbName = u"Vorher";
  d.Add(Entry(u"Bleibt"));
  return d;
}

}  // namespace tvn::test
