// Reading, section replacement and atomic writing of INI files.
#include "core/IniFile.h"

#include "core/OutputFile.h"
#include "core/TextLines.h"
#include "core/WholeFile.h"

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

// Whether each line of a file in this encoding can be cut out of the bytes and decoded alone:
// true for the ASCII-based encodings (UTF-8, Shift_JIS, EUC-JP), where a CR or LF byte is always
// a line end.
bool linesAreBytes(const TextCodec& codec) {
  const QByteArray name = codec.name().toUpper();
  return !name.startsWith("UTF-16") && !name.startsWith("UTF-32") && !name.startsWith("UCS");
}

}  // namespace

IniFile::IniFile(TextCodec codec) : m_codec(std::move(codec)) {}

bool IniFile::load(const QString& path, QString* error) {
  setBytes({});
  WholeFile file = readWholeFile(path);
  if (file.status != WholeFile::Status::Read) {
    if (error) {
      *error = file.status == WholeFile::Status::Missing ? QStringLiteral("ファイルがありません。")
                                                          : file.error;
    }
    return false;
  }
  setBytes(file.bytes);
  return true;
}

void IniFile::addLine(QString line, QByteArrayView raw) {
  if (std::optional<QString> name = sectionName(line)) {
    m_sections.append({std::move(*name), {}, raw.toByteArray()});
  } else if (m_sections.isEmpty()) {
    m_preamble.append(std::move(line));
    m_preambleRaw += raw;
  } else {
    m_sections.back().lines.append(std::move(line));
    m_sections.back().raw += raw;
  }
}

void IniFile::setBytes(const QByteArray& bytes) {
  m_preamble.clear();
  m_preambleRaw.clear();
  m_sections.clear();
  m_marked = false;
  if (bytes.startsWith("\xFF\xFE")) {
    // UTF-16: read as text; it is written back in the codec's encoding.
    for (QString& line : splitLines(TextCodec("UTF-16LE").decode(bytes.sliced(2))))
      addLine(std::move(line), {});
  } else {
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const TextCodec codec = marked ? TextCodec("UTF-8") : m_codec;
    // The bytes are kept only when they are written back in the encoding they were read in.
    const bool keepBytes = linesAreBytes(m_codec) && (!marked || m_codec.isUtf8());
    // A kept mark keeps what follows it from being read as a mark of its own next time.
    m_marked = marked && keepBytes;
    const QByteArrayView body = QByteArrayView(bytes).sliced(marked ? 3 : 0);
    if (linesAreBytes(codec)) {
      // Decoded in one piece, which is much faster than line by line. A decoder turns CR and LF
      // bytes into the same characters and never takes them into an invalid sequence, so the
      // text has the same lines as the bytes; should it not, each line is decoded alone.
      QList<QByteArrayView> raw;
      forEachLine(body, [&raw](QByteArrayView, QByteArrayView withEnd) { raw.append(withEnd); });
      QStringList lines = splitLines(codec.decode(body.toByteArray()));
      if (lines.size() != raw.size()) {
        lines.clear();
        forEachLine(body, [&](QByteArrayView line, QByteArrayView) {
          lines.append(codec.decode(line.toByteArray()));
        });
      }
      for (qsizetype i = 0; i < lines.size(); ++i)
        addLine(std::move(lines[i]), keepBytes ? raw[i] : QByteArrayView());
    } else {
      for (QString& line : splitLines(codec.decode(body.toByteArray()))) addLine(std::move(line), {});
    }
  }
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
    for (const QString& line : s->lines)
      if (valueOf(line, key)) return true;
  return false;
}

QString IniFile::value(QStringView section, QStringView key) const {
  const Section* s = findSection(section);
  if (!s || key.isEmpty()) return {};
  for (const QString& line : s->lines) {
    const std::optional<QStringView> found = valueOf(line, key);
    if (!found) continue;
    QStringView v = *found;
    if (v.size() >= 2 && (v.front() == u'\'' || v.front() == u'"') && v.back() == v.front())
      v = v.sliced(1, v.size() - 2);
    return v.toString();
  }
  return {};
}

void IniFile::replaceSection(const QString& section, const QStringList& lines) {
  bool placed = false;
  for (qsizetype i = 0; i < m_sections.size();) {
    if (m_sections[i].name.compare(section, Qt::CaseInsensitive) != 0) {
      ++i;
    } else if (!placed) {
      m_sections[i] = {section, lines, {}};
      placed = true;
      ++i;
    } else {
      m_sections.removeAt(i);
    }
  }
  if (!placed) m_sections.append({section, lines, {}});
  index();
}

QByteArray IniFile::toBytes(qint64* lost) const {
  if (lost) *lost = 0;
  QByteArray out = m_marked ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray();
  const qsizetype start = out.size();
  // A kept part may end without a line end (the last line of the file); what follows it starts
  // on a line of its own.
  auto add = [&out, start](const QByteArray& bytes) {
    if (out.size() > start && !out.endsWith('\n') && !out.endsWith('\r')) out += "\r\n";
    out += bytes;
  };
  // Lines written as text are encoded a section at a time, each ended by CR LF.
  auto addLines = [&](const QString* header, const QStringList& lines) {
    QString text;
    if (header) text += *header + u"\r\n";
    for (const QString& line : lines) text += line + u"\r\n";
    qint64 partLost = 0;
    add(m_codec.encode(text, Unmappable::Replace, &partLost));
    if (lost) *lost += partLost;
  };
  if (!m_preambleRaw.isEmpty() || m_preamble.isEmpty())
    add(m_preambleRaw);
  else
    addLines(nullptr, m_preamble);
  for (const Section& section : m_sections) {
    if (!section.raw.isEmpty()) {
      add(section.raw);
    } else {
      const QString header = u'[' + section.name + u']';
      addLines(&header, section.lines);
    }
  }
  return out;
}

bool IniFile::save(const QString& path, QString* error) const {
  if (!m_codec.isAvailable()) {
    if (error) *error = u"unknown text encoding " + QString::fromLatin1(m_codec.name());
    return false;
  }
  return OutputFile::writeWhole(path, toBytes(), OutputFile::AtLink::WriteTarget, error);
}

}  // namespace vek
