// The messages that tell the person how writing an output file went.
#include "core/platform/OutputFile.h"

#include <QCoreApplication>

#include "core/messages/MessageCatalogue.h"

namespace vek {

Message OutputFile::cannotWriteMessage(const QString& path, const QString& reason) {
  Message message = MessageCatalogue::warning(messageLines(
      QCoreApplication::translate("OutputFile",
                                  "ファイルを開くことが出来ません。\n"
                                  "%1\n"
                                  "他の処理によってロックされていないか、ハードディスクがいっぱい"
                                  "でないかを確認してください。\n"
                                  "ファイルは出力されませんでした。")
          .arg(path)));
  if (!reason.isEmpty())
    message.text = joinLines(
        {message.text, QCoreApplication::translate("OutputFile", "原因: %1").arg(reason)});
  return message;
}

Message OutputFile::replacedCharactersMessage(const QString& path, const QByteArray& encoding,
                                              qint64 count) {
  return {QCoreApplication::translate("OutputFile", "文字の置き換え"),
          messageLines(QCoreApplication::translate(
                           "OutputFile",
                           "ファイルを出力しました。\n"
                           "%1\n"
                           "ただし、文字コード %2 で表せない文字が %3 文字あったため、"
                           "「?」に置き換えて出力しました。",
                           nullptr, pluralOf(count))
                           .arg(path, QString::fromLatin1(encoding), QString::number(count))),
          MessageIcon::Information};
}

Message OutputFile::unrepresentableCharactersMessage(const QString& path, qint64 count) {
  return {QCoreApplication::translate("OutputFile", "文字の置き換え"),
          messageLines(QCoreApplication::translate(
                           "OutputFile",
                           "ファイルを出力しました。\n"
                           "%1\n"
                           "ただし、ファイル内に書けない文字（制御文字など）が %2 文字あったため、"
                           "「\uFFFD」（U+FFFD）に置き換えて出力しました。",
                           nullptr, pluralOf(count))
                           .arg(path, QString::number(count))),
          MessageIcon::Information};
}

}  // namespace vek
