// The XML writer: a streaming writer of the project's own that produces the list document
// (declaration, document element, one file element per ticked row with its column elements
// and date group) in one of five encodings, without holding the document in memory.
//
// Bytes around the document element: the declaration is followed by the chosen line break, or
// by CR LF when no line break is chosen, so the document element always starts on its own
// line; the same line break ends the file after the document element. Elements without content are
// written as a start and an end tag.
//
// Characters: & < > are escaped in text (and " in attributes); a CR inside a cell is written
// as &#13; so that it survives a parser's line-end normalisation; characters the encoding
// cannot hold become decimal character references; characters XML 1.0 cannot hold at all
// (C0 controls other than TAB, LF and CR, U+FFFE, U+FFFF, unpaired surrogates) are replaced
// by U+FFFD (written as &#65533; where the encoding lacks it) and counted, so that the
// document stays well-formed and the caller can say that characters were replaced.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QIODevice>
#include <QString>

#include "core/list/ColumnOptions.h"
#include "core/list/FileList.h"
#include "core/messages/Message.h"
#include "core/settings/Settings.h"
#include "core/text/TextCodec.h"
#include "writers/ColumnCells.h"
#include "writers/EncodedOutput.h"

namespace vek {

struct XmlEncoding {
  QString label;         // written into the declaration exactly
  QByteArray codecName;  // the encoder behind it
  bool byteOrderMark;    // UTF-16 little-endian with FF FE first
  // Characters beyond U+FFFF are written as references: readers that take the label "Unicode"
  // as UCS-2 (libxml2 through iconv) cannot read surrogate pairs.
  bool bmpOnly;
  // When set, a character is written as itself only when this codec maps it to the same bytes
  // as codecName does, and as a reference otherwise: the label "Shift_JIS" is read as JIS X 0208
  // Shift_JIS by most readers, while the bytes come from the Windows code page CP932, whose
  // extra characters (①, Ⅰ, ～ ...) would otherwise be unreadable or read as other characters;
  // "euc-jp" likewise has two common readings (EUC-JP and the Windows EUC-JP-MS).
  QByteArray sharedWithCodecName;
};

// The five encodings by StringCode: "utf-8", "Shift_JIS" (the characters that CP932 and
// Shift_JIS write alike, everything else as references), "Unicode" (UTF-16 little-endian
// with byte-order mark, characters beyond U+FFFF as references), "euc-jp" (likewise the
// characters EUC-JP and EUC-JP-MS write alike), "ISO-2022-JP". A stored index
// outside 0..4 means UTF-8.
const XmlEncoding& xmlEncoding(XmlCharset stringCode);

// The line break written between elements: empty when CrLfCheck is 0, else CR LF, CR or LF by
// CrLfType (an index outside 0..2 means CR LF).
QString xmlLineBreak(const XmlSettings& settings);

// The message of a document that could not be built or saved.
Message xmlSaveFailedMessage();
// The message of an XML writer that cannot start at all.
Message xmlCreateFailedMessage();

// The names of the elements a document will hold: the document element always; the file
// element and the date group when at least one row is written; a column's element when its
// column is selected as well. Only these need to be valid: a bad name of an element that is
// never written must not block the export.
std::vector<const QString*> elementNamesInDocument(const ElementNames& names,
                                                   const ColumnOptions& columns, bool withRows);

// nullopt when the names are XML names that the encoding can hold; otherwise the save-failed
// message, so that nothing is written (with a line that says why for a name holding ":"). A
// name cannot hold a reference, so it must consist of characters that the encoding holds as
// themselves.
std::optional<Message> checkXmlElementNames(const std::vector<const QString*>& names,
                                            XmlCharset stringCode);
// The same for all eleven names.
std::optional<Message> checkXmlElementNames(const ElementNames& names, XmlCharset stringCode);

class XmlSharedRepertoire;

class XmlListWriter {
 public:
  struct Cell {
    ColumnId column;
    QString text;
  };

  // The names must have passed checkXmlElementNames.
  XmlListWriter(QIODevice& device, XmlCharset stringCode, QString lineBreak, ElementNames names);
  ~XmlListWriter();

  // The declaration, the document element's start and the line break after it. False when the
  // encoding cannot be used here or the device fails.
  bool begin();
  // One file element with attribute Index; cells are the selected columns in column order
  // (date columns included: they go into the date group, which is always written).
  void writeFileElement(qint64 index, std::span<const Cell> cells);
  // The totals element after the file elements, with fixed names:
  // <totals><count>N</count><size>…</size></totals>; size is left out when empty (no size
  // column).
  void writeTotals(qint64 files, const QString& size);
  // Closes the document element and flushes everything. False when any write failed.
  bool finish();

  // The whole document for the ticked rows of list: begin, one file element per ticked row with
  // the cells of the selected columns, the totals element when asked, finish.
  bool writeList(const FileList& list, const ColumnCells& cells, bool totals = false);

  // Characters XML cannot hold that were replaced by U+FFFD.
  qint64 replacedCharacters() const { return m_replaced; }
  QString errorString() const;

 private:
  void startTag(const QString& name);
  void endTag(const QString& name);
  void appendText(QStringView text);

  QIODevice& m_device;
  const XmlEncoding& m_encoding;
  QString m_lineBreak;
  ElementNames m_names;
  std::unique_ptr<TextEncoder> m_encoder;
  std::unique_ptr<XmlSharedRepertoire> m_shared;
  std::unique_ptr<EncodedOutput> m_out;  // made by begin(), with the encoder
  qint64 m_replaced = 0;
  QString m_error;  // the encoding cannot be used; device errors are m_out's
};

}  // namespace vek
