// The main window at scale (offscreen platform, Release build). Make the tree first:
// python3 bench/make_tree.py. Measures the subtree add of the 200,000-file tree with and
// without the window, the longest wait of the event loop during it, how soon キャンセル
// stops it, and over a FUSE mount (tests/support/slow_fs.py, root and python3-fusepy) the
// longest wait during an add whose every file-system call takes 5 ms and キャンセル while a
// folder read hangs; with 1,000,000 rows: a header click with its repaint, scrolling to the end
// with its repaint, one tick (and the totals' share of it), ticking and unticking them all, the
// copy of 100,000 selected rows, and a 10,000-file add into the sorted list; the longest wait of
// the event loop during a CSV export with digests. `window_bench --memory core` and `--memory
// window` print the peak memory of 1,000,000 rows without and with the window.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/BackgroundAdd.h"
#include "gather/Gatherer.h"
#include "support/SlowMount.h"
#include "ui/FileListModel.h"
#include "ui/ScriptedDialogs.h"
#include "ui/frmInfo.h"
#include "ui/frmVek.h"

namespace {

using namespace Qt::StringLiterals;

QString treeRoot() {
  const char* root = std::getenv("VEK_BENCH_TREE");
  return QString::fromLocal8Bit(root ? root : "/tmp/vek-bench-tree");
}

const QString kAllFiles = u"*.*;　（全てのファイル）"_s;

QTemporaryDir& programFolder() {
  static QTemporaryDir folder;
  return folder;
}

std::unique_ptr<vek::frmVek> makeWindow(vek::test::ScriptedDialogs& dialogs) {
  auto window = std::make_unique<vek::frmVek>(
      vek::frmVek::Options{programFolder().path(), QDir::tempPath(), QString(), &dialogs});
  window->resize(900, 700);
  window->show();
  QApplication::processEvents();
  return window;
}

QPushButton* button(vek::frmVek& window, const char* name) {
  return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Waits in the event loop until the add that is running (if any) has ended.
void waitForAdd(vek::frmVek& window) {
  if (!window.isBusy()) return;
  QEventLoop loop;
  QObject::connect(&window, &vek::frmVek::addFinished, &loop, &QEventLoop::quit);
  loop.exec();
}

// The longest time between two runs of the event loop, from a timer that records how late it is.
class GapMeter {
 public:
  GapMeter() {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      const qint64 now = m_clock.nsecsElapsed();
      if (std::getenv("VEK_BENCH_GAPS") && now - m_last > 40000000) {
        std::fprintf(stderr, "gap %.0f ms ending at %.0f ms\n", (now - m_last) / 1e6, now / 1e6);
      }
      m_longest = std::max(m_longest, now - m_last);
      m_last = now;
    });
  }
  void start() {
    m_clock.start();
    m_last = 0;
    m_longest = 0;
    m_timer.start();
  }
  double stopMilliseconds() {
    m_timer.stop();
    m_longest = std::max(m_longest, m_clock.nsecsElapsed() - m_last);
    return double(m_longest) / 1e6;
  }

 private:
  QTimer m_timer;
  QElapsedTimer m_clock;
  qint64 m_last = 0;
  qint64 m_longest = 0;
};

// Processor time of the whole process (every thread: the walk's too), in ms.
double processCpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool haveTree(benchmark::State& state) {
  if (QFileInfo::exists(treeRoot())) return true;
  state.SkipWithError("no tree: run python3 bench/make_tree.py first");
  return false;
}

void BM_SubtreeAddWithoutWindow(benchmark::State& state) {
  if (!haveTree(state)) return;
  qint64 rows = 0;
  double cpu = 0;
  for (auto _ : state) {
    const double cpuBefore = processCpuMilliseconds();
    vek::FileList list;
    vek::bench::QuietInteraction interaction;
    vek::Settings settings;
    vek::Gatherer gatherer(list, interaction, settings);
    gatherer.setFilter(kAllFiles);
    vek::BackgroundAdd add(gatherer, list, interaction, settings);
    add.setRowChecks(false);  // a list without the delivery check, as the batch run's
    add.startSubtree(treeRoot());
    add.wait();
    rows = list.count();
    cpu += processCpuMilliseconds() - cpuBefore;
  }
  state.counters["rows"] = double(rows);
  state.counters["process_cpu_ms"] = cpu / double(state.iterations());
}

