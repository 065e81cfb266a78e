// Reading and writing Vek.ini: the key tables, the value rules and the window's place.
#include "core/settings/SettingsFile.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include "core/platform/WholeFile.h"
#include "core/settings/IniFile.h"
#include "core/settings/OwnSections.h"
#include "core/text/LeadingNumber.h"
#include "core/text/PathRules.h"

namespace vek {

namespace {

constexpr Colour kLargestColour = 0xFFFFFF;
constexpr int kDefaultInterval = 15;
constexpr int kLargestInterval = 100;
// A window this close to the screen's size (twips) is maximised; it is stored at half the
// screen so that the next start does not open it covering everything.
constexpr double kNearFullScreen = 500;

// Every section but Main, with its keys in the order they are written. S is Settings or
// const Settings; the visitor reads into it or writes from it.
template <class S, class V>
void visitColumns(S& c, V& v, bool withInsertion) {
  v.number(u"ChkPath", c.chkPath, 0, 1);
  v.number(u"ChkPathType", c.chkPathType, 0, 1);
  v.number(u"ChkDir", c.chkDir, 0, 1);
  v.number(u"OptDirType", c.optDirType, 0, 2);
  v.number(u"ChkFile", c.chkFile, 0, 1);
  v.number(u"ChkExtAdd", c.chkExtAdd, 0, 1);
  v.number(u"ChkExt", c.chkExt, 0, 1);
  v.number(u"ChkSize", c.chkSize, 0, 1);
  v.number(u"OptSizeType", c.optSizeType, 0, 2);
  v.number(u"ChkAddUnit", c.chkAddUnit, 0, 1);
  v.number(u"ChkMakeDate", c.chkMakeDate, 0, 1);
  v.number(u"ChkAccessDate", c.chkAccessDate, 0, 1);
  v.number(u"ChkUpdateDate", c.chkUpdateDate, 0, 1);
  if (!withInsertion) return;
  v.number(u"OptHeadInsert", c.optHeadInsert, 0, 1);
  v.number(u"OptHeadInsertType", c.optHeadInsertType, 0, 1);
  v.interval(u"ValHeadInterval", c.valHeadInterval);
}

template <class S, class V>
void visitSettings(S& s, V& v) {
  v.section(u"History");
  for (std::size_t i = 0; i < s.history.size(); ++i)
    v.text(QString(u"History" + QString::number(i)), s.history[i]);

  v.section(u"Option");
  v.number(u"OverLap", s.option.overLap, 0, 1);
  v.number(u"ListOpen", s.option.listOpen, 0, 1);
  v.number(u"AllAppend", s.option.allAppend, 0, 1);
  v.number(u"DefaultTitle", s.option.defaultTitle, 0, 1);
  v.number(u"DropFolder", s.option.dropFolder, 0, 1);
  v.text(u"DateFormat", s.option.dateFormat);

  v.section(u"Html");
  v.colour(u"StringColor", s.html.stringColor);
  v.colour(u"BackColor", s.html.backColor);
  v.colour(u"HeadColor", s.html.headColor);
  v.colour(u"TableColorA", s.html.tableColorA);
  v.colour(u"TableColorB", s.html.tableColorB);
  v.number(u"FileLink", s.html.fileLink, 0, 1);
  visitColumns(s.html.columns, v, true);
  v.defaultedText(u"Title", s.html.title, DefaultListTexts::htmlTitleSource());

  v.section(u"Csv");
  v.number(u"FileType", s.csv.fileType, 0, 1);
  v.number(u"TabUse", s.csv.tabUse, 0, 1);
  v.number(u"CrLfType", s.csv.crLfType, 0, 2);
  visitColumns(s.csv.columns, v, true);

  v.section(u"SEPARATOR");
  for (std::size_t i = 0; i < s.separators.size(); ++i)
    v.text(QString(u"SEPARATOR_" + QString::number(i)), s.separators[i]);

  v.section(u"Xml");
  v.number(u"StringCode", s.xml.stringCode, 0, 4);
  v.number(u"CrLfCheck", s.xml.crLfCheck, 0, 1);
  v.number(u"CrLfType", s.xml.crLfType, 0, 2);
  visitColumns(s.xml.columns, v, false);

  v.section(u"HeadComment");
  static constexpr const char16_t* kCaptionKeys[kColumnCount] = {
      u"FullPath", u"Directory",  u"FileName",   u"FileType",
      u"FileSize", u"CreateDate", u"AccessDate", u"ModifiDate"};
  for (int i = 0; i < kColumnCount; ++i) {
    v.defaultedText(kCaptionKeys[i], s.headComment[std::size_t(i)],
                    DefaultListTexts::captionSources()[std::size_t(i)]);
  }

  v.section(u"ElementName");
  v.text(u"Root", s.elementNames.root);
  v.text(u"FileInfo", s.elementNames.fileInfo);
  v.text(u"FileFullPath", s.elementNames.fileFullPath);
  v.text(u"FilePath", s.elementNames.filePath);
  v.text(u"FileName", s.elementNames.fileName);
  v.text(u"FileType", s.elementNames.fileType);
  v.text(u"FileSize", s.elementNames.fileSize);
  v.text(u"FileDate", s.elementNames.fileDate);
  v.text(u"MakeDate", s.elementNames.makeDate);
  v.text(u"AccessDate", s.elementNames.accessDate);
  v.text(u"UpdateDate", s.elementNames.updateDate);
}

// A default text of Settings in the interface's language.
QString defaultText(const char* source) {
  return QCoreApplication::translate("Settings", source);
}

// Halves go to the even neighbour (the default rounding mode).
double roundHalfEven(double value) {
  return std::nearbyint(value);
}

class Reader {
 public:
  explicit Reader(const IniFile& ini) : m_ini(ini) {}

