// TForm1, the main window: owns the current entry list, its saved state, the undo
// history and the recent files; shows the entries in an on-demand list with a two-panel
// status line and three buttons below it. The program entry creates it
// (TForm1 form(arguments); form.Create(); form.Show()) and runs the message loop.
// The commands of later steps attach to the menu items and buttons declared here.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/DatenC.h"
#include "data/UndoDaten.h"
#include "layout/TvnLayout.h"
#include "mainwindow/KxHistory.h"
#include "platform/Platform.h"
#include "screenreader/ScreenReaderOutput.h"
#include "startup/CommandChannel.h"
#include "winui/Form.h"
#include "winui/ListView.h"
#include "winui/Prompt.h"
#include "winui/StatusBar.h"
#include "winui/Timer.h"

namespace tvn {

class TNeuForm;
class TReAnsichtForm;
class TSuchenForm;

class TForm1 : public winui::TMainForm, public ICommandChannelHost {
 public:
  // AArguments: the program's arguments without the program name; the first one that is
  // not blank is the start-up file.
  explicit TForm1(std::vector<std::u16string> AArguments =
                      platform::CommandLineArguments(0, nullptr));
  ~TForm1() override;

  // ---- properties ----
  int ItemIndex() const;  // focused row, -1 when none
  void SetItemIndex(int v);
  TSortNr SortNr() const { return FSortNr; }
  void SetSortNr(TSortNr ASortNr);  // re-sorts
  bool SortAufS() const { return FSortAufS; }
  void SetSortAufS(bool ASortAufS);  // re-sorts
  bool DetailNamenS() const;
  void SetDetailNamenS(bool ADetailNamenS);
  const std::u16string& Filename() const { return FFilename; }
  // A file, a folder or empty: caption, recent files.
  void SetFilename(const std::u16string& v);
  std::u16string StatusZeile() const;
  void SetStatusZeile(int position);
  const std::u16string& StatusText() const { return FStatusHinweise; }
  void SetStatusText(const std::u16string& AText);
  const std::u16string& IniFilename() const { return FIniFilename; }

  // ---- the list ----
  void SetLvDaten(int ANr);
  void NeuSortieren();
  void SortierungAnzeigen();
  // Copies of the marked entries in list order, without a name.
  TDaten MarkierunginDaten() const;
  // The same from the marked rows (MarkierteZeilen) already taken: walking the marks of
  // a million rows costs a fifth of a second under Wine.
  TDaten MarkierunginDaten(const std::vector<int>& AMarkierteZeilen) const;
  // Marks the entries of Daten that occur in ADaten (as often as they occur there); the
  // first marked row gets the focus.
  void MarkiereDaten(const TDaten& ADaten);
  // Marks every row at once (drawing suspended, so a million rows stay quick).
  void AlleMarkieren();
  int MinSpaltenBreite() const;
  void CreateListView();
  void SpaltenBreitenPruefen();

  // ---- window ----
  void CaptionZuweisen();
  void SchriftartZuweisen();
  void SchalterEinrichten();
  void StatusZeileEinrichten();
  void HinweiseSetzen();
  using TMainForm::SetActiveControl;
  // Gives the focus back to MerkActiveControl.
  void SetActiveControl();
  void Timer0Timer();
  void Timer1Timer();
  // Size limits and size of the window within the work area of its monitor.
  void FensterGroesseSetzen(int AWidth, int AHeight, int AMinWidth, int AMinHeight,
                            int AMaxWidth, int AMaxHeight);
  int NormalWidth() const { return FNormalWidth; }
  int NormalHeight() const { return FNormalHeight; }
  winui::TWindowState LastWindowState() const { return FLastWindowState; }

