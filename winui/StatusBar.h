// Status line with panels. Owner-drawn panels are painted by OnDrawPanel, and the status
// bar then answers SB_GETTEXTW / SB_GETTEXTLENGTHW itself, so screen readers still read
// the panel texts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "winui/Control.h"

namespace winui {

class TStatusBar : public TControl {
 public:
  explicit TStatusBar(TControl* AParent);
  // Number of panels and their widths in pixels (the last one may be -1: to the edge).
  void SetPanelWidths(const std::vector<int>& AWidths);
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  int PanelWidth(int panel) const;
  std::u16string PanelText(int panel) const;
  void SetPanelText(int panel, const std::u16string& AText);
  bool OwnerDraw = false;  // set before the panels get texts
  std::function<void(HDC DC, int Panel, const RECT& Rect)> OnDrawPanel;
  void SetColor(TColor AColor) override;
  void Redraw();

 protected:
  TCreateParams CreateParams() override;
  void AfterCreateHandle() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleDrawItem(DRAWITEMSTRUCT& item) override;

 private:
  struct TPanel {
    int Width;
    std::u16string Text;
  };
  void ApplyPanels();
  void ApplyPanelText(int panel);
  std::vector<TPanel> FPanels;
};

}  // namespace winui
