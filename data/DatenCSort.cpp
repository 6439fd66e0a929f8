// Sorting by one column with the fixed tie-breaks.
//
// Every column is first turned into one order-preserving number per entry: the folded
// texts are ranked among their distinct values, flags and dates become integers. The
// nine numbers of an entry are then packed, sort column first, into one fixed-size key,
// so the merge sort compares a few machine words in one contiguous array and never
// follows a pointer into the entries.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data/DatenC.h"
#include "platform/Platform.h"

namespace tvn {
namespace {


// Umlauts become two letters; everything else stays as the locale lower-cased it.
void AppendUmlautFolded(std::u16string& out, std::u16string_view lower) {
  const size_t at = out.size();
  out.resize(at + 2 * lower.size());  // at most two letters per character
  char16_t* dst = out.data() + at;
  for (char16_t c : lower) {
    *dst++ = c;
    for (const auto& [umlaut, replacement] : ResConst::FoldPairs) {
      if (c == umlaut) {
        dst[-1] = replacement[0];
        *dst++ = replacement[1];
        break;
      }
    }
  }
  out.resize(static_cast<size_t>(dst - out.data()));
}

const std::u16string& TextField(const TDatenRec& r, int column) {
  switch (column) {
    case snAutor: return r.Autor;
    case snTitel: return r.Titel;
    case snKatalogNr: return r.KatalogNr;
    default: return r.Quelle;
  }
}

// The folded texts of one column for all entries, end to end.
struct FoldedColumn {
  std::u16string chars;
  std::vector<uint32_t> start;  // Count + 1 offsets

  std::u16string_view At(uint32_t i) const {
    return std::u16string_view(chars.data() + start[i], start[i + 1] - start[i]);
  }
};

// Lower-cases the texts of a column in batches (case mapping works per character, so
// a batch maps like its texts one by one), then expands the umlauts. Should the mapping
// change a length, that batch is mapped text by text.
FoldedColumn FoldColumn(const TListe& liste, int column) {
  constexpr size_t kBatchChars = 1 << 15;
  FoldedColumn f;
  size_t total = 0;
  for (const TDatenRec& r : liste) total += TextField(r, column).size();
  f.chars.reserve(total + total / 16 + 1);
  f.start.reserve(liste.size() + 1);
  std::u16string batch;
  std::vector<uint32_t> ends;
  size_t i = 0;
  while (i < liste.size()) {
    const size_t first = i;
    batch.clear();
    ends.clear();
    while (i < liste.size() && (batch.empty() || batch.size() + TextField(liste[i], column).size() <= kBatchChars)) {
      batch += TextField(liste[i++], column);
      ends.push_back(static_cast<uint32_t>(batch.size()));
    }
    const std::u16string lower = platform::LowerCaseLocale(batch);
    const bool sameLength = lower.size() == batch.size();
    uint32_t from = 0;
    for (size_t k = 0; k < ends.size(); ++k) {
      f.start.push_back(static_cast<uint32_t>(f.chars.size()));
      if (sameLength) {
        AppendUmlautFolded(f.chars, std::u16string_view(lower).substr(from, ends[k] - from));
      } else {
        AppendUmlautFolded(f.chars, platform::LowerCaseLocale(TextField(liste[first + k], column)));
      }
      from = ends[k];
    }
  }
  f.start.push_back(static_cast<uint32_t>(f.chars.size()));
  return f;
}

// Dense ranks of the column's folded texts: equal texts get equal numbers, and the
// numbers order as the texts do by code unit. Only distinct texts are sorted.
std::vector<uint32_t> RankTexts(const FoldedColumn& f, size_t count) {
  // Distinct texts through an open-addressing table of entry numbers.
  size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  std::vector<uint32_t> table(capacity, UINT32_MAX);
  std::vector<uint32_t> distinctOf(count);
  std::vector<uint32_t> distinct;  // one entry number per distinct text
  for (uint32_t i = 0; i < count; ++i) {
    const std::u16string_view text = f.At(i);
    const uint64_t h = std::hash<std::u16string_view>{}(text);
    size_t slot = h & (capacity - 1);
    while (table[slot] != UINT32_MAX && f.At(distinct[table[slot]]) != text) {
      slot = (slot + 1) & (capacity - 1);
    }
    if (table[slot] == UINT32_MAX) {
      table[slot] = static_cast<uint32_t>(distinct.size());
      distinct.push_back(i);
    }
    distinctOf[i] = table[slot];
  }
  table = {};
  // Sort the distinct texts. The first eight code units, zero-padded, order two texts
  // exactly as the full comparison does whenever they differ, and settle most comparisons.
  struct Item {
    uint64_t prefix[2];
    uint32_t id;
  };
  std::vector<Item> items(distinct.size());
  for (uint32_t d = 0; d < distinct.size(); ++d) {
    const std::u16string_view t = f.At(distinct[d]);
    Item& item = items[d];
    item.id = d;
    for (size_t k = 0; k < 8; ++k) {
      item.prefix[k / 4] = (item.prefix[k / 4] << 16) | (k < t.size() ? t[k] : 0);
    }
  }
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
    if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
    return f.At(distinct[a.id]) < f.At(distinct[b.id]);
  });
  std::vector<uint32_t> rankOfDistinct(distinct.size());
  for (uint32_t r = 0; r < items.size(); ++r) rankOfDistinct[items[r].id] = r;
  for (uint32_t& v : distinctOf) v = rankOfDistinct[v];
  return distinctOf;
}

