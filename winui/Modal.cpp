#include "winui/Modal.h"

#include <atomic>

namespace winui {

namespace {
// Read by tests from a second thread while a box is open.
std::atomic<unsigned> g_modalLevel{0};
std::function<void()> g_onBegin, g_onEnd;
}  // namespace

unsigned ModalLevel() { return g_modalLevel.load(); }

void ModalBegin() {
  ++g_modalLevel;
  if (g_onBegin) g_onBegin();
}

void ModalEnd() {
  unsigned level = g_modalLevel.load();
  while (level > 0 && !g_modalLevel.compare_exchange_weak(level, level - 1)) {
  }
  // Runs from destructors: a failing callback must not end the program.
  try {
    if (g_onEnd) g_onEnd();
  } catch (...) {
  }
}

void SetModalCallbacks(std::function<void()> onBegin, std::function<void()> onEnd) {
  g_onBegin = std::move(onBegin);
  g_onEnd = std::move(onEnd);
}

}  // namespace winui
