// A count per distinct entry, keyed by entry identity: the dictionary behind list
// identity, merging and marking. Equal entries share one slot; a slot is found by a
// hash of all compared fields and confirmed by the exact comparison, so it means the
// same as counting RecordKey texts without building them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/DatenC.h"

namespace tvn {

class TEntryCounter {
 public:
  // Room for this many distinct entries without growing.
  explicit TEntryCounter(size_t expected);

  // The count of the entry's slot, created with 0 when missing. The entry must outlive
  // the counter when a slot is created for it.
  int& operator[](const TDatenRec& entry);
  // The count of the entry's slot, nullptr when missing.
  int* Find(const TDatenRec& entry);
  // The same two with the entry's Hash already known.
  int& At(const TDatenRec& entry, uint64_t hash) { return SlotFor(entry, hash); }
  int* Find(const TDatenRec& entry, uint64_t hash);

  static uint64_t Hash(const TDatenRec& entry);

  // Asking for memory ahead of a lookup: the hash's first slot, the entry that slot
  // holds (its record, or once that is near its texts), an entry's own texts.
  void PrefetchSlot(uint64_t hash) const;
  void PrefetchHeld(uint64_t hash, bool texts) const;
  static void PrefetchTexts(const TDatenRec& entry);
  static void PrefetchRecord(const TDatenRec& entry);

  // Visits liste[from..] in order with the count of each entry's slot (created with 0
  // when missing) until visit returns false; returns false then. Hashing runs ahead and
  // asks for the texts and slots of later entries early, so a list whose order differs
  // from its memory layout does not wait on every single entry.
  template <typename Visit>
  bool ForEach(const TListe& liste, size_t from, Visit&& visit);
  // The same, visiting with the count of each entry's slot or nullptr when the entry is
  // not held; creates no slots.
  template <typename Visit>
  bool ForEachHeld(const TListe& liste, size_t from, Visit&& visit);

 private:
  struct Slot {
    uint64_t hash = 0;
    const TDatenRec* entry = nullptr;
    int count = 0;
  };
  // Calls step(entry, hash) for liste[from..] in order, the memory of later entries and
  // their slots asked for ahead, until step returns false.
  template <typename Step>
  bool Walk(const TListe& liste, size_t from, Step&& step);
  size_t FindSlot(const TDatenRec& entry, uint64_t hash) const;
  int& SlotFor(const TDatenRec& entry, uint64_t hash);
  void Grow();

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

template <typename Step>
bool TEntryCounter::Walk(const TListe& liste, size_t from, Step&& step) {
  // Distances, in entries, between asking for memory and using it, one stage feeding the
  // next: the entry's record, its texts (read from the record), its slot (from the
  // hash of the texts), the entry the slot holds, and that entry's texts.
  constexpr size_t kRecord = 64, kTexts = 32, kHash = 16, kHeld = 8, kHeldTexts = 4;
  std::array<uint64_t, kHash> hashes{};
  const size_t n = liste.size();
  auto hashAt = [&](size_t i) {
    hashes[i % kHash] = Hash(liste[i]);
    PrefetchSlot(hashes[i % kHash]);
  };
  for (size_t i = from; i < n && i < from + kRecord; ++i) PrefetchRecord(liste[i]);
  for (size_t i = from; i < n && i < from + kTexts; ++i) PrefetchTexts(liste[i]);
  for (size_t i = from; i < n && i < from + kHash; ++i) hashAt(i);
  for (size_t i = from; i < n; ++i) {
    const uint64_t hash = hashes[i % kHash];
    if (i + kRecord < n) PrefetchRecord(liste[i + kRecord]);
    if (i + kTexts < n) PrefetchTexts(liste[i + kTexts]);
    if (i + kHeld < n) PrefetchHeld(hashes[(i + kHeld) % kHash], false);
    if (i + kHeldTexts < n) PrefetchHeld(hashes[(i + kHeldTexts) % kHash], true);
    if (!step(liste[i], hash)) return false;
    if (i + kHash < n) hashAt(i + kHash);
  }
  return true;
}

template <typename Visit>
bool TEntryCounter::ForEach(const TListe& liste, size_t from, Visit&& visit) {
  return Walk(liste, from,
              [&](const TDatenRec& entry, uint64_t hash) { return visit(entry, SlotFor(entry, hash)); });
}

template <typename Visit>
bool TEntryCounter::ForEachHeld(const TListe& liste, size_t from, Visit&& visit) {
  return Walk(liste, from,
              [&](const TDatenRec& entry, uint64_t hash) { return visit(entry, Find(entry, hash)); });
}

}  // namespace tvn
