// Reading Vek.ini: a file of many sections (another program's, say) is read once and every
// lookup after that goes to its section directly, so the window's many reads at start cost the
// same whatever the file holds beside Vek's own sections.
#include <benchmark/benchmark.h>

#include "core/settings/IniFile.h"

namespace {

using vek::IniFile;

// count sections of another program's, then Vek's own; 330,000 of them make about four
// megabytes, the most a settings file may hold.
QByteArray manySections(int count) {
  QByteArray bytes;
  for (int i = 0; i < count; ++i) bytes += "[s" + QByteArray::number(i) + "]\nk=v\n";
  bytes += "[Option]\nOverLap=1\n";
  return bytes;
}

void readManySections(benchmark::State& state) {
  const QByteArray bytes = manySections(int(state.range(0)));
  for (auto _ : state) {
    IniFile ini{vek::TextCodec("UTF-8")};
    ini.setBytes(bytes);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(readManySections)->Arg(10)->Arg(330000)->Unit(benchmark::kMillisecond);

// One lookup of Vek's section, in another case of its name: the same cost among ten sections
// as among 330,000.
void lookUpAmongManySections(benchmark::State& state) {
  IniFile ini{vek::TextCodec("UTF-8")};
  ini.setBytes(manySections(int(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ini.value(u"option", u"OverLap"));
}
BENCHMARK(lookUpAmongManySections)->Arg(10)->Arg(1000)->Arg(330000);

}  // namespace

BENCHMARK_MAIN();
