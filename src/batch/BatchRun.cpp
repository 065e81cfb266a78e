#include "batch/BatchRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

#include "batch/BatchParser.h"
#include "batch/UsageText.h"
#include "compare/ComparisonRun.h"
#include "compare/JsonListReader.h"
#include "compare/ListComparison.h"
#include "compare/TextListReader.h"
#include "core/dates/DateFormatter.h"
#include "core/messages/MessageCatalogue.h"
#include "core/messages/PrintedPath.h"
#include "core/platform/FileNameBytes.h"
#include "core/text/PathRules.h"
#include "core/text/TextCodec.h"
#include "gather/BackgroundAdd.h"
#include "gather/FilterPresets.h"
#include "gather/Gatherer.h"
#include "writers/HtmlListExport.h"
#include "writers/JsonListExport.h"
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
  if (!request.savedLists.isEmpty()) return executeComparison(request);
  if (const auto stop = gather(request)) return *stop;
  sortBy(request.sortKey);
  return writeList(request, m_list, false) ? ExitCode::Success : ExitCode::WriteFailed;
}

std::optional<ExitCode> BatchRun::gather(const BatchRequest& request, ComparisonRun* comparison) {
  // Gather, as the add buttons would, with the first preset as the filter unless "/E" gave one.
  // Digits in names sort as the window sorts them with the same Vek.ini.
  m_list.setNumberOrder(m_settings.sort.numbers);
  Gatherer gatherer(m_list, m_interaction, m_settings);
  const QString filter = request.filter ? *request.filter : presetFilter();
  gatherer.setFilter(filter);
  m_walk = ListWalk{request.includeSubfolders, filter, request.excluded, request.hiddenFiles,
                    request.oneFileSystem};
  // Only the command line decides what a run leaves out: a script lists the same files
  // whatever the window was last set to.
  gatherer.setWalkRules(WalkRules(request.excluded, request.hiddenFiles, request.oneFileSystem));
  const QString source = absoluteFolder(request.sourceFolder);
  // The window's add, waited for here.
  BackgroundAdd add(gatherer, m_list, m_interaction, m_settings);
  add.setSortAtEnd(false);  // sorted once below, by the list's sorting and then the key
  add.setRowChecks(false);  // the list makes them if a writer asks
  if (request.includeSubfolders)
    add.startSubtree(source);
  else
    add.startCurrentFolder(source);
  const AddResult& added = add.wait();
  if (comparison) comparison->walked(added);
  // Declining the scan of the whole root on a terminal means stop, not an empty list.
  if (added.outcome == AddOutcome::Declined) return ExitCode::Declined;
  // What could not be read was reported to the interaction, which names it at the end (and the
  // comparison took it too).
  m_list.settle();
  return std::nullopt;
}

QString BatchRun::presetFilter() const {
  if (!m_presets) return defaultFilterPresets().front();  // filter.txt could not be read
  return m_presets->isEmpty() ? QString() : m_presets->front();
}

void BatchRun::followSavedList(BatchRequest& request) {
  const std::optional<SavedList> header =
      JsonListReader::readHeader(QDir::current().absoluteFilePath(request.savedLists.front()));
  if (!header) return;
  QStringList followed;
  QStringList differing;
  const auto quoted = [](const QString& value) -> QString { return u'"' + value + u'"'; };
  const auto flag = [&](bool saved, bool& asked, const QString& name) {
    if (saved && !asked) {
      asked = true;
      followed += name;
    } else if (!saved && asked) {
      differing +=
          QCoreApplication::translate(
              "BatchRun", "%1 を付けて比較します（保存されたリストは %1 なしで作られました）。")
              .arg(name);
    }
  };
  if (const std::optional<ListWalk>& walk = header->walk) {
    flag(walk->subfolders, request.includeSubfolders, QStringLiteral("/C"));
    if (!request.filter) {
      if (walk->filter != presetFilter()) followed += QStringLiteral("/E ") + quoted(walk->filter);
      request.filter = walk->filter;
    } else if (*request.filter != walk->filter) {
      differing +=
          QCoreApplication::translate(
              "BatchRun", "/E %1 で比較します（保存されたリストは /E %2 で作られました）。")
              .arg(quoted(*request.filter), quoted(walk->filter));
    }
    if (!request.excludedGiven) {
      if (!walk->excluded.isEmpty()) followed += QStringLiteral("/X ") + quoted(walk->excluded);
      request.excluded = walk->excluded;
    } else if (request.excluded != walk->excluded) {
      differing +=
          QCoreApplication::translate(
              "BatchRun", "/X %1 で比較します（保存されたリストは /X %2 で作られました）。")
              .arg(quoted(request.excluded), quoted(walk->excluded));
    }
    flag(walk->hiddenFiles, request.hiddenFiles, QStringLiteral("/A"));
    flag(walk->oneFileSystem, request.oneFileSystem, QStringLiteral("/D"));
  }
  if (header->hashKind != HashKind::None) {
    if (request.hash == HashKind::None) {
      request.hash = header->hashKind;
      followed += QStringLiteral("/M ") + hashKindName(header->hashKind);
    } else if (request.hash != header->hashKind) {
      differing +=
          QCoreApplication::translate(
              "BatchRun", "/M %1 で比較します（保存されたリストは /M %2 で作られました）。")
              .arg(hashKindName(request.hash), hashKindName(header->hashKind));
    }
  }
  if (followed.isEmpty() && differing.isEmpty()) return;
  QStringList lines;
  if (!followed.isEmpty())
    lines +=
        QCoreApplication::translate("BatchRun", "保存されたリストの作り方に合わせて比較します: %1")
            .arg(followed.join(u' '));
  lines += differing;
  m_interaction.showMessage({QCoreApplication::translate("BatchRun", "比較"), lines.join(u"\r\n"),
                             MessageIcon::Information});
}

