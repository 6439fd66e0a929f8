#include "mainwindow/EntryCommands.h"

#include <algorithm>

#include "data/ResConst.h"
#include "platform/Utf16.h"

namespace tvn {

TAktionenEnabling AktionenEnabling(const TAktionenLage& ALage, bool MenuGeoeffnet) {
  TAktionenEnabling e;
  const bool marked = ALage.Marked > 0;
  e.Details = marked;
  e.Bearbeiten = ALage.ItemIndex >= 0;
  e.Zurueck = ALage.UndoCount > 0;
  e.AlleMarkieren = ALage.Count > 0;
  e.Einfuegen = ALage.CopyCount > 0;
  e.Markierte = marked;
  e.Gelesen = marked && (!MenuGeoeffnet || ALage.AnyMarkedUnread);
  e.NichtGelesen = marked && (!MenuGeoeffnet || ALage.AnyMarkedRead);
  return e;
}

std::u16string ZurueckCaption(int AUndoCount) {
  return u"Änderung " + IntToText(AUndoCount) + u" &zurücksetzen";
}

std::u16string LoeschenFrage(int AMarked) {
  if (AMarked == 1) return std::u16string(ResConst::DeleteQuestions[1]);
  std::u16string text(ResConst::DeleteQuestions[0]);
  text.replace(text.find(u"%d"), 2, IntToText(AMarked));
  return text;
}

int ZeileNachLoeschen(const std::vector<int>& ARows, int AFocused, int ACountAfter) {
  int target = std::max(AFocused, 0);
  for (int row : ARows) {
    if (row < AFocused) --target;
  }
  return std::min(target, ACountAfter - 1);
}

}  // namespace tvn
