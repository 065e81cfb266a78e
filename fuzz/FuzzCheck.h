// What every fuzz target shares: a check that stops the run loudly (libFuzzer then keeps the
// input), and the input as bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>

namespace vek::fuzz {

inline void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

}  // namespace vek::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
