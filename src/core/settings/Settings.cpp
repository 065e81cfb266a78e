// The default texts of the list files in the interface's language.
#include "core/settings/Settings.h"

#include <QCoreApplication>

namespace vek {

const std::array<const char*, kColumnCount>& DefaultListTexts::captionSources() {
  static constexpr std::array<const char*, kColumnCount> sources = {
      QT_TRANSLATE_NOOP("Settings", "フルパス"),
      QT_TRANSLATE_NOOP("Settings", "ディレクトリ"),
      QT_TRANSLATE_NOOP("Settings", "ファイル名"),
      QT_TRANSLATE_NOOP("Settings", "ファイルタイプ"),
      QT_TRANSLATE_NOOP("Settings", "ファイルサイズ"),
      QT_TRANSLATE_NOOP("Settings", "作成日付"),
      QT_TRANSLATE_NOOP("Settings", "アクセス日付"),
      QT_TRANSLATE_NOOP("Settings", "更新日付")};
  return sources;
}

const char* DefaultListTexts::htmlTitleSource() {
  return QT_TRANSLATE_NOOP("Settings", "（ここにタイトルを入力）");
}

QString DefaultListTexts::caption(int column) {
  return QCoreApplication::translate("Settings", captionSources()[std::size_t(column)]);
}

std::array<QString, kColumnCount> DefaultListTexts::captions() {
  std::array<QString, kColumnCount> result;
  for (int i = 0; i < kColumnCount; ++i) result[std::size_t(i)] = caption(i);
  return result;
}

QString DefaultListTexts::htmlTitle() {
  return QCoreApplication::translate("Settings", htmlTitleSource());
}

}  // namespace vek
