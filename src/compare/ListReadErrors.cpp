#include "compare/ListReadErrors.h"

#include <cstring>

#include <QCoreApplication>

namespace vek::ListReadErrors {

namespace {

QString tr(const char* text) {
  // The context lupdate gives a tr() call in this namespace, so that the English is found.
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

}  // namespace vek::ListReadErrors
