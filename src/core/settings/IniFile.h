// An INI file held in memory: read whole, queried by section and key without regard to case,
// changed a section at a time, and written back through a temporary file that replaces the old
// one only when everything was written. The file is written in the encoding it was read in (a
// byte-order mark's, kept, or else the system's). Lines the program wrote end in CR LF; every
// other line (other sections, unknown keys, comments, the text before the first section) keeps
// its bytes exactly: another program's values in another encoding, its line ends.
#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/text/TextCodec.h"

namespace vek {

class IniFile {
 public:
  explicit IniFile(TextCodec codec = TextCodec::system());

  // Reads the file at path: a regular file of at most a few megabytes (readWholeFile). False,
  // with the reason in error, when it is missing, unreadable or refused; the object is then
  // empty.
  bool load(const QString& path, QString* error = nullptr);
  // Takes the bytes of a file. A byte-order mark (UTF-8, UTF-16LE, UTF-16BE) names the file's
  // encoding whatever the codec; without one the file is in the codec's. Lines end in LF, CR LF
  // or CR.
  void setBytes(const QByteArray& bytes);

  bool hasSection(QStringView section) const;
  // The value of key in section: blanks around it removed, then a pair of equal quotes (' or ")
  // around it removed, so '  ' keeps its two spaces. Empty when the section or key is missing.
  // The first section of the name and the first line of the key count.
  QString value(QStringView section, QStringView key) const;
  bool contains(QStringView section, QStringView key) const;

  // Replaces everything in section with lines (each "key=value", taken as given); a missing
  // section is added at the end, and a repeated one is dropped. Other sections, lines that are
  // not settings, and text before the first section stay as they were.
  void replaceSection(const QString& section, const QStringList& lines);
  // Writes lines (each "key=value", taken as given) into the first section of the name: the line
  // each key is read from gives way to the new one; every other line stays, after the key it
  // followed, with its bytes; the keys come in the order given. A repeated section of the name
  // and a key's later lines are not read, so they are kept as they are. A missing section is
  // added at the end.
  void updateSection(const QString& section, const QStringList& lines);

  // The whole file in its encoding; lost counts the characters of the lines the program wrote
  // that it cannot hold (written as "?").
  QByteArray toBytes(qint64* lost = nullptr) const;
  // Writes the file atomically: on failure the old file is untouched and error says why. A link
  // at path is followed: the file it leads to is replaced.
  bool save(const QString& path, QString* error = nullptr) const;

  // The encoding the file is written in: the one it was read in.
  const TextCodec& codec() const { return m_fileCodec; }

 private:
  struct Line {
    QString text;  // without its end
    // Where the line's bytes, end included, are in m_source; begin < 0 for a line the program
    // wrote.
    qsizetype begin = -1;
    qsizetype end = -1;
  };
  struct Section {
    QString name;
    Line header;
    QList<Line> lines;
  };
  const Section* findSection(QStringView name) const;
  void index();
  static std::optional<QString> sectionName(QStringView line);  // of a header line
  void addLine(QString text, qsizetype begin, qsizetype end);

  TextCodec m_codec;      // of a file without a byte-order mark
  TextCodec m_fileCodec;  // of the file read
  QByteArray m_source;    // the bytes read, mark included
  qsizetype m_markLength = 0;
  QList<Line> m_preamble;  // lines before the first section
  QList<Section> m_sections;
  QHash<QString, qsizetype> m_firstSection;  // case-folded name -> index of its first section
};

}  // namespace vek
