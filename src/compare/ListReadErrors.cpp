#include "compare/ListReadErrors.h"

#include <cstring>

#include <QCoreApplication>

namespace vek::ListReadErrors {

namespace {

// The context the translation tools file these texts under (namespace and function).
QString tr(const char* text) {
  return QCoreApplication::translate("vek::ListReadErrors", text);
}

// Title, then the failure, the path, and what is wrong where; nothing is compared after it.
Message readError(const QString& path, const QString& what) {
  return {tr("リストの読み込み"),
          joinLines({tr("保存されたリストを読み込めません。"), path, what,
                     tr("比較は行いませんでした。")}),
          MessageIcon::Warning};
}

}  // namespace

Message cannotOpen(const QString& path, const QString& reason) {
  return readError(path, reason);
}

Message foreign(const QString& path, qint64 line) {
  return readError(
      path, tr("%1 行目: Vek が書いたリスト（JSON・CSV・テキスト）ではありません。").arg(line));
}

Message newer(const QString& path, qint64 line, int version) {
  return readError(
      path, tr("%1 行目: 新しい版（%2）の形式で書かれたリストです。この版の Vek では読めません。")
                .arg(line)
                .arg(version));
}

Message truncated(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: リストが途中で切れています。").arg(line));
}

Message badRow(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 行の内容が正しくありません。").arg(line));
}

Message notJson(const QString& path, qint64 line, const QString& reason) {
  return readError(path, tr("%1 行目: JSON として読めません（%2）。").arg(line).arg(reason));
}

Message noNameColumns(const QString& path) {
  return readError(path,
                   tr("1 行目: 見出しにフォルダとファイル名（またはフルパス）の列がありません。"
                      "リストを書いたときの見出しと設定で読み込みます。"));
}

Message badLine(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 列の数が見出しと合いません。").arg(line));
}

Message badEncoding(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 文字コードが正しくありません。").arg(line));
}

Message notRegularFile(const QString& path, const QString& kind) {
  return readError(path, tr("通常のファイルではありません: %1。").arg(kind));
}

Message notComparable(const QString& path, const QString& kind) {
  return readError(path, tr("%1 のリストは比較に使えません。JSON か CSV でリストを保存して、"
                            "そのリストと比較してください。")
                             .arg(kind));
}

Message notText(const QString& path, qint64 line) {
  return readError(
      path, tr("%1 行目: UTF-8 のテキストではありません（NUL バイトがあります）。").arg(line));
}

Message lineTooLong(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 行が長すぎます（4 MB まで）。").arg(line));
}

Message fieldTooLong(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 値が長すぎます（1 MB まで）。").arg(line));
}

Message tooDeep(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 入れ子が深すぎます（64 段まで）。").arg(line));
}

Message trailingData(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: リストの終わりの後にデータがあります。").arg(line));
}

Message badVersion(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 版（version）が整数の 1 ではありません。").arg(line));
}

Message badHeaderField(const QString& path, qint64 line, const QString& key) {
  return readError(path, tr("%1 行目: 見出しの「%2」が読めません。").arg(line).arg(key));
}

Message nulInName(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: 名前に NUL 文字があります。").arg(line));
}

Message emptyName(const QString& path, qint64 line) {
  return readError(path, tr("%1 行目: ファイル名が空です。").arg(line));
}

Message duplicatePath(const QString& path, qint64 line, const QString& rowPath) {
  return readError(path,
                   tr("%1 行目: 同じファイルがリストに二度あります: %2").arg(line).arg(rowPath));
}

Message outsideFolder(const QString& path, qint64 line, const QString& folder) {
  return readError(
      path,
      tr("%1 行目: ほかの行と同じフォルダ（%2）の中にないファイルです。").arg(line).arg(folder));
}

}  // namespace vek::ListReadErrors
