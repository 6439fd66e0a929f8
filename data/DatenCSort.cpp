// Sorting by one column with the fixed tie-breaks.
//
// The entries are ordered by the sort column first; only the groups that are still tied
// are then ordered by the next column, and so on through every column. Each step turns
// the column into one order-preserving number per entry of the group (folded texts are
// ranked among their distinct values, flags and dates become integers) and sorts the
// group's numbers stably, by counting where they are dense. Each step folds a text once
// and keeps each distinct folded text once, end to end in one buffer, so comparisons
// never chase the entries' own strings. A list already in order is left as it is.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "data/DatenC.h"
#include "data/Prefetch.h"
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

// Lower case in the user's locale, then the umlauts as two letters. Case mapping works
// per character, so the first 256 characters are mapped once into a table; texts with
// other characters go through the locale text by text.
class TextFolder {
 public:
  TextFolder() {
    std::u16string all(256, u'\0');
    std::iota(all.begin(), all.end(), u'\0');
    const std::u16string lower = platform::LowerCaseLocale(all);
    for (size_t c = 0; c < all.size(); ++c) {
      std::u16string folded;
      if (lower.size() == all.size()) {
        AppendUmlautFolded(folded, std::u16string_view(lower).substr(c, 1));
      } else {
        AppendUmlautFolded(folded, platform::LowerCaseLocale(all.substr(c, 1)));
      }
      Folding& f = table_[c];
      f.length = folded.size() <= 2 ? static_cast<uint8_t>(folded.size()) : 0;
      for (size_t k = 0; k < f.length; ++k) f.units[k] = folded[k];
    }
  }

  void Append(std::u16string& out, std::u16string_view text) const {
    const size_t at = out.size();
    out.resize(at + 2 * text.size());
    char16_t* dst = out.data() + at;
    for (char16_t c : text) {
      if (c >= table_.size() || table_[c].length == 0) {
        out.resize(at);
        AppendUmlautFolded(out, platform::LowerCaseLocale(text));
        return;
      }
      const Folding& f = table_[c];
      dst[0] = f.units[0];
      dst[1] = f.units[1];
      dst += f.length;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
  }

 private:
  struct Folding {
    char16_t units[2] = {};
    uint8_t length = 0;  // 0: not mapped by the table
  };
  std::array<Folding, 256> table_;
};

// The sort column first, then every other column in order as the tie-breaks.
std::array<int, kSortNrCount> ColumnsInOrder(TSortNr sortNr) {
  std::array<int, kSortNrCount> columns{};
  columns[0] = sortNr;
  int next = 1;
  for (int c = 0; c < kSortNrCount; ++c) {
    if (c != sortNr) columns[next++] = c;
  }
  return columns;
}

const std::u16string& TextField(const TDatenRec& r, int column) {
  switch (column) {
    case snAutor:
      return r.Autor;
    case snTitel:
      return r.Titel;
    case snKatalogNr:
      return r.KatalogNr;
    default:
      return r.Quelle;
  }
}

// The distinct folded texts of a group, each kept once. Small groups keep every text
// and leave equal ones to the ranking.
class DistinctTexts {
 public:
  void Clear(bool hashed) {
    hashed_ = hashed;
    chars_.clear();
    start_.assign(1, 0);
    hashes_.clear();
    if (hashed_) table_.assign(kFirstTableSize, kEmpty);
  }

  size_t Count() const { return start_.size() - 1; }
  std::u16string_view At(uint32_t d) const {
    return std::u16string_view(chars_.data() + start_[d], start_[d + 1] - start_[d]);
  }

  // The number of the text among the distinct ones.
  uint32_t Add(std::u16string_view text) {
    if (!hashed_) return Append(text);
    const uint64_t hash = std::hash<std::u16string_view>{}(text);
    size_t slot = FindSlot(text, hash);
    if (table_[slot] != kEmpty) return table_[slot];
    const uint32_t d = Append(text);
    hashes_.push_back(hash);
    table_[slot] = d;
    if (Count() * 2 > table_.size()) Grow();
    return d;
  }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  static constexpr size_t kFirstTableSize = 1024;

