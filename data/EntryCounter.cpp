#include "data/EntryCounter.h"

#include <bit>
#include <cstring>

#include "data/Prefetch.h"

namespace tvn {
namespace {

constexpr uint64_t kMul = 0x9E3779B97F4A7C15ULL;

inline uint64_t Avalanche(uint64_t h) {
  h ^= h >> 32;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 29;
  h *= 0x94D049BB133111EBULL;
  return h ^ (h >> 32);
}

// Each text is hashed on its own, so the five chains run side by side.
inline uint64_t HashText(const std::u16string& s) {
  const char16_t* p = s.data();
  size_t n = s.size();
  uint64_t acc = (n + 1) * kMul;
  for (; n >= 4; n -= 4, p += 4) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    acc = (acc ^ word) * kMul;
    acc ^= acc >> 29;
  }
  uint64_t tail = 0;
  std::memcpy(&tail, p, n * 2);
  return (acc ^ tail) * kMul;
}

inline uint64_t DateBits(TDateTime d) {
  return std::bit_cast<uint64_t>(d + 0.0);  // +0.0 folds -0 into 0, as == does
}

}  // namespace

uint64_t TEntryCounter::Hash(const TDatenRec& e) {
  // The fields' hashes are joined with a different odd factor each, so that equal texts
  // in different fields do not cancel out, and mixed once at the end.
  const uint64_t flags = (e.ErhaltenS ? 1u : 0u) | (e.RetourS ? 2u : 0u) | (e.GelesenS ? 4u : 0u) |
                         (static_cast<unsigned>(e.Bewertung) << 3);
  const uint64_t h = DateBits(e.ErstelltDatum) * 0xD6E8FEB86659FD93ULL +
                     HashText(e.Autor) * 0xA0761D6478BD642FULL +
                     HashText(e.Titel) * 0xE7037ED1A0B428DBULL +
                     HashText(e.KatalogNr) * 0x8EBC6AF09C88C6E3ULL +
                     HashText(e.Quelle) * 0x589965CC75374CC3ULL +
                     DateBits(e.ErhaltenDatum) * 0x1D8E4E27C47D124FULL +
                     DateBits(e.RetourDatum) * 0xC2B2AE3D27D4EB4FULL + flags * 0x165667B19E3779F9ULL +
                     HashText(e.Infos) * 0x27D4EB2F165667C5ULL;
  return Avalanche(h);
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
    PrefetchRecord(*held);
  }
}

void TEntryCounter::PrefetchRecord(const TDatenRec& e) { PrefetchBytes(&e, sizeof e); }

void TEntryCounter::PrefetchTexts(const TDatenRec& e) {
  Prefetch(e.Autor.data());
  Prefetch(e.Titel.data());
  Prefetch(e.KatalogNr.data());
  Prefetch(e.Quelle.data());
  Prefetch(e.Infos.data());
}

int* TEntryCounter::Find(const TDatenRec& entry) { return Find(entry, Hash(entry)); }

int* TEntryCounter::Find(const TDatenRec& entry, uint64_t hash) {
  Slot& s = slots_[FindSlot(entry, hash)];
  return s.entry ? &s.count : nullptr;
}

}  // namespace tvn
