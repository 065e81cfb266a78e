#include "writers/XmlListWriter.h"

#include <algorithm>

#include <QCoreApplication>

#include "core/messages/MessageCatalogue.h"
#include "writers/ElementNameCheck.h"
#include "writers/TotalLine.h"

namespace vek {

namespace {

constexpr qsizetype kFlushChars = 32 * 1024;

bool isDateColumn(ColumnId column) {
  return column == ColumnId::CreateDate || column == ColumnId::AccessDate ||
         column == ColumnId::ModifiDate;
}

}  // namespace

// Which characters of the Basic Multilingual Plane two codecs write as the same bytes and read
// back as themselves; worked out once per character, on first use.
class XmlSharedRepertoire {
 public:
  XmlSharedRepertoire(const QByteArray& first, const QByteArray& second)
      : m_first(first), m_second(second), m_state(0x10000, kUnknown) {}

  bool holds(char16_t c) {
    if (m_state[c] == kUnknown) m_state[c] = work(c) ? kHeld : kNotHeld;
    return m_state[c] == kHeld;
  }

 private:
  static constexpr quint8 kUnknown = 0, kHeld = 1, kNotHeld = 2;

  bool work(char16_t c) const {
    const QChar ch(c);
    const QStringView text(&ch, 1);
    qint64 lost = 0;
    const QByteArray a = m_first.encode(text, Unmappable::Replace, &lost);
    const QByteArray b = m_second.encode(text, Unmappable::Replace, &lost);
    return lost == 0 && a == b && m_first.decode(a) == text && m_second.decode(b) == text;
  }

  TextCodec m_first, m_second;
  std::vector<quint8> m_state;
};

const XmlEncoding& xmlEncoding(XmlCharset stringCode) {
  static const XmlEncoding encodings[] = {
      {QStringLiteral("utf-8"), QByteArrayLiteral("UTF-8"), false, false, {}},
      {QStringLiteral("Shift_JIS"), QByteArrayLiteral("CP932"), false, false,
       QByteArrayLiteral("SHIFT_JIS")},
      {QStringLiteral("Unicode"), QByteArrayLiteral("UTF-16LE"), true, true, {}},
      {QStringLiteral("euc-jp"), QByteArrayLiteral("EUC-JP"), false, false,
       QByteArrayLiteral("EUC-JP-MS")},
      {QStringLiteral("ISO-2022-JP"), QByteArrayLiteral("ISO-2022-JP"), false, false, {}},
  };
  // Values come from the settings file clamped, but a cast in code could still stray.
  const auto index = std::size_t(stringCode);
  return encodings[index < std::size(encodings) ? index : 0];
}

QString xmlLineBreak(const XmlSettings& settings) {
  return settings.crLfCheck ? lineBreakText(settings.crLfType) : QString();
}

Message xmlSaveFailedMessage() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("XmlListWriter", "XMLﾄﾞｷｭﾒﾝﾄの保存に失敗しました。"),
       QCoreApplication::translate(
           "XmlListWriter",
           "このシステムで使用できない文字コードセットが選択された可能性があります。"),
       QCoreApplication::translate("XmlListWriter",
                                   "または不正な要素名がセットされている可能性があります。"),
       QCoreApplication::translate("XmlListWriter", "XMLﾄﾞｷｭﾒﾝﾄの作成を中止します。")});
}

Message xmlCreateFailedMessage() {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("XmlListWriter", "XMLﾄﾞｷｭﾒﾝﾄの作成に失敗しました。"),
       QCoreApplication::translate("XmlListWriter",
                                   "XML 出力部（Vek 内蔵の XML ライタ）を開始できませんでした。"),
       QCoreApplication::translate("XmlListWriter",
                                   "詳しくは同梱のReadme.htmを参照してください。")});
}

std::vector<const QString*> elementNamesInDocument(const ElementNames& names,
                                                   const ColumnOptions& columns, bool withRows) {
  std::vector<const QString*> used = {&names.root};
  if (!withRows) return used;
  used.push_back(&names.fileInfo);
  const QString* const byColumn[] = {&names.fileFullPath, &names.filePath,     &names.fileName,
                                     &names.fileType,     &names.fileSize,     &names.makeDate,
                                     &names.accessDate,   &names.updateDate,   &names.relativePath,
                                     &names.hash,         &names.deliveryCheck};
  bool dateGroup = false;
  for (const ColumnId column : ColumnCells::selectedColumns(columns)) {
    // The date group, always present, comes before the first date element.
    if (isDateColumn(column) && !dateGroup) {
      used.push_back(&names.fileDate);
      dateGroup = true;
    }
    used.push_back(byColumn[int(column)]);
  }
  if (!dateGroup) used.push_back(&names.fileDate);
  return used;
}