  uint32_t Append(std::u16string_view text) {
    chars_.append(text);
    start_.push_back(chars_.size());
    return static_cast<uint32_t>(Count() - 1);
  }

  size_t FindSlot(std::u16string_view text, uint64_t hash) const {
    const size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    while (table_[slot] != kEmpty && (hashes_[table_[slot]] != hash || At(table_[slot]) != text)) {
      slot = (slot + 1) & mask;
    }
    return slot;
  }

  void Grow() {
    table_.assign(table_.size() * 2, kEmpty);
    const size_t mask = table_.size() - 1;
    for (uint32_t d = 0; d < hashes_.size(); ++d) {
      size_t slot = hashes_[d] & mask;
      while (table_[slot] != kEmpty) slot = (slot + 1) & mask;
      table_[slot] = d;
    }
  }

  bool hashed_ = false;
  std::u16string chars_;
  std::vector<size_t> start_;
  std::vector<uint64_t> hashes_;
  std::vector<uint32_t> table_;
};

// The order-preserving numbers of one column for a group of entries. Buffers are kept
// from group to group.
class ColumnKeyMaker {
 public:
  explicit ColumnKeyMaker(const TListe& liste) : liste_(liste) {}

  // keys[k] for the entry liste[entries[k]], k < n.
  void Make(int column, const uint32_t* entries, size_t n, uint32_t* keys) {
    switch (column) {
      case snAutor:
      case snTitel:
      case snKatalogNr:
      case snQuelle:
        return TextKeys(column, entries, n, keys);
      case snGelesen:
        for (size_t k = 0; k < n; ++k) keys[k] = liste_[entries[k]].GelesenS;
        return;
      case snBewertung:
        for (size_t k = 0; k < n; ++k) keys[k] = liste_[entries[k]].Bewertung;
        return;
      case snErhalten:
        return FlagDateKeys(&TDatenRec::ErhaltenS, &TDatenRec::ErhaltenDatum, entries, n, keys);
      case snRetour:
        return FlagDateKeys(&TDatenRec::RetourS, &TDatenRec::RetourDatum, entries, n, keys);
      default:
        dates_.resize(n);
        for (size_t k = 0; k < n; ++k) dates_[k] = liste_[entries[k]].ErstelltDatum;
        return DateKeys(keys);
    }
  }

 private:
  // Dense ranks of the folded texts: equal texts get equal numbers, and the numbers
  // order as the texts do by code unit. Only distinct texts are stored and sorted.
  void TextKeys(int column, const uint32_t* entries, size_t n, uint32_t* keys) {
    constexpr size_t kHashFrom = 64;
    distinct_.Clear(n >= kHashFrom);
    FoldTexts(column, entries, n, keys);
    RankDistinct(n >= kHashFrom);
    for (size_t k = 0; k < n; ++k) keys[k] = rankOfDistinct_[keys[k]];
  }

  // keys[k] becomes the distinct number of the entry's folded text. The entries of a
  // group lie scattered over the list: their records and then their texts are asked
  // for ahead.
  void FoldTexts(int column, const uint32_t* entries, size_t n, uint32_t* keys) {
    constexpr size_t kRecordAhead = 16, kTextAhead = 8;
    for (size_t k = 0; k < n && k < kRecordAhead; ++k) Prefetch(&liste_[entries[k]]);
    for (size_t k = 0; k < n; ++k) {
      if (k + kRecordAhead < n) Prefetch(&TextField(liste_[entries[k + kRecordAhead]], column));
      if (k + kTextAhead < n) Prefetch(TextField(liste_[entries[k + kTextAhead]], column).data());
      folded_.clear();
      folder_.Append(folded_, TextField(liste_[entries[k]], column));
      keys[k] = distinct_.Add(folded_);
    }
  }