  // ---- changing entries ----
  // The commands change Daten through these, right after SetUndoDaten, so that the undo
  // step holds only what changed. Daten stays in the order SortNr/SortAufS gives, exactly
  // as a full sort would leave it; the list view is not touched (SetLvDaten or
  // MarkiereDaten afterwards). Rows are indices into Daten.
  // Adds the entry at its sorted place; returns its row as FindDatenRecNr finds it.
  int EintragEinfuegen(const TDatenRec& ADatenRec);
  // Replaces the entry of row ANr and moves it to its sorted place; returns its row as
  // FindDatenRecNr finds it, -1 when ANr is no row.
  int EintragErsetzen(int ANr, const TDatenRec& ADatenRec);
  // Adds several entries (paste, import) at their sorted places.
  void EintraegeEinfuegen(const TListe& AListe);
  // Row ANrn[k] becomes AListe[k] (mark as read); then everything is in order again.
  void EintraegeErsetzen(const std::vector<int>& ANrn, const TListe& AListe);
  // Drops the entries of the given rows (ascending, each once); the others keep their order.
  void EintraegeLoeschen(const std::vector<int>& ANrn);
  // The marked rows, ascending.
  std::vector<int> MarkierteZeilen() const;

  // ---- undo ----
  void SetUndoDaten();
  // The same with the marked rows already taken (MarkierteZeilen), when the command needs
  // them itself (delete, mark as read): one walk over the marks instead of two.
  void SetUndoDaten(const std::vector<int>& AMarkierteZeilen);
  void MenuAktZurueckClick();

  // ---- entry commands ----
  void MenuAktNeuClick();
  // Details: the marked entries in the viewer.
  void Button2Click();
  // The details of the marked entries in list order; empty when none is marked.
  std::u16string GetDetailsText() const;
  void MenuAktBearbeitenClick();
  void MenuAktDuplizierenClick();
  void MenuAktAlleMarkierenClick();
  // ATag 2: copy, 1: cut.
  void MenuAktKopierenClick(int ATag);
  void MenuAktEinfuegenClick();
  // AFragenS: the user's command asks first; cut deletes without a question.
  void MenuAktLoeschenClick(bool AFragenS = true);
  // ATag 1: read, 2: not read.
  void MenuAktGelesenClick(int ATag);
  // The enabling of "A&ktionen" and the context menu; AMenuGeoeffnetS: a menu opens (the
  // read commands then look at the marked entries).
  void AktionenEnablingSetzen(bool AMenuGeoeffnetS);

  // ---- search ----
  void MenuSuchenSuchenClick();
  void MenuSuchenWeiterClick();
  // WeiterS: start one entry beyond the focused one; RueckwaertsS: backward whatever the
  // dialog says. A hit becomes the only marked and focused row; running off an end says so.
  void SuchenStarten(bool WeiterS, bool RueckwaertsS);
  // The enabling of "&Suchen": the menu opens, or a shortcut key is looked up.
  void SuchenEnablingSetzen();

  // ---- import and export ----
  void MenuDateiImportClick();
  void MenuAktExportClick();

  // ---- files ----
  bool Oeffne(const std::u16string& AFilename) override;
  bool Lade(const std::u16string& AFilename);
  bool Speichern(bool SpeichernUnterS);
  bool HatAenderungen() const;
  // The question about unsaved changes; true: go on.
  bool AenderungenPruefen();
  void MenuDateiOeffnenClick();
  void MenuDateiSpeichernClick();
  void MenuDateiSpeichernUnterClick();
  void MenuDateiCloseClick();
  void MenuDateiBeendenClick() override;
  // Load (true) or save (false) the settings file.
  void EinstellungenLadenSpeichern(bool LadenS);

  // ---- recent files ----
  void SetHistoryMenuList();
  void HistoryItemsEntfernen();
  void HistoryItemClick(int AIndex);
  // The recent-file items of the file menu as they are now.
  const std::vector<std::unique_ptr<winui::TMenuItem>>& HistoryMenuItems() const {
    return FHistoryItems;
  }

  // ---- command channel (ICommandChannelHost) ----
  HWND MainWindowHandle() const override { return Handle(); }
  bool Started() const override { return FStarted; }
  bool Loading() const override { return FLoading; }
  bool Closing() const override { return IsClosing; }
  void StopTimer1() override { Timer1.SetEnabled(false); }
  TCommandChannel& Channel() { return *FChannel; }