void BM_SubtreeAddInWindow(benchmark::State& state) {
  if (!haveTree(state)) return;
  vek::test::ScriptedDialogs dialogs;
  auto window = makeWindow(dialogs);
  window->setFolderPath(treeRoot());
  GapMeter gaps;
  double longestGap = 0;
  qint64 rows = 0;
  vek::AddTimings spent;
  double cpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    button(*window, "cmdListClear")->click();
    QApplication::processEvents();
    state.ResumeTiming();
    const double cpuBefore = processCpuMilliseconds();
    gaps.start();
    button(*window, "cmdAllAppend")->click();
    waitForAdd(*window);
    cpu += processCpuMilliseconds() - cpuBefore;
    longestGap = std::max(longestGap, gaps.stopMilliseconds());
    if (std::getenv("VEK_BENCH_GAPS")) std::fprintf(stderr, "add ended\n");
    rows = window->list().count();
    const vek::AddTimings& last = window->lastAddTimings();
    spent.searching += last.searching;
    spent.walkBlocked += last.walkBlocked;
    spent.applying += last.applying;
    spent.showing += last.showing;
    spent.betweenSlices += last.betweenSlices;
    spent.waitingForWalk += last.waitingForWalk;
    spent.slices += last.slices;
    spent.wakeLatency += last.wakeLatency;
  }
  state.counters["rows"] = double(rows);
  state.counters["longest_gap_ms"] = longestGap;
  // Per add: the walk's waits for room in the queue, the window thread's time applying rows
  // (of it, the window's answer: merges and showing), between its slices with results
  // waiting, and waiting for the walk with nothing left to take.
  const auto perAdd = [&](std::chrono::nanoseconds total) {
    return double(total.count()) / 1e6 / double(state.iterations());
  };
  state.counters["process_cpu_ms"] = cpu / double(state.iterations());
  state.counters["searching_ms"] = perAdd(spent.searching);
  state.counters["walk_blocked_ms"] = perAdd(spent.walkBlocked);
  state.counters["applying_ms"] = perAdd(spent.applying);
  state.counters["showing_ms"] = perAdd(spent.showing);
  state.counters["between_ms"] = perAdd(spent.betweenSlices);
  state.counters["starved_ms"] = perAdd(spent.waitingForWalk);
  state.counters["wake_ms"] = perAdd(spent.wakeLatency);
  state.counters["slices"] = double(spent.slices) / double(state.iterations());
}

// キャンセル pressed 100 ms into the file phase (which lasts about 300 ms): the time until the
// add has returned.
void BM_CancelSubtreeAdd(benchmark::State& state) {
  if (!haveTree(state)) return;
  vek::test::ScriptedDialogs dialogs;
  auto window = makeWindow(dialogs);
  window->setFolderPath(treeRoot());
  double longest = 0;
  for (auto _ : state) {
    button(*window, "cmdListClear")->click();
    QElapsedTimer sinceCancel;
    QTimer presser;
    presser.setInterval(1);
    QElapsedTimer inFilePhase;
    QObject::connect(&presser, &QTimer::timeout, [&] {
      auto* info = window->findChild<vek::frmInfo*>(u"frmInfo"_s);
      auto* bar = info ? info->findChild<QWidget*>(u"pgProc"_s) : nullptr;
      if (!bar || !bar->isVisible()) return;
      if (!inFilePhase.isValid()) inFilePhase.start();
      if (inFilePhase.elapsed() < 100) return;
      presser.stop();
      sinceCancel.start();
      info->findChild<QPushButton*>(u"cmdCancel"_s)->click();
    });
    double latency = 0;
    QObject::connect(
        window.get(), &vek::frmVek::addFinished, window.get(),
        [&] {
          if (sinceCancel.isValid()) latency = double(sinceCancel.nsecsElapsed()) / 1e6;
        },
        Qt::SingleShotConnection);
    presser.start();
    button(*window, "cmdAllAppend")->click();
    waitForAdd(*window);
    if (!sinceCancel.isValid()) {
      state.SkipWithError("the add ended before キャンセル was pressed");
      return;
    }
    state.SetIterationTime(latency / 1000);
    longest = std::max(longest, latency);
  }
  state.counters["longest_ms"] = longest;
}

