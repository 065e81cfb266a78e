// Formatting cost per value: the writers format a size and up to three dates for every row, so
// these run millions of times per list. One pattern is compiled once and applied to dates that
// change from call to call.
#include <benchmark/benchmark.h>

#include "core/dates/DateFormatter.h"
#include "core/text/SizeText.h"

using vek::DateFormatter;
using vek::DateStamp;

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// 1,024 distinct stored dates across several years.
const std::vector<QString>& storedDates() {
  static const std::vector<QString> dates = [] {
    std::vector<QString> list;
    for (int i = 0; i < 1024; ++i) {
      list.push_back(
          DateStamp::fromLocal(1995 + i % 30, 1 + i % 12, 1 + i % 28, i % 24, i % 60, (i * 7) % 60)
              .text());
    }
    return list;
  }();
  return dates;
}

void formatStored(benchmark::State& state, const char* pattern) {
  const auto formatter = DateFormatter::compile(QString::fromUtf8(pattern), kJapanese);
  const std::vector<QString>& dates = storedDates();
  size_t i = 0;
  for (auto _ : state) {
    QString text = formatter->formatStored(dates[i++ & 1023]);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations());
}

void formatStamp(benchmark::State& state, const char* pattern) {
  const auto formatter = DateFormatter::compile(QString::fromUtf8(pattern), kJapanese);
  std::vector<DateStamp> stamps;
  for (const QString& text : storedDates()) stamps.push_back(DateStamp::fromText(text));
  size_t i = 0;
  for (auto _ : state) {
    QString text = formatter->format(stamps[i++ & 1023]);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations());
}

void compilePattern(benchmark::State& state) {
  const QString pattern = QString::fromUtf8("ggge年M月D日(aaa) HH:MM:SS AMPM");
  for (auto _ : state) {
    auto formatter = DateFormatter::compile(pattern, kJapanese);
    benchmark::DoNotOptimize(formatter);
  }
}

void sizeText(benchmark::State& state) {
  const auto unit = vek::SizeUnit(state.range(0));
  const auto style = vek::SizeStyle(state.range(1));
  qint64 n = 123456789;
  for (auto _ : state) {
    QString text = vek::sizeText(n, unit, style, kJapanese);
    benchmark::DoNotOptimize(text);
    n = (n * 31 + 7) & 0xffffffffff;
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(formatStored, stored_form, "YYYY/MM/DD HH:MM:SS");
BENCHMARK_CAPTURE(formatStored, kanji_fields, "YYYY年MM月DD日 HH時MM分SS秒");
BENCHMARK_CAPTURE(formatStored, era_weekday, "ggge年M月D日(aaa)");
BENCHMARK_CAPTURE(formatStored, names, "dddd, mmm d yyyy");
BENCHMARK_CAPTURE(formatStored, twelve_hour, "HH:MM:SS AMPM");
BENCHMARK_CAPTURE(formatStored, locale_forms, "ddddd ttttt");
BENCHMARK_CAPTURE(formatStamp, stored_form, "YYYY/MM/DD HH:MM:SS");
BENCHMARK_CAPTURE(formatStamp, kanji_fields, "YYYY年MM月DD日 HH時MM分SS秒");
BENCHMARK(compilePattern);
BENCHMARK(sizeText)->ArgsProduct({{0, 1, 2}, {0, 1}});

BENCHMARK_MAIN();
