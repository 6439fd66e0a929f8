// Loading and saving when memory runs out. This program replaces the global operator new:
// a request above the limit fails with std::bad_alloc as an exhausted heap would, and the
// largest request is recorded, so a test sees what a file made the loader reserve.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "data/DatenC.h"
#include "data/tests/TestData.h"

namespace {

std::atomic<std::size_t> g_limit{static_cast<std::size_t>(-1)};
std::atomic<std::size_t> g_largest{0};

void* Allocate(std::size_t size) {
  if (size > g_largest.load()) g_largest = size;
  if (size > g_limit.load()) return nullptr;
  return std::malloc(size ? size : 1);
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

namespace tvn {
namespace {

using test::RecordingMeldung;
using test::Sentinel;

using test::Entry;
using test::FileBytes;

const std::u16string kOutOfMemory = u"Zu wenig Arbeitsspeicher";

// Requests above `limit` bytes fail while it lives; it records the largest one made.
class TMemoryLimit {
 public:
  explicit TMemoryLimit(std::size_t limit) {
    g_largest = 0;
    g_limit = limit;
  }
  ~TMemoryLimit() { g_limit = static_cast<std::size_t>(-1); }
  TMemoryLimit(const TMemoryLimit&) = delete;
  TMemoryLimit& operator=(const TMemoryLimit&) = delete;
  std::size_t Largest() const { return g_largest.load(); }
};

// `count` records one byte above the smallest size, under a header that declares `declared`.
std::string FileOfRecords(int count, int declared) {
  FileBytes bytes;
  bytes.Text("TVN02").Text("Name").Number(declared);
  for (int i = 0; i < count; ++i) bytes.Record("A");
  return bytes.str();
}

TEST(MemoryLimit, ALoadThatRunsOutOfMemoryFailsWithItsTextAndKeepsTheList) {
  test::TempDir dir;
  const std::u16string file = dir.File(u"viele.tvd");
  test::WriteBytes(file, FileOfRecords(4000, 4000));
  RecordingMeldung meldung;
  SetDatenMeldung(&meldung);
  TDaten d = Sentinel();
  {
    // Room for the file and small texts, not for 4000 entries at once.
    TMemoryLimit limit(64 * 1024);
    EXPECT_FALSE(d.LoadFromFile(file, true));
  }
  EXPECT_EQ(d.LastError(), kOutOfMemory);
  EXPECT_TRUE(d.Ident(Sentinel()));
  ASSERT_EQ(meldung.shown.size(), 1u);
  EXPECT_EQ(meldung.shown[0],
            u"Die Datei \"" + file +
                u"\" konnte nicht geöffnet werden!\r\nDie Datei ist nicht lesbar, "
                u"beschädigt oder hat ein unbekanntes Format.");
  SetDatenMeldung(nullptr);

  ASSERT_TRUE(d.LoadFromFile(file, false)) << "without the limit the same file loads";
  EXPECT_EQ(d.Count(), 4000);
}

TEST(MemoryLimit, AFileCannotMakeTheLoaderReserveMoreThanItsOwnSizeBeforeItIsChecked) {
  const std::string goodRecords = FileOfRecords(5000, 5000).substr(FileOfRecords(0, 0).size());
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string error;
  };
  const Case cases[] = {
      {"count 0x7fffffff",
       FileBytes().Text("TVN02").Text("").Number(0x7FFFFFFF).Raw(goodRecords).str(),
       u"Ungültige Anzahl von Einträgen."},
      {"the largest count that fits, first record broken",
       FileBytes()
           .Text("TVN02")
           .Text("")
           .Number(5000)
           .Record("A", 1)
           .Raw(goodRecords.substr(30))
           .str(),
       u"Ungültiges Datum."},
      {"the largest count that fits, last record broken",
       FileBytes()
           .Text("TVN02")
           .Text("")
           .Number(5001)
           .Raw(goodRecords)
           .Raw(std::string(30, '\x01'))
           .str(),
       u"Ungültiges Datum."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TDaten d = Sentinel();
    TMemoryLimit watch(static_cast<std::size_t>(-1));
    EXPECT_FALSE(d.LoadFromBytes(c.bytes));
    EXPECT_EQ(d.LastError(), c.error);
    EXPECT_LE(watch.Largest(), c.bytes.size());
    EXPECT_TRUE(d.Ident(Sentinel()));
  }
}

TEST(MemoryLimit, ASaveThatRunsOutOfMemoryFailsWithItsTextAndLeavesTheTarget) {
  TDaten d;
  for (int i = 0; i < 2000; ++i) d.Add(Entry(u"Autor", u"Ein Titel von mittlerer Länge"));
  for (const bool txt : {false, true}) {
    SCOPED_TRACE(txt ? "text document" : "binary");
    test::TempDir dir;
    const std::u16string target = dir.File(u"liste.tvd");
    test::WriteBytes(target, "alt");
    {
      TMemoryLimit limit(16 * 1024);
      EXPECT_FALSE(d.SaveToFile(target, txt));
    }
    EXPECT_EQ(d.LastError(), kOutOfMemory);
    EXPECT_EQ(test::ReadBytes(target), "alt");
    EXPECT_EQ(dir.Files(), std::vector<std::u16string>{u"liste.tvd"});
    EXPECT_EQ(d.Count(), 2000);
  }
}

}  // namespace
}  // namespace tvn