// A subtree add over a mount whose every call takes 5 ms (400 folders of 5 files): the
// longest wait of the window's event loop while it runs.
void BM_SubtreeAddOverSlowMount(benchmark::State& state) {
  vek::test::SlowMount mount(
      {.folders = 400, .files = 5, .delayMs = 5, .stuck = false, .broken = {}});
  if (!mount.unavailable().isEmpty()) {
    state.SkipWithError(mount.unavailable().toStdString().c_str());
    return;
  }
  vek::test::ScriptedDialogs dialogs;
  auto window = makeWindow(dialogs);
  window->setFolderPath(mount.path());
  GapMeter gaps;
  double longestGap = 0;
  qint64 rows = 0;
  for (auto _ : state) {
    button(*window, "cmdListClear")->click();
    gaps.start();
    button(*window, "cmdAllAppend")->click();
    waitForAdd(*window);
    longestGap = std::max(longestGap, gaps.stopMilliseconds());
    rows = window->list().count();
  }
  state.counters["rows"] = double(rows);
  state.counters["longest_gap_ms"] = longestGap;
}

// キャンセル while the walk hangs in the listing of a folder: the time until the add has ended.
void BM_CancelWhileAFolderReadHangs(benchmark::State& state) {
  double longest = 0;
  for (auto _ : state) {
    vek::test::SlowMount mount(
        {.folders = 3, .files = 2, .delayMs = 0, .stuck = true, .broken = {}});
    if (!mount.unavailable().isEmpty()) {
      state.SkipWithError(mount.unavailable().toStdString().c_str());
      return;
    }
    vek::test::ScriptedDialogs dialogs;
    auto window = makeWindow(dialogs);
    window->setFolderPath(mount.path());
    button(*window, "cmdAllAppend")->click();
    if (!mount.waitUntilStuck()) {
      state.SkipWithError("the walk never reached the hanging folder");
      return;
    }
    QApplication::processEvents();
    auto* info = window->findChild<vek::frmInfo*>(u"frmInfo"_s);
    QElapsedTimer sinceCancel;
    sinceCancel.start();
    info->findChild<QPushButton*>(u"cmdCancel"_s)->click();
    waitForAdd(*window);
    const double latency = double(sinceCancel.nsecsElapsed()) / 1e6;
    state.SetIterationTime(latency / 1000);
    longest = std::max(longest, latency);
    window.reset();
  }
  state.counters["longest_ms"] = longest;
}

