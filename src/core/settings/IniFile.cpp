// Reading, section replacement and atomic writing of INI files.
#include "core/settings/IniFile.h"

#include <QCoreApplication>

#include "core/platform/OutputFile.h"
#include "core/platform/WholeFile.h"
#include "core/text/TextLines.h"

namespace vek {

namespace {

// Only spaces and tabs count as blanks around keys and values; a full-width space is text.
QStringView trimBlanks(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

// The bytes of a line end in the file's encoding: one byte, or one code unit of UTF-16.
struct LineEnds {
  int unit = 1;
  bool bigEndian = false;
};

LineEnds lineEndsOf(const TextCodec& codec) {
  const QByteArray name = codec.name().toUpper();
  if (name == "UTF-16BE") return {2, true};
  if (name.startsWith("UTF-16")) return {2, false};
  return {};
}

// The lines of body as [begin, end) ranges, line ends included, cut where a CR or LF code unit
// is: in UTF-8, Shift_JIS and EUC-JP such a byte is never part of another character. A last
// line without an end still counts; an odd byte at the end of UTF-16 is part of the last line.
QList<std::pair<qsizetype, qsizetype>> lineRanges(QByteArrayView body, LineEnds ends) {
  QList<std::pair<qsizetype, qsizetype>> ranges;
  if (ends.unit == 1) {
    forEachLine(body, [&](QByteArrayView, QByteArrayView withEnd) {
      const qsizetype begin = withEnd.data() - body.data();
      ranges.append({begin, begin + withEnd.size()});
    });
    return ranges;
  }
  auto unitAt = [&](qsizetype i) -> char16_t {
    const uchar first = uchar(body[i]), second = uchar(body[i + 1]);
    return ends.bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
  };
  const qsizetype whole = body.size() - body.size() % 2;
  qsizetype start = 0;
  for (qsizetype i = 0; i < whole; i += 2) {
    const char16_t c = unitAt(i);
    if (c != u'\n' && c != u'\r') continue;
    if (c == u'\r' && i + 2 < whole && unitAt(i + 2) == u'\n') i += 2;
    ranges.append({start, i + 2});
    start = i + 2;
  }
  if (start < body.size()) ranges.append({start, body.size()});
  return ranges;
}

}  // namespace

IniFile::IniFile(TextCodec codec) : m_codec(codec), m_fileCodec(std::move(codec)) {}

bool IniFile::load(const QString& path, QString* error) {
  setBytes({});
  WholeFile file = readWholeFile(path);
  if (file.status != WholeFile::Status::Read) {
    if (error) {
      *error = file.status == WholeFile::Status::Missing
                   ? QCoreApplication::translate("IniFile", "ファイルがありません。")
                   : file.error;
    }
    return false;
  }
  setBytes(file.bytes);
  return true;
}

void IniFile::addLine(QString text, qsizetype begin, qsizetype end) {
  if (std::optional<QString> name = sectionName(text)) {
    m_sections.append({std::move(*name), {std::move(text), begin, end}, {}});
  } else if (m_sections.isEmpty()) {
    m_preamble.append({std::move(text), begin, end});
  } else {
    m_sections.back().lines.append({std::move(text), begin, end});
  }
}

void IniFile::setBytes(const QByteArray& bytes) {
  m_source = bytes;
  m_preamble.clear();
  m_sections.clear();
  const std::optional<TextCodec::ByteOrderMark> mark = TextCodec::byteOrderMark(bytes);
  // A file is written back in the encoding it was read in, so that what the program does not
  // own keeps its bytes and what it writes can be read with them.
  m_fileCodec = mark ? TextCodec(mark->encoding) : m_codec;
  m_markLength = mark ? mark->length : 0;
  const QByteArrayView body = QByteArrayView(m_source).sliced(m_markLength);
  const QList<std::pair<qsizetype, qsizetype>> ranges = lineRanges(body, lineEndsOf(m_fileCodec));
  // Decoded in one piece, which is much faster than line by line. A decoder turns CR and LF
  // bytes into the same characters and never takes them into an invalid sequence, so the text
  // has the same lines as the bytes; should it not, each line is decoded alone.
  QStringList lines = splitLines(m_fileCodec.decode(body.toByteArray()));
  if (lines.size() != ranges.size()) {
    lines.clear();
    for (const auto& [begin, end] : ranges) {
      QString line = m_fileCodec.decode(body.sliced(begin, end - begin).toByteArray());
      while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
      lines.append(std::move(line));
    }
  }
  for (qsizetype i = 0; i < lines.size(); ++i)
    addLine(std::move(lines[i]), m_markLength + ranges[i].first, m_markLength + ranges[i].second);
  index();
}

void IniFile::index() {
  m_firstSection.clear();
  for (qsizetype i = m_sections.size() - 1; i >= 0; --i)
    m_firstSection.insert(m_sections[i].name.toCaseFolded(), i);
}

std::optional<QString> IniFile::sectionName(QStringView line) {
  const QStringView trimmed = trimBlanks(line);
  if (!trimmed.startsWith(u'[')) return std::nullopt;
  const qsizetype close = trimmed.indexOf(u']');
  if (close < 0) return std::nullopt;
  return trimBlanks(trimmed.sliced(1, close - 1)).toString();
}

const IniFile::Section* IniFile::findSection(QStringView name) const {
  const auto found = m_firstSection.constFind(name.toString().toCaseFolded());
  return found == m_firstSection.cend() ? nullptr : &m_sections[*found];
}

bool IniFile::hasSection(QStringView section) const {
  return findSection(section) != nullptr;
}

namespace {

// The value part of the line whose key is key, or nullopt.
std::optional<QStringView> valueOf(QStringView line, QStringView key) {
  const qsizetype equals = line.indexOf(u'=');
  if (equals < 0) return std::nullopt;
  if (trimBlanks(line.first(equals)).compare(key, Qt::CaseInsensitive) != 0) return std::nullopt;
  return trimBlanks(line.sliced(equals + 1));
}

}  // namespace

bool IniFile::contains(QStringView section, QStringView key) const {
  if (const Section* s = findSection(section))
    for (const Line& line : s->lines)
      if (valueOf(line.text, key)) return true;
  return false;
}

QString IniFile::value(QStringView section, QStringView key) const {
  const Section* s = findSection(section);
  if (!s || key.isEmpty()) return {};
  for (const Line& line : s->lines) {
    const std::optional<QStringView> found = valueOf(line.text, key);
    if (!found) continue;
    QStringView v = *found;
    if (v.size() >= 2 && (v.front() == u'\'' || v.front() == u'"') && v.back() == v.front())
      v = v.sliced(1, v.size() - 2);
    return v.toString();
  }
  return {};
}

void IniFile::replaceSection(const QString& section, const QStringList& lines) {
  QList<Line> written;
  written.reserve(lines.size());
  for (const QString& line : lines) written.append({line});
  bool placed = false;
  for (qsizetype i = 0; i < m_sections.size();) {
    if (m_sections[i].name.compare(section, Qt::CaseInsensitive) != 0) {
      ++i;
    } else if (!placed) {
      m_sections[i] = {section, {}, written};
      placed = true;
      ++i;
    } else {
      m_sections.removeAt(i);
    }
  }
  if (!placed) m_sections.append({section, {}, written});
  index();
}

namespace {

// The key of a "key=value" line as it is looked up: blanks removed, case folded; empty for a
// line without "=".
QString keyOf(QStringView line) {
  const qsizetype equals = line.indexOf(u'=');
  return equals < 0 ? QString() : trimBlanks(line.first(equals)).toString().toCaseFolded();
}

}  // namespace

void IniFile::updateSection(const QString& section, const QStringList& lines) {
  const auto found = m_firstSection.constFind(section.toCaseFolded());
  if (found == m_firstSection.cend()) {
    replaceSection(section, lines);
    return;
  }
  Section& target = m_sections[*found];
  QHash<QString, qsizetype> keys;  // folded key -> index in lines
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString key = keyOf(lines[i]);
    if (!key.isEmpty() && !keys.contains(key)) keys.insert(key, i);
  }
  // The lines that stay, each after the key it followed (0: before every key of lines).
  QList<QList<Line>> following(lines.size() + 1);
  QList<bool> replaced(lines.size(), false);
  qsizetype after = 0;
  for (Line& line : target.lines) {
    const auto key = keys.constFind(keyOf(line.text));
    if (key != keys.cend() && !replaced[*key]) {
      replaced[*key] = true;
      after = *key + 1;
    } else {
      following[after].append(std::move(line));
    }
  }
  QList<Line> merged = std::move(following[0]);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    merged.append({lines[i]});
    merged.append(std::move(following[i + 1]));
  }
  target = {section, {}, std::move(merged)};
  index();
}