std::optional<Message> checkXmlElementNames(const std::vector<const QString*>& names,
                                            XmlCharset stringCode) {
  const XmlEncoding& encoding = xmlEncoding(stringCode);
  const TextCodec codec(encoding.codecName);
  if (!codec.isAvailable()) return xmlSaveFailedMessage();
  for (const QString* name : names) {
    if (!isXmlElementName(*name)) {
      Message message = xmlSaveFailedMessage();
      // The one rule a person cannot guess from the XML name rules alone.
      if (name->contains(u':') && isXmlElementName(QString(*name).remove(u':'))) {
        message.text +=
            u"\r\n" % QCoreApplication::translate(
                          "XmlListWriter",
                          "要素名「%1」にはコロン（:）が含まれています。"
                          "名前空間の宣言のない接頭辞になるため、要素名には使えません。")
                          .arg(*name);
      }
      return message;
    }
    if (encoding.bmpOnly &&
        std::any_of(name->begin(), name->end(), [](QChar c) { return c.isSurrogate(); }))
      return xmlSaveFailedMessage();
    if (!encoding.sharedWithCodecName.isEmpty()) {
      XmlSharedRepertoire shared(encoding.codecName, encoding.sharedWithCodecName);
      for (QChar c : *name)
        if (c.unicode() >= 0x80 && !shared.holds(c.unicode())) return xmlSaveFailedMessage();
    }
    // A name cannot be written as character references: the encoding must hold it.
    qint64 lost = 0;
    codec.encode(*name, Unmappable::Replace, &lost);
    if (lost != 0) return xmlSaveFailedMessage();
  }
  return std::nullopt;
}

std::optional<Message> checkXmlElementNames(const ElementNames& names, XmlCharset stringCode) {
  const auto all = elementNameList(names);
  return checkXmlElementNames(std::vector<const QString*>(all.begin(), all.end()), stringCode);
}

XmlListWriter::XmlListWriter(QIODevice& device, XmlCharset stringCode, QString lineBreak,
                             ElementNames names)
    : m_device(device),
      m_encoding(xmlEncoding(stringCode)),
      m_lineBreak(std::move(lineBreak)),
      m_names(std::move(names)) {}

XmlListWriter::~XmlListWriter() = default;

bool XmlListWriter::begin() {
  m_encoder = TextCodec(m_encoding.codecName).makeEncoder(Unmappable::DecimalReference);
  if (!m_encoder) {
    m_error = QStringLiteral("encoding %1 is not available")
                  .arg(QString::fromLatin1(m_encoding.codecName));
    return false;
  }
  if (!m_encoding.sharedWithCodecName.isEmpty())
    m_shared =
        std::make_unique<XmlSharedRepertoire>(m_encoding.codecName, m_encoding.sharedWithCodecName);
  m_out = std::make_unique<EncodedOutput>(m_device, *m_encoder, kFlushChars);
  if (m_encoding.byteOrderMark && !m_out->writeBytes(QByteArrayLiteral("\xFF\xFE"))) return false;
  m_out->text() += u"<?xml version=\"1.0\" encoding=\"" % m_encoding.label % u"\"?>";
  m_out->text() += m_lineBreak.isEmpty() ? QStringLiteral("\r\n") : m_lineBreak;
  startTag(m_names.root);
  m_out->text() += m_lineBreak;
  return m_out->flush();
}

void XmlListWriter::writeFileElement(qint64 index, std::span<const Cell> cells) {
  m_out->text() +=
      u'<' % m_names.fileInfo % u" Index=\"" % QString::number(index) % u"\">" % m_lineBreak;
  auto writeCell = [this](const QString& name, const QString& text) {
    startTag(name);
    appendText(text);
    endTag(name);
    m_out->text() += m_lineBreak;
  };
  auto nameOf = [this](ColumnId column) -> const QString& {
    switch (column) {
      case ColumnId::FullPath:
        return m_names.fileFullPath;
      case ColumnId::Directory:
        return m_names.filePath;
      case ColumnId::FileName:
        return m_names.fileName;
      case ColumnId::FileType:
        return m_names.fileType;
      case ColumnId::FileSize:
        return m_names.fileSize;
      case ColumnId::CreateDate:
        return m_names.makeDate;
      case ColumnId::AccessDate:
        return m_names.accessDate;
      case ColumnId::RelativePath:
        return m_names.relativePath;
      case ColumnId::Hash:
        return m_names.hash;
      case ColumnId::DeliveryCheck:
        return m_names.deliveryCheck;
      case ColumnId::State: {
        static const QString state = QStringLiteral("state");
        return state;
      }
      case ColumnId::ModifiDate:
        break;
    }
    return m_names.updateDate;
  };
  for (const Cell& cell : cells) {
    if (!isDateColumn(cell.column)) writeCell(nameOf(cell.column), cell.text);
  }
  startTag(m_names.fileDate);
  m_out->text() += m_lineBreak;
  for (const Cell& cell : cells) {
    if (isDateColumn(cell.column)) writeCell(nameOf(cell.column), cell.text);
  }
  endTag(m_names.fileDate);
  m_out->text() += m_lineBreak;
  endTag(m_names.fileInfo);
  m_out->text() += m_lineBreak;
  m_out->flushIfLarge();
}