bool BatchRun::writeList(const BatchRequest& request, const FileList& list, bool withState) {
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
    columns->chkState = withState;
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
      written = createTextList(path, list, working, m_interaction, textType, separator, choices,
                               ReplacedRowsReport::EveryRow);
      if (written) {
        m_settings.csv.fileType = textType ? ListFileType::Text : ListFileType::Csv;
        m_settings.listFile.workbook = false;
        m_settings.listFile.json = false;
      }
      break;
    }
    case OutputType::Xlsx:
      written = createXlsxList(path, list, working, m_interaction, request.title);
      if (written) {
        m_settings.listFile.workbook = true;
        m_settings.listFile.json = false;
      }
      break;
    case OutputType::Json: {
      const QString source =
          request.sourceFolder.isEmpty()
              ? QString()
              : folderText(absoluteFolder(request.sourceFolder), nativePathStyle());
      written = createJsonList(path, list, working, m_interaction, request.title, source, withState,
                               m_walk);
      if (written) {
        m_settings.listFile.json = true;
        m_settings.listFile.workbook = false;
      }
      break;
    }
    case OutputType::Html:
      written = createHtmlList(path, list, working, m_interaction, request.title);
      if (written) m_settings.html.title = request.title;
      break;
    case OutputType::Xml:
      written = createXmlList(path, list, working, m_interaction);
      break;
  }
  if (written && m_settings.option.listOpen) m_session.openWithAssociatedApp(path);
  return written;
}

ExitCode BatchRun::executeComparison(const BatchRequest& asked) {
  BatchRequest request = asked;
  if (request.savedLists.size() == 1) followSavedList(request);
  ComparisonRun comparison(m_settings, m_interaction);
  QStringList paths;
  for (const QString& file : request.savedLists) paths += QDir::current().absoluteFilePath(file);
  comparison.startReading(paths);
  std::optional<ExitCode> walkStopped;
  if (request.savedLists.size() == 1) walkStopped = gather(request, &comparison);
  if (const std::optional<Message> refusal = comparison.finishReading()) {
    m_interaction.showMessage(*refusal);
    return ExitCode::WriteFailed;
  }
  if (walkStopped) return *walkStopped;
  ComparisonResult result;
  if (request.savedLists.size() == 1) {
    if (const auto outside = comparison.anchorTo(
            folderText(absoluteFolder(request.sourceFolder), nativePathStyle()))) {
      m_interaction.showMessage(*outside);
      return ExitCode::WriteFailed;
    }
    std::optional<ComparisonResult> compared =
        comparison.compareWithFolder(m_list.rows(), request.hash, SameRows::Leave);
    if (!compared) return ExitCode::WriteFailed;
    result = std::move(*compared);
  } else {
    result = comparison.compareSavedLists();
  }
  if (const QStringList notes = comparison.notes(); !notes.isEmpty()) {
    m_interaction.showMessage({QCoreApplication::translate("BatchRun", "比較"), notes.join(u"\r\n"),
                               MessageIcon::Information});
  }

  if (request.listRequested) {
    FileList differences;
    differences.appendBatch(std::move(result.rows));
    differences.sortOwnThenBy(request.sortKey);
    if (!writeList(request, differences, true)) return ExitCode::WriteFailed;
  } else if (!printDifferences(result.rows)) {
    return ExitCode::WriteFailed;
  }
  m_interaction.showMessage(ComparisonRun::summary(result));
  if (result.counts.differences() > 0) return ExitCode::Differences;
  // Nothing differs among what could be compared, but not everything could be.
  return result.counts.unverified > 0 ? ExitCode::Incomplete : ExitCode::Success;
}

bool BatchRun::printDifferences(const std::vector<FileEntry>& rows) {
  // In the order of their paths, so that two runs can be compared line by line.
  std::vector<std::pair<QString, const FileEntry*>> sorted;
  sorted.reserve(rows.size());
  for (const FileEntry& row : rows) sorted.emplace_back(comparedPath(row), &row);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  QByteArray text;
  for (const auto& [path, row] : sorted) {
    const CompareDetail* detail = row->detail.data();
    switch (row->state) {
      case CompareState::Added:
        text += "+ " + printedPath(path).toUtf8();
        break;
      case CompareState::Removed:
        text += "- " + printedPath(path).toUtf8();
        break;
      case CompareState::Moved:
        text += "> ";
        if (detail) text += printedPath(detail->movedFrom).toUtf8() + " → ";
        text += printedPath(path).toUtf8();
        break;
      case CompareState::Unverified:
        text += "? " + printedPath(path).toUtf8();
        if (detail) text += QByteArray(" (") + unverifiedWords(detail->reason) + ')';
        break;
      default:
        text += "* " + printedPath(path).toUtf8();
        text += " (" +
                (detail ? compareChangesWords(row->changes, *detail, row->size, row->modified)
                        : compareChangesWords(row->changes))
                    .toUtf8() +
                ')';
        break;
    }
    text += '\n';
  }
  QFile out;
  if (!out.open(stdout, QIODevice::WriteOnly)) return false;
  return out.write(text) == text.size() && out.flush();
}

void BatchRun::sortBy(ListColumn key) {
  // As the window's add would leave the rows (sorted by the list's own sorting) and then
  // sorted by the key; the size sort goes smallest first, the list being filled in this run.
  m_list.sortOwnThenBy(key);
}

}  // namespace vek