  void RankDistinct(bool allDifferent) {
    // The first eight code units, zero-padded, order two different texts exactly as
    // the full comparison does whenever they differ, and settle most comparisons.
    const size_t count = distinct_.Count();
    items_.resize(count);
    for (uint32_t d = 0; d < count; ++d) {
      const std::u16string_view t = distinct_.At(d);
      Item& item = items_[d];
      item.prefix[0] = item.prefix[1] = 0;
      item.id = d;
      for (size_t k = 0; k < 8; ++k) {
        item.prefix[k / 4] = (item.prefix[k / 4] << 16) | (k < t.size() ? t[k] : 0);
      }
    }
    std::sort(items_.begin(), items_.end(), [&](const Item& a, const Item& b) {
      if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
      if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
      return distinct_.At(a.id) < distinct_.At(b.id);
    });
    rankOfDistinct_.resize(count);
    uint32_t rank = 0;
    for (size_t r = 0; r < count; ++r) {
      if (r > 0 && (allDifferent || distinct_.At(items_[r].id) != distinct_.At(items_[r - 1].id))) {
        ++rank;
      }
      rankOfDistinct_[items_[r].id] = rank;
    }
  }

  // Flag and date as one key: not set first, all unset ones equal, set ones by date.
  void FlagDateKeys(bool TDatenRec::*flag, TDateTime TDatenRec::*date, const uint32_t* entries,
                    size_t n, uint32_t* keys) {
    dates_.resize(n);
    for (size_t k = 0; k < n; ++k) dates_[k] = liste_[entries[k]].*date;
    DateKeys(keys);
    for (size_t k = 0; k < n; ++k) keys[k] = liste_[entries[k]].*flag ? keys[k] + 1 : 0;
  }

  // Whole day numbers are their own keys; any other value is ranked among the group's
  // distinct values, which keeps the order exact. Either way one is left for a flag.
  void DateKeys(uint32_t* keys) {
    const bool whole = std::all_of(dates_.begin(), dates_.end(), [](double d) {
      return d >= 0 && d < 2147483648.0 && d == std::floor(d);
    });
    if (whole) {
      for (size_t k = 0; k < dates_.size(); ++k) keys[k] = static_cast<uint32_t>(dates_[k]);
      return;
    }
    sortedDates_ = dates_;
    std::sort(sortedDates_.begin(), sortedDates_.end());
    sortedDates_.erase(std::unique(sortedDates_.begin(), sortedDates_.end()), sortedDates_.end());
    for (size_t k = 0; k < dates_.size(); ++k) {
      keys[k] = static_cast<uint32_t>(
          std::lower_bound(sortedDates_.begin(), sortedDates_.end(), dates_[k]) -
          sortedDates_.begin());
    }
  }

  struct Item {
    uint64_t prefix[2];
    uint32_t id;
  };

  const TListe& liste_;
  TextFolder folder_;
  std::u16string folded_;
  DistinctTexts distinct_;
  std::vector<Item> items_;
  std::vector<uint32_t> rankOfDistinct_;
  std::vector<double> dates_, sortedDates_;
};

class Sorter {
 public:
  Sorter(const TListe& liste, TSortNr sortNr, bool aufS)
      : keyMaker_(liste),
        ascending_(aufS),
        columns_(ColumnsInOrder(sortNr)),
        order_(liste.size()),
        keys_(liste.size()) {
    std::iota(order_.begin(), order_.end(), 0u);
  }

  std::vector<uint32_t> Run() {
    OrderGroup(0, order_.size(), 0);
    return std::move(order_);
  }

 private:
  // Orders order_[lo, hi) by the column of this level, then each tied run by the next.
  void OrderGroup(size_t lo, size_t hi, int level) {
    const size_t n = hi - lo;
    keyMaker_.Make(columns_[level], order_.data() + lo, n, keys_.data() + lo);
    SortByKeys(keys_.data() + lo, order_.data() + lo, n);
    if (level + 1 == kSortNrCount) return;
    for (size_t first = lo; first < hi;) {
      size_t last = first + 1;
      while (last < hi && keys_[last] == keys_[first]) ++last;
      if (last - first > 1) OrderGroup(first, last, level + 1);
      first = last;
    }
  }

