// How the totals of the ticked rows read, under the list and in the writers' totals.
#pragma once

#include <QString>

namespace vek {

// "12,345,678 バイト" with thousands separators.
QString byteCountText(qint64 bytes);
// The size as it reads best: "512 バイト", "1.5 KB", "12.3 MB", "2.0 GB", "1.1 TB" (1 KB = 1024
// bytes, like the list's size column).
QString readableSizeText(qint64 bytes);
// "ﾁｪｯｸ済み：3 ﾌｧｲﾙ　合計 1.5 KB（1,536 バイト）"; without the part in brackets below 1 KB, or
// always without it in the short form, for a line too narrow for the whole.
QString tickedTotalsCaption(qint64 files, qint64 bytes, bool withByteCount = true);

}  // namespace vek