// 1,000,000 rows in 25,000 folders, each with its own name text, as a scan makes them.
std::vector<vek::FileEntry> millionRows() {
  std::vector<vek::FileEntry> rows;
  rows.reserve(1000000);
  const QString type = u"平文テキストドキュメント"_s;
  for (int f = 0; f < 25000; ++f) {
    const QString folder = u"/home/user/資料/プロジェクト "_s + QString::number(f) + u"/"_s;
    for (int i = 0; i < 40; ++i) {
      vek::FileEntry row;
      row.name = u"報告書_"_s + QString::number((f * 7919 + i * 104729) % 1000003);
      row.extension = u".txt"_s;
      row.folder = folder;
      row.type = type;
      row.size = (qint64(f) * 7919 + i * 104729) % 10000019;
      row.created = vek::DateStamp::fromLocal(2005, 8, 18, 14, 3, i % 60);
      row.modified = vek::DateStamp::fromLocal(2020, 1 + i % 12, 1 + i % 28, 9, 30, 0);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

struct MillionWindow {
  vek::test::ScriptedDialogs dialogs;
  std::unique_ptr<vek::frmVek> window;
  QTreeView* view = nullptr;

  MillionWindow() {
    window = makeWindow(dialogs);
    window->list().appendBatch(millionRows());
    window->listModel().flush();
    view = window->findChild<QTreeView*>(u"lvWriteList"_s);
    view->viewport()->repaint();
  }
};

// Made on first use and destroyed before the application object.
std::unique_ptr<MillionWindow> g_million;

MillionWindow& million() {
  if (!g_million) g_million = std::make_unique<MillionWindow>();
  return *g_million;
}

void BM_MillionRowsHeaderClick(benchmark::State& state) {
  MillionWindow& m = million();
  int column = 0;
  for (auto _ : state) {
    // Folder, extension and name in turn: each click re-sorts the whole list.
    const int clicked = std::array{2, 1, 0}[std::size_t(column++ % 3)];
    Q_EMIT m.view->header()->sectionClicked(clicked);
    m.view->viewport()->repaint();
  }
}

void BM_MillionRowsScrollToEnd(benchmark::State& state) {
  MillionWindow& m = million();
  bool end = false;
  for (auto _ : state) {
    end = !end;
    if (end) {
      m.view->scrollToBottom();
    } else {
      m.view->scrollToTop();
    }
    m.view->viewport()->repaint();
  }
}

void BM_MillionRowsTick(benchmark::State& state) {
  MillionWindow& m = million();
  vek::FileListModel& model = m.window->listModel();
  const QModelIndex index = model.index(500000, 0);
  bool ticked = true;
  for (auto _ : state) {
    ticked = !ticked;
    model.setData(index, ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
}

// What the totals under the list cost a tick: the list's running count and size, and the
// caption made from them, without the view's repaint that the tick above includes.
void BM_MillionRowsTickTotals(benchmark::State& state) {
  MillionWindow& m = million();
  vek::FileList& list = m.window->list();
  bool ticked = true;
  qint64 sum = 0;
  for (auto _ : state) {
    ticked = !ticked;
    list.setTicked(500000, ticked);
    sum += list.tickedCount() + list.tickedBytes();
  }
  benchmark::DoNotOptimize(sum);
}

QAction* rowAction(MillionWindow& m, const char* name) {
  return m.window->findChild<QAction*>(QString::fromLatin1(name));
}

// Tick all and untick all in turn on a million rows, with the repaint and the totals.
void BM_MillionRowsTickAll(benchmark::State& state) {
  MillionWindow& m = million();
  QAction* tickAll = rowAction(m, "actTickAll");
  QAction* untickAll = rowAction(m, "actUntickAll");
  bool ticked = true;
  for (auto _ : state) {
    ticked = !ticked;
    (ticked ? tickAll : untickAll)->trigger();
    QCoreApplication::processEvents();
    m.view->viewport()->repaint();
  }
  state.counters["ticked"] = double(m.window->list().tickedCount());
}

// Ctrl+C on 100,000 selected rows: the tab-separated text and the HTML table on the clipboard.
void BM_CopyHundredThousandRows(benchmark::State& state) {
  MillionWindow& m = million();
  const vek::FileListModel& model = m.window->listModel();
  m.view->selectionModel()->select(QItemSelection(model.index(0, 0), model.index(99999, 0)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QAction* copy = rowAction(m, "actCopyRows");
  for (auto _ : state) copy->trigger();
  state.counters["chars"] = double(QApplication::clipboard()->mimeData()->html().size());
}

QString tenThousandFolder() {
  const QString folder = QDir::tempPath() + u"/vek-bench-10k"_s;
  if (!QFileInfo::exists(folder + u"/f09999.txt"_s)) {
    QDir().mkpath(folder);
    for (int i = 0; i < 10000; ++i) {
      QFile file(folder + QString::asprintf("/f%05d.txt", i));
      file.open(QIODevice::WriteOnly);
    }
  }
  return folder;
}

void BM_MillionRowsAddTenThousandSorted(benchmark::State& state) {
  MillionWindow& m = million();
  const QString folder = tenThousandFolder();
  m.window->setFolderPath(folder);
  Q_EMIT m.view->header()->sectionClicked(0);  // sorted by name
  for (auto _ : state) {
    button(*m.window, "cmdAppend")->click();
    waitForAdd(*m.window);
    m.view->viewport()->repaint();
  }
  state.counters["rows"] = double(m.window->list().count());
}

// 64 files of 4 MB, made once.
QString hashedFolder() {
  const QString folder = QDir::tempPath() + u"/vek-bench-hashed"_s;
  if (!QFileInfo::exists(folder + u"/f63.bin"_s)) {
    QDir().mkpath(folder);
    for (int i = 0; i < 64; ++i) {
      QFile file(folder + QString::asprintf("/f%02d.bin", i));
      file.open(QIODevice::WriteOnly);
      file.write(QByteArray(4 * 1024 * 1024, char('a' + i % 26)));
    }
  }
  return folder;
}

// A CSV export with a SHA-256 column of 64 files of 4 MB, from the create button's click until
// the dialog has closed: the longest wait of the event loop meanwhile, while the digests are
// read and the list is written.
void BM_ExportWithHashes(benchmark::State& state) {
  vek::test::ScriptedDialogs dialogs;
  auto window = makeWindow(dialogs);
  window->setFolderPath(hashedFolder());
  button(*window, "cmdAppend")->click();
  waitForAdd(*window);
  QTemporaryDir out;
  GapMeter gaps;
  double longestGap = 0;
  for (auto _ : state) {
    button(*window, "cmdOutList")->click();
    QApplication::processEvents();
    QDialog* dialog = nullptr;
    for (QDialog* shown : window->findChildren<QDialog*>())
      if (shown->isVisible() && shown->findChild<QPushButton*>(u"cmdTextCreate"_s)) dialog = shown;
    if (!dialog) {
      state.SkipWithError("no export dialog");
      return;
    }
    auto* hash = dialog->findChild<QComboBox*>(u"cmbHash"_s);
    hash->setCurrentIndex(hash->findText(u"SHA-256"_s));
    dialogs.saveFiles = {out.filePath(u"list.csv"_s)};
    gaps.start();
    dialog->findChild<QPushButton*>(u"cmdTextCreate"_s)->click();
    while (dialog->isVisible()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    longestGap = std::max(longestGap, gaps.stopMilliseconds());
  }
  state.counters["longest_gap_ms"] = longestGap;
}

BENCHMARK(BM_SubtreeAddWithoutWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SubtreeAddInWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CancelSubtreeAdd)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_SubtreeAddOverSlowMount)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CancelWhileAFolderReadHangs)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_ExportWithHashes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_MillionRowsHeaderClick)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_MillionRowsScrollToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_MillionRowsTick)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(1000);
BENCHMARK(BM_MillionRowsTickTotals)->Unit(benchmark::kNanosecond)->UseRealTime();
BENCHMARK(BM_MillionRowsTickAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_CopyHundredThousandRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_MillionRowsAddTenThousandSorted)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

long peakKilobytes() {
  QFile status(u"/proc/self/status"_s);
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
  }
  return -1;
}

// The peak memory of 1,000,000 rows in the list alone, or in the shown window.
int measureMemory(const QString& mode) {
  if (mode == u"core"_s) {
    vek::FileList list;
    list.appendBatch(millionRows());
    std::printf("core list, 1,000,000 rows: peak %ld kB\n", peakKilobytes());
  } else {
    MillionWindow& m = million();
    m.view->scrollToBottom();
    m.view->viewport()->repaint();
    Q_EMIT m.view->header()->sectionClicked(2);
    m.view->viewport()->repaint();
    std::printf("window, 1,000,000 rows shown, scrolled and sorted: peak %ld kB\n",
                peakKilobytes());
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("TZ")) setenv("TZ", ":/etc/localtime", 1);
  tzset();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc == 3 && QByteArray(argv[1]) == "--memory") {
    const int status = measureMemory(QString::fromLocal8Bit(argv[2]));
    g_million.reset();
    return status;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_million.reset();
  return 0;
}