QByteArray IniFile::toBytes(qint64* lost) const {
  if (lost) *lost = 0;
  QByteArray out = m_source.first(m_markLength);
  const qsizetype start = out.size();
  const QByteArray lineEnd = m_fileCodec.encode(u"\r\n");
  const QByteArray cr = m_fileCodec.encode(u"\r");
  const QByteArray lf = m_fileCodec.encode(u"\n");
  const int unit = lineEndsOf(m_fileCodec).unit;
  // A kept line may lack its end (the last line of the file); what follows it starts on a line
  // of its own. A UTF-16 file cut in the middle of a code unit has it completed first, or
  // everything after it would be read a byte off.
  auto append = [&](QByteArrayView bytes) {
    if ((out.size() - start) % unit != 0)
      out += QByteArray(unit - (out.size() - start) % unit, '\0');
    if (out.size() > start && !out.endsWith(lf) && !out.endsWith(cr)) out += lineEnd;
    out += bytes;
  };
  // Lines the program wrote are encoded together, each ended by CR LF.
  QString text;
  auto flushText = [&] {
    if (text.isEmpty()) return;
    qint64 partLost = 0;
    append(m_fileCodec.encode(text, Unmappable::Replace, &partLost));
    if (lost) *lost += partLost;
    text.clear();
  };
  auto add = [&](const Line& line) {
    if (line.begin < 0) {
      text += line.text + u"\r\n";
      return;
    }
    flushText();
    append(QByteArrayView(m_source).sliced(line.begin, line.end - line.begin));
  };
  for (const Line& line : m_preamble) add(line);
  for (const Section& section : m_sections) {
    add(section.header.begin < 0 ? Line{u'[' + section.name + u']'} : section.header);
    for (const Line& line : section.lines) add(line);
  }
  flushText();
  return out;
}

bool IniFile::save(const QString& path, QString* error) const {
  if (!m_fileCodec.isAvailable()) {
    if (error) *error = u"unknown text encoding " + QString::fromLatin1(m_fileCodec.name());
    return false;
  }
  return OutputFile::writeWhole(path, toBytes(), OutputFile::AtLink::WriteTarget, error);
}

}  // namespace vek
