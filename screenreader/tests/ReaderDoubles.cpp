#include "screenreader/tests/ReaderDoubles.h"

#include <atomic>
#include <stdexcept>
#include <utility>

#include "platform/Platform.h"
#include "platform/Utf16.h"
#include "screenreader/JawsApi.h"

namespace tvn::testing {

void PrintTo(const TReaderCall& call, std::ostream* os) {
  *os << call.Function << "(\"" << ToUtf8(call.Text) << "\"";
  if (call.Flag != 0) *os << ", " << call.Flag;
  *os << ")";
}

// ---- lock and windows ----

TReaderLock::TReaderLock() {
  FMutex = CreateMutexW(nullptr, FALSE, L"Local\\TavorinScreenReaderDoubles");
  if (!FMutex) throw std::runtime_error("reader lock: CreateMutexW failed");
  // A test that died holding the lock leaves it abandoned, which still hands it over.
  const DWORD waited = WaitForSingleObject(FMutex, 300000);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(FMutex);
    throw std::runtime_error("reader lock: still held by another test after 5 minutes");
  }
}

TReaderLock::~TReaderLock() {
  ReleaseMutex(FMutex);
  CloseHandle(FMutex);
}

TReaderWindow::TReaderWindow(const wchar_t* className, const wchar_t* title) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("reader window: RegisterClassExW failed");
  FWindow = CreateWindowExW(0, className, title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
  if (!FWindow) throw std::runtime_error("reader window: CreateWindowExW failed");
}

TReaderWindow::~TReaderWindow() {
  DestroyWindow(FWindow);
}

// ---- NVDA ----

namespace {

std::u16string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), n);
}

const wchar_t* W(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

}  // namespace

TFakeNvda::TFakeNvda()
    : FLogPath(TempFolder() + u"tvn-nvda-" + IntToText(GetCurrentProcessId()) + u".log") {
  platform::RemoveFile(FLogPath);
  SetEnvironmentVariableW(L"TVN_NVDA_LOG", W(FLogPath));
  SetEnvironmentVariableW(L"TVN_NVDA_FAIL", nullptr);
}

TFakeNvda::~TFakeNvda() {
  Stop();
  SetEnvironmentVariableW(L"TVN_NVDA_LOG", nullptr);
  SetEnvironmentVariableW(L"TVN_NVDA_FAIL", nullptr);
  platform::RemoveFile(FLogPath);
}

void TFakeNvda::Start() {
  if (!FWindow) FWindow = std::make_unique<TReaderWindow>(L"wxWindowClassNR", L"NVDA");
}

void TFakeNvda::Stop() {
  FWindow.reset();
}

void TFakeNvda::FailCalls(const std::wstring& functions) {
  SetEnvironmentVariableW(L"TVN_NVDA_FAIL", functions.c_str());
}

std::vector<TReaderCall> TFakeNvda::AllCalls() const {
  std::string bytes;
  std::u16string error;
  std::vector<TReaderCall> calls;
  if (!platform::ReadWholeFile(FLogPath, bytes, error)) return calls;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(bytes.data() + start, end - start);
    const size_t tab = line.find('\t');
    calls.push_back({std::string(line.substr(0, tab)), FromUtf8(line.substr(tab + 1)), 0});
  }
  return calls;
}

std::vector<TReaderCall> TFakeNvda::Calls() const {
  std::vector<TReaderCall> calls;
  for (auto& call : AllCalls())
    if (call.Function != "testIfRunning") calls.push_back(std::move(call));
  return calls;
}

int TFakeNvda::PresenceChecks() const {
  return static_cast<int>(AllCalls().size() - Calls().size());
}

std::vector<std::u16string> TFakeNvda::Texts(std::string_view function) const {
  std::vector<std::u16string> texts;
  for (const auto& call : AllCalls())
    if (call.Function == function) texts.push_back(call.Text);
  return texts;
}

void TFakeNvda::ClearCalls() {
  platform::RemoveFile(FLogPath);
}

// ---- JAWS ----

struct TFakeJawsState {
  TJawsAnswers Answers;
  std::vector<TReaderCall> Calls;
  int LiveObjects = 0;
};