// Whole day numbers of the program's range are their own keys; any other value is
// ranked among the column's distinct values, which keeps the order exact.
std::vector<uint64_t> DateKeys(const std::vector<double>& dates) {
  std::vector<uint64_t> keys(dates.size());
  const bool whole = std::all_of(dates.begin(), dates.end(), [](double d) {
    return d >= 0 && d < 4294967296.0 && d == std::floor(d);
  });
  if (whole) {
    for (size_t i = 0; i < dates.size(); ++i) keys[i] = static_cast<uint64_t>(dates[i]);
    return keys;
  }
  std::vector<double> sorted = dates;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (size_t i = 0; i < dates.size(); ++i) {
    keys[i] = std::lower_bound(sorted.begin(), sorted.end(), dates[i]) - sorted.begin();
  }
  return keys;
}

// Flag and date as one key: not set first, all unset ones equal, set ones by date.
std::vector<uint64_t> FlagDateKeys(const TListe& liste, bool TDatenRec::*flag,
                                   TDateTime TDatenRec::*date) {
  std::vector<double> dates(liste.size());
  for (size_t i = 0; i < liste.size(); ++i) dates[i] = liste[i].*date;
  std::vector<uint64_t> keys = DateKeys(dates);
  for (size_t i = 0; i < liste.size(); ++i) keys[i] = liste[i].*flag ? keys[i] + 1 : 0;
  return keys;
}

std::vector<uint64_t> ColumnKeys(const TListe& liste, int column) {
  std::vector<uint64_t> keys(liste.size());
  switch (column) {
    case snAutor:
    case snTitel:
    case snKatalogNr:
    case snQuelle: {
      const std::vector<uint32_t> ranks = RankTexts(FoldColumn(liste, column), liste.size());
      std::copy(ranks.begin(), ranks.end(), keys.begin());
      return keys;
    }
    case snGelesen:
      for (size_t i = 0; i < liste.size(); ++i) keys[i] = liste[i].GelesenS;
      return keys;
    case snBewertung:
      for (size_t i = 0; i < liste.size(); ++i) keys[i] = liste[i].Bewertung;
      return keys;
    case snErhalten: return FlagDateKeys(liste, &TDatenRec::ErhaltenS, &TDatenRec::ErhaltenDatum);
    case snRetour: return FlagDateKeys(liste, &TDatenRec::RetourS, &TDatenRec::RetourDatum);
    default: {
      std::vector<double> dates(liste.size());
      for (size_t i = 0; i < liste.size(); ++i) dates[i] = liste[i].ErstelltDatum;
      return DateKeys(dates);
    }
  }
}

// The nine column keys of an entry, most significant first, in as few bits as they need.
constexpr int kKeyWords = 4;  // 4 ranks of 32 bits, 1 + 3 flag bits, 33 + 33 + 32 date bits

struct Row {
  std::array<uint64_t, kKeyWords> key;
  uint32_t index;
};

class KeyPacker {
 public:
  explicit KeyPacker(size_t count) : rows_(count) {
    for (uint32_t i = 0; i < count; ++i) rows_[i] = Row{{}, i};
  }

  void Append(const std::vector<uint64_t>& keys) {
    const uint64_t maxKey = keys.empty() ? 0 : *std::max_element(keys.begin(), keys.end());
    const int width = std::max(1, static_cast<int>(std::bit_width(maxKey)));
    for (size_t i = 0; i < keys.size(); ++i) Put(rows_[i], keys[i], width);
    bitsUsed_ += width;
  }

