#include "writers/WorkbookReadBack.h"

#include <unzip.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include <QCoreApplication>
#include <QFile>

namespace vek {

namespace {

constexpr std::string_view kRowTag = "<row ";
constexpr std::string_view kClosingTag = "</worksheet>";

QString partName(std::size_t sheet) {
  return QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet + 1);
}

struct Closer {
  void operator()(void* zip) const { unzClose(zip); }
};

// What reading a part through found.
struct PartRead {
  bool whole = false;   // read to its end, its checksum right
  qint64 rows = 0;      // row elements
  bool closed = false;  // ended by the closing tag
};

// Reads the current part through. Rows and the closing tag are looked for when sheet is set:
// the XML escapes every "<" of a cell's text, so each "<row " is a row element.
PartRead readPart(unzFile zip, bool sheet) {
  PartRead result;
  if (unzOpenCurrentFile(zip) != UNZ_OK) return result;
  constexpr std::size_t kChunk = 1 << 20;
  constexpr std::size_t kKeep = kClosingTag.size() + 16;  // the end of the part read so far
  const std::unique_ptr<char[]> buffer(new char[kKeep + kChunk]);
  std::size_t kept = 0;
  int read = 0;
  while ((read = unzReadCurrentFile(zip, buffer.get() + kept, unsigned(kChunk))) > 0) {
    const std::size_t filled = kept + std::size_t(read);
    if (sheet) {
      // A tag split between two chunks starts in the bytes kept from the one before; one
      // wholly in them was counted with that chunk.
      const char* const end = buffer.get() + filled;
      for (const char* at = buffer.get();
           (at = static_cast<const char*>(
                ::memmem(at, std::size_t(end - at), kRowTag.data(), kRowTag.size())));
           at += kRowTag.size()) {
        if (at + kRowTag.size() > buffer.get() + kept) ++result.rows;
      }
    }
    kept = std::min(filled, kKeep);
    std::memmove(buffer.get(), buffer.get() + filled - kept, kept);
  }
  // A wrong checksum shows at the close.
  const int closedAt = unzCloseCurrentFile(zip);
  result.whole = read == 0 && closedAt == UNZ_OK;
  std::string_view end(buffer.get(), kept);
  while (!end.empty() && (end.back() == '\n' || end.back() == '\r' || end.back() == ' '))
    end.remove_suffix(1);
  result.closed = end.ends_with(kClosingTag);
  return result;
}

}  // namespace

QString readBackWorkbook(const QString& path, const std::vector<WrittenSheet>& sheets) {
  const std::unique_ptr<void, Closer> zip(unzOpen64(QFile::encodeName(path).constData()));
  if (!zip)
    return QCoreApplication::translate(
        "WorkbookReadBack", "書き込んだブックを読み直せません（zip として開けません）。");
  std::vector<bool> seen(sheets.size(), false);
  int at = unzGoToFirstFile(zip.get());
  for (; at == UNZ_OK; at = unzGoToNextFile(zip.get())) {
    char name[256] = {};
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
        UNZ_OK)
      return QCoreApplication::translate("WorkbookReadBack",
                                         "書き込んだブックの目録が読めません。");
    const QString part = QString::fromUtf8(name);
    std::optional<std::size_t> sheet;
    for (std::size_t i = 0; i < sheets.size(); ++i)
      if (part == partName(i)) sheet = i;
    const PartRead read = readPart(zip.get(), sheet.has_value());
    if (!read.whole)
      return QCoreApplication::translate("WorkbookReadBack",
                                         "書き込んだブックの部分 %1 が壊れています。")
          .arg(part);
    if (!sheet) continue;
    const WrittenSheet& written = sheets[*sheet];
    seen[*sheet] = true;
    if (read.rows != written.rows || !read.closed)
      return QCoreApplication::translate(
                 "WorkbookReadBack",
                 "書き込んだブックのシート「%1」が途中で切れています（%2 行のうち %3 行）。"
                 "一時ファイルを書ききれなかったためです（ディスクの空きが足りないなど）。")
          .arg(written.name)
          .arg(written.rows)
          .arg(read.rows);
  }
  if (at != UNZ_END_OF_LIST_OF_FILE)
    return QCoreApplication::translate("WorkbookReadBack", "書き込んだブックの目録が読めません。");
  for (std::size_t i = 0; i < sheets.size(); ++i)
    if (!seen[i])
      return QCoreApplication::translate("WorkbookReadBack",
                                         "書き込んだブックにシート「%1」（%2）がありません。")
          .arg(sheets[i].name, partName(i));
  return {};
}

}  // namespace vek