namespace {

std::u16string FromBstr(BSTR s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s), SysStringLen(s));
}

// Reference counting shared by the automation object and its class factory.
template <class TInterface>
class TComObject : public TInterface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = --FRefs;
    if (refs == 0) delete this;
    return refs;
  }

 protected:
  virtual ~TComObject() = default;
  HRESULT Hand(void** object) {
    *object = this;
    AddRef();
    return S_OK;
  }

 private:
  std::atomic<ULONG> FRefs{1};
};

class TFakeJawsObject final : public TComObject<IJawsApi> {
 public:
  explicit TFakeJawsObject(std::shared_ptr<TFakeJawsState> state) : FState(std::move(state)) {
    ++FState->LiveObjects;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IJawsApi))
      return Hand(object);
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UnusedMethod1() override { return Unexpected("UnusedMethod1"); }
  HRESULT STDMETHODCALLTYPE SayString(BSTR text, VARIANT_BOOL flush,
                                      VARIANT_BOOL* success) override {
    FState->Calls.push_back({"SayString", FromBstr(text), flush});
    return Answer(FState->Answers.SayString, success);
  }
  HRESULT STDMETHODCALLTYPE StopSpeech() override {
    FState->Calls.push_back({"StopSpeech", u"", 0});
    return FState->Answers.StopSpeech;
  }
  HRESULT STDMETHODCALLTYPE UnusedMethod4() override { return Unexpected("UnusedMethod4"); }
  HRESULT STDMETHODCALLTYPE UnusedMethod5() override { return Unexpected("UnusedMethod5"); }
  HRESULT STDMETHODCALLTYPE RunFunction(BSTR call, VARIANT_BOOL* success) override {
    FState->Calls.push_back({"RunFunction", FromBstr(call), 0});
    return Answer(FState->Answers.RunFunction, success);
  }

 private:
  ~TFakeJawsObject() override { --FState->LiveObjects; }

  // A call into a slot the program should never use shows up in the call list.
  HRESULT Unexpected(const char* method) {
    FState->Calls.push_back({method, u"", 0});
    return E_NOTIMPL;
  }
  static HRESULT Answer(const TJawsAnswer& answer, VARIANT_BOOL* success) {
    if (success) *success = answer.Value;
    return answer.Result;
  }

  std::shared_ptr<TFakeJawsState> FState;
};

class TFakeJawsFactory final : public TComObject<IClassFactory> {
 public:
  explicit TFakeJawsFactory(std::shared_ptr<TFakeJawsState> state) : FState(std::move(state)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) return Hand(object);
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* jaws = new TFakeJawsObject(FState);
    const HRESULT hr = jaws->QueryInterface(riid, object);
    jaws->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  std::shared_ptr<TFakeJawsState> FState;
};

}  // namespace

TFakeJaws::TFakeJaws() : FState(std::make_shared<TFakeJawsState>()) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FComInitialized = init == S_OK || init == S_FALSE;
  FFactory = new TFakeJawsFactory(FState);
  if (CoRegisterClassObject(CLSID_JawsApi, FFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                            &FCookie) < 0) {
    FFactory->Release();
    if (FComInitialized) CoUninitialize();
    throw std::runtime_error("fake JAWS: CoRegisterClassObject failed");
  }
}

TFakeJaws::~TFakeJaws() {
  Stop();
  CoRevokeClassObject(FCookie);
  FFactory->Release();
  if (FComInitialized) CoUninitialize();
}

void TFakeJaws::Start() {
  if (!FWindow) FWindow = std::make_unique<TReaderWindow>(L"JFWUI2", L"JAWS");
}

void TFakeJaws::Stop() {
  FWindow.reset();
}

TJawsAnswers& TFakeJaws::Answers() {
  return FState->Answers;
}

const std::vector<TReaderCall>& TFakeJaws::Calls() const {
  return FState->Calls;
}

void TFakeJaws::ClearCalls() {
  FState->Calls.clear();
}

int TFakeJaws::LiveObjects() const {
  return FState->LiveObjects;
}

}  // namespace tvn::testing
