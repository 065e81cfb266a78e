// File names are bytes. A name that is not valid UTF-8 (Shift_JIS names unpacked from an archive
// made on Windows, Latin-1 names from old disks) keeps each byte that is not part of a valid
// UTF-8 sequence as a lone surrogate U+DC80..U+DCFF, which no valid name decodes to, so that the
// text turns back into the very same bytes: the file can be read, listed and linked to.
#pragma once

#include <QByteArray>
#include <QString>

namespace vek {

QString decodeFileName(const char* name);
QByteArray encodeFileName(QStringView text);
// True when the text holds a byte kept as U+DC80..U+DCFF: it cannot travel as text (a
// clipboard, a pasted line) without becoming another name.
bool holdsRawBytes(QStringView text);

}  // namespace vek
