// The automation interface of JAWS, as far as this program reaches it. Its own methods follow
// the seven of IDispatch in the function table; only SayString, StopSpeech and RunFunction are
// called, the other slots are declared to keep the layout.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

namespace tvn {

// {CCE5B1E5-B2ED-45D5-B09F-8EC54B75ABF4}
inline constexpr CLSID CLSID_JawsApi = {
    0xCCE5B1E5, 0xB2ED, 0x45D5, {0xB0, 0x9F, 0x8E, 0xC5, 0x4B, 0x75, 0xAB, 0xF4}};
// {123DEDB4-2CF6-429C-A2AB-CC809E5516CE}
inline constexpr IID IID_IJawsApi = {
    0x123DEDB4, 0x2CF6, 0x429C, {0xA2, 0xAB, 0xCC, 0x80, 0x9E, 0x55, 0x16, 0xCE}};

struct IJawsApi : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE UnusedMethod1() = 0;
  virtual HRESULT STDMETHODCALLTYPE SayString(BSTR StringToSpeak, VARIANT_BOOL bFlush,
                                              VARIANT_BOOL* vbSuccess) = 0;
  virtual HRESULT STDMETHODCALLTYPE StopSpeech() = 0;
  virtual HRESULT STDMETHODCALLTYPE UnusedMethod4() = 0;
  virtual HRESULT STDMETHODCALLTYPE UnusedMethod5() = 0;
  virtual HRESULT STDMETHODCALLTYPE RunFunction(BSTR FunctionName, VARIANT_BOOL* vbSuccess) = 0;
};

}  // namespace tvn
