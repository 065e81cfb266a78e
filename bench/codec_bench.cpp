// Encoding throughput of the text encoders: one line of a Japanese file list per call, the way
// the writers feed them.
#include <benchmark/benchmark.h>

#include "core/text/TextCodec.h"

namespace {

const QString kLine = QStringLiteral(
    "/home/user/写真/2024年 旅行/京都・嵐山の竹林 (1).jpg,JPEG 画像,1.2 MB,2024/05/03 "
    "10:15:42,\r\n");

void encodeLines(benchmark::State& state, const char* encoding, vek::Unmappable mode,
                 const QString& line) {
  const auto encoder = vek::TextCodec(encoding).makeEncoder(mode);
  qint64 bytes = 0;
  for (auto _ : state) {
    const QByteArray out = encoder->encode(line);
    bytes += out.size();
    benchmark::DoNotOptimize(out.constData());
  }
  state.SetBytesProcessed(bytes);
  state.SetItemsProcessed(state.iterations());
}

void utf8(benchmark::State& state) {
  encodeLines(state, "UTF-8", vek::Unmappable::Replace, kLine);
}
void cp932(benchmark::State& state) {
  encodeLines(state, "CP932", vek::Unmappable::Replace, kLine);
}
void iso2022jp(benchmark::State& state) {
  encodeLines(state, "ISO-2022-JP", vek::Unmappable::DecimalReference, kLine);
}
void cp932WithEmoji(benchmark::State& state) {
  encodeLines(state, "CP932", vek::Unmappable::DecimalReference,
              QString(kLine).replace(QStringLiteral("竹林"), QStringLiteral("😀🎍")));
}
void decodeCp932(benchmark::State& state) {
  const vek::TextCodec codec("CP932");
  const QByteArray bytes = codec.encode(kLine);
  for (auto _ : state) benchmark::DoNotOptimize(codec.decode(bytes).constData());
  state.SetBytesProcessed(state.iterations() * bytes.size());
}

}  // namespace

BENCHMARK(utf8);
BENCHMARK(cp932);
BENCHMARK(iso2022jp);
BENCHMARK(cp932WithEmoji);
BENCHMARK(decodeCp932);
BENCHMARK_MAIN();