  // Stable: equal keys keep their order in either direction.
  void SortByKeys(uint32_t* keys, uint32_t* order, size_t n) {
    const uint32_t maxKey = *std::max_element(keys, keys + n);
    if (!ascending_) {
      for (size_t k = 0; k < n; ++k) keys[k] = maxKey - keys[k];
    }
    if (n < 32) {
      InsertionSort(keys, order, n);
    } else if (maxKey <= 2 * n + 4096) {
      CountingSort(keys, order, n, maxKey);
    } else {
      pairs_.resize(n);
      for (size_t k = 0; k < n; ++k) pairs_[k] = {keys[k], order[k]};
      std::stable_sort(pairs_.begin(), pairs_.end(),
                       [](const KeyEntry& a, const KeyEntry& b) { return a.key < b.key; });
      for (size_t k = 0; k < n; ++k) keys[k] = pairs_[k].key, order[k] = pairs_[k].entry;
    }
  }

  // An element moves left only past strictly greater ones.
  static void InsertionSort(uint32_t* keys, uint32_t* order, size_t n) {
    for (size_t i = 1; i < n; ++i) {
      const uint32_t key = keys[i];
      const uint32_t entry = order[i];
      size_t j = i;
      for (; j > 0 && keys[j - 1] > key; --j) {
        keys[j] = keys[j - 1];
        order[j] = order[j - 1];
      }
      keys[j] = key;
      order[j] = entry;
    }
  }

  // The sorted keys are written back from the counts, so only the entries move twice.
  void CountingSort(uint32_t* keys, uint32_t* order, size_t n, uint32_t maxKey) {
    counts_.assign(size_t{maxKey} + 2, 0);
    for (size_t k = 0; k < n; ++k) ++counts_[size_t{keys[k]} + 1];
    for (size_t v = 1; v < counts_.size(); ++v) counts_[v] += counts_[v - 1];
    moved_.resize(n);
    for (size_t k = 0; k < n; ++k) moved_[counts_[keys[k]]++] = order[k];
    std::copy(moved_.begin(), moved_.end(), order);
    size_t at = 0;
    for (uint32_t v = 0; at < n; ++v) {
      const size_t end = counts_[v];
      std::fill(keys + at, keys + end, v);
      at = end;
    }
  }

  struct KeyEntry {
    uint32_t key;
    uint32_t entry;
  };

  ColumnKeyMaker keyMaker_;
  const bool ascending_;
  const std::array<int, kSortNrCount> columns_;
  std::vector<uint32_t> order_;
  std::vector<uint32_t> keys_;
  std::vector<KeyEntry> pairs_;
  std::vector<uint32_t> counts_, moved_;
};

// Whether the list is in the requested order already: neighbours compared column by
// column, texts folded as far as they are needed. A stable sort would leave such a list
// as it is, so it is left alone, and a list saved in the order it was shown opens
// without being sorted again.
class OrderCheck {
 public:
  OrderCheck(TSortNr sortNr, bool aufS) : ascending_(aufS), columns_(ColumnsInOrder(sortNr)) {}

  // Whether a comes before b in the requested order (not when they sort equal).
  bool Before(const TDatenRec& a, const TDatenRec& b) {
    const int r = Compare(a, b);
    return ascending_ ? r < 0 : r > 0;
  }
  // Every column takes part, so this holds or fails alike in any sort order.
  bool Equal(const TDatenRec& a, const TDatenRec& b) { return Compare(a, b) == 0; }

  bool InOrder(const TListe& liste) {
    for (size_t i = 1; i < liste.size(); ++i) {
      const int r = Compare(liste[i - 1], liste[i]);
      if (ascending_ ? r > 0 : r < 0) return false;
    }
    return true;
  }

