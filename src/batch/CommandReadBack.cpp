#include "batch/CommandReadBack.h"

#include <QCoreApplication>

#include "batch/CommandComposer.h"
#include "batch/CommandLine.h"
#include "batch/ShellWords.h"
#include "core/PathRules.h"

namespace vek {

namespace {

// The form's parts by the captions the person sees.
const QString kInPath = QStringLiteral("入力フォルダ");
const QString kOutPath = QStringLiteral("出力フォルダ");
const QString kType = QStringLiteral("出力ファイルタイプ");
const QString kOutName = QStringLiteral("出力ファイル名");
const QString kFilter = QStringLiteral("入力ファイルフィルタ");
const QString kTitle = QStringLiteral("タイトル");
const QString kSortKey = QStringLiteral("ソートキー");
const QString kSubfolders = QStringLiteral("ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索");

QString encodingPart() {
  return QCoreApplication::translate("CommandReadBack", "文字コード");
}
QString hashPart() {
  return QCoreApplication::translate("CommandReadBack", "ﾊｯｼｭ値");
}
QString checksumPart() {
  return QCoreApplication::translate("CommandReadBack", "ﾁｪｯｸｻﾑﾌｧｲﾙ");
}

QString hint() {
  return QStringLiteral(
      "指示符と同じ形の値（/C など）や空の値は使えません、指定を変更してください。");
}

}  // namespace

QString readBackProblem(const CommandForm& form, const QString& line, const DateNamer& dateNamer) {
  for (const auto& [value, part] :
       {std::pair{&form.inPath, &kInPath}, std::pair{&form.outPath, &kOutPath},
        std::pair{&form.outName, &kOutName}}) {
    if (value->isEmpty()) return *part + QStringLiteral("を指定してください。");
  }

  const QString refused = QStringLiteral("このコマンドはリスト作成で受け付けられません。");
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
  if (request.sourceFolder != form.inPath) differing.append(kInPath);
  if (request.outputFolder != folderText(form.outPath, nativePathStyle())) {
    differing.append(kOutPath);
  }
  if (int(request.type) != form.type + 1) differing.append(kType);
  if (!fileName || request.fileName != *fileName) differing.append(kOutName);
  if (request.filter != filterPattern(form.filter)) differing.append(kFilter);
  // Only an HTML list shows the title (and only its run stores it for the HTML dialog).
  if (form.type + 1 == int(OutputType::Html) && request.title != form.title) {
    differing.append(kTitle);
  }
  if (int(request.sortKey) != form.sortIndex) differing.append(kSortKey);
  if (request.includeSubfolders != form.subfolders) differing.append(kSubfolders);
  const std::optional<ListEncoding> encoding =
      typeTakesEncoding(form.type) ? form.encoding : std::nullopt;
  if (request.encoding != encoding) differing.append(encodingPart());
  if (request.hash != form.hash) differing.append(hashPart());
  if (request.checksumFile != form.checksumFile) differing.append(checksumPart());
  if (differing.isEmpty()) return {};
  return QStringLiteral("このコマンドでは") + differing.join(u'、') +
         QStringLiteral("が指定と違う意味に読まれます。\n") + hint();
}

}  // namespace vek
