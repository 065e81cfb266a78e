// The whole-subtree add over a large tree (make it first: python3 bench/make_tree.py), warm
// cache, one thread: files per second and the peak memory of the process.
#include <sys/resource.h>

#include <cstdlib>
#include <ctime>

#include <QCoreApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Settings.h"
#include "gather/BackgroundAdd.h"
#include "gather/Gatherer.h"

namespace {

QString treeRoot() {
  const char* root = std::getenv("VEK_BENCH_TREE");
  return QString::fromLocal8Bit(root ? root : "/tmp/vek-bench-tree");
}

double peakMegabytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void runSubtreeAdd(benchmark::State& state, const QString& filter, bool overLap) {
  if (!QFileInfo::exists(treeRoot())) {
    state.SkipWithError("no tree: run python3 bench/make_tree.py first");
    return;
  }
  qint64 files = 0;
  for (auto _ : state) {
    vek::FileList list;
    vek::bench::QuietInteraction interaction;
    vek::Settings settings;
    settings.option.overLap = overLap;
    vek::Gatherer gatherer(list, interaction, settings);
    gatherer.setFilter(filter);
    vek::BackgroundAdd add(gatherer, list, interaction, settings);
    add.setRowChecks(false);  // a list without the delivery check, as the batch run's
    add.startSubtree(treeRoot());
    add.wait();
    files = list.count();
    benchmark::DoNotOptimize(list.rows().data());
  }
  state.counters["files"] = double(files);
  state.counters["files/s"] =
      benchmark::Counter(double(files) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = peakMegabytes();
}

void BM_SubtreeAddAllFiles(benchmark::State& state) {
  runSubtreeAdd(state, QStringLiteral("*.*;　（全てのファイル）"), false);
}
void BM_SubtreeAddAllFilesOverLap(benchmark::State& state) {
  runSubtreeAdd(state, QStringLiteral("*.*;　（全てのファイル）"), true);
}
void BM_SubtreeAddImages(benchmark::State& state) {
  runSubtreeAdd(state, QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg;*.png;  （画像ファイル）"), false);
}

BENCHMARK(BM_SubtreeAddAllFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SubtreeAddAllFilesOverLap)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SubtreeAddImages)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // With TZ unset glibc re-reads /etc/localtime for every conversion; the program sets it at
  // start, and so does this benchmark.
  if (!std::getenv("TZ")) setenv("TZ", ":/etc/localtime", 1);
  tzset();
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
