// File names are bytes: every byte string without a NUL survives bytes -> text -> bytes, and
// two different names never become the same text.
#include "FuzzCheck.h"
#include "core/platform/FileNameBytes.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray name = fuzz::bytesOf(data, size);
  const qsizetype nul = name.indexOf('\0');
  if (nul >= 0) name.truncate(nul);
  const QString text = decodeFileName(name.constData());
  fuzz::require(encodeFileName(text) == name, "bytes -> text -> bytes gives the same bytes");
  // Valid UTF-8 reads as its own characters, a byte-order mark included.
  if (QString::fromUtf8(name).toUtf8() == name && !name.contains("\xEF\xBF\xBD"))
    fuzz::require(text.toUtf8() == name, "valid UTF-8 is read as it is");
  return 0;
}
