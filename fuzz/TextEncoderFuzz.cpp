// The text encoders: a text encoded whole gives the same bytes, and the same count of lost
// characters, as the same text encoded in pieces of any size (a writer encodes chunk by chunk,
// and a chunk may end in the middle of a surrogate pair or of a shift sequence).
// Input: encoding, mode, piece size, then the text as UTF-16 code units (lone surrogates too).
#include <algorithm>
#include <cstring>

#include "FuzzCheck.h"
#include "core/text/TextCodec.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static const char* const names[] = {"UTF-8",       "CP932",  "SHIFT_JIS", "EUC-JP",
                                      "ISO-2022-JP", "UTF-16", "UTF-16LE",  "EUC-JP-MS"};
  const TextCodec codec(names[data[0] % (sizeof names / sizeof names[0])]);
  const Unmappable mode = data[1] % 2 ? Unmappable::DecimalReference : Unmappable::Replace;
  const qsizetype piece = 1 + data[2] % 17;
  QString text((size - 3) / 2, Qt::Uninitialized);
  std::memcpy(text.data(), data + 3, size_t(text.size()) * 2);

  const auto whole = codec.makeEncoder(mode);
  const auto pieces = codec.makeEncoder(mode);
  if (!whole || !pieces) return 0;
  QByteArray once = whole->encode(text);
  once += whole->finish();
  QByteArray inPieces;
  for (qsizetype at = 0; at < text.size(); at += piece)
    inPieces += pieces->encode(QStringView(text).sliced(at, std::min(piece, text.size() - at)));
  inPieces += pieces->finish();
  fuzz::require(once == inPieces, "the same bytes whole or in pieces");
  fuzz::require(whole->lostCharacters() == pieces->lostCharacters(),
                "the same characters lost whole or in pieces");
  return 0;
}
