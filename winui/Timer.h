// Message timers of the user-interface thread: OnTimer every Interval milliseconds
// while Enabled. They also run while a dialog or message box is open.
#pragma once

#include <functional>

namespace winui {

class TTimer {
 public:
  TTimer() = default;
  explicit TTimer(unsigned AInterval) : FInterval(AInterval) {}
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned AInterval);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool AEnabled);
  std::function<void()> OnTimer;

 private:
  friend struct TTimerWindow;
  void Update();
  unsigned FInterval = 1000;
  bool FEnabled = false;
  bool FRunning = false;
};

}  // namespace winui
