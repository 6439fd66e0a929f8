// A shown main window with a scripted prompt, and small readers of what the window shows
// (list cells, header sort marks, status panels as a screen reader asks for them).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/tests/TestData.h"
#include "dialogs/Neu.h"
#include "mainwindow/Haupt.h"
#include "winui/ScriptedPrompt.h"
#include "winui/Timer.h"

namespace tvn::test {

// Pumps messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
void Pump();

std::u16string CellText(const winui::TListView& list, int row, int column);
winui::TSortMark HeaderSortMark(const winui::TListView& list, int column);
// SB_GETTEXTLENGTHW and SB_GETTEXTW, as a screen reader sends them.
LRESULT PanelTextLength(const winui::TStatusBar& bar, int panel);
std::u16string PanelText(const winui::TStatusBar& bar, int panel);

// Entries with the given authors (titles "Titel 1", "Titel 2" ...), saved as a file.
TDaten Liste(const std::vector<std::u16string>& autoren);
void WriteListe(const std::u16string& path, const TDaten& daten);
// The rows that are marked, by their authors.
std::vector<std::u16string> MarkedAuthors(const TForm1& form);
// The authors of a list, in its order.
std::vector<std::u16string> Authors(const TDaten& daten);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A new window in place of the current one. Its question about a first entry comes only
  // when asked for: every other test starts without it.
  void OpenWindow(bool AErsterEintragFrage = false);
  void CloseWindow();
  // Opens a file through the open command.
  void OpenFile(const std::u16string& path);
  // Changes the list as an entry command does: undo step, new entry, reload.
  void AddEntry(const std::u16string& autor);
  // Shows a list of entries with these authors, sorted, without an undo step.
  void ShowListe(const std::vector<std::u16string>& autoren);
  // Marks exactly these rows and focuses one (-1: none).
  void Mark(const std::vector<int>& rows, int focused);

  // Answers the entry editor the next time it shows: AFill runs on the shown dialog (its
  // caption and fields as the command set them up are noted first), then OK or Cancel.
  void AnswerEditor(std::function<void(TNeuForm&)> AFill, bool AOk = true);
  bool EditorAnswered() const { return !FEditorTimer.Enabled(); }
  std::u16string EditorCaption;
  TDatenRec EditorShown;  // the fields when it showed

  TempDir dir;
  std::unique_ptr<winui::TScriptedPrompt> prompt;
  std::unique_ptr<TForm1> form;

 private:
  winui::TTimer FEditorTimer{10};
};

}  // namespace tvn::test
