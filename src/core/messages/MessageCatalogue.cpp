#include "core/messages/MessageCatalogue.h"

#include <QCoreApplication>

namespace vek {

QString MessageCatalogue::warningTitle() {
  return QCoreApplication::translate("MessageCatalogue", "警告");
}

Message MessageCatalogue::warning(const QString& text) {
  return {warningTitle(), text, MessageIcon::Warning};
}

Message MessageCatalogue::warning(std::initializer_list<QString> lines) {
  return warning(joinLines(lines));
}

QString MessageCatalogue::folderSearchCaption() {
  return QCoreApplication::translate("MessageCatalogue", "フォルダ検索中");
}

QString MessageCatalogue::folderSearchInfo() {
  return QCoreApplication::translate("MessageCatalogue", "フォルダ情報を検索／取得中です．．．");
}

QString MessageCatalogue::fileSearchCaption() {
  return QCoreApplication::translate("MessageCatalogue", "ファイル検索中");
}

QString MessageCatalogue::fileSearchInfo() {
  return QCoreApplication::translate("MessageCatalogue", "ファイル情報を検索／取得中です．．．");
}

QString MessageCatalogue::progressDetail(qint64 done, qint64 count) {
  return QCoreApplication::translate("MessageCatalogue", "処理件数：%1　/　総ﾌｫﾙﾀﾞ数：%2件")
      .arg(QString::number(done), QString::number(count));
}

Message MessageCatalogue::fileInfoFailed(const QString& folderText, const QString& name) {
  return {QCoreApplication::translate("MessageCatalogue", "ファイル取得エラー"),
          messageLines(QCoreApplication::translate("MessageCatalogue",
                                                   "以下のファイルの情報取得に失敗しました。\n"
                                                   "\n"
                                                   "パス：%1\n"
                                                   "ファイル名：%2\n"
                                                   "\n"
                                                   "このファイルはリストに追加されません。")
                           .arg(folderText, name)),
          MessageIcon::Warning};
}

Message MessageCatalogue::moreFileInfoFailures(qint64 count) {
  return {
      QCoreApplication::translate("MessageCatalogue", "ファイル取得エラー"),
      messageLines(QCoreApplication::translate("MessageCatalogue",
                                               "ほかに %1 件のファイルの情報取得に失敗しました。\n"
                                               "\n"
                                               "これらのファイルはリストに追加されません。",
                                               nullptr, pluralOf(count))
                       .arg(count)),
      MessageIcon::Warning};
}

Message MessageCatalogue::noFileTypeChosen() {
  return {QCoreApplication::translate("MessageCatalogue", "ﾌｧｲﾙ種別未選択"),
          QCoreApplication::translate("MessageCatalogue", "ﾌｧｲﾙの種別を指定してください。"),
          MessageIcon::Warning};
}

Message MessageCatalogue::wholeRootScanQuestion() {
  return warning(messageLines(QCoreApplication::translate(
      "MessageCatalogue",
      "検索開始フォルダとしてルートを指定し、ファイル種別として「*」を使用した場合、\n"
      "検索終了までかなりの時間がかかることが予想されます。\n"
      "適切なフォルダ、ファイル種別を再選択し、実行することをおすすめします。\n"
      "検索を開始しますか？")));
}

QString MessageCatalogue::notReadHeading(qint64 count) {
  return QCoreApplication::translate("MessageCatalogue",
                                     "次の %1 件を読み取れなかったため、"
                                     "リストは完全ではありません:",
                                     nullptr, pluralOf(count))
      .arg(count);
}

Message MessageCatalogue::notAnItemDropped() {
  return {QCoreApplication::translate("MessageCatalogue", "ｱｲﾃﾑ種別ｴﾗｰ"),
          messageLines(QCoreApplication::translate(
              "MessageCatalogue",
              "処理対象外のｱｲﾃﾑがﾄﾞﾛｯﾌﾟされました。\n"
              "ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟが可能なのは、ﾌｧｲﾙ及びﾌｫﾙﾀﾞのみとなっています。")),
          MessageIcon::Information};
}

}  // namespace vek
