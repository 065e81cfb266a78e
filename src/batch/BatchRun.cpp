#include "batch/BatchRun.h"

#include <QCoreApplication>
#include <QDir>

#include "batch/BatchParser.h"
#include "batch/UsageText.h"
#include "core/DateFormatter.h"
#include "core/MessageCatalogue.h"
#include "core/PathRules.h"
#include "core/TextCodec.h"
#include "gather/FilterPresets.h"
#include "gather/Gatherer.h"
#include "writers/HtmlListExport.h"
#include "writers/TextListExport.h"
#include "writers/XlsxListExport.h"
#include "writers/XmlListExport.h"

namespace vek {

namespace {

// A folder given on the command line, absolute (against the working folder) and clean, without
// a trailing separator except for the root: what gets written into the list and the settings
// must not depend on where the next run starts.
QString absoluteFolder(const QString& folder) {
  return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

// 1920 × 1080 pixels at 15 twips a pixel.
constexpr double kStandInScreenWidth = 1920 * 15;
constexpr double kStandInScreenHeight = 1080 * 15;

}  // namespace

BatchRun::BatchRun(QString programFolder, QString workingFolder, Interaction& interaction,
                   QDateTime start)
    : m_programFolder(std::move(programFolder)),
      m_workingFolder(std::move(workingFolder)),
      m_interaction(interaction),
      m_start(std::move(start)),
      m_store(folderText(m_programFolder, nativePathStyle()) + u"Vek.ini", m_interaction) {
  m_window.saveInitialDir = m_workingFolder;
}

void BatchRun::loadSettings() {
  // There is no screen in a batch run: a common one stands in, so that the window's stored
  // place and size are checked against something reasonable and kept.
  m_window.screenWidth = kStandInScreenWidth;
  m_window.screenHeight = kStandInScreenHeight;
  m_store.load(m_settings, m_window, m_workingFolder);
}

void BatchRun::saveSettings() {
  m_store.save(m_settings, m_window, m_workingFolder);
}

void BatchRun::loadPresets() {
  QString error;
  m_presets = loadFilterPresets(m_programFolder, &error);
  if (!m_presets) {
    m_interaction.showMessage(MessageCatalogue::warning(
        {QCoreApplication::translate(
             "BatchRun", "フィルタ設定ファイルを読み込めません。既定のフィルタを使います。"),
         error}));
  }
}

ExitCode BatchRun::printUsage(QIODevice& out) {
  const QByteArray text = TextCodec::system().encode(usageText());
  // A closed or full standard output is a failure a script should see.
  return out.write(text) == text.size() ? ExitCode::Success : ExitCode::WriteFailed;
}

ExitCode BatchRun::runBatch(const QStringList& tokens) {
  m_session.setBatchMode();
  const QDateTime start = m_start;
  const DateNamer namer = [start](const QString& pattern) {
    return formatDateTime(start, pattern);
  };
  auto parsed = parseBatchArguments(tokens, namer);
  if (const auto* message = std::get_if<Message>(&parsed)) {
    m_interaction.showMessage(*message);
    return ExitCode::BadCommandLine;
  }
  const BatchRequest& request = std::get<BatchRequest>(parsed);
  // The folder boxes now show the source folder; it is the start folder of the next window.
  m_window.shownFolder = folderText(absoluteFolder(request.sourceFolder), nativePathStyle());
  return executeBatch(request);
}

ExitCode BatchRun::executeBatch(const BatchRequest& request) {
  // Gather, as the add buttons would, with the first preset as the filter unless "/E" gave one.
  Gatherer gatherer(m_list, m_interaction, m_settings);
  gatherer.setSortAtEnd(false);  // sorted once below, by the list's sorting and then the key
  QString filter;
  if (request.filter) {
    filter = *request.filter;
  } else if (m_presets) {
    if (!m_presets->isEmpty()) filter = m_presets->front();
  } else {
    // filter.txt can be neither read nor created: the preset it would have held.
    filter = defaultFilterPresets().front();
  }
  gatherer.setFilter(filter);
  const QString source = absoluteFolder(request.sourceFolder);
  const AddResult added =
      request.includeSubfolders ? gatherer.addSubtree(source) : gatherer.addCurrentFolder(source);
  // Declining the scan of the whole root on a terminal means stop, not an empty list.
  if (added.outcome == AddOutcome::Declined) return ExitCode::Declined;
  // The window leaves unreadable folders out silently; a script is at least told how many.
  if (added.unreadableFolders > 0) {
    m_interaction.showMessage(MessageCatalogue::unreadableFolders(added.unreadableFolders));
  }

  sortBy(request.sortKey);

  // The output folder ends in the separator, so the name follows it directly.
  const QString folder = request.outputFolder.isEmpty()
                             ? folderText(m_window.saveInitialDir, nativePathStyle())
                             : folderText(absoluteFolder(request.outputFolder), nativePathStyle());
  const QString path = folder + request.fileName + request.extension;
  m_window.saveInitialDir = folder;
  m_window.saveFileName = path;

  // /M and /W hold for this run only: Vek.ini keeps what the dialogs chose.
  Settings working = m_settings;
  for (ColumnOptions* columns :
       {&working.csv.columns, &working.html.columns, &working.xml.columns}) {
    if (request.hash != HashKind::None) columns->hash = request.hash;
    if (request.checksumFile) columns->checksumFile = true;
    // /W without /M is SHA-256, whatever digest column the dialogs chose.
    if (request.checksumFile && request.hash == HashKind::None)
      columns->checksumHash = HashKind::Sha256;
  }
  bool written = false;
  switch (request.type) {
    case OutputType::Csv:
    case OutputType::Text: {
      const bool textType = request.type == OutputType::Text;
      const QString separator = m_settings.separators[0];
      // "/K" holds for this run only; the saved choice stays as it was.
      TextListChoices choices{m_settings.listFile.encoding, m_settings.listFile.formulaGuard};
      if (request.encoding) choices.encoding = *request.encoding;
      written = createTextList(path, m_list, working, m_interaction, textType, separator, choices,
                               ReplacedRowsReport::EveryRow);
      if (written) {
        m_settings.csv.fileType = textType ? ListFileType::Text : ListFileType::Csv;
        m_settings.listFile.workbook = false;
      }
      break;
    }
    case OutputType::Xlsx:
      written = createXlsxList(path, m_list, working, m_interaction, request.title);
      if (written) m_settings.listFile.workbook = true;
      break;
    case OutputType::Html:
      written = createHtmlList(path, m_list, working, m_interaction, request.title);
      if (written) m_settings.html.title = request.title;
      break;
    case OutputType::Xml:
      written = createXmlList(path, m_list, working, m_interaction);
      break;
  }
  if (!written) return ExitCode::WriteFailed;
  if (m_settings.option.listOpen) m_session.openWithAssociatedApp(path);
  return ExitCode::Success;
}

void BatchRun::sortBy(ListColumn key) {
  // As the window's add would leave the rows (sorted by the list's own sorting) and then
  // sorted by the key; the size sort goes smallest first, the list being filled in this run.
  m_list.sortOwnThenBy(key);
}

}  // namespace vek
