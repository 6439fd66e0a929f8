// A count per distinct entry, keyed by entry identity: the dictionary behind list
// identity, merging and marking. Equal entries share one slot; a slot is found by a
// hash of all compared fields and confirmed by the exact comparison, so it means the
// same as counting RecordKey texts without building them.
#pragma once

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

  static uint64_t Hash(const TDatenRec& entry);

 private:
  struct Slot {
    uint64_t hash = 0;
    const TDatenRec* entry = nullptr;
    int count = 0;
  };
  size_t FindSlot(const TDatenRec& entry, uint64_t hash) const;
  void Grow();

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

}  // namespace tvn