 private:
  int Compare(const TDatenRec& a, const TDatenRec& b) {
    for (int column : columns_) {
      if (const int r = CompareColumn(a, b, column); r != 0) return r;
    }
    return 0;
  }

  template <typename T>
  static int Order(T x, T y) {
    return (x > y) - (x < y);
  }

  static double FlagDateKey(bool flag, TDateTime date) { return flag ? date : -HUGE_VAL; }

  int CompareColumn(const TDatenRec& a, const TDatenRec& b, int column) {
    switch (column) {
      case snAutor:
      case snTitel:
      case snKatalogNr:
      case snQuelle:
        return CompareTexts(TextField(a, column), TextField(b, column));
      case snGelesen:
        return Order(a.GelesenS, b.GelesenS);
      case snBewertung:
        return Order(a.Bewertung, b.Bewertung);
      case snErhalten:
        return Order(FlagDateKey(a.ErhaltenS, a.ErhaltenDatum),
                     FlagDateKey(b.ErhaltenS, b.ErhaltenDatum));
      case snRetour:
        return Order(FlagDateKey(a.RetourS, a.RetourDatum), FlagDateKey(b.RetourS, b.RetourDatum));
      default:
        return Order(a.ErstelltDatum, b.ErstelltDatum);
    }
  }

  int CompareTexts(const std::u16string& a, const std::u16string& b) {
    if (a == b) return 0;
    foldedA_.clear();
    foldedB_.clear();
    folder_.Append(foldedA_, a);
    folder_.Append(foldedB_, b);
    return foldedA_.compare(foldedB_);
  }

