#include "batch/BatchParser.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QFile>

#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileNameBytes.h"
#include "core/platform/FileSystem.h"
#include "core/platform/FolderPath.h"
#include "core/text/LeadingNumber.h"
#include "core/text/NarrowText.h"
#include "core/text/PathRules.h"

namespace vek {

namespace {

Message sourceMissing() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "ファイルリスト取得対象フォルダが指定されていません。"),
       QCoreApplication::translate("BatchParser", "引数を確認してください。"), QString()});
}
Message sourceInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate(
           "BatchParser", "ファイルリスト取得対象フォルダが不正です、パスを確認してください。"),
       token});
}
Message outputInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "出力先フォルダが不正です、パスを確認してください。"),
       token});
}
Message typeInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "出力タイプが不正です、%1のどれかを指定してください。")
           .arg(outputTypeKeywords()),
       token});
}
Message sortKeyInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser", "ソートキーが不正です [%1]").arg(token),
       QCoreApplication::translate("BatchParser", "正しいソートキーを指定してください。"),
       QCoreApplication::translate("BatchParser",
                                   "1：ﾌｧｲﾙ名　2：拡張子　3：ﾌｧｲﾙﾊﾟｽ　4：ﾌｧｲﾙﾀｲﾌﾟ　"
                                   "5：ﾌｧｲﾙｻｲｽﾞ　6：作成日付　7：ｱｸｾｽ日付　8：更新日付")});
}
Message hashKindInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate(
           "BatchParser", "ハッシュの種類が不正です、MD5/SHA1/SHA256のどれかを指定してください。"),
       token});
}
Message encodingInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate(
           "BatchParser",
           "文字コードが不正です、SYSTEM/UTF8/UTF8BOM/CP932のどれかを指定してください。"),
       token});
}
// The encodings are those of the text lists; the other types choose their own (HTML and XML
// name theirs, a workbook and JSON are UTF-8 by their formats), so a /K there would be
// silently ignored.
Message encodingNotForType() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "文字コード（/K）はCSVとTEXTの出力にだけ指定できます。"),
       QCoreApplication::translate("BatchParser",
                                   "/K を外すか、/T CSV か /T TEXT を指定してください。")});
}
// "/X" at the end of the line: a script that lost its patterns would list what it meant to
// leave out.
Message excludedMissing() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "除外するファイル・フォルダの名前が指定されていません。"),
       QCoreApplication::translate("BatchParser",
                                   "/X の後に「.git;node_modules」のように指定してください。")});
}
Message savedListMissing() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser", "比較するリストが指定されていません。"),
       QCoreApplication::translate("BatchParser",
                                   "/V の後にリストのファイルを指定してください。")});
}
// Two lists are compared with each other; a third, or a folder beside them, has no meaning.
Message savedListsTooMany() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "/V はリストとフォルダ（/I）か、二つのリストを比較します。"),
       QCoreApplication::translate("BatchParser", "引数を確認してください。")});
}
Message unknownSwitch(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser", "識別できない指示符「%1」です。").arg(token),
       QCoreApplication::translate("BatchParser", "正しい引数で起動してください。")});
}
// A file name pattern the date formatter cannot apply: refused like the other bad values, before
// anything is gathered.
Message datePatternInvalid(const QString& token) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "ファイル名の日付フォーマットが不正です、"
                                   "フォーマットを確認してください。"),
       token});
}

// A name holding a folder separator would put the list into another folder, or nowhere, as in
// "/F DATE YYYY/MM/DD": refused before anything is gathered. The line after names the result.
Message fileNameInvalid(const QString& name) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("BatchParser",
                                   "出力ファイル名が不正です、"
                                   "フォルダの区切り文字を含まない名前を指定してください。"),
       name});
}

bool holdsSeparator(const QString& name) {
  const PathStyle style = nativePathStyle();
  return std::any_of(name.begin(), name.end(),
                     [style](QChar c) { return isPathSeparator(c, style); });
}

// "/S", "/E" and "/N" take the next token only when it is not empty and is not a switch. On
// POSIX an absolute path begins with "/" too: such a token is a value unless it is one of the
// switch names, so that a folder given as the title (the command builder proposes the source
// folder) is not refused as an unknown switch.
bool isValue(const QString& token) {
  if (token.isEmpty()) return false;
  if (token.front() != u'/') return true;
  static const char16_t* const switches[] = {u"/I", u"/O", u"/T", u"/F", u"/C", u"/S",
                                             u"/E", u"/H", u"/N", u"/K", u"/M", u"/W",
                                             u"/V", u"/X", u"/A", u"/D"};
  return nativePathStyle() == PathStyle::Posix &&
         std::none_of(std::begin(switches), std::end(switches),
                      [&](const char16_t* name) { return token == QStringView(name); });
}

bool isDirectory(const QString& path) {
  return FileSystem::folderExists(path);
}

