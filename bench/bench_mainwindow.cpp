// The main window with a large list, measured as a user meets it (Windows build, run under
// Wine or on Windows; prints figures, asserts nothing):
//   bench_mainwindow [entries]        opening, first rows, marking, re-sorting, changing
//                                     entries and undoing, memory of undo steps
//   bench_mainwindow --show SIZE COUNT [SECONDS] shows COUNT entries in a SIZE-point font
//                                     until the window closes, or SECONDS have passed
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/BenchData.h"
#include "layout/KxDatePicker.h"
#include "mainwindow/Haupt.h"
#include "platform/Utf16.h"
#include "winui/Prompt.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <class F>
double Measure(F&& f) {
  const auto start = Clock::now();
  f();
  return MsSince(start);
}

std::u16string TempFile(const char16_t* name) {
  std::u16string folder = std::filesystem::temp_directory_path().u16string();
  if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
  return folder + name;
}

// Answers every question with Yes, as a user confirming the undo would.
class YesPrompt : public winui::IPrompt {
 public:
  winui::TModalResult ShowMessageBox(const winui::TMessageRequest&) override {
    return winui::mrYes;
  }
  bool FileDialog(winui::TFileDialog&) override { return false; }
  bool PrintDialog(HDC&) override { return false; }
  bool PrinterInstalled() override { return false; }
  bool ShellOpen(const winui::TShellRequest&) override { return false; }
};

// Memory the process has committed (Wine reports no private bytes).
double CommittedMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

// The entry commands as they run after the editor's OK or the delete question, each
// until the row is shown; the undo command after its question.
void BenchChanges(tvn::TForm1& form) {
  YesPrompt yes;
  winui::SetPrompt(&yes);
  HWND list = form.ListView1.Handle();
  const int middle = form.Daten.Count() / 2;
  form.SetItemIndex(middle);
  // A new title puts the entry at the far end of the list sorted by title.
  tvn::TDatenRec edited = form.Daten.Liste[static_cast<size_t>(middle)];
  edited.Titel = u"Zz am Ende";
  std::printf("  edit one entry, OK until its row is shown: %7.1f ms\n", Measure([&] {
                form.SetUndoDaten();
                form.SetLvDaten(form.EintragErsetzen(middle, edited));
                UpdateWindow(list);
              }));
  std::printf("  undo that edit (after the question):       %7.1f ms\n", Measure([&] {
                form.MenuAktZurueckClick();
                UpdateWindow(list);
              }));
  tvn::TDatenRec added = edited;
  added.Titel = u"Neu in der Mitte";
  std::printf("  new entry, OK until its row is shown:      %7.1f ms\n", Measure([&] {
                form.SetUndoDaten();
                form.SetLvDaten(form.EintragEinfuegen(added));
                UpdateWindow(list);
              }));
  std::printf("  undo the new entry:                        %7.1f ms\n", Measure([&] {
                form.MenuAktZurueckClick();
                UpdateWindow(list);
              }));

  constexpr int kMarked = 1000;
  const int spacing = std::max(1, form.Daten.Count() / kMarked);
  form.ListView1.BeginUpdate();
  form.SetItemIndex(-1);
  for (int k = 0; k < kMarked && k * spacing < form.Daten.Count(); ++k) {
    form.ListView1.SetItemSelected(k * spacing, true);
  }
  form.ListView1.SetItemFocused(kMarked / 2 * spacing);
  form.ListView1.EndUpdate();
  std::printf("  delete %d marked entries, until shown:   %7.1f ms\n", kMarked, Measure([&] {
                const std::vector<int> rows = form.MarkierteZeilen();
                const int focused = form.ItemIndex();
                int next = std::max(focused, 0);
                for (int row : rows) next -= row < focused ? 1 : 0;
                form.SetUndoDaten(rows);
                form.EintraegeLoeschen(rows);
                form.SetLvDaten(std::min(next, form.Daten.Count() - 1));
                UpdateWindow(list);
              }));
  std::printf("  undo the delete (marks restored):          %7.1f ms\n", Measure([&] {
                form.MenuAktZurueckClick();
                UpdateWindow(list);
              }));

  // Memory: nine undo steps of one edited entry each, against one more copy of the list.
  const double beforeSteps = CommittedMegabytes();
  for (int k = 0; k < 9; ++k) {
    const int row = (k + 1) * form.Daten.Count() / 10;
    tvn::TDatenRec changed = form.Daten.Liste[static_cast<size_t>(row)];
    changed.Infos += u" (geändert)";
    form.SetItemIndex(row);
    form.SetUndoDaten();
    form.SetLvDaten(form.EintragErsetzen(row, changed));
  }
  const double steps = CommittedMegabytes() - beforeSteps;
  const double beforeCopy = CommittedMegabytes();
  tvn::TDaten copy = form.Daten;
  const double listAlone = CommittedMegabytes() - beforeCopy;
  std::printf("  memory: the list alone %.1f MB, nine one-entry undo steps %.3f MB: %.4fx\n",
              listAlone, steps, (listAlone + steps) / listAlone);
  winui::SetPrompt(nullptr);
}

