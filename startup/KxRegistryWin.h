// The registry side of the command channel: writing and reading the command key below
// HKEY_CURRENT_USER, and the thread that polls it and hands each command to the main
// thread.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <thread>

#include "startup/KxRegistry.h"

namespace tvn {

// Writes the non-empty fields as string values (the key is created when missing).
// Nothing to write counts as success; any registry failure gives false.
bool WriteRegistrySettings(std::u16string_view AKeyName, const TRegistrySettings& ASettings);
// Reads and deletes the three values, and the key once no value is left in it. True when
// at least one value was read; a missing key gives false and an empty record. A value of
// a type other than a string is deleted unread; one that cannot be read or deleted now
// stays for a later call. Either way the other values are read.
bool ReadRegistrySettings(std::u16string_view AKeyName, TRegistrySettings& ASettings);

// Runs on the main thread: the first set command of the record goes to the window, by
// WM_COPYDATA, WM_PROGRAMSETFOCUS or WM_PROGRAMCLOSE, each sent and waited for. Nothing
// happens when the window is gone.
void RunRegistryCommand(HWND AAppHandle, const TRegistrySettings& ACommand);

// Polls the command key every 100 ms from its construction on. Made on the main thread:
// the commands it finds run there, between that thread's messages (also inside modal
// loops). Destruction stops and waits for the thread and drops commands that have not
// run yet.
class TWatchRegistrySettings {
 public:
  TWatchRegistrySettings(HWND AAppHandle, std::u16string_view AAppName);
  ~TWatchRegistrySettings();
  TWatchRegistrySettings(const TWatchRegistrySettings&) = delete;
  TWatchRegistrySettings& operator=(const TWatchRegistrySettings&) = delete;

  // Asks the thread to stop; it ends within one 25 ms step or one registry read.
  void Terminate();
  void WaitFor();

 private:
  friend void QueueRegistryCommand(TWatchRegistrySettings&, HWND, std::u16string_view,
                                   std::u16string_view, std::u16string_view);
  friend LRESULT CALLBACK CommandQueueWindowProc(HWND, UINT, WPARAM, LPARAM);
  void Execute();
  // Four sleeps of 25 ms; true as soon as the thread is told to stop.
  bool PauseOrStop();
  void DropQueuedCommands();

  HWND FAppHandle;
  std::u16string FAppName;
  HANDLE FStopEvent = nullptr;
  // A message-only window of the main thread; its posted messages are the queue.
  HWND FQueueWindow = nullptr;
  std::thread FThread;
};

// Hands one command to the main thread without waiting for it.
void QueueRegistryCommand(TWatchRegistrySettings& AThread, HWND AAppHandle,
                          std::u16string_view AParameters, std::u16string_view ASetFocus,
                          std::u16string_view AClose);

}  // namespace tvn
