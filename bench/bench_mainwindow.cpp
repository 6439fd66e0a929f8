// The main window with a large list, measured as a user meets it (Windows build, run under
// Wine or on Windows; prints figures, asserts nothing):
//   bench_mainwindow [entries]        opening, first rows, marking, re-sorting
//   bench_mainwindow --show SIZE COUNT [SECONDS] shows COUNT entries in a SIZE-point font
//                                     until the window closes, or SECONDS have passed
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/BenchData.h"
#include "layout/KxDatePicker.h"
#include "mainwindow/Haupt.h"
#include "platform/Utf16.h"

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
