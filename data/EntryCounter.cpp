#include "data/EntryCounter.h"

#include <bit>
#include <cstring>

#include "data/Prefetch.h"

namespace tvn {
namespace {

constexpr uint64_t kMul = 0x9E3779B97F4A7C15ULL;

inline uint64_t Mix(uint64_t h, uint64_t v) {
  h ^= v + kMul + (h << 6) + (h >> 2);
  h *= 0xBF58476D1CE4E5B9ULL;
  return h ^ (h >> 31);
}

inline uint64_t HashText(uint64_t h, const std::u16string& s) {
  const char16_t* p = s.data();
  size_t n = s.size();
  h = Mix(h, n);
  uint64_t acc = h;
  for (; n >= 4; n -= 4, p += 4) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    acc = (acc ^ word) * kMul;
    acc ^= acc >> 29;
  }
  uint64_t tail = 0;
  std::memcpy(&tail, p, n * 2);
  return Mix(acc, tail);
}

inline uint64_t HashDate(uint64_t h, TDateTime d) {
  return Mix(h, std::bit_cast<uint64_t>(d + 0.0));  // +0.0 folds -0 into 0, as == does
}

}  // namespace

uint64_t TEntryCounter::Hash(const TDatenRec& e) {
  uint64_t h = HashDate(0x1234567, e.ErstelltDatum);
  h = HashText(h, e.Autor);
  h = HashText(h, e.Titel);
  h = HashText(h, e.KatalogNr);
  h = HashText(h, e.Quelle);
  h = HashDate(h, e.ErhaltenDatum);
  h = HashDate(h, e.RetourDatum);
  h = Mix(h, (e.ErhaltenS ? 1u : 0u) | (e.RetourS ? 2u : 0u) | (e.GelesenS ? 4u : 0u) |
                 (static_cast<unsigned>(e.Bewertung) << 3));
  h = HashText(h, e.Infos);
  return h;
}

TEntryCounter::TEntryCounter(size_t expected) {
  size_t capacity = 16;
  while (capacity < expected * 2) capacity *= 2;
  slots_.resize(capacity);
}

size_t TEntryCounter::FindSlot(const TDatenRec& entry, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (!s.entry || (s.hash == hash && TDaten::Ident(*s.entry, entry))) return i;
  }
}

void TEntryCounter::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  for (const Slot& s : old) {
    if (s.entry) slots_[FindSlot(*s.entry, s.hash)] = s;
  }
}

int& TEntryCounter::operator[](const TDatenRec& entry) { return SlotFor(entry, Hash(entry)); }

int& TEntryCounter::SlotFor(const TDatenRec& entry, uint64_t hash) {
  size_t i = FindSlot(entry, hash);
  if (!slots_[i].entry) {
    if ((used_ + 1) * 2 > slots_.size()) {
      Grow();
      i = FindSlot(entry, hash);
    }
    slots_[i] = Slot{hash, &entry, 0};
    ++used_;
  }
  return slots_[i].count;
}

void TEntryCounter::PrefetchSlot(uint64_t hash) const { Prefetch(&slots_[hash & (slots_.size() - 1)]); }

void TEntryCounter::PrefetchHeld(uint64_t hash, bool texts) const {
  const TDatenRec* held = slots_[hash & (slots_.size() - 1)].entry;
  if (!held) return;
  if (texts) {
    PrefetchTexts(*held);
  } else {
    Prefetch(held);
    Prefetch(reinterpret_cast<const char*>(held) + 64);
    Prefetch(reinterpret_cast<const char*>(held) + 128);
  }
}

void TEntryCounter::PrefetchTexts(const TDatenRec& e) {
  Prefetch(e.Autor.data());
  Prefetch(e.Titel.data());
  Prefetch(e.KatalogNr.data());
  Prefetch(e.Quelle.data());
  Prefetch(e.Infos.data());
}

int* TEntryCounter::Find(const TDatenRec& entry) {
  Slot& s = slots_[FindSlot(entry, Hash(entry))];
  return s.entry ? &s.count : nullptr;
}

}  // namespace tvn
