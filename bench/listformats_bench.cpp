// One write of a 1,000,000-row list in one format, through the same create operation as the
// window and the batch run, into a file: prints the wall time of the write, how far the write
// raised the process's peak memory above what the list itself took, and the processor time of
// the write on all its threads (on a shared machine the wall time follows the share of the
// processor the run got, the processor time does not), and the processor time of the calling
// thread alone (for the workbook, the thread that drives the library). Run by
// bench/listformats_bench.sh, which interleaves the formats and takes medians.
// Usage: listformats_bench csv|cp932|utf8bom|xlsx folder
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>

#include "BenchSupport.h"
#include "core/list/FileList.h"
#include "writers/TextListExport.h"
#include "writers/XlsxListExport.h"

using namespace Qt::StringLiterals;

namespace {

long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double processorSeconds(int who = RUSAGE_SELF) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// 1,000,000 rows in 25,000 folders, Japanese names, as the export benchmarks' list.
vek::FileList millionRows() {
  vek::FileList list;
  list.setSortingEnabled(false);
  const QString type = u"平文テキストドキュメント"_s;
  for (int f = 0; f < 25000; ++f) {
    const QString folder = u"/home/user/資料/プロジェクト "_s + QString::number(f) + u"/"_s;
    for (int i = 0; i < 40; ++i) {
      vek::FileEntry row;
      row.name = u"報告書&メモ_"_s + QString::number(i);
      row.extension = u".txt"_s;
      row.folder = folder;
      row.type = type;
      row.size = qint64(f) * 7919 + i * 104729;
      row.created = vek::DateStamp::fromLocal(2005, 8, 18, 14, 3, i % 60);
      row.modified = vek::DateStamp::fromLocal(2020, 1 + i % 12, 1 + i % 28, 9, 30, 0);
      list.append(std::move(row));
    }
  }
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: listformats_bench csv|cp932|utf8bom|xlsx folder\n");
    return 2;
  }
  const QString format = QString::fromLocal8Bit(argv[1]);
  const QString folder = QString::fromLocal8Bit(argv[2]);
  const vek::FileList list = millionRows();
  const vek::Settings settings;
  vek::bench::QuietInteraction interaction;
  const long before = peakKilobytes();
  const double processorBefore = processorSeconds();
  const double threadBefore = processorSeconds(RUSAGE_THREAD);
  const auto start = std::chrono::steady_clock::now();
  bool ok = false;
  if (format == u"xlsx") {
    ok = vek::createXlsxList(folder + u"/list.xlsx"_s, list, settings, interaction, u"一覧"_s);
  } else {
    vek::TextListChoices choices;
    if (format == u"cp932") choices.encoding = vek::ListEncoding::Cp932;
    if (format == u"utf8bom") choices.encoding = vek::ListEncoding::Utf8WithMark;
    ok = vek::createTextList(folder + u"/list.csv"_s, list, settings, interaction, false, u","_s,
                             choices, vek::ReplacedRowsReport::EveryRow);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!ok) return 1;
  std::printf("%s %.3f %.1f %.3f %.3f\n", argv[1], seconds, (peakKilobytes() - before) / 1024.0,
              processorSeconds() - processorBefore, processorSeconds(RUSAGE_THREAD) - threadBefore);
  return 0;
}