  void section(QStringView name) { m_section = name; }
  // field is an int, a bool (0..1) or an enum class (0..its last value).
  template <class T>
  void number(QStringView key, T& field, int lowest, int highest) {
    if (const auto value = read(key))
      field = T(int(std::clamp(roundHalfEven(*value), double(lowest), double(highest))));
  }
  void colour(QStringView key, Colour& field) { number(key, field, 0, kLargestColour); }
  void interval(QStringView key, int& field) {
    if (const auto value = read(key)) {
      const double n = roundHalfEven(*value);
      field = n < 1 ? kDefaultInterval : int(std::min(n, double(kLargestInterval)));
    }
  }
  void text(QStringView key, QString& field) {
    if (QString value = m_ini.value(m_section, key); !value.isEmpty()) field = std::move(value);
  }
  // The file keeps a text left at its default as the Japanese default, so that it is read
  // back as the default of whichever language the program speaks then; any other text is the
  // person's own and is kept as it is.
  void defaultedText(QStringView key, QString& field, const char* source) {
    QString value = m_ini.value(m_section, key);
    if (value.isEmpty()) return;
    field = value == QString::fromUtf8(source) ? defaultText(source) : std::move(value);
  }

  void ownSection(QStringView name) { section(name); }
  // A value that does not start with a number is off; a missing one keeps what field holds.
  template <class T, class U = std::remove_const_t<T>>
  void flag(const QString& key, T& field, U on = U(true), U off = U(false),
            WhenOff = WhenOff::Written) {
    const QString text = m_ini.value(m_section, key);
    if (!text.isEmpty()) field = leadingNumber(text) != 0 ? on : off;
  }
  // A keyword fromText does not know keeps what field holds.
  template <class T, class ToText, class FromText>
  void keyword(const QString& key, T& field, ToText, FromText fromText) {
    if (const auto value = fromText(m_ini.value(m_section, key))) field = *value;
  }
  void quotedText(const QString& key, QString& field, char16_t, TextRead rule) {
    const bool take = rule == TextRead::WhenNotEmpty     ? !m_ini.value(m_section, key).isEmpty()
                      : rule == TextRead::WhenKeyPresent ? m_ini.contains(m_section, key)
                                                         : m_ini.hasSection(m_section);
    if (take) field = m_ini.value(m_section, key);
  }

 private:
  std::optional<double> read(QStringView key) const {
    const QString value = m_ini.value(m_section, key);
    if (value.isEmpty()) return std::nullopt;
    return leadingNumber(value);
  }

  const IniFile& m_ini;
  QStringView m_section;
};

// Whether a text survives a trip through a line of the file in its encoding.
bool canStore(const QString& text, const TextCodec& codec) {
  if (text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0))) return false;
  qint64 lost = 0;
  codec.encode(text, Unmappable::Replace, &lost);
  return lost == 0;
}

QString quoted(const QString& text, const TextCodec& codec) {
  return u'\'' + (canStore(text, codec) ? text : QString()) + u'\'';
}

