// Text/CSV export of a large list: the per-row cost of cell texts, quoting checks, chunked
// encoding and device writes. 200,000 rows in 5,000 folders, written to memory so that the disk
// does not take part; one run also writes through the output file to /tmp.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>

#include "BenchSupport.h"
#include "core/list/FileList.h"
#include "writers/TextListExport.h"
#include "writers/TextListWriter.h"

using namespace Qt::StringLiterals;

namespace {

void writeToMemory(benchmark::State& state, bool allColumns, bool textType) {
  const vek::FileList& list = vek::bench::exportList();
  vek::Settings settings;
  if (allColumns) {
    vek::ColumnOptions& c = settings.csv.columns;
    c.chkPath = c.chkAccessDate = c.chkUpdateDate = true;
  }
  settings.csv.columns.optHeadInsert = vek::HeadInsert::On;
  qint64 bytes = 0;
  for (auto _ : state) {
    vek::TextListWriter writer(settings, textType, u"]   ["_s, vek::TextCodec("UTF-8"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writer.write(buffer, list.rows());
    bytes = buffer.size();
  }
  state.SetItemsProcessed(state.iterations() * list.count());
  state.SetBytesProcessed(state.iterations() * bytes);
}

void writeFile(benchmark::State& state, const char* encoding) {
  const vek::FileList& list = vek::bench::exportList();
  const vek::Settings settings;
  vek::bench::QuietInteraction interaction;
  const QString path = QDir::tempPath() + u"/vek-textlist-bench.csv"_s;
  for (auto _ : state) {
    vek::createTextList(path, list, settings, interaction, false, u","_s, vek::TextCodec(encoding));
  }
  QFile::remove(path);
  state.SetItemsProcessed(state.iterations() * list.count());
}

BENCHMARK_CAPTURE(writeToMemory, csv_default_columns, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeToMemory, csv_all_columns, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeToMemory, text_all_columns, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeFile, csv_utf8_file, "UTF-8")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(writeFile, csv_cp932_file, "CP932")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
