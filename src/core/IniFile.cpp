// Reading, section replacement and atomic writing of INI files.
#include "core/IniFile.h"

#include <QFile>

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

QStringList splitLines(QStringView text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n' && text[i] != u'\r') continue;
    lines.append(text.sliced(start, i - start).toString());
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.sliced(start).toString());
  return lines;
}

}  // namespace

IniFile::IniFile(TextCodec codec) : m_codec(std::move(codec)) {}

bool IniFile::load(const QString& path, QString* error) {
  setBytes({});
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
    return false;
  }
  setBytes(bytes);
  return true;
}

void IniFile::setBytes(const QByteArray& bytes) {
  m_preamble.clear();
  m_sections.clear();
  QString text;
  if (bytes.startsWith("\xEF\xBB\xBF"))
    text = QString::fromUtf8(bytes.sliced(3));
  else if (bytes.startsWith("\xFF\xFE"))
    text = TextCodec("UTF-16LE").decode(bytes.sliced(2));
  else
    text = m_codec.decode(bytes);

  for (QString& line : splitLines(text)) {
    if (std::optional<QString> name = sectionName(line))
      m_sections.append({std::move(*name), {}});
    else if (m_sections.isEmpty())
      m_preamble.append(std::move(line));
    else
      m_sections.back().lines.append(std::move(line));
  }
}

std::optional<QString> IniFile::sectionName(QStringView line) {
  const QStringView trimmed = trimBlanks(line);
  if (!trimmed.startsWith(u'[')) return std::nullopt;
  const qsizetype close = trimmed.indexOf(u']');
  if (close < 0) return std::nullopt;
  return trimBlanks(trimmed.sliced(1, close - 1)).toString();
}

const IniFile::Section* IniFile::findSection(QStringView name) const {
  for (const Section& section : m_sections)
    if (QStringView(section.name).compare(name, Qt::CaseInsensitive) == 0) return &section;
  return nullptr;
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
      m_sections[i] = {section, lines};
      placed = true;
      ++i;
    } else {
      m_sections.removeAt(i);
    }
  }
  if (!placed) m_sections.append({section, lines});
}

QString IniFile::text() const {
  QString out;
  auto add = [&out](const QString& line) {
    out += line;
    out += u"\r\n";
  };
  for (const QString& line : m_preamble) add(line);
  for (const Section& section : m_sections) {
    add(u'[' + section.name + u']');
    for (const QString& line : section.lines) add(line);
  }
  return out;
}

QByteArray IniFile::toBytes(qint64* lost) const {
  return m_codec.encode(text(), Unmappable::Replace, lost);
}

bool IniFile::save(const QString& path, QString* error) const {
  if (!m_codec.isAvailable()) {
    if (error) *error = u"unknown text encoding " + QString::fromLatin1(m_codec.name());
    return false;
  }
  return writeWholeFile(path, toBytes(), error);
}

}  // namespace vek
