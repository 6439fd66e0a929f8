// TForm1: the status line, two program-drawn panels that wrap and grow with their texts.
#include "mainwindow/Haupt.h"
#include "mainwindow/StatusZeile.h"
#include "winui/FontCache.h"
#include "winui/Win32Util.h"

namespace tvn {

void TForm1::SetupStatusBar() {
  StatusBar1.OwnerDraw = true;
  StatusBar1.SetAccessibleName(u"Statuszeile");
  StatusBar1.SetPanelWidths({1, 1});
  StatusBar1.OnDrawPanel = [this](HDC dc, int panel, const RECT& rect) {
    StatusBar1DrawPanel(dc, panel, rect);
  };
}

std::u16string TForm1::StatusZeile() const {
  return StatusBar1.PanelText(0);
}

void TForm1::SetStatusZeile(int position) {
  const std::u16string text = StatusZeileText(position, Daten.Count(), ListView1.SelCount());
  if (text == StatusBar1.PanelText(0)) return;
  StatusBar1.SetPanelText(0, text);
  SchalterEinrichten();
}

void TForm1::SetStatusText(const std::u16string& AText) {
  if (AText == FStatusHinweise) return;
  FStatusHinweise = AText;
  StatusBar1.SetPanelText(1, FStatusHinweise);
  SchalterEinrichten();
}

namespace {
TShortCut ShortCutOf(const winui::TMenuItem& item) {
  return TShortCut{item.ShortCut().Key, item.ShortCut().Modifiers};
}
}  // namespace

void TForm1::HinweiseSetzen() {
  // The hints name the keys the menus have now.
  THinweisKeys keys;
  keys.Neu = ShortCutOf(MenuAktNeu);
  keys.Oeffnen = ShortCutOf(MenuDateiOeffnen);
  keys.Bearbeiten = ShortCutOf(MenuAktBearbeiten);
  keys.Loeschen = ShortCutOf(MenuAktLoeschen);
  SetStatusText(HinweiseText(ListView1.SelCount(), ItemIndex(), keys));
}

void TForm1::StatusZeileEinrichten() {
  StatusBar1.SetFont(winui::AktFont);
  StatusBar1.SetPanelText(1, FStatusHinweise);
  const TFontMeasure measure(winui::AktFont);
  const std::u16string texts[2] = {StatusBar1.PanelText(0), FStatusHinweise};
  const TStatusZeileMasse masse = StatusZeileMasse(
      ClientWidth(), ClientHeight(), PaddedTextWidth(measure, texts[0] + u"MM"),
      ControlHeightForFont(winui::AktFont, StatusBar1),
      [&](int panel, int boxWidth) { return measure.WrappedTextHeight(texts[panel], boxWidth); });
  StatusBar1.SetPanelWidths({masse.Panel0Width, masse.Panel1Width});
  StatusBar1.SetBounds(0, ClientHeight() - masse.Height, ClientWidth(), masse.Height);
  StatusBar1.Redraw();
}

void TForm1::StatusBar1DrawPanel(HDC dc, int panel, const RECT& rect) {
  if (IsClosing) return;
  FillRect(dc, &rect, winui::SolidBrush(winui::AktBackColor));
  const std::u16string text = StatusBar1.PanelText(panel);
  RECT box = rect;
  InflateRect(&box, -4, -3);
  const int saved = SaveDC(dc);
  SelectObject(dc, winui::FontHandle(winui::AktFont));
  SetTextColor(dc, winui::AktFont.Color);
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, winui::W(text), static_cast<int>(text.size()), &box,
            DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
  RestoreDC(dc, saved);
}

}  // namespace tvn