void XmlListWriter::writeTotals(qint64 files, const QString& size) {
  const QString totals = QStringLiteral("totals");
  startTag(totals);
  m_out->text() += m_lineBreak;
  const QString count = QStringLiteral("count");
  startTag(count);
  m_out->text() += QString::number(files);
  endTag(count);
  m_out->text() += m_lineBreak;
  if (!size.isEmpty()) {
    const QString sizeName = QStringLiteral("size");
    startTag(sizeName);
    appendText(size);
    endTag(sizeName);
    m_out->text() += m_lineBreak;
  }
  endTag(totals);
  m_out->text() += m_lineBreak;
}

bool XmlListWriter::writeList(const FileList& list, const ColumnCells& cells, bool totals) {
  if (!begin()) return false;
  std::vector<Cell> row;
  for (ColumnId column : cells.selected()) row.push_back({column, QString()});
  qint64 index = 0;
  RunningTotal total;
  for (const FileEntry& entry : list.rows()) {
    if (!entry.ticked) continue;
    for (Cell& cell : row) {
      cell.text.resize(0);
      cells.appendText(cell.column, entry, cell.text);
    }
    writeFileElement(++index, row);
    total.add(entry);
  }
  if (totals) {
    const auto& selected = cells.selected();
    const bool withSize =
        std::find(selected.begin(), selected.end(), ColumnId::FileSize) != selected.end();
    writeTotals(total.files, withSize ? cells.sizeTotalText(total.bytes) : QString());
  }
  return finish();
}

bool XmlListWriter::finish() {
  endTag(m_names.root);
  m_out->text() += m_lineBreak.isEmpty() ? QStringLiteral("\r\n") : m_lineBreak;
  return m_out->finish();
}

void XmlListWriter::startTag(const QString& name) {
  m_out->text() += u'<' % name % u'>';
}

void XmlListWriter::endTag(const QString& name) {
  m_out->text() += u"</" % name % u'>';
}

void XmlListWriter::appendText(QStringView text) {
  qsizetype plainStart = 0;
  const qsizetype size = text.size();
  auto replaceWith = [&](qsizetype i, qsizetype length, QStringView replacement) {
    m_out->text().append(text.mid(plainStart, i - plainStart));
    m_out->text().append(replacement);
    plainStart = i + length;
  };
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = text[i].unicode();
    if (c >= 0x20 && c < 0xD800 && c != u'&' && c != u'<' && c != u'>') {
      if (c >= 0x80 && m_shared && !m_shared->holds(c))
        replaceWith(i, 1, QString(u"&#" % QString::number(int(c)) % u';'));
      continue;
    }
    switch (c) {
      case u'&':
        replaceWith(i, 1, u"&amp;");
        continue;
      case u'<':
        replaceWith(i, 1, u"&lt;");
        continue;
      case u'>':
        replaceWith(i, 1, u"&gt;");
        continue;
      case u'\r':
        replaceWith(i, 1, u"&#13;");
        continue;
      case u'\t':
      case u'\n':
        continue;
      default:
        break;
    }
    if (QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate()) {
      if (m_encoding.bmpOnly) {
        const char32_t code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
        replaceWith(i, 2, QString(u"&#" % QString::number(code) % u';'));
      }
      ++i;
      continue;
    }
    const bool invalid = c < 0x20 || QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF;
    if (invalid) {
      replaceWith(i, 1, u"\uFFFD");
      ++m_replaced;
    } else if (m_shared && !m_shared->holds(c)) {
      replaceWith(i, 1, QString(u"&#" % QString::number(int(c)) % u';'));
    }
  }
  m_out->text().append(text.mid(plainStart));
}

QString XmlListWriter::errorString() const {
  return m_error.isEmpty() && m_out ? m_out->errorString() : m_error;
}

}  // namespace vek