  const bool ascending_;
  const std::array<int, kSortNrCount> columns_;
  TextFolder folder_;
  std::u16string foldedA_, foldedB_;
};

// Puts Liste[order[k]] at position k by following the permutation's cycles; entries move
// by swapping, so no second list is built. The entries a few steps further along the
// cycle are asked for ahead, as they lie anywhere in the list.
void ApplyOrder(TListe& liste, std::vector<uint32_t>& order) {
  constexpr int kAhead = 8;
  auto prefetchEntry = [&](uint32_t i) { PrefetchBytes(&liste[i], sizeof(TDatenRec)); };
  for (uint32_t k = 0; k < order.size(); ++k) {
    if (order[k] == k) continue;
    uint32_t ahead = order[k];
    for (int s = 0; s < kAhead && ahead != k; ++s) {
      prefetchEntry(ahead);
      ahead = order[ahead];
    }
    uint32_t hole = k;
    TDatenRec moving = std::move(liste[k]);
    while (order[hole] != k) {
      if (ahead != k) {
        prefetchEntry(ahead);
        ahead = order[ahead];
      }
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

namespace {

// The first k in [0, count) for which pred(k) holds; pred must hold from some k on.
template <typename Pred>
int FirstWhere(int count, Pred&& pred) {
  int lo = 0, hi = count;
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (pred(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

}  // namespace

int TDaten::SortIn(int ANr, TSortNr SortNr, bool AufS) {
  if (ANr < 0 || ANr >= Count()) return -1;
  OrderCheck order(SortNr, AufS);
  const TDatenRec& entry = Liste[static_cast<size_t>(ANr)];
  // The others, without entry ANr, are in order: the run that sorts equal to the entry
  // is found by two binary searches over them.
  auto other = [&](int k) -> const TDatenRec& {
    return Liste[static_cast<size_t>(k < ANr ? k : k + 1)];
  };
  const int others = Count() - 1;
  const int equalFrom = FirstWhere(others, [&](int k) { return !order.Before(other(k), entry); });
  const int equalTo =
      std::max(equalFrom, FirstWhere(others, [&](int k) { return order.Before(entry, other(k)); }));
  // A stable sort keeps equal entries in their old order.
  const int target = std::clamp(ANr, equalFrom, equalTo);
  auto at = [&](int k) { return Liste.begin() + k; };
  if (target < ANr) std::rotate(at(target), at(ANr), at(ANr + 1));
  if (target > ANr) std::rotate(at(ANr), at(ANr + 1), at(target + 1));
  if (FProtokoll) FProtokoll->Eingeordnet(target - equalFrom);
  return target;
}

class TSortOrdnung::TImpl : public OrderCheck {
 public:
  using OrderCheck::OrderCheck;
};

TSortOrdnung::TSortOrdnung(TSortNr SortNr, bool AufS)
    : FImpl(std::make_unique<TImpl>(SortNr, AufS)) {}
TSortOrdnung::~TSortOrdnung() = default;

bool TSortOrdnung::Before(const TDatenRec& A, const TDatenRec& B) const {
  return FImpl->Before(A, B);
}

bool TSortOrdnung::Equal(const TDatenRec& A, const TDatenRec& B) const {
  return FImpl->Equal(A, B);
}

void TDaten::AddSorted(const TListe& ANeue, TSortNr SortNr, bool AufS) {
  if (ANeue.empty()) return;
  const TListe neue = ANeue;  // the source may be this very list
  const TSortOrdnung order(SortNr, AufS);
  std::vector<size_t> sorted(neue.size());
  std::iota(sorted.begin(), sorted.end(), size_t{0});
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](size_t a, size_t b) { return order.Before(neue[a], neue[b]); });
  // Each goes after every entry of the list that sorts equal to it.
  std::vector<int> before(neue.size());
  for (size_t k = 0; k < sorted.size(); ++k) before[k] = SortedRange(neue[sorted[k]], order).second;
  size_t source = Liste.size();
  Liste.resize(Liste.size() + neue.size());
  size_t write = Liste.size();
  for (size_t k = sorted.size(); k-- > 0;) {
    while (source > static_cast<size_t>(before[k])) Liste[--write] = std::move(Liste[--source]);
    Liste[--write] = neue[sorted[k]];
  }
  if (FProtokoll) {
    for (const TDatenRec& r : neue) FProtokoll->Hinzugefuegt(r);
  }
}

std::pair<int, int> TDaten::SortedRange(const TDatenRec& ADatenRec,
                                        const TSortOrdnung& order) const {
  auto at = [&](int k) -> const TDatenRec& { return Liste[static_cast<size_t>(k)]; };
  const int first = FirstWhere(Count(), [&](int k) { return !order.Before(at(k), ADatenRec); });
  const int last =
      std::max(first, FirstWhere(Count(), [&](int k) { return order.Before(ADatenRec, at(k)); }));
  return {first, last};
}

bool TDaten::SortsEqual(const TDatenRec& A, const TDatenRec& B) {
  return OrderCheck(snAutor, true).Equal(A, B);
}

int TDaten::RankAmongEqual(int ANr) const {
  if (ANr < 0 || ANr >= Count()) return -1;
  return RanksOf({ANr}).front();
}

std::vector<int> TDaten::RanksOf(const std::vector<int>& ANrn) const {
  OrderCheck order(snAutor, true);
  std::vector<int> ranks;
  ranks.reserve(ANrn.size());
  int previous = -1, previousRank = 0;
  for (const int row : ANrn) {
    const TDatenRec& entry = Liste[static_cast<size_t>(row)];
    int first = row;
    int rank = -1;
    while (first > 0 && order.Equal(Liste[static_cast<size_t>(first - 1)], entry)) {
      --first;
      if (first == previous) {  // a long run of equal ones is walked once
        rank = previousRank + (row - previous);
        break;
      }
    }
    if (rank < 0) rank = row - first;
    ranks.push_back(rank);
    previous = row;
    previousRank = rank;
  }
  return ranks;
}

void TDaten::Sort(TSortNr SortNr, bool AufS) {
  if (Liste.size() < 2 || OrderCheck(SortNr, AufS).InOrder(Liste)) return;
  std::vector<uint32_t> order = Sorter(Liste, SortNr, AufS).Run();
  ApplyOrder(Liste, order);
}

}  // namespace tvn
