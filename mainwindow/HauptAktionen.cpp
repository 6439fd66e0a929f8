// TForm1: the entry commands of "A&ktionen", the list's context menu and the buttons below
// the list, their enabling, the entry clipboard and the first-entry question.
#include <algorithm>
#include <vector>

#include "dialogs/Neu.h"
#include "mainwindow/EntryCommands.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/Haupt.h"
#include "winui/Modal.h"
#include "winui/Prompt.h"

namespace tvn {

namespace {

// One row per command: the item of the menu bar, its twin in the context menu, and what
// both share.
struct TAktion {
  winui::TMenuItem TForm1::*Menu;
  winui::TMenuItem TForm1::*Pu;
  std::u16string_view Caption;
  winui::TShortCut Key;
  int Tag;
  bool TAktionenEnabling::*Enabled;
  void (*Click)(TForm1&, int Tag);
};

constexpr winui::TShortCut Ctrl(char key) {
  return {static_cast<std::uint16_t>(key), winui::ssCtrl};
}

const TAktion kAktionen[] = {
    {&TForm1::MenuAktNeu, &TForm1::PuNeu, u"&Neuer Eintrag...", Ctrl('N'), 0,
     &TAktionenEnabling::Neu, [](TForm1& f, int) { f.MenuAktNeuClick(); }},
    {&TForm1::MenuAktDetails, &TForm1::PuDetails, u"&Details aller markierten Einträge...",
     Ctrl('D'), 0, &TAktionenEnabling::Details, [](TForm1& f, int) { f.Button2Click(); }},
    {&TForm1::MenuAktBearbeiten, &TForm1::PuBearbeiten, u"Eintrag &bearbeiten...", Ctrl('B'), 0,
     &TAktionenEnabling::Bearbeiten, [](TForm1& f, int) { f.MenuAktBearbeitenClick(); }},
    {&TForm1::MenuAktDuplizieren, &TForm1::PuDuplizieren, u"Eintrag du&plizieren...", Ctrl('P'), 0,
     &TAktionenEnabling::Bearbeiten, [](TForm1& f, int) { f.MenuAktDuplizierenClick(); }},
    {&TForm1::MenuAktZurueck, &TForm1::PuZurueck, u"Änderung &zurücksetzen", Ctrl('Z'), 0,
     &TAktionenEnabling::Zurueck, [](TForm1& f, int) { f.MenuAktZurueckClick(); }},
    {&TForm1::MenuAktAlleMarkieren, &TForm1::PuAlleMarkieren, u"&Alle Einträge markieren",
     Ctrl('A'), 0, &TAktionenEnabling::AlleMarkieren,
     [](TForm1& f, int) { f.MenuAktAlleMarkierenClick(); }},
    {&TForm1::MenuAktEinfuegen, &TForm1::PuEinfuegen,
     u"Ausgeschnittene/Kopierte Einträge e&infügen", Ctrl('V'), 0, &TAktionenEnabling::Einfuegen,
     [](TForm1& f, int) { f.MenuAktEinfuegenClick(); }},
    {&TForm1::MenuAktKopieren, &TForm1::PuKopieren, u"Markierte Einträge &kopieren", Ctrl('C'), 2,
     &TAktionenEnabling::Markierte, [](TForm1& f, int tag) { f.MenuAktKopierenClick(tag); }},
    {&TForm1::MenuAktAusschneiden, &TForm1::PuAusschneiden, u"Markierte Einträge aus&schneiden",
     Ctrl('X'), 1, &TAktionenEnabling::Markierte,
     [](TForm1& f, int tag) { f.MenuAktKopierenClick(tag); }},
    {&TForm1::MenuAktLoeschen,
     &TForm1::PuLoeschen,
     u"Markierte Einträge &löschen",
     {VK_DELETE, 0},
     0,
     &TAktionenEnabling::Markierte,
     [](TForm1& f, int) { f.MenuAktLoeschenClick(); }},
    {&TForm1::MenuAktExport, &TForm1::PuExport, u"Markierte Einträge &exportieren...", Ctrl('E'), 0,
     &TAktionenEnabling::Markierte, [](TForm1& f, int) { f.MenuAktExportClick(); }},
    {&TForm1::MenuAktGelesen,
     &TForm1::PuGelesen,
     u"Markierte Einträge als &gelesen kennzeichnen",
     {},
     1,
     &TAktionenEnabling::Gelesen,
     [](TForm1& f, int tag) { f.MenuAktGelesenClick(tag); }},
    {&TForm1::MenuAktNichtGelesen,
     &TForm1::PuNichtGelesen,
     u"Markierte Einträge als nich&t gelesen kennzeichnen",
     {},
     2,
     &TAktionenEnabling::NichtGelesen,
     [](TForm1& f, int tag) { f.MenuAktGelesenClick(tag); }},
};

}  // namespace

void TForm1::BuildAktionen() {
  for (const TAktion& a : kAktionen) {
    for (winui::TMenuItem* item : {&(this->*a.Menu), &(this->*a.Pu)}) {
      item->SetCaption(std::u16string(a.Caption));
      item->SetShortCut(a.Key);
      item->Tag = a.Tag;
      if (a.Click) item->OnClick = [this, click = a.Click, tag = a.Tag] { click(*this, tag); };
    }
    MenuAktionen.Add(this->*a.Menu);
    PuMenu1.Items.Add(this->*a.Pu);
  }
  MenuAktionen.OnPopup = [this] { MenuAktionenClick(); };
  PuMenu1.OnPopup = [this] { MenuAktionenClick(); };
  Button1.OnClick = [this] { MenuAktNeuClick(); };
  Button2.OnClick = [this] { Button2Click(); };
  Button3.OnClick = [this] { MenuAktBearbeitenClick(); };
}

void TForm1::MenuAktionenClick() {
  AktionenEnablingSetzen(true);
}

void TForm1::AktionenEnablingSetzen(bool AMenuGeoeffnetS) {
  TAktionenLage lage;
  lage.Marked = ListView1.SelCount();
  lage.ItemIndex = ItemIndex();
  lage.Count = Daten.Count();
  lage.UndoCount = UndoDaten.Count();
  lage.CopyCount = CopyDaten.Count();
  if (AMenuGeoeffnetS && lage.Marked > 0) {
    lage.AnyMarkedUnread = MarkierteMitGelesen(false);
    lage.AnyMarkedRead = MarkierteMitGelesen(true);
  }
  const TAktionenEnabling enabling = AktionenEnabling(lage, AMenuGeoeffnetS);
  for (const TAktion& a : kAktionen) {
    (this->*a.Menu).SetEnabled(enabling.*a.Enabled);
    (this->*a.Pu).SetEnabled(enabling.*a.Enabled);
  }
  if (AMenuGeoeffnetS) {
    const std::u16string caption =
        lage.UndoCount > 0 ? ZurueckCaption(lage.UndoCount) : u"Änderung &zurücksetzen";
    MenuAktZurueck.SetCaption(caption);
    PuZurueck.SetCaption(caption);
  }
}

void TForm1::ShortCutEnabling() {
  AktionenEnablingSetzen(false);
  // Ctrl+S also saves a list without changes.
  MenuDateiSpeichern.SetEnabled(true);
  MenuDateiClose.SetEnabled(SchliessenEnabled(FFilename, Daten.Count()));
  SuchenEnablingSetzen();
}

bool TForm1::ShortCutPruefen(winui::TShortCut AKey) {
  if (!FStarted || FLoading || IsClosing) return false;
  // Shift+F3 searches backwards again; no other handler may take it.
  if (AKey == winui::TShortCut{VK_F3, winui::ssShift} && Enabled() && winui::ModalLevel() == 0 &&
      GetActiveWindow() == Handle()) {
    if (SchonGesuchtS && Daten.Count() > 0) SuchenStarten(true, true);
    return true;
  }
  ShortCutEnabling();
  return false;
}

// ---- helpers ----

bool TForm1::MarkierteMitGelesen(bool AGelesenS) const {
  // Stops at the first one: a menu opening over a million marked rows stays quick.
  const int count = std::min(ListView1.ItemCount(), Daten.Count());
  auto has = [&](int row) { return Daten.Liste[static_cast<size_t>(row)].GelesenS == AGelesenS; };
  if (count > 0 && ListView1.SelCount() == count) {
    for (int row = 0; row < count; ++row) {
      if (has(row)) return true;
    }
    return false;
  }
  for (int row = ListView1.NextSelected(-1); row >= 0 && row < count;
       row = ListView1.NextSelected(row)) {
    if (has(row)) return true;
  }
  return false;
}

bool TForm1::EditorZeigen(const std::u16string& ACaption, const TDatenRec* ARec, int AEditIndex) {
  NeuForm->SetText(ACaption);
  NeuForm->SchriftartZuweisen();
  if (ARec) {
    NeuForm->SetNeuDatenRec(*ARec);
  } else {
    NeuForm->ClearText();
  }
  NeuForm->DatenRef = &Daten;
  NeuForm->EditIndex = AEditIndex;
  MerkActiveControl = ActiveControl();
  const bool ok = NeuForm->ShowModal() == winui::mrOk;
  SetActiveControl();
  return ok;
}

void TForm1::EintragHinzufuegen(const TDatenRec& ARec) {
  SetUndoDaten();
  SetLvDaten(EintragEinfuegen(ARec));
}

// ---- the commands ----

void TForm1::MenuAktNeuClick() {
  FocusList();
  if (!EditorZeigen(u"Neuer Eintrag", nullptr, -1)) return;
  EintragHinzufuegen(NeuForm->GetNeuDatenRec());
}

void TForm1::MenuAktBearbeitenClick() {
  const int index = ItemIndex();
  if (index < 0 || index >= Daten.Count()) return;
  FocusList();
  const TDatenRec old = Daten.Liste[static_cast<size_t>(index)];
  if (!EditorZeigen(u"Eintrag bearbeiten", &old, index)) return;
  const TDatenRec rec = NeuForm->GetNeuDatenRec();
  if (TDaten::Ident(rec, old)) return;  // nothing changed: no undo step
  SetUndoDaten();
  SetLvDaten(EintragErsetzen(index, rec));
}

void TForm1::MenuAktDuplizierenClick() {
  const int index = ItemIndex();
  if (index < 0 || index >= Daten.Count()) return;
  FocusList();
  const TDatenRec source = Daten.Liste[static_cast<size_t>(index)];
  if (!EditorZeigen(u"Eintrag duplizieren", &source, -1)) return;
  EintragHinzufuegen(NeuForm->GetNeuDatenRec());
}

void TForm1::MenuAktAlleMarkierenClick() {
  if (Daten.Count() == 0) return;
  FocusList();
  AlleMarkieren();
  if (ItemIndex() < 0) ListView1.SetItemFocused(0);
  ListView1.MakeVisible(ItemIndex());
  Timer0Timer();
}

void TForm1::MenuAktLoeschenClick(bool AFragenS) {
  const int marked = ListView1.SelCount();
  if (marked == 0) return;
  FocusList();
  if (AFragenS && winui::MessageDlg(LoeschenFrage(marked), winui::TMsgKind::Confirmation,
                                    winui::mbYes | winui::mbNo) != winui::mrYes) {
    return;
  }
  const std::vector<int> rows = MarkierteZeilen();
  const int focused = ItemIndex();
  SetUndoDaten();
  EintraegeLoeschen(rows);
  SetLvDaten(ZeileNachLoeschen(rows, focused, Daten.Count()));
}

void TForm1::MenuAktKopierenClick(int ATag) {
  if (ListView1.SelCount() == 0) return;
  FocusList();
  CopyS = ATag == 2;
  CopyDaten = MarkierunginDaten();
  if (ATag == 1) MenuAktLoeschenClick(false);
}

void TForm1::MenuAktEinfuegenClick() {
  if (CopyDaten.Count() == 0) return;
  FocusList();
  const TListe neue = Daten.ImportNeue(CopyDaten, true, true);
  const bool added = !neue.empty();
  if (added) {
    SetUndoDaten();
    EintraegeEinfuegen(neue);
    SetLvDaten(-1);
  }
  MarkiereDaten(CopyDaten);
  // Cut entries come back once; copied ones as often as they are pasted.
  if (added && !CopyS) CopyDaten.Clear();
}

void TForm1::MenuAktGelesenClick(int ATag) {
  if (ListView1.SelCount() == 0) return;
  const bool gelesen = ATag == 1;
  if (!MarkierteMitGelesen(!gelesen)) return;  // every marked entry is so already
  const std::vector<int> rows = MarkierteZeilen();
  TDaten copies = MarkierunginDaten();
  SetUndoDaten();
  for (TDatenRec& rec : copies.Liste) rec.GelesenS = gelesen;
  EintraegeErsetzen(rows, copies.Liste);
  SetLvDaten(-1);
  MarkiereDaten(copies);
}

void TForm1::Timer1Timer() {
  Timer1.SetEnabled(false);
  if (IsClosing || Daten.Count() > 0) return;
  if (winui::MessageDlg(std::u16string(kErsterEintragFrage), winui::TMsgKind::Confirmation,
                        winui::mbYes | winui::mbNo) == winui::mrYes) {
    MenuAktNeuClick();
  }
}

}  // namespace tvn
