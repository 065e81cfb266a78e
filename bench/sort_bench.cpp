// Sorting the output list: 1,000,000 rows shaped like a real tree (folders and type texts shared
// between rows, names and extensions per row), sorted by each of the eight keys the way the
// batch run sorts, and by name, extension and folder with digits read as numbers; appending a
// million rows with and without the delivery check kept; plus the re-sort after an add, the
// duplicate index and the memory per row.
#include <malloc.h>

#include <random>

#include <benchmark/benchmark.h>

#include "core/list/FileList.h"

using namespace Qt::StringLiterals;
using vek::DateStamp;
using vek::FileEntry;
using vek::FileList;

namespace {

constexpr qint64 kRows = 1'000'000;

struct Kind {
  QString extension;
  QString type;
};

const std::vector<Kind>& kinds() {
  static const std::vector<Kind> list = {
      {u".txt"_s, u"平文テキストドキュメント"_s},
      {u".jpg"_s, u"JPEG 画像"_s},
      {u".JPG"_s, u"JPEG 画像"_s},
      {u".png"_s, u"PNG 画像"_s},
      {u".cpp"_s, u"C++ ソースコード"_s},
      {u".h"_s, u"C ヘッダー"_s},
      {u".pdf"_s, u"PDF ドキュメント"_s},
      {u".docx"_s, u"Word 2007 文書"_s},
      {u".xlsx"_s, u"Excel 2007 スプレッドシート"_s},
      {u".mp3"_s, u"MP3 オーディオ"_s},
      {u".mp4"_s, u"MPEG-4 ビデオ"_s},
      {u".html"_s, u"HTML ドキュメント"_s},
      {u".json"_s, u"JSON ドキュメント"_s},
      {u".gz"_s, u"Gzip アーカイブ"_s},
      {u".zip"_s, u"Zip アーカイブ"_s},
      {u".py"_s, u"Python スクリプト"_s},
      {u".md"_s, u"Markdown ドキュメント"_s},
      {u".csv"_s, u"CSV ドキュメント"_s},
      {u".log"_s, u"アプリケーションログ"_s},
      {u".o"_s, u"オブジェクトコード"_s},
      {QString(), u"不明"_s},
  };
  return list;
}

// Rows in the order an add produces them: folder after folder, names unsorted within each.
FileList makeList(qint64 rows, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  const QString tops[] = {u"/home/taro/"_s, u"/srv/share/"_s, u"/home/taro/写真/"_s,
                          u"/opt/projects/"_s};
  const QString parts[] = {u"src"_s,     u"docs"_s,        u"2024"_s,   u"資料"_s,
                           u"Archive"_s, u"build"_s,       u"images"_s, u"テスト"_s,
                           u"lib"_s,     u"Backup 2023"_s, u"module"_s, u"meeting notes"_s};
  const QString stems[] = {u"IMG_"_s,    u"report_"_s, u"データ"_s,   u"Meeting Notes "_s,
                           u"main"_s,    u"readme"_s,  u"README"_s,   u"test_"_s,
                           u"議事録_"_s, u"DSC"_s,     u"invoice-"_s, u"backup.tar"_s};
  FileList list;
  list.setSortingEnabled(false);
  QString folder;
  qint64 leftInFolder = 0;
  qint64 folderNumber = 0;
  for (qint64 i = 0; i < rows; ++i) {
    if (leftInFolder == 0) {
      folder = tops[random() % 4];
      const int depth = 1 + int(random() % 4);
      for (int d = 0; d < depth; ++d) folder += parts[random() % 12] + u'/';
      folder += QString::number(folderNumber++) + u'/';
      leftInFolder = 1 + qint64(random() % 100);  // about 50 files per folder
    }
    --leftInFolder;
    const Kind& kind = kinds()[random() % kinds().size()];
    FileEntry e;
    QString fileName = stems[random() % 12] + QString::number(random() % 100000) + kind.extension;
    FileEntry::splitName(fileName, e.name, e.extension);
    e.folder = folder;
    e.type = kind.type;
    e.size = qint64(random() >> (random() % 64));  // spread over every magnitude
    auto date = [&] {
      return DateStamp::fromLocal(2005 + int(random() % 22), 1 + int(random() % 12),
                                  1 + int(random() % 28), int(random() % 24), int(random() % 60),
                                  int(random() % 60));
    };
    e.created = random() % 20 ? date() : DateStamp();  // no birth time on some file systems
    e.accessed = date();
    e.modified = date();
    list.append(std::move(e));
  }
  return list;
}

const FileList& baseList() {
  static const FileList list = makeList(kRows, 1);
  return list;
}

// The batch run's sort for key 1..8.
void BM_SortByKey(benchmark::State& state) {
  const int key = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    FileList list = baseList();
    state.ResumeTiming();
    if (key == 5) {
      list.sortBySize();
    } else {
      list.setSortColumn(vek::ListColumn(key - 1), true);
      list.setSortingEnabled(true);
    }
    benchmark::DoNotOptimize(list.at(0));
    state.PauseTiming();
    list = FileList();  // free outside the timing
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortByKey)->DenseRange(1, 8)->Unit(benchmark::kMillisecond)->Iterations(3);

// The name, extension and folder sorts (keys 1, 2, 3) with runs of digits read as numbers.
void BM_SortByKeyNumbersAsNumbers(benchmark::State& state) {
  const int key = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    FileList list = baseList();
    list.setNumberOrder(vek::NumberOrder::AsNumbers);
    state.ResumeTiming();
    list.setSortColumn(vek::ListColumn(key - 1), true);
    list.setSortingEnabled(true);
    benchmark::DoNotOptimize(list.at(0));
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortByKeyNumbersAsNumbers)
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// An add of 1,000 files to a list of 1,000,000 sorted rows: switching sorting on again sorts
// the new rows and merges them in.
void BM_ResortAfterAdd(benchmark::State& state) {
  FileList sorted = baseList();
  sorted.setSortingEnabled(true);
  const FileList added = makeList(1000, 2);
  for (auto _ : state) {
    state.PauseTiming();
    FileList list = sorted;
    list.setSortingEnabled(false);
    for (const FileEntry& row : added.rows()) list.append(row);
    state.ResumeTiming();
    list.setSortingEnabled(true);
    benchmark::DoNotOptimize(list.at(0));
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ResortAfterAdd)->Unit(benchmark::kMillisecond)->Iterations(3);

// 100,000 rows appended one at a time to a list whose sorting is on (by name), as a drop of
// single files does.
void BM_AppendOneAtATimeSorted(benchmark::State& state) {
  const FileList rows = makeList(100'000, 3);
  for (auto _ : state) {
    FileList list;
    for (const FileEntry& row : rows.rows()) list.append(row);
    benchmark::DoNotOptimize(list.at(0));
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_AppendOneAtATimeSorted)->Unit(benchmark::kMillisecond)->Iterations(3);

// A folder of 10,000 files added to a sorted list of 1,000,000 rows in the add's batches of
// 1,024 rows. Argument 0: as the add buttons and drops do it, sorting switched off during the
// add and on again at its end (one sort of the new rows and one merge); 1: sorting left on, so
// every batch is merged in at once.
void BM_AddFolderToSortedMillion(benchmark::State& state) {
  const bool sortingOn = state.range(0) == 1;
  FileList sorted = baseList();
  sorted.setSortingEnabled(true);
  const FileList added = makeList(10'000, 4);
  for (auto _ : state) {
    state.PauseTiming();
    FileList list = sorted;
    state.ResumeTiming();
    if (!sortingOn) list.setSortingEnabled(false);
    const std::vector<FileEntry>& rows = added.rows();
    for (std::size_t from = 0; from < rows.size(); from += 1024) {
      const std::size_t to = std::min(rows.size(), from + 1024);
      list.appendBatch(std::vector<FileEntry>(rows.begin() + std::ptrdiff_t(from),
                                              rows.begin() + std::ptrdiff_t(to)));
    }
    list.setSortingEnabled(true);
    benchmark::DoNotOptimize(list.at(0));
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddFolderToSortedMillion)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// 1,000,000 rows appended in the add's batches of 1,024 with sorting off, as a subtree add
// does. Argument 0: as a batch run (nobody asks for the delivery check); 1: as the window,
// which keeps the delivery check's count of noted rows and its index of names by folder.
void BM_AppendMillion(benchmark::State& state) {
  const bool checked = state.range(0) == 1;
  const std::vector<FileEntry>& rows = baseList().rows();
  for (auto _ : state) {
    FileList list;
    list.setSortingEnabled(false);
    if (checked) benchmark::DoNotOptimize(list.notedCount());
    for (std::size_t from = 0; from < rows.size(); from += 1024) {
      const std::size_t to = std::min(rows.size(), from + 1024);
      list.appendBatch(std::vector<FileEntry>(rows.begin() + std::ptrdiff_t(from),
                                              rows.begin() + std::ptrdiff_t(to)));
    }
    if (checked) benchmark::DoNotOptimize(list.notedCount());
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendMillion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Building the duplicate index over 1,000,000 rows, then one look-up per row.
void BM_DuplicateIndex(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    FileList list = baseList();
    state.ResumeTiming();
    qint64 found = 0;
    for (const FileEntry& row : list.rows()) found += list.isAlreadyListed(row.fullPath());
    if (found != kRows) state.SkipWithError("a listed row was not found");
    state.PauseTiming();
    list = FileList();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_DuplicateIndex)->Unit(benchmark::kMillisecond)->Iterations(2);

// Heap held by 1,000,000 rows (and by the duplicate index on top), from malloc's own count.
void BM_MemoryPerRow(benchmark::State& state) {
  auto heap = [] {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
  };
  double perRow = 0;
  double indexPerRow = 0;
  for (auto _ : state) {
    const double before = heap();
    FileList list = makeList(kRows, 1);
    const double listed = heap();
    list.isAlreadyListed(QString());
    perRow = (listed - before) / double(kRows);
    indexPerRow = (heap() - listed) / double(kRows);
  }
  state.counters["bytes_per_row"] = perRow;
  state.counters["index_bytes_per_row"] = indexPerRow;
}
BENCHMARK(BM_MemoryPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
