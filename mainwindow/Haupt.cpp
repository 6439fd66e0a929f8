// TForm1: creation, first showing, closing, layout, timers and the window caption.
#include "mainwindow/Haupt.h"

#include <ole2.h>

#include <algorithm>
#include <stdexcept>

#include "data/ResConst.h"
#include "dialogs/Neu.h"
#include "dialogs/ReAnsicht.h"
#include "dialogs/Suchen.h"
#include "mainwindow/FensterGroesse.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/KxFolder.h"
#include "mainwindow/StatusZeile.h"
#include "mainwindow/WindowCaption.h"
#include "platform/Utf16.h"
#include "winui/ShutdownBlock.h"
#include "winui/Win32Util.h"

namespace tvn {

namespace {

// Menus show shortcuts with the German key names the status line names too.
std::u16string GermanShortCut(winui::TShortCut key) {
  return ShortCutText(TShortCut{key.Key, key.Modifiers});
}

}  // namespace

TForm1::TForm1(std::vector<std::u16string> AArguments) : FArguments(std::move(AArguments)) {
  FColumnWidths.fill(-1);
  UndoDaten.Protokolliere(&Daten, &FSaveStand);
  winui::SetShortCutFormatter(GermanShortCut);
  BuildMenus();
  SetMenu(&MainMenu1);
}

TForm1::~TForm1() {
  IsClosing = true;
  UndoDaten.Protokolliere(nullptr, nullptr);
  // Nothing may ask for rows or draw panels of a form that is going away.
  StatusBar1.OnDrawPanel = nullptr;
  ListView1.OnData = nullptr;
  ListView1.OnDataFind = nullptr;
  ListView1.SetItemCount(0);
  Timer0.SetEnabled(false);
  Timer1.SetEnabled(false);
  DestroyHandle();
  FHistoryItems.clear();
  FRetiredHistoryItems.clear();
  FChannel.reset();
  NeuForm.reset();
  ReAnsichtForm.reset();
  SuchenForm.reset();
  if (FScreenReader && ProgramScreenReader() == FScreenReader.get())
    SetProgramScreenReader(nullptr);
  FScreenReader.reset();
}

void TForm1::BuildMenus() {
  MainMenu1.Items.Add(MenuDatei);
  for (winui::TMenuItem* item :
       {&MenuDateiOeffnen, &MenuDateiSpeichern, &MenuDateiSpeichernUnter, &MenuDateiImport,
        &MenuDateiClose, &MenuDateiStrich, &MenuDateiBeenden}) {
    MenuDatei.Add(*item);
  }
  MenuDatei.OnPopup = [this] { MenuDateiClick(); };
  MenuDateiOeffnen.OnClick = [this] { MenuDateiOeffnenClick(); };
  MenuDateiSpeichern.OnClick = [this] { MenuDateiSpeichernClick(); };
  MenuDateiSpeichernUnter.OnClick = [this] { MenuDateiSpeichernUnterClick(); };
  MenuDateiImport.OnClick = [this] { MenuDateiImportClick(); };
  MenuDateiClose.OnClick = [this] { MenuDateiCloseClick(); };
  MenuDateiBeenden.OnClick = [this] { MenuDateiBeendenClick(); };

  MainMenu1.Items.Add(MenuAktionen);
  BuildAktionen();

  MainMenu1.Items.Add(MenuSuchen);
  BuildSuchen();

  MainMenu1.Items.Add(MenuSortieren);
  static constexpr std::array<std::u16string_view, kSortNrCount> kSortCaptions = {
      u"&Autor",     u"&Titel",    u"&Katalognummer", u"&Quelle",  u"&Gelesen",
      u"Be&wertung", u"&Erhalten", u"&Retourniert",   u"Er&stellt"};
  for (int i = 0; i < kSortNrCount; ++i) {
    winui::TMenuItem& item = MenuSortNr[static_cast<size_t>(i)];
    item.SetCaption(std::u16string(kSortCaptions[static_cast<size_t>(i)]));
    item.SetRadioItem(true);
    item.Tag = i;
    item.OnClick = [this, i] { SetSortNr(static_cast<TSortNr>(i)); };
    MenuSortieren.Add(item);
  }
  MenuSortieren.Add(MenuSortStrich);
  MenuSortAuf.SetRadioItem(true);
  MenuSortAuf.Tag = 0;
  MenuSortAuf.OnClick = [this] { SetSortAufS(true); };
  MenuSortAb.SetRadioItem(true);
  MenuSortAb.Tag = 1;
  MenuSortAb.OnClick = [this] { SetSortAufS(false); };
  MenuSortieren.Add(MenuSortAuf);
  MenuSortieren.Add(MenuSortAb);

  MainMenu1.Items.Add(MenuAnsicht);
  MenuAnsicht.Add(MenuAnsichtDetail);
  MenuAnsicht.Add(MenuAnsichtSchrift);
  MenuAnsichtDetail.SetChecked(true);
  MenuAnsichtDetail.OnClick = [this] { MenuAnsichtDetailClick(); };
  MenuAnsichtSchrift.SetVisible(false);

  MainMenu1.Items.Add(MenuHilfe);
  MenuHilfe.SetVisible(false);

  OnBeforeShortCut = [this](winui::TShortCut key) { return ShortCutPruefen(key); };
}

void TForm1::FormCreate() {
  IsClosing = false;
  FChannel = std::make_unique<TCommandChannel>(*this, FArguments);
  FChannel->InstallMessageHandlers(*this);

  const std::u16string appData = GetSpecialFolderPath(kCsidlAppData);
  if (appData.empty()) {
    throw std::runtime_error(
        ToUtf8(u"Der Ordner für die Benutzereinstellungen ist nicht verfügbar."));
  }
  FIniFilename = appData + u"Tavorin\\Tavorin.ini";

  FensterGroesseSetzen(1200, 900, 1000, 700, 0, 0);
  FNormalWidth = Width();
  FNormalHeight = Height();
  FLastWindowState = winui::TWindowState::Maximized;

  winui::AktFont = winui::TFont{};
  winui::AktFont.Name = u"Arial";
  winui::AktFont.Size = 12;
  winui::AktFont.Color = winui::clBlack;
  winui::AktFont.Bold = false;
  winui::AktBackColor = winui::clWhite;

  NeuForm = std::make_unique<TNeuForm>(this);
  NeuForm->Create();
  ReAnsichtForm = std::make_unique<TReAnsichtForm>(this);
  ReAnsichtForm->Create();
  SuchenForm = std::make_unique<TSuchenForm>(this);
  SuchenForm->Create();

  UndoDaten.SetMaxLen(9);
  HistoryMenuList.EscapeAmpersand = true;
  HistoryMenuList.ShowFullPath = true;
  HistoryMenuList.SetMaxLen(5);

  CaptionZuweisen();
  SetFilename(u"");
  FSortNr = snAutor;
  FSortAufS = true;
  SchonGesuchtS = false;

  SetupFileDialogs();
  SetupStatusBar();
  SetupListView();
  SetItemIndex(0);

  Timer0.OnTimer = [this] { Timer0Timer(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };

  FScreenReader = std::make_unique<TScreenReaderOutput>();
  FScreenReader->Load();
  SetProgramScreenReader(FScreenReader.get());
}

void TForm1::FormShow() {
  if (FStarted) return;
  FStarted = true;
  FLoading = true;
  try {
    EinstellungenLadenSpeichern(true);
  } catch (...) {
    FLoading = false;
    throw;
  }
  FLoading = false;
  SchriftartZuweisen();
  Timer0.SetEnabled(true);
  CreateListView();
  SetLvDaten(0);
  SetHistoryMenuList();
  Timer0Timer();
  if (FChannel->StartupFilename().empty() && ItemIndex() == -1) Timer1.SetEnabled(true);
  FChannel->HandOnStartupFile();
}

// Once closed (or the session ended) nothing is asked again.
void TForm1::FormCloseQuery(bool& CanClose) {
  CanClose = IsClosing || AenderungenPruefen();
}

void TForm1::FormClose() {
  EinstellungenLadenSpeichern(false);
  IsClosing = true;
  FChannel->ClearPendingFilename();
  Timer0.SetEnabled(false);
  Timer1.SetEnabled(false);
  // What the program put on the clipboard stays there after it ends.
  OleFlushClipboard();
}

void TForm1::MenuDateiBeendenClick() {
  Close();
}

void TForm1::FormQueryEndSession(bool& CanEnd) {
  if (IsClosing || !HatAenderungen()) return;
  // A second logoff while the question is open waits for its answer.
  if (FEndSessionFrage) {
    CanEnd = false;
    return;
  }
  const winui::TShutdownBlock block(Handle(), std::u16string(kEndSessionGrund));
  FEndSessionFrage = true;
  try {
    CanEnd = AenderungenPruefen();
  } catch (...) {
    FEndSessionFrage = false;
    throw;
  }
  FEndSessionFrage = false;
}

void TForm1::FormEndSession(bool Ending) {
  // The closing steps without the question, which the session's end has answered.
  if (Ending && !IsClosing) FormClose();
}

void TForm1::EinstellungenLadenSpeichern(bool /*LadenS*/) {
  // The settings file is not kept yet: every start uses the values of creation.
}

void TForm1::FormResize() {
  if (IsClosing || FLoading || !FStarted || FLayout || !IsShown()) return;
  switch (WindowState()) {
    case winui::TWindowState::Normal:
      FLastWindowState = winui::TWindowState::Normal;
      FNormalWidth = Width();
      FNormalHeight = Height();
      break;
    case winui::TWindowState::Maximized:
      FLastWindowState = winui::TWindowState::Maximized;
      break;
    case winui::TWindowState::Minimized:
      return;
  }
  SchalterEinrichten();
}

void TForm1::FensterGroesseSetzen(int AWidth, int AHeight, int AMinWidth, int AMinHeight,
                                  int AMaxWidth, int AMaxHeight) {
  const RECT work = winui::MonitorWorkArea(HandleAllocated() ? Handle() : nullptr);
  const TFensterGroesse g =
      FensterGroesseBerechnen(AWidth, AHeight, AMinWidth, AMinHeight, AMaxWidth, AMaxHeight,
                              work.right - work.left, work.bottom - work.top);
  SetSizeLimits(g.MinWidth, g.MinHeight, g.MaxWidth, g.MaxHeight);
  SetBounds(Left(), Top(), g.Width, g.Height);
}

void TForm1::CaptionZuweisen() {
  Button1.SetCaption(u"Neu");
  Button2.SetCaption(u"Details");
  Button2.SetDefault(true);
  Button3.SetCaption(u"Bearbeiten");
}

void TForm1::SetFilename(const std::u16string& v) {
  const TFilenameWechsel wechsel = FilenameSetzen(v, FFilename, ProgramFolder());
  FFilename = wechsel.Filename;
  if (wechsel.AddToHistory) HistoryMenuList.AddString(v, true);
  SetCaption(FensterCaption(wechsel.ShownName));
}

void TForm1::SchriftartZuweisen() {
  for (winui::TControl* c : std::initializer_list<winui::TControl*>{&ListView1, &StatusBar1}) {
    c->SetFont(winui::AktFont);
    c->SetColor(winui::AktBackColor);
  }
  // Buttons keep the system's button colours.
  for (winui::TButton* b : {&Button1, &Button2, &Button3}) b->SetFont(winui::AktFont);
  SchalterEinrichten();
  SpaltenBreitenPruefen();
  SortierungAnzeigen();
}

void TForm1::SchalterEinrichten() {
  if (FLayout) return;
  FLayout = true;
  try {
    StatusZeileEinrichten();
    const int bottom = ClientHeight() - StatusBar1.Height() - 10;
    const int areaTop =
        ArrangeButtonArea(*this, FButtonArea, {&Button1, &Button2, &Button3}, 10, bottom);
    ListView1.SetBounds(10, 10, std::max(ClientWidth() - 20, 1), std::max(areaTop - 20, 1));
  } catch (...) {
    FLayout = false;
    throw;
  }
  FLayout = false;
}

void TForm1::SetActiveControl() {
  TCustomForm::SetActiveControl(nullptr);
  if (MerkActiveControl && MerkActiveControl->Showing() && MerkActiveControl->CanFocus()) {
    TCustomForm::SetActiveControl(MerkActiveControl);
  }
}

void TForm1::FocusList() {
  if (ListView1.CanFocus()) ListView1.SetFocus();
}

void TForm1::Timer0Timer() {
  if (IsClosing) return;
  SetStatusZeile(ItemIndex() + 1);
  HinweiseSetzen();
  Button2.SetEnabled(ListView1.SelCount() > 0);
  Button3.SetEnabled(ItemIndex() >= 0);
}

void TForm1::ListView1Enter() {
  if (!IsClosing) OutputLabel(u"Hörbuchliste:");
}

bool TForm1::DetailNamenS() const {
  return MenuAnsichtDetail.Checked();
}

void TForm1::SetDetailNamenS(bool ADetailNamenS) {
  MenuAnsichtDetail.SetChecked(ADetailNamenS);
}

void TForm1::MenuAnsichtDetailClick() {
  SetDetailNamenS(!DetailNamenS());
  EinstellungenLadenSpeichern(false);
}

}  // namespace tvn