int Show(int fontSize, int entries, int seconds) {
  const std::u16string file = TempFile(u"Hoerbuecher.tvd");
  tvn::TDaten daten = tvn::bench::MakeList(static_cast<size_t>(entries));
  if (!daten.SaveToFile(file, false)) {
    std::printf("%s: %s\n", tvn::ToUtf8(file).c_str(), tvn::ToUtf8(daten.LastError()).c_str());
    return 1;
  }
  tvn::TForm1 form(std::vector<std::u16string>{});
  form.Create();
  winui::AktFont.Size = fontSize;
  form.Show();
  form.Oeffne(file);
  winui::TTimer closer(static_cast<unsigned>(seconds) * 1000u);
  closer.OnTimer = [&form] { PostMessageW(form.Handle(), WM_CLOSE, 0, 0); };
  closer.SetEnabled(seconds > 0);
  return winui::TMainForm::RunMessageLoop();
}

int Bench(int entries) {
  const std::u16string file = TempFile(u"tvn-bench-mainwindow.tvd");
  {
    tvn::TDaten daten = tvn::bench::MakeList(static_cast<size_t>(entries));
    // Saved as the program saves it: in the order the list was shown.
    daten.Sort(tvn::snAutor, true);
    if (!daten.SaveToFile(file, false)) return 1;
  }
  std::printf("%d entries\n", entries);
  {
    tvn::TDaten daten;
    std::printf("  load alone (TDaten::LoadFromFile):        %8.1f ms\n",
                Measure([&] { daten.LoadFromFile(file, false); }));
    std::printf("  sort alone (by author, already in order): %8.1f ms\n",
                Measure([&] { daten.Sort(tvn::snAutor, true); }));
    std::printf("  sort alone (by title, out of order):      %8.1f ms\n",
                Measure([&] { daten.Sort(tvn::snTitel, true); }));
    tvn::TDaten copy;
    std::printf("  one copy of the list:                     %8.1f ms\n",
                Measure([&] { copy = daten; }));
    std::printf("  identity of two lists (Ident):            %8.1f ms\n",
                Measure([&] { (void)copy.Ident(daten); }));
  }

  tvn::TForm1 form(std::vector<std::u16string>{});
  form.IsMainForm = false;
  form.Create();
  form.Show();
  winui::TMainForm::ProcessMessages();

  const double open = Measure([&] {
    form.Oeffne(file);
    UpdateWindow(form.ListView1.Handle());  // the first rows are drawn now
  });
  std::printf("  open until the first rows are drawn:      %8.1f ms\n", open);
  std::printf("  select all (redrawing suspended):         %8.1f ms\n",
              Measure([&] { form.AlleMarkieren(); }));
  tvn::TDaten marked;
  std::printf("  marked entries copied (MarkierunginDaten): %7.1f ms\n",
              Measure([&] { marked = form.MarkierunginDaten(); }));
  std::printf("  re-sort by title, all marked:             %8.1f ms\n",
              Measure([&] { form.SetSortNr(tvn::snTitel); }));
  std::printf("  marking restored (MarkiereDaten):         %8.1f ms\n",
              Measure([&] { form.MarkiereDaten(marked); }));
  std::printf("  one row current again (ItemIndex := 0):   %8.1f ms\n",
              Measure([&] { form.SetItemIndex(0); }));
  std::printf("  status line and buttons (Timer0):         %8.1f ms\n",
              Measure([&] { form.Timer0Timer(); }));
  BenchChanges(form);
  form.Hide();
  std::filesystem::remove(std::filesystem::path(file));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  tvn::AdjustLocaleNames();
  if (argc >= 4 && std::string(argv[1]) == "--show") {
    return Show(std::atoi(argv[2]), std::atoi(argv[3]), argc >= 5 ? std::atoi(argv[4]) : 0);
  }
  return Bench(argc >= 2 ? std::atoi(argv[1]) : 1000000);
}
