#include "mainwindow/StatusZeile.h"

#include <algorithm>

#include "platform/Utf16.h"

namespace tvn {

std::u16string GroupThousands(long long n) {
  const std::u16string digits = IntToText(n);
  const size_t sign = n < 0 ? 1 : 0;
  std::u16string out = digits.substr(0, sign);
  const size_t count = digits.size() - sign;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out += u'.';
    out += digits[sign + i];
  }
  return out;
}

std::u16string StatusZeileText(int position, int count, int marked) {
  if (count <= 0) return u"Keine Einträge";
  const bool focused = position > 0 && position <= count;
  std::u16string text;
  if (focused) {
    text = u"Eintrag " + GroupThousands(position) + u" von " + GroupThousands(count);
  } else if (count == 1) {
    text = u"1 Eintrag";
  } else {
    text = GroupThousands(count) + u" Einträge";
  }
  // One marked row beside a focused one is taken to be that row, so it is not repeated.
  if (marked == 0) {
    text += u"; keiner markiert";
  } else if (marked > 1 || (marked == 1 && position <= 0)) {
    text += u"; " + GroupThousands(marked) + u" markiert";
  }
  return text;
}

namespace {

std::u16string KeyName(unsigned short key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    return std::u16string(1, static_cast<char16_t>(key));
  }
  if (key >= kKeyF1 && key < kKeyF1 + 24) return u"F" + IntToText(key - kKeyF1 + 1);
  if (key == kKeyDelete) return u"Entf";
  return u"";
}

}  // namespace

std::u16string ShortCutText(TShortCut shortCut) {
  const std::u16string key = KeyName(shortCut.Key);
  if (key.empty()) return key;
  std::u16string text;
  if (shortCut.Modifiers & kShiftKey) text += u"Umsch+";
  if (shortCut.Modifiers & kCtrlKey) text += u"Strg+";
  if (shortCut.Modifiers & kAltKey) text += u"Alt+";
  return text + key;
}

void HinweisAnfuegen(std::u16string& text, TShortCut shortCut, std::u16string_view label) {
  if (!text.empty()) text += u"; ";
  text += ShortCutText(shortCut);
  text += u'=';
  text += label;
}

std::u16string HinweiseText(int marked, int itemIndex, const THinweisKeys& keys) {
  std::u16string text;
  if (marked < 1) {
    HinweisAnfuegen(text, keys.Neu, u"Neu");
    if (itemIndex < 0) {
      HinweisAnfuegen(text, keys.Oeffnen, u"Öffnen");
    } else {
      HinweisAnfuegen(text, keys.Bearbeiten, u"Bearbeiten");
    }
  } else {
    // Enter presses the default button "Details".
    text = u"Enter=Details";
    if (marked > 1 || itemIndex < 0) {
      HinweisAnfuegen(text, keys.Loeschen, u"Löschen");
    } else {
      HinweisAnfuegen(text, keys.Bearbeiten, u"Bearbeiten");
    }
  }
  return text;
}

TStatusZeileMasse StatusZeileMasse(
    int clientWidth, int clientHeight, int panel0TextWidth, int fontControlHeight,
    const std::function<int(int panel, int boxWidth)>& measureTextHeight) {
  TStatusZeileMasse masse;
  masse.Panel0Width = std::min(panel0TextWidth, std::max(clientWidth / 2, 1));
  masse.Panel1Width = std::max(clientWidth - masse.Panel0Width, 1);
  int height = fontControlHeight + 6;
  const int widths[2] = {masse.Panel0Width, masse.Panel1Width};
  for (int panel = 0; panel < 2; ++panel) {
    const int textHeight = measureTextHeight(panel, std::max(widths[panel] - 12, 1));
    height = std::max(height, textHeight + 12);
  }
  // A huge font must not push the list off the window.
  masse.Height = std::min(height, std::max(clientHeight / 3, 1));
  return masse;
}

}  // namespace tvn
