// Every persistent setting of the program, grouped like the sections of Vek.ini, with the
// built-in defaults. One instance is passed to whatever needs it; dialogs read and update it,
// only loadSettings and saveSettings touch the file.
#pragma once

#include <array>

#include <QString>

#include "core/list/ColumnOptions.h"
#include "core/settings/ListFileSettings.h"
#include "core/settings/RecentTexts.h"
#include "core/settings/SortSettings.h"
#include "core/settings/WalkSettings.h"

namespace vek {

// A colour is red + 256 * green + 65536 * blue.
using Colour = qint32;

// The line break written at the end of each line (CrLfType).
enum class LineBreak { CrLf = 0, Cr = 1, Lf = 2 };
// The characters a line break of that kind writes.
inline QString lineBreakText(LineBreak kind) {
  switch (kind) {
    case LineBreak::Cr:
      return QStringLiteral("\r");
    case LineBreak::Lf:
      return QStringLiteral("\n");
    case LineBreak::CrLf:
      break;
  }
  return QStringLiteral("\r\n");
}
// What the Text/CSV writer writes (FileType).
enum class ListFileType { Csv = 0, Text = 1 };
// The XML document's encoding (StringCode); Unicode is UTF-16 with a byte-order mark.
enum class XmlCharset { Utf8 = 0, ShiftJis = 1, Unicode = 2, EucJp = 3, Iso2022Jp = 4 };

struct OptionSettings {
  bool overLap = false;       // an already listed full path is not added again
  bool listOpen = false;      // a written list is opened with its application
  bool allAppend = false;     // the whole-tree add button stays disabled
  bool defaultTitle = false;  // the HTML page's title proposed is the folder
  bool dropFolder = false;    // a dropped folder adds its subfolders' files too
  QString dateFormat = QStringLiteral("YYYY/MM/DD HH:MM:SS");
  bool operator==(const OptionSettings&) const = default;
};

// Texts Vek puts into a list file by default, in the interface's language. Japanese, the source
// language, gives the texts as they always were; the defaults are looked up when a Settings is
// made, so a Settings made before the language is chosen stays Japanese.
struct DefaultListTexts {
  // The source (Japanese) texts, the ones Vek.ini keeps for a text left at its default.
  static const std::array<const char*, kColumnCount>& captionSources();
  static const char* htmlTitleSource();
  static QString caption(int column);  // column: a ColumnId of the eight
  static std::array<QString, kColumnCount> captions();
  static QString htmlTitle();
};

struct HtmlSettings {
  Colour stringColor = 0;
  Colour backColor = 16777215;
  Colour headColor = 16759739;
  Colour tableColorA = 13553407;
  Colour tableColorB = 13565951;
  bool fileLink = false;
  ColumnOptions columns;
  QString title = DefaultListTexts::htmlTitle();
  bool operator==(const HtmlSettings&) const = default;
};

struct CsvSettings {
  ListFileType fileType = ListFileType::Csv;
  bool tabUse = false;  // the text file's separator is TAB
  LineBreak crLfType = LineBreak::CrLf;
  ColumnOptions columns;
  bool operator==(const CsvSettings&) const = default;
};

struct XmlSettings {
  XmlCharset stringCode = XmlCharset::Utf8;
  bool crLfCheck = false;  // every element starts on a new line
  LineBreak crLfType = LineBreak::CrLf;
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
  QString deliveryCheck = QStringLiteral("check");
  bool operator==(const ElementNames&) const = default;
};

struct Settings {
  RecentTexts history;  // folder history, newest first
  OptionSettings option;
  HtmlSettings html;
  CsvSettings csv;
  std::array<QString, 10> separators = {
      QStringLiteral(","),   QStringLiteral("－"),   QStringLiteral("／"), QStringLiteral("・・・"),
      QStringLiteral(":::"), QStringLiteral("###"),  QStringLiteral("○"),  QStringLiteral("◇"),
      QStringLiteral("  "),  QStringLiteral("]   [")};
  XmlSettings xml;
  // The CSV/text dialog's choices kept in Vek's own section (encoding, formula guard, .xlsx).
  ListFileSettings listFile;
  // Digits read as numbers by the name, extension and folder sorts (Vek's own section).
  SortSettings sort;
  // What the adds leave out and enter (Vek's own section too).
  WalkSettings walk;
  // Header captions, indexed by ColumnId.
  std::array<QString, kColumnCount> headComment = DefaultListTexts::captions();
  ElementNames elementNames;

  const QString& caption(ColumnId column) const { return headComment[std::size_t(column)]; }
  bool operator==(const Settings&) const = default;
};

}  // namespace vek