class Writer {
 public:
  // ownDefaults: the lines of each own section with every choice at its default, which leave
  // a section the file does not have unwritten; null: every section is written.
  explicit Writer(IniFile& ini, const QHash<QString, QStringList>* ownDefaults = nullptr)
      : m_ini(ini), m_ownDefaults(ownDefaults) {}
  ~Writer() { flush(); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void section(QStringView name) {
    flush();
    m_section = name.toString();
    m_own = false;
  }
  void ownSection(QStringView name) {
    section(name);
    m_own = true;
  }
  template <class T>
  void number(QStringView key, const T& field, int, int) {
    line(key, QString::number(int(field)));
  }
  void colour(QStringView key, const Colour& field) { line(key, QString::number(field)); }
  void interval(QStringView key, const int& field) { line(key, QString::number(field)); }
  void text(QStringView key, const QString& field) { line(key, quoted(field, m_ini.codec())); }
  void defaultedText(QStringView key, const QString& field, const char* source) {
    text(key, field == defaultText(source) ? QString::fromUtf8(source) : field);
  }
  void line(QStringView key, const QString& value) { m_lines.append(key + u'=' + value); }

  template <class T, class U = std::remove_const_t<T>>
  void flag(const QString& key, const T& field, U on = U(true), U = U(false),
            WhenOff whenOff = WhenOff::Written) {
    if (field != on && whenOff == WhenOff::Omitted) return;
    line(key, QString::number(field == on ? 1 : 0));
  }
  template <class T, class ToText, class FromText>
  void keyword(const QString& key, const T& field, ToText toText, FromText) {
    line(key, toText(field));
  }
  void quotedText(const QString& key, const QString& field, char16_t quote, TextRead) {
    line(key, quote + field + quote);
  }

  // The lines of every section written so far.
  const QHash<QString, QStringList>& written() const { return m_written; }

 private:
  void flush() {
    if (!m_section.isEmpty() && (!m_own || !m_ownDefaults || m_ini.hasSection(m_section) ||
                                 m_ownDefaults->value(m_section) != m_lines)) {
      m_ini.updateSection(m_section, m_lines);
      m_written.insert(m_section, m_lines);
    }
    m_lines.clear();
  }

  IniFile& m_ini;
  const QHash<QString, QStringList>* m_ownDefaults;
  QString m_section;
  bool m_own = false;
  QStringList m_lines;
  QHash<QString, QStringList> m_written;
};

// A whole number without a decimal point, a fraction with one (never an exponent).
QString decimalText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("0");
  if (value == std::floor(value) && std::fabs(value) < 1e15) return QString::number(qint64(value));
  return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

// An absolute path naming an existing folder, or empty.
QString existingFolder(const QString& path) {
  if (path.isEmpty() || !QDir::isAbsolutePath(path) || !QFileInfo(path).isDir()) return {};
  return path;
}

void centre(WindowState& window) {
  window.width = window.designWidth;
  window.height = window.designHeight;
  // Never above or left of the screen, even on a screen smaller than the window.
  window.top = std::max(0.0, (window.screenHeight - window.height) / 2);
  window.left = std::max(0.0, (window.screenWidth - window.width) / 2);
}

enum class SizeRule { AsIs, NotFullScreen };

void writeAll(IniFile& ini, const Settings& settings, const WindowState& window,
              const QString& fallbackFolder, SizeRule sizeRule) {
  const QString outFolder = [&] {
    const qsizetype slash = window.saveFileName.lastIndexOf(u'/');
    return slash < 0 ? fallbackFolder : window.saveFileName.first(slash + 1);
  }();
  auto size = [sizeRule](double value, double screen) {
    if (sizeRule == SizeRule::AsIs) return decimalText(value);
    double rounded = roundHalfEven(value);
    if (rounded >= screen - kNearFullScreen) rounded = roundHalfEven(screen / 2);
    return decimalText(rounded);
  };

  // History entries the file cannot hold are dropped; the later ones move up.
  Settings toWrite = settings;
  const TextCodec& codec = ini.codec();
  auto kept = std::stable_partition(toWrite.history.begin(), toWrite.history.end(),
                                    [&](const QString& entry) { return canStore(entry, codec); });
  std::fill(kept, toWrite.history.end(), QString());
  // A pattern read back with "?" for a lost character would leave out names nobody named.
  if (!canStore(toWrite.walk.excluded, codec)) toWrite.walk.excluded.clear();

  // What the own sections hold at the defaults, which leaves them out of a file without them.
  IniFile scratch;
  Writer defaults(scratch);
  const Settings defaultSettings;
  visitOwnSections(defaultSettings, defaults);
  defaults.section(u"");

  Writer writer(ini, &defaults.written());
  writer.section(u"Main");
  writer.text(u"DefaultInDir", window.shownFolder.isEmpty() ? fallbackFolder : window.shownFolder);
  writer.text(u"DefaultOutDir", outFolder);
  writer.line(u"Top", decimalText(window.top));
  writer.line(u"Left", decimalText(window.left));
  writer.line(u"Width", size(window.width, window.screenWidth));
  writer.line(u"Height", size(window.height, window.screenHeight));
  visitSettings(std::as_const(toWrite), writer);
  visitOwnSections(std::as_const(toWrite), writer);
}

}  // namespace

