#include "screenreader/ScreenReaderDriverJAWS.h"

#include <memory>
#include <utility>

#include "screenreader/JawsApi.h"
#include "screenreader/ScreenReaderText.h"

namespace tvn {
namespace {

struct BstrFree {
  void operator()(wchar_t* s) const { SysFreeString(s); }
};
using TBstr = std::unique_ptr<wchar_t, BstrFree>;

TBstr MakeBstr(const std::u16string& S) {
  return TBstr(
      SysAllocStringLen(reinterpret_cast<const wchar_t*>(S.data()), static_cast<UINT>(S.size())));
}

bool Succeeded(HRESULT hr, VARIANT_BOOL result) {
  return hr >= 0 && result == VARIANT_TRUE;
}

bool InitializeCom() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return hr == S_OK || hr == S_FALSE;
}

}  // namespace

TScreenReaderDriverJAWS::TScreenReaderDriverJAWS(std::u16string AScreenReaderName, bool ASpeech,
                                                 bool ABraille)
    : TScreenReaderDriver(std::move(AScreenReaderName), ASpeech, ABraille) {
  ConnectController();
}

TScreenReaderDriverJAWS::~TScreenReaderDriverJAWS() {
  ReleaseController();
}

void TScreenReaderDriverJAWS::ConnectController() {
  if (Controller) return;
  if (!FComInitialized) FComInitialized = InitializeCom();
  void* object = nullptr;
  if (CoCreateInstance(CLSID_JawsApi, nullptr, CLSCTX_INPROC_SERVER, IID_IJawsApi, &object) >= 0)
    Controller = static_cast<IJawsApi*>(object);
}

void TScreenReaderDriverJAWS::ReleaseController() {
  if (Controller) {
    Controller->Release();
    Controller = nullptr;
  }
  if (FComInitialized) {
    FComInitialized = false;
    CoUninitialize();
  }
}

bool TScreenReaderDriverJAWS::JawsWindowExists() {
  return FindWindowW(L"JFWUI2", nullptr) != nullptr;
}

// Drops the object while JAWS is not running and makes a new one after JAWS restarts.
bool TScreenReaderDriverJAWS::IsActive() {
  if (!JawsWindowExists()) {
    ReleaseController();
    return false;
  }
  if (!Controller) ConnectController();
  return Controller != nullptr;
}

bool TScreenReaderDriverJAWS::Speak(const std::u16string& S, bool Interrupt) {
  if (S.empty() || !Controller) return false;
  TBstr text = MakeBstr(S);
  if (!text) return false;
  VARIANT_BOOL result = VARIANT_FALSE;
  const HRESULT hr =
      Controller->SayString(text.get(), Interrupt ? VARIANT_TRUE : VARIANT_FALSE, &result);
  return Succeeded(hr, result);
}

bool TScreenReaderDriverJAWS::Braille(const std::u16string& S) {
  if (S.empty() || !Controller) return false;
  TBstr call = MakeBstr(BrailleStringCall(S));
  if (!call) return false;
  VARIANT_BOOL result = VARIANT_FALSE;
  const HRESULT hr = Controller->RunFunction(call.get(), &result);
  return Succeeded(hr, result);
}

bool TScreenReaderDriverJAWS::Silence() {
  if (!Controller) return false;
  return Controller->StopSpeech() >= 0;
}

bool TScreenReaderDriverJAWS::Output(const std::u16string& S, bool Interrupt) {
  return SpeakThenBraille(S, Interrupt);
}

}  // namespace tvn