  std::vector<Row> Take() { return std::move(rows_); }

 private:
  // Writes the value's low `width` bits right after the bits used so far.
  void Put(Row& row, uint64_t value, int width) const {
    const int word = bitsUsed_ / 64, used = bitsUsed_ % 64;
    const int shift = 64 - used - width;  // negative: the value spills into the next word
    if (shift >= 0) {
      row.key[word] |= value << shift;
    } else {
      row.key[word] |= value >> -shift;
      row.key[word + 1] |= value << (64 + shift);
    }
  }

  std::vector<Row> rows_;
  int bitsUsed_ = 0;
};

class Sorter {
 public:
  explicit Sorter(bool aufS) : ascending_(aufS) {}

  void Sort(std::vector<Row>& rows) {
    std::vector<Row> scratch(rows.size());
    MergeSort(rows, scratch, 0, static_cast<int64_t>(rows.size()) - 1);
  }

 private:
  // Greater than 0 when a comes after b in the requested direction.
  int CompareEntries(const Row& a, const Row& b) const {
    int r = 0;
    for (int w = 0; r == 0 && w < kKeyWords; ++w) r = (a.key[w] > b.key[w]) - (a.key[w] < b.key[w]);
    return ascending_ ? r : -r;
  }

  // Top-down merge sort over [lo, hi]; ties take the left element, so it is stable.
  void MergeSort(std::vector<Row>& rows, std::vector<Row>& scratch, int64_t lo, int64_t hi) {
    if (lo >= hi) return;
    if (hi - lo < 16) {
      InsertionSort(rows, lo, hi);
      return;
    }
    const int64_t mid = lo + (hi - lo) / 2;
    MergeSort(rows, scratch, lo, mid);
    MergeSort(rows, scratch, mid + 1, hi);
    if (CompareEntries(rows[mid], rows[mid + 1]) <= 0) return;  // already in order
    int64_t i = lo, j = mid + 1, k = lo;
    while (k <= hi) {
      if (i > mid || (j <= hi && CompareEntries(rows[i], rows[j]) > 0)) {
        scratch[k++] = rows[j++];
      } else {
        scratch[k++] = rows[i++];
      }
    }
    std::copy(scratch.begin() + lo, scratch.begin() + hi + 1, rows.begin() + lo);
  }

  // Stable as well: an element moves left only past strictly greater ones.
  void InsertionSort(std::vector<Row>& rows, int64_t lo, int64_t hi) const {
    for (int64_t i = lo + 1; i <= hi; ++i) {
      const Row row = rows[i];
      int64_t j = i - 1;
      while (j >= lo && CompareEntries(rows[j], row) > 0) {
        rows[j + 1] = rows[j];
        --j;
      }
      rows[j + 1] = row;
    }
  }

  const bool ascending_;
};

// The sort column first, then every column in order as the tie-breaks.
std::vector<uint32_t> SortedOrder(const TListe& liste, TSortNr sortNr, bool aufS) {
  KeyPacker packer(liste.size());
  packer.Append(ColumnKeys(liste, sortNr));
  for (int c = 0; c < kSortNrCount; ++c) {
    if (c != sortNr) packer.Append(ColumnKeys(liste, c));
  }
  std::vector<Row> rows = packer.Take();
  Sorter(aufS).Sort(rows);
  std::vector<uint32_t> order(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) order[i] = rows[i].index;
  return order;
}

}  // namespace

namespace {

// Puts Liste[order[k]] at position k by following the permutation's cycles; entries move
// by swapping, so no second list is built.
void ApplyOrder(TListe& liste, std::vector<uint32_t>& order) {
  for (uint32_t k = 0; k < order.size(); ++k) {
    if (order[k] == k) continue;
    uint32_t hole = k;
    TDatenRec moving = std::move(liste[k]);
    while (order[hole] != k) {
      const uint32_t next = order[hole];
      liste[hole] = std::move(liste[next]);
      order[hole] = hole;
      hole = next;
    }
    liste[hole] = std::move(moving);
    order[hole] = hole;
  }
}

}  // namespace

void TDaten::Sort(TSortNr SortNr, bool AufS) {
  if (Liste.size() < 2) return;
  std::vector<uint32_t> order = SortedOrder(Liste, SortNr, AufS);
  ApplyOrder(Liste, order);
}

}  // namespace tvn
