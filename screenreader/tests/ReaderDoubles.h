// Stand-ins for the two screen readers, for tests that check what was spoken and brailled.
// NVDA: the project's own controller client library beside the test program, plus its main
// window. JAWS: its main window plus an automation object registered in the test's apartment.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tvn::testing {

struct TReaderCall {
  std::string Function;
  std::u16string Text;
  int Flag = 0;  // SayString's flush flag as passed (VARIANT_BOOL), 0 for other calls
  bool operator==(const TReaderCall&) const = default;
};
void PrintTo(const TReaderCall& call, std::ostream* os);

// Reader windows are seen by every process on the desktop (under Wine: of the prefix), also by
// tests run from other builds at the same time; a test holds this lock while it runs so that
// it alone decides which readers appear.
class TReaderLock {
 public:
  TReaderLock();
  ~TReaderLock();
  TReaderLock(const TReaderLock&) = delete;
  TReaderLock& operator=(const TReaderLock&) = delete;

 private:
  HANDLE FMutex = nullptr;
};

// A hidden top-level window standing for a reader's main window.
class TReaderWindow {
 public:
  TReaderWindow(const wchar_t* className, const wchar_t* title);
  ~TReaderWindow();
  TReaderWindow(const TReaderWindow&) = delete;
  TReaderWindow& operator=(const TReaderWindow&) = delete;

 private:
  HWND FWindow = nullptr;
};

class TFakeNvda {
 public:
  TFakeNvda();  // empty log of this process, no failing calls, NVDA not running
  ~TFakeNvda();
  TFakeNvda(const TFakeNvda&) = delete;
  TFakeNvda& operator=(const TFakeNvda&) = delete;

  void Start();  // NVDA's window appears
  void Stop();
  // Controller functions that answer with an error, e.g. L"cancelSpeech,speakText".
  void FailCalls(const std::wstring& functions);
  // Every call but the presence checks, in order.
  std::vector<TReaderCall> Calls() const;
  int PresenceChecks() const;
  std::vector<std::u16string> Texts(std::string_view function) const;
  void ClearCalls();

 private:
  std::vector<TReaderCall> AllCalls() const;

  std::u16string FLogPath;
  std::unique_ptr<TReaderWindow> FWindow;
};

struct TJawsAnswer {
  HRESULT Result = S_OK;
  VARIANT_BOOL Value = VARIANT_TRUE;
};
struct TJawsAnswers {
  TJawsAnswer SayString;
  TJawsAnswer RunFunction;
  HRESULT StopSpeech = S_OK;
};
struct TFakeJawsState;

class TFakeJaws {
 public:
  // Initialises COM on the calling thread and registers the automation object there; the
  // front end must run on the same thread.
  TFakeJaws();
  ~TFakeJaws();
  TFakeJaws(const TFakeJaws&) = delete;
  TFakeJaws& operator=(const TFakeJaws&) = delete;

  void Start();  // the JAWS window appears
  void Stop();
  TJawsAnswers& Answers();
  const std::vector<TReaderCall>& Calls() const;
  void ClearCalls();
  // Automation objects created and not yet released.
  int LiveObjects() const;

 private:
  std::shared_ptr<TFakeJawsState> FState;
  IClassFactory* FFactory = nullptr;
  DWORD FCookie = 0;
  bool FComInitialized = false;
  std::unique_ptr<TReaderWindow> FWindow;
};

}  // namespace tvn::testing
