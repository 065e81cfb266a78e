// The command-line splitter and the batch switches: any text splits into at most 30 tokens that
// joinArguments gives back unchanged, and any tokens are parsed into a request or a message.
#include <QDateTime>

#include "FuzzCheck.h"
#include "batch/BatchParser.h"
#include "batch/CommandLine.h"
#include "core/dates/DateFormatter.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
  const ArgumentTable table = splitCommandLine(text);
  fuzz::require(table.count() <= kMaximumTokens, "at most 30 tokens");
  for (const QString& token : table.tokens) {
    fuzz::require(!token.isEmpty(), "no empty token");
    fuzz::require(!token.contains(u'"'), "quotes are dropped");
    fuzz::require(token.front() != u' ' && token.front() != u'\t', "a token starts with its text");
  }
  fuzz::require(splitCommandLine(joinArguments(table.tokens)).tokens == table.tokens,
                "joining and splitting again gives the same tokens");

  const QDateTime start(QDate(2024, 12, 31), QTime(23, 59, 30));
  const DateNamer namer = [start](const QString& pattern) {
    return formatDateTime(start, pattern);
  };
  const auto parsed = parseBatchArguments(table.tokens, namer);
  if (const auto* request = std::get_if<BatchRequest>(&parsed)) {
    fuzz::require(isListColumn(int(request->sortKey)), "a sort key of 1 to 8");
    fuzz::require(!request->sourceFolder.isEmpty(), "a source folder");
  }
  // The same tokens as a POSIX shell would pass them.
  parseBatchArguments(argumentTable(text.split(u' ')).tokens, namer);
  return 0;
}