void readSettings(const IniFile& ini, Settings& settings, WindowState& window,
                  const QString& fallbackFolder) {
  const QString inFolder = existingFolder(ini.value(u"Main", u"DefaultInDir"));
  window.shownFolder = inFolder.isEmpty() ? fallbackFolder : inFolder;
  const QString outFolder = existingFolder(ini.value(u"Main", u"DefaultOutDir"));
  window.saveInitialDir =
      outFolder.isEmpty() ? fallbackFolder : folderText(outFolder, PathStyle::Posix);

  auto number = [&](QStringView key) -> std::optional<double> {
    const QString value = ini.value(u"Main", key);
    if (value.isEmpty()) return std::nullopt;
    return leadingNumber(value);
  };
  // A minimised window is stored with a negative place; such places and those off the screen
  // put the window in the middle of the screen.
  const auto top = number(u"Top");
  window.top = !top || *top < 0 || *top > window.screenHeight ? window.screenHeight / 2 : *top;
  const auto left = number(u"Left");
  window.left = !left || *left < 0 || *left > window.screenWidth ? window.screenWidth / 2 : *left;
  const auto width = number(u"Width");
  window.width = !width || *width < window.minimumWidth || *width > window.screenWidth
                     ? window.minimumWidth
                     : *width;
  const auto height = number(u"Height");
  window.height = !height || *height < window.minimumHeight || *height > window.screenHeight
                      ? window.minimumHeight
                      : *height;

  Reader reader(ini);
  visitSettings(settings, reader);
  visitOwnSections(settings, reader);
}

void writeSettings(IniFile& ini, const Settings& settings, const WindowState& window,
                   const QString& fallbackFolder) {
  writeAll(ini, settings, window, fallbackFolder, SizeRule::NotFullScreen);
}

namespace {

// A settings file that is there but could not be read is left exactly as it is: writing the
// defaults over it would lose every setting and other programs' sections.
QString notReadMessage(const QString& iniPath, const QString& reason) {
  return iniPath + u": " + reason + u"\r\n" +
         QCoreApplication::translate(
             "SettingsFile", "設定ファイルは読み込めなかったため、書き換えずにそのまま残します。");
}

}  // namespace

bool loadSettings(const QString& iniPath, Settings& settings, WindowState& window,
                  const QString& fallbackFolder, QString* error) {
  settings = Settings();
  const WholeFile file = readWholeFile(iniPath);
  if (file.status == WholeFile::Status::Missing) {
    centre(window);
    window.shownFolder = fallbackFolder;
    window.saveInitialDir = fallbackFolder;
    IniFile ini;
    writeAll(ini, settings, window, fallbackFolder, SizeRule::AsIs);
    QString reason;
    if (ini.save(iniPath, &reason)) return true;
    if (error) *error = iniPath + u": " + reason;
    return false;
  }
  if (file.status == WholeFile::Status::Unreadable) {
    centre(window);
    window.shownFolder = fallbackFolder;
    window.saveInitialDir = fallbackFolder;
    if (error) *error = notReadMessage(iniPath, file.error);
    return false;
  }
  IniFile ini;
  ini.setBytes(file.bytes);
  readSettings(ini, settings, window, fallbackFolder);
  return true;
}

bool saveSettings(const QString& iniPath, const Settings& settings, const WindowState& window,
                  const QString& fallbackFolder, QString* error) {
  // Sections of other programs or later versions are kept.
  IniFile ini;
  const WholeFile file = readWholeFile(iniPath);
  if (file.status == WholeFile::Status::Unreadable) {
    if (error) *error = notReadMessage(iniPath, file.error);
    return false;
  }
  if (file.status == WholeFile::Status::Read) ini.setBytes(file.bytes);
  writeSettings(ini, settings, window, fallbackFolder);
  QString reason;
  if (ini.save(iniPath, &reason)) return true;
  if (error) *error = iniPath + u": " + reason;
  return false;
}

}  // namespace vek
