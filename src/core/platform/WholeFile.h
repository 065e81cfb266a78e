// Reading the program's own small files (Vek.ini, filter.txt) whole, and only when they are what
// they should be: a regular file of reasonable size. A FIFO would block the start for ever and a
// link to /dev/zero would never end; both are refused, untouched, with a reason.
#pragma once

#include <QByteArray>
#include <QString>

namespace vek {

struct WholeFile {
  enum class Status {
    Read,        // bytes holds the file
    Missing,     // nothing at the path (or a link that leads nowhere)
    Unreadable,  // there is something, but it could not or may not be read; error says why
  };
  Status status = Status::Missing;
  QByteArray bytes;
  QString error;
};

// A settings file of a few kilobytes; anything over this is not one.
constexpr qint64 kSettingsFileLimit = 4 * 1024 * 1024;

// Reads the file at path (links followed) when it is a regular file of at most limit bytes.
WholeFile readWholeFile(const QString& path, qint64 limit = kSettingsFileLimit);

}  // namespace vek