  // ---- fields other parts of the program use ----
  // The entry editor, made once at creation.
  std::unique_ptr<TNeuForm> NeuForm;
  // The details viewer, made once at creation.
  std::unique_ptr<TReAnsichtForm> ReAnsichtForm;
  // The search dialog, made once: its controls keep the settings between searches.
  std::unique_ptr<TSuchenForm> SuchenForm;
  bool IsClosing = false;
  winui::TControl* MerkActiveControl = nullptr;
  TDaten CopyDaten;
  bool CopyS = true;
  TDaten Daten;
  THistoryMenuList HistoryMenuList;
  // The list as last loaded or saved, built from FSaveStand when asked for.
  const TDaten& SaveDaten();
  bool SchonGesuchtS = false;
  TUndoDaten UndoDaten;

  // ---- controls ----
  winui::TListView ListView1{this};
  winui::TButton Button1{this};
  winui::TButton Button2{this};
  winui::TButton Button3{this};
  winui::TStatusBar StatusBar1{this};
  winui::TMainMenu MainMenu1;
  winui::TPopupMenu PuMenu1;
  winui::TTimer Timer0{25};
  winui::TTimer Timer1{25};
  winui::TFileDialog OpenDialog1, OpenDialog2, SaveDialog1, SaveDialog2;

  winui::TMenuItem MenuDatei{u"&Datei"};
  winui::TMenuItem MenuDateiOeffnen{u"Ö&ffnen...", {'O', winui::ssCtrl}};
  winui::TMenuItem MenuDateiSpeichern{u"&Speichern", {'S', winui::ssCtrl}};
  winui::TMenuItem MenuDateiSpeichernUnter{u"Speichern &unter...", {'U', winui::ssCtrl}};
  winui::TMenuItem MenuDateiImport{u"&Importieren...", {'I', winui::ssCtrl}};
  winui::TMenuItem MenuDateiClose{u"S&chließen", {VK_F4, winui::ssCtrl}};
  winui::TMenuItem MenuDateiStrich{u"-"};
  winui::TMenuItem MenuDateiBeenden{u"&Beenden", {VK_F4, winui::ssAlt}};
  winui::TMenuItem MenuAktionen{u"A&ktionen"};
  // The items of "A&ktionen" and their twins in the context menu PuMenu1; captions,
  // shortcuts and tags come from one table (HauptAktionen.cpp).
  winui::TMenuItem MenuAktNeu, PuNeu;
  winui::TMenuItem MenuAktDetails, PuDetails;
  winui::TMenuItem MenuAktBearbeiten, PuBearbeiten;
  winui::TMenuItem MenuAktDuplizieren, PuDuplizieren;
  winui::TMenuItem MenuAktZurueck, PuZurueck;
  winui::TMenuItem MenuAktAlleMarkieren, PuAlleMarkieren;
  winui::TMenuItem MenuAktEinfuegen, PuEinfuegen;
  winui::TMenuItem MenuAktKopieren, PuKopieren;
  winui::TMenuItem MenuAktAusschneiden, PuAusschneiden;
  winui::TMenuItem MenuAktLoeschen, PuLoeschen;
  winui::TMenuItem MenuAktExport, PuExport;
  winui::TMenuItem MenuAktGelesen, PuGelesen;
  winui::TMenuItem MenuAktNichtGelesen, PuNichtGelesen;
  winui::TMenuItem MenuSuchen{u"&Suchen"};
  winui::TMenuItem MenuSuchenSuchen{u"&Suchen...", {'F', winui::ssCtrl}};
  winui::TMenuItem MenuSuchenWeiter{u"&Weitersuchen", {VK_F3, 0}};
  winui::TMenuItem MenuSortieren{u"S&ortieren"};
  std::array<winui::TMenuItem, kSortNrCount> MenuSortNr;
  winui::TMenuItem MenuSortStrich{u"-"};
  winui::TMenuItem MenuSortAuf{u"Au&fsteigend"};
  winui::TMenuItem MenuSortAb{u"A&bsteigend"};
  winui::TMenuItem MenuAnsicht{u"&Ansicht"};
  winui::TMenuItem MenuAnsichtDetail{u"&Detailbeschriftung"};
  // Hidden until the font dialog attaches.
  winui::TMenuItem MenuAnsichtSchrift{u"&Schrifteinstellungen..."};
  // Hidden until the help commands attach.
  winui::TMenuItem MenuHilfe{u"&Hilfe"};

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormCloseQuery(bool& CanClose) override;
  void FormClose() override;
  void FormResize() override;
  void FormQueryEndSession(bool& CanEnd) override;
  void FormEndSession(bool Ending) override;

