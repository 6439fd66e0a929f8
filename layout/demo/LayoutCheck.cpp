#include "layout/demo/LayoutCheck.h"

#include <windows.h>

#include <algorithm>
#include <sstream>

#include "platform/Utf16.h"
#include "winui/FontCache.h"
#include "winui/Win32Util.h"

namespace tvn {
namespace {

// A window's outer rectangle in the client coordinates of another window.
RECT RectIn(HWND window, HWND reference) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT ClientRectOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// Where a scroll box's children lie at scroll position 0.
RECT RectInBox(HWND window, const winui::TScrollBox& box) {
  RECT r = RectIn(window, box.Handle());
  OffsetRect(&r, box.ScrollPosition().x, box.ScrollPosition().y);
  return r;
}

// How far a box reaches: its client size, or its scroll range where it scrolls.
SIZE ReachOf(const winui::TScrollBox& box) {
  const RECT client = ClientRectOf(box.Handle());
  SIZE reach{client.right, client.bottom};
  auto extend = [&](int bar, LONG& length) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (GetScrollInfo(box.Handle(), bar, &info) && info.nPage > 0)
      length = std::max<LONG>(length, info.nMax + 1);
  };
  extend(SB_HORZ, reach.cx);
  extend(SB_VERT, reach.cy);
  return reach;
}

std::string Describe(const RECT& r) {
  std::ostringstream s;
  s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
  return s.str();
}

std::string NameOf(const winui::TControl& control) {
  static const char* const kKinds[] = {"label",      "edit",        "date control", "button",
                                       "status bar", "radio group", "check box",    "control"};
  const std::u16string text = control.Text();
  std::string name = kKinds[static_cast<int>(ControlKindOf(control))];
  if (!text.empty()) name += " \"" + ToUtf8(text) + "\"";
  return name;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return IntersectRect(&both, &a, &b) != FALSE;
}

class TChecker {
 public:
  explicit TChecker(std::vector<std::string>& problems) : FProblems(problems) {}

  void Expect(bool ok, const std::string& what) {
    if (!ok) FProblems.push_back(what);
  }

  void NoOverlaps(const std::vector<std::pair<std::string, RECT>>& items) {
    for (size_t i = 0; i < items.size(); ++i)
      for (size_t j = i + 1; j < items.size(); ++j)
        Expect(!Overlap(items[i].second, items[j].second),
               items[i].first + " " + Describe(items[i].second) + " overlaps " + items[j].first +
                   " " + Describe(items[j].second));
  }

  // The text in the window's font fits the window's client area (wrapped into width
  // less inset when wrap is on, with pad left of the height).
  void TextFits(const winui::TControl& control, const std::u16string& text, int widthInset,
                int heightPad, bool wrap) {
    const RECT client = ClientRectOf(control.Handle());
    const int width = client.right - widthInset;
    const SIZE size = wrap
                          ? winui::WrappedTextExtent(control.FontHandle(), text, std::max(width, 1))
                          : winui::TextExtent(control.FontHandle(), text);
    Expect(size.cx <= width && size.cy + heightPad <= client.bottom,
           NameOf(control) + ": text " + std::to_string(size.cx) + "x" + std::to_string(size.cy) +
               " is cut off in " + Describe(client));
  }

 private:
  std::vector<std::string>& FProblems;
};

std::u16string Shown(const std::u16string& caption) {
  return StripAmpersands(caption);
}

void CheckRadioGroup(TChecker& check, winui::TRadioGroup& group) {
  const HWND groupWindow = group.Handle();
  const RECT groupRect = ClientRectOf(groupWindow);
  const int checkMark = winui::CheckMarkWidth();
  std::vector<std::pair<std::string, RECT>> radios;
  for (HWND child = GetWindow(groupWindow, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) continue;
    const std::u16string text = winui::WindowText(child);
    const RECT r = RectIn(child, groupWindow);
    check.Expect(Inside(r, groupRect), "radio \"" + ToUtf8(text) + "\" lies outside its group");
    const SIZE size = winui::TextExtent(group.FontHandle(), text);
    check.Expect(size.cx + checkMark <= r.right - r.left && size.cy <= r.bottom - r.top,
                 "radio \"" + ToUtf8(text) + "\" is cut off");
    radios.emplace_back("radio \"" + ToUtf8(text) + "\"", r);
  }
  check.Expect(radios.size() == group.Items().size(), "radio group lacks buttons");
  check.NoOverlaps(radios);
}

void CheckInputControl(TChecker& check, winui::TControl& control) {
  const int textHeight = winui::FontTextHeight(control.FontHandle());
  if (auto* picker = dynamic_cast<TDatePicker*>(&control)) {
    check.TextFits(control, picker->Text(), 2, 0, false);
    check.Expect(SendMessageW(picker->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0) == 0,
                 NameOf(control) + " shows its text scrolled sideways");
    const RECT edit = RectIn(picker->Handle(), picker->Parent()->Handle());
    const RECT arrows = RectIn(picker->UpDown().Handle(), picker->Parent()->Handle());
    check.Expect(
        arrows.left == edit.right && arrows.top == edit.top && arrows.bottom == edit.bottom,
        "the arrows of a date control are not at its right edge: " + Describe(edit) + " " +
            Describe(arrows));
  } else if (dynamic_cast<winui::TLabel*>(&control)) {
    check.TextFits(control, Shown(control.Text()), 0, 0, false);
  } else if (dynamic_cast<winui::TCheckBox*>(&control)) {
    check.TextFits(control, Shown(control.Text()), winui::CheckMarkWidth() + kCheckBoxTextInset, 0,
                   true);
  } else if (auto* group = dynamic_cast<winui::TRadioGroup*>(&control)) {
    CheckRadioGroup(check, *group);
  } else {
    const RECT client = ClientRectOf(control.Handle());
    check.Expect(client.bottom >= textHeight, NameOf(control) + " is lower than one line");
  }
}

}  // namespace