// A source folder that exists but cannot be listed would give an empty list that looks like a
// success; it is refused like a missing one. access() answers for the real user, root included;
// asked of the open folder, it answers for a path of any length.
bool isListableDirectory(const QString& path) {
#ifdef Q_OS_WIN
  return isDirectory(path) && ::_waccess(reinterpret_cast<const wchar_t*>(path.utf16()), 4) == 0;
#else
  if (!isDirectory(path)) return false;
  const int folder = openFolderPath(encodeFileName(path), O_PATH);
  if (folder < 0) return false;
  const bool listable = ::faccessat(folder, ".", R_OK | X_OK, 0) == 0;
  ::close(folder);
  return listable;
#endif
}

}  // namespace

std::variant<BatchRequest, Message> parseBatchArguments(const QStringList& tokens,
                                                        const DateNamer& dateNamer,
                                                        FolderCheck folderCheck) {
  const bool onDisk = folderCheck == FolderCheck::OnDisk;
  BatchRequest request;
  bool sourceFolderMissing = true;
  auto nameFromDate = [&](const QString& pattern) -> std::optional<QString> {
    return dateNamer ? dateNamer(pattern) : std::nullopt;
  };
  if (const auto name = nameFromDate(defaultFileNamePattern())) request.fileName = *name;

  const qsizetype n = tokens.size();
  auto at = [&](qsizetype i) { return i < n ? tokens[i] : QString(); };
  for (qsizetype i = 0; i < n;) {
    const QString& token = tokens[i];
    const QString next = at(i + 1);
    if (token == u"/I") {
      if (onDisk && !isListableDirectory(next)) return sourceInvalid(next);
      request.sourceFolder = next;
      request.title = next;
      sourceFolderMissing = false;
      i += 2;
    } else if (token == u"/O") {
      if (onDisk && !isDirectory(next)) return outputInvalid(next);
      request.outputFolder = folderText(next, nativePathStyle());
      request.listRequested = true;
      i += 2;
    } else if (token == u"/T") {
      const std::optional<OutputType> type = outputTypeFromKeyword(upperNarrow(next));
      if (!type) return typeInvalid(next);
      request.type = *type;
      request.extension = outputTypeInfo(*type).extension.toString();
      request.listRequested = true;
      i += 2;
    } else if (token == u"/F") {
      if (upperNarrow(next) == u"DATE") {
        const QString pattern = at(i + 2);
        if (pattern.isEmpty() || pattern.front() == u'/') {
          request.fileName = nameFromDate(defaultFileNamePattern()).value_or(QString());
          i += 2;
        } else {
          const auto name = nameFromDate(pattern);
          if (!name) return datePatternInvalid(pattern);
          request.fileName = *name;
          i += 3;
        }
      } else {
        request.fileName = next;
        i += 2;
      }
      if (holdsSeparator(request.fileName)) return fileNameInvalid(request.fileName);
      request.listRequested = true;
    } else if (token == u"/C") {
      request.includeSubfolders = true;
      i += 1;
    } else if (token == u"/S") {
      if (isValue(next)) {
        const std::optional<int> key = leadingInteger(next);
        if (!key || *key < 1 || *key > 8) return sortKeyInvalid(next);
        request.sortKey = ListColumn(*key - 1);
        i += 2;
      } else {
        i += 1;
      }
    } else if (token == u"/E") {
      if (isValue(next)) {
        request.filter = next;
        i += 2;
      } else {
        request.filter = QStringLiteral("*.*");
        i += 1;
      }
    } else if (token == u"/K") {
      const std::optional<ListEncoding> encoding = listEncodingFromKeyword(next);
      if (!encoding) return encodingInvalid(next);
      request.encoding = encoding;
      i += 2;
    } else if (token == u"/H") {
      request.hideWindow = true;
      i += 1;
    } else if (token == u"/M") {
      // Always takes the next token, as /I and /O do.
      const std::optional<HashKind> kind = hashKindFromName(upperNarrow(next));
      if (!kind) return hashKindInvalid(next);
      request.hash = *kind;
      i += 2;
    } else if (token == u"/V") {
      // Always takes the next token, as /I and /O do.
      if (next.isEmpty()) return savedListMissing();
      if (request.savedLists.size() == 2) return savedListsTooMany();
      request.savedLists += next;
      i += 2;
    } else if (token == u"/W") {
      request.checksumFile = true;
      i += 1;
    } else if (token == u"/X") {
      // Always takes the next token, as /I and /O do: "" leaves nothing out.
      if (i + 1 >= n) return excludedMissing();
      request.excluded = next;
      request.excludedGiven = true;
      i += 2;
    } else if (token == u"/A") {
      request.hiddenFiles = true;
      i += 1;
    } else if (token == u"/D") {
      request.oneFileSystem = true;
      i += 1;
    } else if (token == u"/N") {
      if (isValue(next)) {
        request.title = next;
        i += 2;
      } else {
        i += 1;
      }
    } else {
      return unknownSwitch(token);
    }
  }
  if (request.encoding && !outputTypeInfo(request.type).takesEncoding) return encodingNotForType();
  if (request.savedLists.size() == 2) {
    if (!sourceFolderMissing) return savedListsTooMany();
    return request;
  }
  if (sourceFolderMissing) return sourceMissing();
  return request;
}

}  // namespace vek
