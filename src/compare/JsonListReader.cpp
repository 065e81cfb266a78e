#include "compare/JsonListReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include "compare/JsonListHandler.h"
#include "compare/ListInput.h"
#include "compare/ListReadErrors.h"
#include "compare/RowPathSet.h"
#include "core/dates/IsoDateTime.h"
#include "core/messages/PrintedPath.h"
#include "core/platform/FileNameBytes.h"
#include "writers/JsonListFormat.h"

namespace vek {

namespace {

using json_list::Handler;

// RapidJSON's view of the list's bytes: the line counted and capped as they are taken.
class InputStream {
 public:
  using Ch = char;
  explicit InputStream(ListInput& input) : m_input(input) {}
  Ch Peek() const { return m_input.peek(); }
  Ch Take() { return m_input.take(); }
  std::size_t Tell() const { return std::size_t(m_input.taken()); }
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  std::size_t PutEnd(Ch*) { return 0; }

 private:
  ListInput& m_input;
};

// Where each row's path below the list's folder begins: the folder the list was made of when
// the row lies in it, else the whole path.
void markRoots(SavedList& list) {
  const QString& root = list.inputFolder;
  for (FileEntry& row : list.rows) {
    row.rootLength = !root.isEmpty() && row.folder.startsWith(root) ? qint32(root.size()) : 0;
  }
}

SavedListRead parse(ListInput& input, const QString& path, bool headerOnly) {
  SavedListRead result;
  SavedList list;
  list.path = path;
  input.skipMark();
  InputStream stream(input);
  Handler handler(list, headerOnly);
  rapidjson::Reader reader;
  // The parser calls the handler before it goes one level deeper, and the handler stops it at
  // the depth limit: no list runs the program's stack out.
  const rapidjson::ParseResult parsed =
      reader.Parse<rapidjson::kParseStopWhenDoneFlag>(stream, handler);
  const qint64 line = input.line();
  const auto fail = [&](Message message) {
    result.error = std::move(message);
    return result;
  };
  if (const auto fault = input.faultMessage(path, input.line())) return fail(*fault);
  const Handler::Stop stop = handler.finish();
  if (headerOnly) {
    if (handler.formatSeen() &&
        (stop == Handler::Stop::HeaderRead || (stop == Handler::Stop::None && parsed)))
      result.list = std::move(list);
    return result;
  }
  switch (stop) {
    case Handler::Stop::None:
    case Handler::Stop::HeaderRead:
      break;
    case Handler::Stop::Foreign:
      return fail(ListReadErrors::foreign(path, line));
    case Handler::Stop::Newer:
      return fail(ListReadErrors::newer(path, line, handler.version()));
    case Handler::Stop::BadVersion:
      return fail(ListReadErrors::badVersion(path, line));
    case Handler::Stop::BadHeader:
      return fail(ListReadErrors::badHeaderField(path, line, handler.keyText()));
    case Handler::Stop::BadRow:
      return fail(ListReadErrors::badRow(path, line));
    case Handler::Stop::FieldTooLong:
      return fail(ListReadErrors::fieldTooLong(path, line));
    case Handler::Stop::TooDeep:
      return fail(ListReadErrors::tooDeep(path, line));
    case Handler::Stop::NulInName:
      return fail(ListReadErrors::nulInName(path, line));
    case Handler::Stop::EmptyName:
      return fail(ListReadErrors::emptyName(path, line));
    case Handler::Stop::Duplicate:
      return fail(ListReadErrors::duplicatePath(path, line, printedPath(handler.duplicate())));
  }
  if (!parsed) {
    if (parsed.Code() == rapidjson::kParseErrorDocumentEmpty) {
      return fail(ListReadErrors::foreign(path, line));
    } else if (input.peek() == '\0') {
      return fail(ListReadErrors::truncated(path, line));
    }
    return fail(ListReadErrors::notJson(
        path, line, QString::fromLatin1(rapidjson::GetParseError_En(parsed.Code()))));
  }
  if (!handler.complete() || handler.rowCount() != qint64(list.rows.size()))
    return fail(ListReadErrors::truncated(path, line));
  // Nothing but white space may follow the list (two lists one after the other are no list).
  input.skipSpace();
  if (input.peek() != '\0' || input.fault() != ListInput::Fault::None) {
    if (const auto fault = input.faultMessage(path, input.line())) return fail(*fault);
    return fail(ListReadErrors::trailingData(path, input.line()));
  }
  list.hasModified = true;
  for (const FileEntry& row : list.rows) {
    if (row.modified.isNull()) list.hasModified = false;
  }
  markRoots(list);
  result.list = std::move(list);
  return result;
}

}  // namespace

SavedListRead JsonListReader::read(const QString& path) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return {std::nullopt, refusal};
  return read(*input, path);
}

SavedListRead JsonListReader::read(ListInput& input, const QString& path) {
  return parse(input, path, false);
}

SavedListRead JsonListReader::readBytes(const QByteArray& bytes, const QString& path) {
  ListInput input(bytes);
  return parse(input, path, false);
}

std::optional<SavedList> JsonListReader::readHeader(const QString& path) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return std::nullopt;
  input->skipSpace();
  input->skipMark();
  input->skipSpace();
  if (input->peek() != '{') return std::nullopt;
  return parse(*input, path, true).list;
}

}  // namespace vek
