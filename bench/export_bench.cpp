// HTML and XML export of a large list: 200,000 rows in 5,000 folders, written to a device that
// discards the bytes (so only the writer's own memory shows in the peak) and, through the
// create operations, to files in /tmp.
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include "BenchSupport.h"
#include "core/list/FileList.h"
#include "writers/ColumnCells.h"
#include "writers/HtmlListExport.h"
#include "writers/HtmlListWriter.h"
#include "writers/XmlListExport.h"
#include "writers/XmlListWriter.h"

using namespace Qt::StringLiterals;

namespace {

// Counts and drops what is written.
class NullDevice : public QIODevice {
 public:
  NullDevice() { open(QIODevice::WriteOnly); }
  qint64 written = 0;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64 length) override {
    written += length;
    return length;
  }
};

double peakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void finishCounters(benchmark::State& state, qint64 bytes, double rssBefore) {
  state.SetItemsProcessed(state.iterations() * vek::bench::exportList().count());
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["list_rss_MB"] = rssBefore;
  state.counters["peak_rss_MB"] = peakRssMb();
}

void htmlToDevice(benchmark::State& state, bool links, bool insertion) {
  const vek::FileList& list = vek::bench::exportList();
  const double rssBefore = peakRssMb();
  vek::Settings settings;
  settings.html.fileLink = links;
  settings.html.columns.optHeadInsert = insertion ? vek::HeadInsert::On : vek::HeadInsert::Off;
  const vek::ColumnCells cells(settings.html.columns, vek::SizeStyle::Grouped,
                               vek::ColumnCells::dateFormatter(settings));
  qint64 bytes = 0;
  for (auto _ : state) {
    NullDevice device;
    const auto encoder = vek::TextCodec("UTF-8").makeEncoder(vek::Unmappable::DecimalReference);
    vek::HtmlListWriter writer(settings.html, cells, cells.captions(settings), u"一覧"_s);
    writer.write(device, *encoder, list);
    bytes = device.written;
  }
  finishCounters(state, bytes, rssBefore);
}

void xmlToDevice(benchmark::State& state, vek::XmlCharset stringCode, bool lineBreaks) {
  const vek::FileList& list = vek::bench::exportList();
  const double rssBefore = peakRssMb();
  vek::Settings settings;
  settings.xml.stringCode = stringCode;
  settings.xml.crLfCheck = lineBreaks;
  const vek::ColumnCells cells(settings.xml.columns, vek::SizeStyle::Plain,
                               vek::ColumnCells::dateFormatter(settings));
  qint64 bytes = 0;
  for (auto _ : state) {
    NullDevice device;
    vek::XmlListWriter writer(device, stringCode, vek::xmlLineBreak(settings.xml),
                              settings.elementNames);
    writer.writeList(list, cells);
    bytes = device.written;
  }
  finishCounters(state, bytes, rssBefore);
}

void htmlFile(benchmark::State& state) {
  const vek::FileList& list = vek::bench::exportList();
  const double rssBefore = peakRssMb();
  vek::bench::QuietInteraction interaction;
  const QString path = QDir::tempPath() + u"/vek-export-bench.htm"_s;
  for (auto _ : state) vek::createHtmlList(path, list, vek::Settings(), interaction, u"一覧"_s);
  finishCounters(state, QFile(path).size(), rssBefore);
  QFile::remove(path);
}

void xmlFile(benchmark::State& state) {
  const vek::FileList& list = vek::bench::exportList();
  const double rssBefore = peakRssMb();
  vek::bench::QuietInteraction interaction;
  const QString path = QDir::tempPath() + u"/vek-export-bench.xml"_s;
  for (auto _ : state) vek::createXmlList(path, list, vek::Settings(), interaction);
  finishCounters(state, QFile(path).size(), rssBefore);
  QFile::remove(path);
}

}  // namespace

BENCHMARK_CAPTURE(htmlToDevice, html_default, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(htmlToDevice, html_links_headers_every_15, true, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_utf8, vek::XmlCharset::Utf8, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_utf8_crlf, vek::XmlCharset::Utf8, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_shift_jis, vek::XmlCharset::ShiftJis, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_unicode, vek::XmlCharset::Unicode, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_euc_jp, vek::XmlCharset::EucJp, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(xmlToDevice, xml_iso2022jp, vek::XmlCharset::Iso2022Jp, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(htmlFile)->Unit(benchmark::kMillisecond);
BENCHMARK(xmlFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
