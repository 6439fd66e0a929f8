#include "winui/StatusBar.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "winui/Win32Util.h"

namespace winui {

TStatusBar::TStatusBar(TControl* AParent) : TControl(AParent) {}

TCreateParams TStatusBar::CreateParams() {
  // The owner places and sizes the line itself.
  return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
}

void TStatusBar::AfterCreateHandle() {
  if (Color() != clDefault) SendMessageW(Handle(), SB_SETBKCOLOR, 0, Color());
  ApplyPanels();
}

void TStatusBar::SetPanelWidths(const std::vector<int>& AWidths) {
  FPanels.resize(AWidths.size());
  for (size_t i = 0; i < AWidths.size(); ++i) FPanels[i].Width = AWidths[i];
  ApplyPanels();
}

int TStatusBar::PanelWidth(int panel) const {
  return panel >= 0 && panel < PanelCount() ? FPanels[panel].Width : 0;
}

std::u16string TStatusBar::PanelText(int panel) const {
  return panel >= 0 && panel < PanelCount() ? FPanels[panel].Text : std::u16string();
}

void TStatusBar::SetPanelText(int panel, const std::u16string& AText) {
  if (panel < 0 || panel >= PanelCount()) return;
  FPanels[panel].Text = AText;
  ApplyPanelText(panel);
}

void TStatusBar::ApplyPanels() {
  if (!HandleAllocated() || FPanels.empty()) return;
  std::vector<int> edges;
  int right = 0;
  for (const TPanel& p : FPanels) {
    right = p.Width < 0 ? -1 : right + p.Width;
    edges.push_back(right);
    if (right < 0) break;
  }
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < PanelCount(); ++i) ApplyPanelText(i);
}

void TStatusBar::ApplyPanelText(int panel) {
  if (!HandleAllocated()) return;
  if (OwnerDraw) {
    SendMessageW(Handle(), SB_SETTEXTW, panel | SBT_OWNERDRAW, panel);
  } else {
    SendMessageW(Handle(), SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(W(FPanels[panel].Text)));
  }
}

void TStatusBar::SetColor(TColor AColor) {
  TControl::SetColor(AColor);
  if (HandleAllocated()) {
    SendMessageW(Handle(), SB_SETBKCOLOR, 0, AColor == clDefault ? CLR_DEFAULT : AColor);
  }
}

void TStatusBar::Redraw() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool TStatusBar::HandleDrawItem(DRAWITEMSTRUCT& item) {
  if (OnDrawPanel) OnDrawPanel(item.hDC, static_cast<int>(item.itemID), item.rcItem);
  return true;
}

bool TStatusBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // Program-drawn panels hold no text for Windows; answer the text queries from ours.
  if (OwnerDraw && (msg == SB_GETTEXTW || msg == SB_GETTEXTLENGTHW)) {
    const int panel = static_cast<int>(LOWORD(wParam));
    if (panel >= 0 && panel < PanelCount()) {
      const std::u16string& text = FPanels[panel].Text;
      if (msg == SB_GETTEXTW && lParam) {
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(out));
        out[text.size()] = L'\0';
      }
      result = static_cast<LRESULT>(MAKELONG(text.size(), 0));
      return true;
    }
  }
  return TControl::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace winui
