// Helpers for bench/compare.sh:
//   bench_tool gen COUNT FILE     writes a generated list of COUNT entries
//   bench_tool readcopy FILE      the baseline: read the file into memory, copy it once
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/BenchData.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

int main(int argc, char** argv) {
  tvn::platform::UseLargeHeapPages(argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "gen" && argc == 4) {
    tvn::TDaten d = tvn::bench::MakeList(std::stoul(argv[2]));
    if (d.SaveToFile(tvn::FromUtf8(argv[3]), false)) return 0;
    std::fprintf(stderr, "%s\n", tvn::ToUtf8(d.LastError()).c_str());
    return 1;
  }
  if (mode == "readcopy" && argc == 3) {
    tvn::platform::TFileBuffer buffer;
    std::u16string error;
    if (!buffer.Read(tvn::FromUtf8(argv[2]), error)) return 1;
    const std::string_view bytes = buffer.View();
    std::string copy(bytes.size(), '\0');
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    return copy.empty() ? 0 : copy[copy.size() / 2] == 127;  // keeps the copy observable
  }
  std::fprintf(stderr, "usage: bench_tool gen COUNT FILE | readcopy FILE\n");
  return 2;
}
