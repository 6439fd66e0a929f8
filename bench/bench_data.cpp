// Benchmarks of the data core for 10 000, 100 000 and 1 000 000 entries. The baselines
// (copying the file's bytes, reading the file) run on the same bytes as the operations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include "bench/BenchData.h"
#include "data/DatenC.h"
#include "platform/Platform.h"

namespace tvn::bench {
namespace {

// One generated list and its file per size, made once per run.
struct Fixture {
  TDaten daten;
  std::string bytes;
  std::u16string file;
};

Fixture& Get(size_t count) {
  static std::map<size_t, std::unique_ptr<Fixture>> cache;
  auto& slot = cache[count];
  if (!slot) {
    slot = std::make_unique<Fixture>();
    slot->daten = MakeList(count);
    slot->daten.EncodeBinary(slot->bytes);
    const auto path = std::filesystem::temp_directory_path() /
                      ("tvn-bench-" + std::to_string(count) + ".tvd");
    slot->file = path.u16string();
    slot->daten.SaveToFile(slot->file, false);
  }
  return *slot;
}

void SetBytes(benchmark::State& state, const Fixture& f) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes.size()));
}

void BM_BaselineMemcpy(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  std::string copy(f.bytes.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), f.bytes.data(), f.bytes.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetBytes(state, f);
}

void BM_BaselineReadFile(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  for (auto _ : state) {
    platform::TFileBuffer buffer;
    std::u16string error;
    buffer.Read(f.file, error);
    benchmark::DoNotOptimize(buffer.View().data());
  }
  SetBytes(state, f);
}

void BM_Load(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  for (auto _ : state) {
    auto d = std::make_unique<TDaten>();
    if (!d->LoadFromFile(f.file, false)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(d->Liste.data());
    state.PauseTiming();
    d.reset();  // freeing the list is not loading it
    state.ResumeTiming();
  }
  SetBytes(state, f);
}

void BM_LoadFromMemory(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  for (auto _ : state) {
    auto d = std::make_unique<TDaten>();
    d->LoadFromBytes(f.bytes);
    benchmark::DoNotOptimize(d->Liste.data());
    state.PauseTiming();
    d.reset();
    state.ResumeTiming();
  }
  SetBytes(state, f);
}

void BM_Encode(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  std::string out;
  for (auto _ : state) {
    f.daten.EncodeBinary(out);
    benchmark::DoNotOptimize(out.data());
  }
  SetBytes(state, f);
}

// Whole save: encoding, temporary file, flush to disk, replace.
void BM_Save(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  const std::u16string target = f.file + u".out";
  for (auto _ : state) {
    if (!f.daten.SaveToFile(target, false)) state.SkipWithError("save failed");
  }
  platform::RemoveFile(target);
  SetBytes(state, f);
}

void BM_SaveText(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  const std::u16string target = f.file + u".txt";
  for (auto _ : state) f.daten.SaveToFile(target, true);
  platform::RemoveFile(target);
}

template <TSortNr Column>
void BM_Sort(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  TDaten d;
  for (auto _ : state) {
    state.PauseTiming();
    d = f.daten;  // the old copy is freed while the clock stands
    state.ResumeTiming();
    d.Sort(Column, true);
    benchmark::DoNotOptimize(d.Liste.data());
  }
}

// The reference for list identity: one pass comparing every field, index by index.
void BM_BaselineCompareAllFields(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  const TDaten copy = f.daten;
  for (auto _ : state) {
    bool same = true;
    for (size_t i = 0; i < copy.Liste.size(); ++i) same &= TDaten::Ident(copy.Liste[i], f.daten.Liste[i]);
    benchmark::DoNotOptimize(same);
  }
}

void BM_IdentInOrder(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  const TDaten copy = f.daten;
  for (auto _ : state) {
    if (!copy.Ident(f.daten)) state.SkipWithError("lists differ");
  }
}

void BM_IdentShuffled(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  TDaten shuffled = f.daten;
  std::shuffle(shuffled.Liste.begin(), shuffled.Liste.end(), std::mt19937(1));
  for (auto _ : state) {
    if (!shuffled.Ident(f.daten)) state.SkipWithError("lists differ");
  }
}

// The list imported into a copy of itself plus half as many new entries.
void BM_ImportItselfPlusHalf(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  TDaten source = f.daten;
  const TDaten extra = MakeList(f.daten.Liste.size() / 2, 7);
  source.Add(extra.Liste);
  TDaten d;
  for (auto _ : state) {
    state.PauseTiming();
    d = f.daten;
    state.ResumeTiming();
    d.Import(source, true, false);
    benchmark::DoNotOptimize(d.Liste.data());
  }
}

void BM_RecordKeyAll(benchmark::State& state) {
  Fixture& f = Get(state.range(0));
  for (auto _ : state) {
    size_t total = 0;
    for (const TDatenRec& r : f.daten.Liste) total += TDaten::RecordKey(r).size();
    benchmark::DoNotOptimize(total);
  }
}

#define TVN_SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_BaselineMemcpy) TVN_SIZES;
BENCHMARK(BM_BaselineReadFile) TVN_SIZES;
BENCHMARK(BM_Load) TVN_SIZES;
BENCHMARK(BM_LoadFromMemory) TVN_SIZES;
BENCHMARK(BM_Encode) TVN_SIZES;
BENCHMARK(BM_Save) TVN_SIZES;
BENCHMARK(BM_SaveText) TVN_SIZES;
BENCHMARK_TEMPLATE(BM_Sort, snAutor) TVN_SIZES;
BENCHMARK_TEMPLATE(BM_Sort, snErhalten) TVN_SIZES;
BENCHMARK(BM_BaselineCompareAllFields) TVN_SIZES;
BENCHMARK(BM_IdentInOrder) TVN_SIZES;
BENCHMARK(BM_IdentShuffled) TVN_SIZES;
BENCHMARK(BM_ImportItselfPlusHalf) TVN_SIZES;
BENCHMARK(BM_RecordKeyAll) TVN_SIZES;

}  // namespace
}  // namespace tvn::bench

// The same heap pages as the tools whose work is measured here.
int main(int argc, char** argv) {
  tvn::platform::UseLargeHeapPages(argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
