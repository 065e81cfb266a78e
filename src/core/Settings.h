// Every persistent setting of the program, grouped like the sections of Vek.ini, with the
// built-in defaults. One instance is passed to whatever needs it; dialogs read and update it,
// only loadSettings and saveSettings touch the file.
#pragma once

#include <array>

#include <QString>

#include "core/ColumnOptions.h"
#include "core/RecentTexts.h"

namespace vek {

// A colour is red + 256 * green + 65536 * blue.
using Colour = qint32;

struct OptionSettings {
  int overLap = 0;
  int listOpen = 0;
  int allAppend = 0;
  int defaultTitle = 0;
  int dropFolder = 0;
  QString dateFormat = QStringLiteral("YYYY/MM/DD HH:MM:SS");
  bool operator==(const OptionSettings&) const = default;
};

struct HtmlSettings {
  Colour stringColor = 0;
  Colour backColor = 16777215;
  Colour headColor = 16759739;
  Colour tableColorA = 13553407;
  Colour tableColorB = 13565951;
  int fileLink = 0;
  ColumnOptions columns;
  QString title = QStringLiteral("（ここにタイトルを入力）");
  bool operator==(const HtmlSettings&) const = default;
};

struct CsvSettings {
  int fileType = 0;  // 0 CSV, 1 text
  int tabUse = 0;
  int crLfType = 0;  // 0 CR LF, 1 CR, 2 LF
  ColumnOptions columns;
  bool operator==(const CsvSettings&) const = default;
};

struct XmlSettings {
  int stringCode = 0;  // 0 UTF-8, 1 Shift_JIS, 2 Unicode, 3 EUC-JP, 4 ISO-2022-JP
  int crLfCheck = 0;
  int crLfType = 0;
  ColumnOptions columns;  // the three insertion fields are not used nor stored
  bool operator==(const XmlSettings&) const = default;
};

struct ElementNames {
  QString root = QStringLiteral("root");
  QString fileInfo = QStringLiteral("fileinfo");
  QString fileFullPath = QStringLiteral("fullpath");
  QString filePath = QStringLiteral("path");
  QString fileName = QStringLiteral("name");
  QString fileType = QStringLiteral("type");
  QString fileSize = QStringLiteral("size");
  QString fileDate = QStringLiteral("date");
  QString makeDate = QStringLiteral("make");
  QString accessDate = QStringLiteral("access");
  QString updateDate = QStringLiteral("update");
  // Vek's own columns (kept in Vek's own section of Vek.ini).
  QString relativePath = QStringLiteral("relpath");
  QString hash = QStringLiteral("hash");
  bool operator==(const ElementNames&) const = default;
};

struct Settings {
  RecentTexts history;  // folder history, newest first
  OptionSettings option;
  HtmlSettings html;
  CsvSettings csv;
  std::array<QString, 10> separators = {
      QStringLiteral(","),      QStringLiteral("－"),  QStringLiteral("／"),
      QStringLiteral("・・・"), QStringLiteral(":::"), QStringLiteral("###"),
      QStringLiteral("○"),      QStringLiteral("◇"),  QStringLiteral("  "),
      QStringLiteral("]   [")};
  XmlSettings xml;
  // Header captions, indexed by ColumnId.
  std::array<QString, kColumnCount> headComment = {
      QStringLiteral("フルパス"),       QStringLiteral("ディレクトリ"), QStringLiteral("ファイル名"),
      QStringLiteral("ファイルタイプ"), QStringLiteral("ファイルサイズ"), QStringLiteral("作成日付"),
      QStringLiteral("アクセス日付"),   QStringLiteral("更新日付")};
  ElementNames elementNames;

  const QString& caption(ColumnId column) const { return headComment[std::size_t(column)]; }
  bool operator==(const Settings&) const = default;
};

}  // namespace vek
