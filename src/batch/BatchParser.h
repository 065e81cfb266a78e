// Reading the switches of a batch command line into a BatchRequest, with the messages that
// refuse a bad one.
#pragma once

#include <functional>
#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

#include "batch/BatchRequest.h"
#include "core/messages/Message.h"

namespace vek {

// Formats the start time of the run with a date pattern; nullopt when the pattern cannot be
// applied.
using DateNamer = std::function<std::optional<QString>(const QString& pattern)>;

// The default output file name pattern: year, month, day, hour, minute (12 digits).
inline QString defaultFileNamePattern() {
  return QStringLiteral("YYYYMMDDHHmm");
}

// Whether "/I" and "/O" must name folders that exist (a run), or are taken as they are (the
// command builder reading its own line back, which must not wait on a hung mount per key).
enum class FolderCheck { OnDisk, Skipped };

// Parses tokens 1..n (held 0-based). Returns the request, or the message that ends the run:
// the first faulty switch in command-line order, the missing "/I" only after all were accepted.
std::variant<BatchRequest, Message> parseBatchArguments(
    const QStringList& tokens, const DateNamer& dateNamer,
    FolderCheck folderCheck = FolderCheck::OnDisk);

}  // namespace vek
