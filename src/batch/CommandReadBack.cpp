#include "batch/CommandReadBack.h"

#include <QCoreApplication>

#include "batch/CommandComposer.h"
#include "batch/CommandLine.h"
#include "batch/ShellWords.h"
#include "core/text/PathRules.h"

namespace vek {

namespace {

// The form's parts by the captions the person sees.
const char* const kInPath = QT_TRANSLATE_NOOP("CommandReadBack", "入力フォルダ");
const char* const kOutPath = QT_TRANSLATE_NOOP("CommandReadBack", "出力フォルダ");
const char* const kType = QT_TRANSLATE_NOOP("CommandReadBack", "出力ファイルタイプ");
const char* const kOutName = QT_TRANSLATE_NOOP("CommandReadBack", "出力ファイル名");
const char* const kFilter = QT_TRANSLATE_NOOP("CommandReadBack", "入力ファイルフィルタ");
const char* const kTitle = QT_TRANSLATE_NOOP("CommandReadBack", "タイトル");
const char* const kSortKey = QT_TRANSLATE_NOOP("CommandReadBack", "ソートキー");
const char* const kSubfolders = QT_TRANSLATE_NOOP("CommandReadBack", "ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索");

QString part(const char* caption) {
  return QCoreApplication::translate("CommandReadBack", caption);
}

QString encodingPart() {
  return QCoreApplication::translate("CommandReadBack", "文字コード");
}
QString hashPart() {
  return QCoreApplication::translate("CommandReadBack", "ﾊｯｼｭ値");
}
QString checksumPart() {
  return QCoreApplication::translate("CommandReadBack", "ﾁｪｯｸｻﾑﾌｧｲﾙ");
}
QString excludedPart() {
  return QCoreApplication::translate("CommandReadBack", "除外するﾌｧｲﾙ・ﾌｫﾙﾀﾞ");
}
QString hiddenFilesPart() {
  return QCoreApplication::translate("CommandReadBack", "隠しﾌｧｲﾙの追加");
}
QString oneFileSystemPart() {
  return QCoreApplication::translate("CommandReadBack", "別のﾌｧｲﾙｼｽﾃﾑの検索");
}

QString hint() {
  return QCoreApplication::translate(
      "CommandReadBack",
      "指示符と同じ形の値（/C など）や空の値は使えません、指定を変更してください。");
}

}  // namespace

QString readBackProblem(const CommandForm& form, const QString& line, const DateNamer& dateNamer) {
  for (const auto& [value, caption] :
       {std::pair{&form.inPath, kInPath}, std::pair{&form.outPath, kOutPath},
        std::pair{&form.outName, kOutName}}) {
    if (value->isEmpty())
      return QCoreApplication::translate("CommandReadBack", "%1を指定してください。")
          .arg(part(caption));
  }

  const QString refused = QCoreApplication::translate(
      "CommandReadBack", "このコマンドはリスト作成で受け付けられません。");
  // The words the shell hands to the program: its argv, which the run turns into its tokens.
  const ShellWords split = splitShellWords(line, QString());
  if (!split.ok() || split.words.isEmpty()) return refused;
  const ArgumentTable table = argumentTable(split.words.mid(1));
  const auto parsed = parseBatchArguments(table.tokens, dateNamer, FolderCheck::Skipped);
  if (const auto* message = std::get_if<Message>(&parsed)) {
    return refused + u'\n' + message->text.section(QStringLiteral("\r\n"), 0, 0) + u'\n' + hint();
  }
  const BatchRequest& request = std::get<BatchRequest>(parsed);

  const std::optional<QString> fileName =
      form.dateName ? (dateNamer ? dateNamer(form.outName) : std::nullopt) : form.outName;
  QStringList differing;
  if (request.sourceFolder != form.inPath) differing.append(part(kInPath));
  if (request.outputFolder != folderText(form.outPath, nativePathStyle())) {
    differing.append(part(kOutPath));
  }
  if (request.type != form.type) differing.append(part(kType));
  if (!fileName || request.fileName != *fileName) differing.append(part(kOutName));
  if (request.filter != filterPattern(form.filter)) differing.append(part(kFilter));
  // Only some lists show the title; the others may carry any.
  if (outputTypeInfo(form.type).showsTitle && request.title != form.title) {
    differing.append(part(kTitle));
  }
  if (request.sortKey != form.sortKey) differing.append(part(kSortKey));
  if (request.includeSubfolders != form.subfolders) differing.append(part(kSubfolders));
  const std::optional<ListEncoding> encoding =
      outputTypeInfo(form.type).takesEncoding ? form.encoding : std::nullopt;
  if (request.encoding != encoding) differing.append(encodingPart());
  if (request.hash != form.hash) differing.append(hashPart());
  if (request.checksumFile != form.checksumFile) differing.append(checksumPart());
  if (request.excluded != form.excluded) differing.append(excludedPart());
  if (request.hiddenFiles != form.hiddenFiles) differing.append(hiddenFilesPart());
  if (request.oneFileSystem != form.oneFileSystem) differing.append(oneFileSystemPart());
  if (differing.isEmpty()) return {};
  return QCoreApplication::translate("CommandReadBack",
                                     "このコマンドでは%1が指定と違う意味に読まれます。")
             .arg(differing.join(QCoreApplication::translate("CommandReadBack", "、"))) +
         u'\n' + hint();
}

}  // namespace vek
