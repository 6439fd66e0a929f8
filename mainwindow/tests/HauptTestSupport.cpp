#include "mainwindow/tests/HauptTestSupport.h"

#include <commctrl.h>

#include <chrono>
#include <thread>

#include "layout/KxDatePicker.h"
#include "platform/Utf16.h"
#include "winui/Win32Util.h"

namespace tvn::test {

void Pump() {
  winui::TMainForm::ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    Pump();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

std::u16string CellText(const winui::TListView& list, int row, int column) {
  wchar_t buffer[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 256;
  const LRESULT n =
      SendMessageW(list.Handle(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return winui::U16(buffer, static_cast<size_t>(n));
}

winui::TSortMark HeaderSortMark(const winui::TListView& list, int column) {
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  SendMessageW(list.HeaderHandle(), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
  if (item.fmt & HDF_SORTUP) return winui::TSortMark::Up;
  if (item.fmt & HDF_SORTDOWN) return winui::TSortMark::Down;
  return winui::TSortMark::None;
}

LRESULT PanelTextLength(const winui::TStatusBar& bar, int panel) {
  return SendMessageW(bar.Handle(), SB_GETTEXTLENGTHW, panel, 0);
}

std::u16string PanelText(const winui::TStatusBar& bar, int panel) {
  std::vector<wchar_t> buffer(static_cast<size_t>(LOWORD(PanelTextLength(bar, panel))) + 1, L'#');
  const LRESULT n =
      SendMessageW(bar.Handle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buffer.data()));
  return winui::U16(buffer.data(), LOWORD(n));
}

TDaten Liste(const std::vector<std::u16string>& autoren) {
  TDaten daten;
  int n = 0;
  for (const std::u16string& autor : autoren) daten.Add(Entry(autor, u"Titel " + IntToText(++n)));
  return daten;
}

void WriteListe(const std::u16string& path, const TDaten& daten) {
  TDaten copy(daten);
  ASSERT_TRUE(copy.SaveToFile(path, false)) << ToUtf8(copy.LastError());
}

std::vector<std::u16string> MarkedAuthors(const TForm1& form) {
  std::vector<std::u16string> authors;
  for (int row = form.ListView1.NextSelected(-1); row >= 0;
       row = form.ListView1.NextSelected(row)) {
    authors.push_back(form.Daten.Liste[static_cast<size_t>(row)].Autor);
  }
  return authors;
}

std::vector<std::u16string> Authors(const TDaten& daten) {
  std::vector<std::u16string> authors;
  for (const TDatenRec& rec : daten.Liste) authors.push_back(rec.Autor);
  return authors;
}

void MainWindowTest::SetUp() {
  TLocaleNames names = ReadLocaleNames(L"de-DE");
  AdjustLocaleNames(names);
  SetProgramLocaleNames(names);
  prompt = std::make_unique<winui::TScriptedPrompt>();
  OpenWindow();
}

void MainWindowTest::TearDown() {
  EXPECT_TRUE(EditorAnswered()) << "the entry editor was expected but did not show";
  FEditorTimer.SetEnabled(false);
  form.reset();
  prompt.reset();
}

void MainWindowTest::OpenWindow(bool AErsterEintragFrage) {
  form.reset();
  form = std::make_unique<TForm1>(std::vector<std::u16string>{});
  form->IsMainForm = false;  // closing must not end the test's message loop
  form->Create();
  form->Show();  // starts the one-shot timer of the question; it has not run yet
  if (!AErsterEintragFrage) form->StopTimer1();
  ASSERT_TRUE(PumpUntil([this] { return form->IsShown(); }));
}

void MainWindowTest::CloseWindow() {
  form->Close();
  Pump();
}

void MainWindowTest::OpenFile(const std::u16string& path) {
  prompt->AnswerFile(path);
  form->MenuDateiOeffnenClick();
}

void MainWindowTest::AddEntry(const std::u16string& autor) {
  form->SetUndoDaten();
  form->Daten.Add(Entry(autor, u"Neu"));
  form->Daten.Sort(form->SortNr(), form->SortAufS());
  form->SetLvDaten(form->Daten.FindDatenRecNr(Entry(autor, u"Neu")));
}

void MainWindowTest::ShowListe(const std::vector<std::u16string>& autoren) {
  form->Daten = Liste(autoren);
  form->Daten.Sort(form->SortNr(), form->SortAufS());
  form->SetLvDaten(0);
}

void MainWindowTest::Mark(const std::vector<int>& rows, int focused) {
  form->ListView1.SetItemSelected(-1, false);
  for (int row : rows) form->ListView1.SetItemSelected(row, true);
  form->ListView1.SetItemFocused(focused);
}

void MainWindowTest::AnswerEditor(std::function<void(TNeuForm&)> AFill, bool AOk) {
  // The timer runs in the editor's modal loop, on this thread.
  FEditorTimer.OnTimer = [this, fill = std::move(AFill), AOk] {
    TNeuForm& editor = *form->NeuForm;
    if (!editor.HandleAllocated() || !IsWindowVisible(editor.Handle())) return;
    FEditorTimer.SetEnabled(false);
    EditorCaption = editor.Caption();
    EditorShown = editor.GetNeuDatenRec();
    if (fill) fill(editor);
    (AOk ? editor.Button1 : editor.Button3).Click();
  };
  FEditorTimer.SetEnabled(true);
}

}  // namespace tvn::test
