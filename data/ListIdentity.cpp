// Entries are counted by a hash of every compared field, confirmed by the exact
// comparison: never pairwise. A long list is split by the top bit of that hash into two
// halves that share no entry, counted and confirmed on two threads at once: a shuffled
// list waits on memory for nearly every entry, and two cores wait in parallel.
#include "data/ListIdentity.h"

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "data/EntryCounter.h"

namespace tvn {
namespace {

constexpr size_t kTwoThreadsFrom = 1 << 16;

bool CountedEqual(const TListe& a, const TListe& b, size_t first) {
  TEntryCounter counts(a.size() - first);
  counts.ForEach(a, first, [](const TDatenRec&, int& n) { return ++n, true; });
  // Equally long lists: when every entry of b takes one count, none is left.
  return counts.ForEach(b, first, [](const TDatenRec&, int& n) { return n-- > 0; });
}

// hashes[k] = Hash(liste[first + k]) for k in [from, to), the texts asked for ahead.
void HashRange(const TListe& liste, size_t first, size_t from, size_t to,
               std::vector<uint64_t>& hashes) {
  constexpr size_t kAhead = 16;
  for (size_t k = from; k < to; ++k) {
    if (k + kAhead < to) TEntryCounter::PrefetchTexts(liste[first + k + kAhead]);
    hashes[k] = TEntryCounter::Hash(liste[first + k]);
  }
}

// Runs part(0) here and part(1) on a second thread; an exception of either is thrown
// here once both have ended.
template <typename Part>
void OnTwoThreads(Part&& part) {
  std::exception_ptr failure;
  std::thread second([&] {
    try {
      part(1);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  try {
    part(0);
  } catch (...) {
    second.join();
    throw;
  }
  second.join();
  if (failure) std::rethrow_exception(failure);
}

class HalvesByHash {
 public:
  HalvesByHash(const TListe& a, const TListe& b, size_t first)
      : a_(a), b_(b), first_(first), n_(a.size() - first), hashA_(n_), hashB_(n_) {}

  bool Equal() {
    OnTwoThreads([this](int half) {
      const size_t from = half == 0 ? 0 : n_ / 2, to = half == 0 ? n_ / 2 : n_;
      HashRange(a_, first_, from, to, hashA_);
      HashRange(b_, first_, from, to, hashB_);
    });
    OnTwoThreads([this](int half) {
      if (!HalfEqual(half)) differ_ = true;
    });
    return !differ_;
  }

 private:
  static int Half(uint64_t hash) { return static_cast<int>(hash >> 63); }

  // Counts a's entries of one half, then takes one count for each of b's; stops early
  // once either half has found a difference.
  bool HalfEqual(int half) {
    constexpr size_t kSlotAhead = 16, kHeldAhead = 8, kHeldTextsAhead = 4;
    constexpr size_t kCheckEvery = 4096;
    size_t inHalf = 0;
    for (uint64_t hash : hashA_) inHalf += Half(hash) == half;
    TEntryCounter counts(inHalf);
    for (size_t k = 0; k < n_; ++k) {
      if (k + kSlotAhead < n_ && Half(hashA_[k + kSlotAhead]) == half) {
        counts.PrefetchSlot(hashA_[k + kSlotAhead]);
      }
      if (Half(hashA_[k]) == half) ++counts.At(a_[first_ + k], hashA_[k]);
    }
    for (size_t k = 0; k < n_; ++k) {
      if (k % kCheckEvery == 0 && differ_) return false;
      if (k + kSlotAhead < n_ && Half(hashB_[k + kSlotAhead]) == half) {
        counts.PrefetchSlot(hashB_[k + kSlotAhead]);
        TEntryCounter::PrefetchTexts(b_[first_ + k + kSlotAhead]);
      }
      if (k + kHeldAhead < n_ && Half(hashB_[k + kHeldAhead]) == half) {
        counts.PrefetchHeld(hashB_[k + kHeldAhead], false);
      }
      if (k + kHeldTextsAhead < n_ && Half(hashB_[k + kHeldTextsAhead]) == half) {
        counts.PrefetchHeld(hashB_[k + kHeldTextsAhead], true);
      }
      if (Half(hashB_[k]) != half) continue;
      int* count = counts.Find(b_[first_ + k], hashB_[k]);
      if (!count || (*count)-- == 0) return false;
    }
    return true;
  }

  const TListe& a_;
  const TListe& b_;
  const size_t first_, n_;
  std::vector<uint64_t> hashA_, hashB_;
  std::atomic<bool> differ_{false};
};

}  // namespace

bool SameEntriesInAnyOrder(const TListe& a, const TListe& b, size_t first) {
  if (a.size() - first < kTwoThreadsFrom || std::thread::hardware_concurrency() < 2) {
    return CountedEqual(a, b, first);
  }
  try {
    return HalvesByHash(a, b, first).Equal();
  } catch (const std::system_error&) {
    return CountedEqual(a, b, first);  // no second thread to be had
  }
}

}  // namespace tvn
