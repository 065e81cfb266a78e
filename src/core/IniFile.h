// An INI file held in memory: read whole, queried by section and key without regard to case,
// changed one whole section at a time, and written back through a temporary file that replaces
// the old one only when everything was written. Sections the program replaced are written with
// CR LF line ends; every other section, and the text before the first, keeps its bytes exactly
// (another program's values in another encoding, its line ends), as long as the file is written
// in the encoding it was read in.
#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/TextCodec.h"

namespace vek {

class IniFile {
 public:
  explicit IniFile(TextCodec codec = TextCodec::system());

  // Reads the file at path: a regular file of at most a few megabytes (readWholeFile). False,
  // with the reason in error, when it is missing, unreadable or refused; the object is then
  // empty.
  bool load(const QString& path, QString* error = nullptr);
  // Takes the bytes of a file: a UTF-8 byte-order mark means UTF-8 whatever the codec, FF FE
  // means UTF-16LE; lines end in LF, CR LF or CR.
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

  // The whole file in the codec's encoding; lost counts the characters of the replaced sections
  // that it cannot hold (written as "?").
  QByteArray toBytes(qint64* lost = nullptr) const;
  // Writes the file atomically: on failure the old file is untouched and error says why. A link
  // at path is followed: the file it leads to is replaced.
  bool save(const QString& path, QString* error = nullptr) const;

  const TextCodec& codec() const { return m_codec; }

 private:
  struct Section {
    QString name;
    QStringList lines;  // without line ends; the header line is not among them
    // The bytes as read, header and line ends included; empty for a section the program wrote
    // (or a file read in another encoding than the one it is written in).
    QByteArray raw;
  };
  const Section* findSection(QStringView name) const;
  void index();
  static std::optional<QString> sectionName(QStringView line);  // of a header line
  void addLine(QString line, QByteArrayView raw);

  TextCodec m_codec;
  QStringList m_preamble;  // lines before the first section
  QByteArray m_preambleRaw;
  bool m_marked = false;  // read with a UTF-8 byte-order mark, written back with it
  QList<Section> m_sections;
  QHash<QString, qsizetype> m_firstSection;  // case-folded name -> index of its first section
};

}  // namespace vek