std::vector<std::string> LayoutProblems(TDemoDialog& dialog) {
  return LayoutProblems(TLayoutParts{dialog, dialog.FContent.get(), dialog.FButtonArea.get(),
                                     dialog.InputControls(), dialog.Buttons()});
}

std::vector<std::string> LayoutProblems(const TLayoutParts& parts) {
  std::vector<std::string> problems;
  TChecker check(problems);
  const HWND form = parts.Form.Handle();
  if (!form || !parts.Content || !parts.ButtonArea) return {"the dialog has no layout"};

  RECT formRect{};
  GetWindowRect(form, &formRect);
  check.Expect(Inside(formRect, winui::MonitorWorkArea(form)),
               "the dialog " + Describe(formRect) + " leaves the work area");

  // The two boxes: inside the client area with the outer margin, one above the other.
  const RECT client = ClientRectOf(form);
  const RECT content = RectIn(parts.Content->Handle(), form);
  const RECT area = RectIn(parts.ButtonArea->Handle(), form);
  RECT inner = client;
  InflateRect(&inner, -kOuterMargin, -kOuterMargin);
  check.Expect(Inside(content, inner), "content box " + Describe(content) + " outside the margins");
  check.Expect(Inside(area, inner), "button area " + Describe(area) + " outside the margins");
  check.Expect(content.bottom + kOuterMargin <= area.top, "content box and button area touch");

  // Inside the content box: apart from each other, each one reachable by scrolling.
  const winui::TScrollBox& box = *parts.Content;
  const SIZE boxReach = ReachOf(box);
  std::vector<std::pair<std::string, RECT>> placed;
  for (winui::TControl* control : parts.Inputs) {
    check.Expect(control->Parent() == &box, NameOf(*control) + " is not in the content box");
    const RECT r = RectInBox(control->Handle(), box);
    check.Expect(Inside(r, RECT{0, 0, boxReach.cx, boxReach.cy}),
                 NameOf(*control) + " " + Describe(r) + " cannot be scrolled to");
    placed.emplace_back(NameOf(*control), r);
    if (auto* picker = dynamic_cast<TDatePicker*>(control))
      placed.emplace_back(NameOf(*control) + " arrows", RectInBox(picker->UpDown().Handle(), box));
    CheckInputControl(check, *control);
  }
  check.NoOverlaps(placed);

  // The buttons: within the area's width (it never scrolls sideways), apart from each
  // other, captions whole.
  const winui::TScrollBox& buttonBox = *parts.ButtonArea;
  const SIZE areaReach = ReachOf(buttonBox);
  check.Expect(areaReach.cx == buttonBox.ClientWidth(), "the button area scrolls sideways");
  std::vector<std::pair<std::string, RECT>> buttons;
  for (winui::TButton* button : parts.Buttons) {
    const RECT r = RectInBox(button->Handle(), buttonBox);
    check.Expect(button->Parent() == &buttonBox, NameOf(*button) + " is not in the button area");
    check.Expect(Inside(r, RECT{0, 0, areaReach.cx, areaReach.cy}),
                 NameOf(*button) + " " + Describe(r) + " cannot be scrolled to");
    check.TextFits(*button, Shown(button->Text()), kButtonTextInset, 4, true);
    buttons.emplace_back(NameOf(*button), r);
  }
  check.NoOverlaps(buttons);
  return problems;
}

}  // namespace tvn
