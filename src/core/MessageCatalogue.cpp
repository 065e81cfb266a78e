#include "core/MessageCatalogue.h"

namespace vek {

QString MessageCatalogue::warningTitle() {
  return QStringLiteral("警告");
}

Message MessageCatalogue::warning(const QString& text) {
  return {warningTitle(), text, MessageIcon::Warning};
}

Message MessageCatalogue::warning(std::initializer_list<QString> lines) {
  return warning(joinLines(lines));
}

const QString& MessageCatalogue::folderSearchCaption() {
  static const QString text = QStringLiteral("フォルダ検索中");
  return text;
}

const QString& MessageCatalogue::folderSearchInfo() {
  static const QString text = QStringLiteral("フォルダ情報を検索／取得中です．．．");
  return text;
}

const QString& MessageCatalogue::fileSearchCaption() {
  static const QString text = QStringLiteral("ファイル検索中");
  return text;
}

const QString& MessageCatalogue::fileSearchInfo() {
  static const QString text = QStringLiteral("ファイル情報を検索／取得中です．．．");
  return text;
}

QString MessageCatalogue::progressDetail(qint64 done, qint64 count) {
  return QStringLiteral("処理件数：") + QString::number(done) + QStringLiteral("　/　") +
         QStringLiteral("総ﾌｫﾙﾀﾞ数：") + QString::number(count) + QStringLiteral("件");
}

Message MessageCatalogue::fileInfoFailed(const QString& folderText, const QString& name) {
  return {QStringLiteral("ファイル取得エラー"),
          joinLines({QStringLiteral("以下のファイルの情報取得に失敗しました。"), QString(),
                     QStringLiteral("パス：") + folderText, QStringLiteral("ファイル名：") + name,
                     QString(), QStringLiteral("このファイルはリストに追加されません。")}),
          MessageIcon::Warning};
}

Message MessageCatalogue::moreFileInfoFailures(qint64 count) {
  return {QStringLiteral("ファイル取得エラー"),
          joinLines({QStringLiteral("ほかに ") + QString::number(count) +
                         QStringLiteral(" 件のファイルの情報取得に失敗しました。"),
                     QString(), QStringLiteral("これらのファイルはリストに追加されません。")}),
          MessageIcon::Warning};
}

Message MessageCatalogue::noFileTypeChosen() {
  return {QStringLiteral("ﾌｧｲﾙ種別未選択"), QStringLiteral("ﾌｧｲﾙの種別を指定してください。"),
          MessageIcon::Warning};
}

Message MessageCatalogue::wholeRootScanQuestion() {
  return warning(
      {QStringLiteral(
           "検索開始フォルダとしてルートを指定し、ファイル種別として「*」を使用した場合、"),
       QStringLiteral("検索終了までかなりの時間がかかることが予想されます。"),
       QStringLiteral("適切なフォルダ、ファイル種別を再選択し、実行することをおすすめします。"),
       QStringLiteral("検索を開始しますか？")});
}

Message MessageCatalogue::unreadableFolders(qint64 count) {
  return warning(
      QStringLiteral(
          "読み取れなかったフォルダが %1 件あります。その中のファイルはリストに含まれていません。")
          .arg(count));
}

Message MessageCatalogue::notAnItemDropped() {
  return {
      QStringLiteral("ｱｲﾃﾑ種別ｴﾗｰ"),
      joinLines({QStringLiteral("処理対象外のｱｲﾃﾑがﾄﾞﾛｯﾌﾟされました。"),
                 QStringLiteral("ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟが可能なのは、ﾌｧｲﾙ及びﾌｫﾙﾀﾞのみとなっています。")}),
      MessageIcon::Information};
}

}  // namespace vek