 private:
  void BuildMenus();
  void BuildAktionen();
  void BuildSuchen();
  void SetupFileDialogs();
  void SetupListView();
  void SetupStatusBar();
  void ListView1ColumnClick(int column);
  void ListView1Enter();
  void StatusBar1DrawPanel(HDC dc, int panel, const RECT& rect);
  void MenuDateiClick();
  void MenuAktionenClick();
  // Whether some marked entry has GelesenS == AGelesenS.
  bool MarkierteMitGelesen(bool AGelesenS) const;
  // Shows the entry editor with a caption, filled from ARec (or empty); true on OK.
  bool EditorZeigen(const std::u16string& ACaption, const TDatenRec* ARec, int AEditIndex);
  // Records an undo step, adds ARec, sorts and makes it the focused and only marked row.
  void EintragHinzufuegen(const TDatenRec& ARec);
  // The writing step of the export with its reports.
  void WriteExportFile(const std::u16string& AFilename, const TDaten& AMarked, bool AssignS,
                       bool TxtS);
  void MenuAnsichtDetailClick();
  // The enabling a shortcut key finds: Save always, the others as in their menus.
  void ShortCutEnabling();
  // Every key press before the shortcuts are looked up; true: the key is consumed.
  bool ShortCutPruefen(winui::TShortCut AKey);
  void FocusList();
  void UnmarkAll();
  void SetSortierung(TSortNr ASortNr, bool ASortAufS);
  // After a load or save: the saved state is Daten as it is now.
  void SaveDatenIstDaten();
  // The undo step before Daten is replaced as a whole: the old lists move into it.
  void SetUndoDatenVorErsetzen();
  // The row of the entry as FindDatenRecNr finds it, in the sorted list by binary search.
  int ZeileVon(const TDatenRec& ADatenRec) const;
  // The rows MarkiereDaten marks, found by binary search; none when one is missing.
  std::optional<std::vector<int>> ZeilenImSortiertenFinden(const TDaten& ADaten) const;
  // Marks exactly these rows (ascending) and focuses the first.
  void ZeilenMarkieren(const std::vector<int>& rows);

  std::vector<std::u16string> FArguments;
  std::array<int, kSortNrCount> FColumnWidths;
  bool FStarted = false;
  std::u16string FIniFilename;
  std::u16string FStatusHinweise;
  bool FLoading = false;
  bool FLayout = false;
  std::unique_ptr<TButtonScrollBox> FButtonArea;
  int FNormalWidth = 0, FNormalHeight = 0;
  winui::TWindowState FLastWindowState = winui::TWindowState::Maximized;
  std::u16string FFilename;
  // The saved state as what Daten holds more and fewer than it: Daten reports every change
  // to the undo history, which keeps this up to date, so neither a load nor a change
  // copies a million entries for it.
  TSaveStand FSaveStand;
  TDaten FSaveDaten;  // SaveDaten() built from it
  TSortNr FSortNr = snAutor;
  bool FSortAufS = true;
  std::unique_ptr<TCommandChannel> FChannel;
  std::unique_ptr<TScreenReaderOutput> FScreenReader;
  std::vector<std::unique_ptr<winui::TMenuItem>> FHistoryItems;
  // Items taken out while one of them runs its click; freed at the next rebuild.
  std::vector<std::unique_ptr<winui::TMenuItem>> FRetiredHistoryItems;
  int FHistoryClickDepth = 0;
  // The unsaved-changes question of a logoff or shutdown is open.
  bool FEndSessionFrage = false;
};

}  // namespace tvn
