// FModalLevel: the number of modal windows the program has open now. Every modal entry
// point (dialogs, message boxes, file and print dialogs) keeps it through TModalScope.
#pragma once

#include <functional>

namespace winui {

unsigned ModalLevel();
// +1 and the begin callback; -1 (never below 0) and the end callback.
void ModalBegin();
void ModalEnd();
// Called after the counter changed (the single-instance logic watches them). Either may
// be empty.
void SetModalCallbacks(std::function<void()> onBegin, std::function<void()> onEnd);

class TModalScope {
 public:
  TModalScope() { ModalBegin(); }
  ~TModalScope() { ModalEnd(); }
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;
};

}  // namespace winui
