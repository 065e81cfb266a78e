// Reading Vek.ini: a file of many sections (another program's, say) is read once and every
// lookup after that goes to its section directly, so the window's many reads at start cost the
// same whatever the file holds beside Vek's own sections.
#include <benchmark/benchmark.h>

#include "core/IniFile.h"

namespace {

using vek::IniFile;

// About four megabytes, the most a settings file may hold, with Vek's section last.
QByteArray manySections() {
  QByteArray bytes;
  for (int i = 0; bytes.size() < 4000000; ++i) bytes += "[s" + QByteArray::number(i) + "]\nk=v\n";
  bytes += "[Option]\nOverLap=1\n";
  return bytes;
}

void readManySections(benchmark::State& state) {
  const QByteArray bytes = manySections();
  for (auto _ : state) {
    IniFile ini{vek::TextCodec("UTF-8")};
    ini.setBytes(bytes);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(readManySections)->Unit(benchmark::kMillisecond);

// One lookup of the last section, in any case of its name, among about 330,000 others.
void lookUpAmongManySections(benchmark::State& state) {
  IniFile ini{vek::TextCodec("UTF-8")};
  ini.setBytes(manySections());
  for (auto _ : state) benchmark::DoNotOptimize(ini.value(u"option", u"OverLap"));
}
BENCHMARK(lookUpAmongManySections);

}  // namespace

BENCHMARK_MAIN();
