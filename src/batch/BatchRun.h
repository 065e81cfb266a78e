// One command-line run of the program: the settings loaded before and saved after, the usage
// text, and the batch run (runBatch parses, executeBatch gathers, sorts and writes).
#pragma once

#include <optional>

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include "batch/BatchRequest.h"
#include "batch/ExitCode.h"
#include "compare/ListComparison.h"
#include "core/list/FileList.h"
#include "core/list/ListWalk.h"
#include "core/messages/Interaction.h"
#include "core/settings/Session.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WindowState.h"

namespace vek {

class ComparisonRun;

class BatchRun {
 public:
  // programFolder holds Vek.ini and filter.txt; workingFolder (ending in the separator) is where
  // lists go when neither the command line nor the settings name a folder. `start` names the
  // output file when the command line does not.
  BatchRun(QString programFolder, QString workingFolder, Interaction& interaction,
           QDateTime start = QDateTime::currentDateTime());

  // Vek.ini is read once before anything else and written back once at the end, also after the
  // usage text and after a run that a message stopped. A file that cannot be read or written
  // costs the run nothing but that file: a warning says so once and the run goes on; a file
  // that could not be read is not written over (the settings store sees to both).
  void loadSettings();
  void saveSettings();
  // Reads filter.txt (creating it when missing), as every start does after the settings; one
  // warning when it can be neither read nor created.
  void loadPresets();

  // Prints the usage text to `out`, one line end after each line.
  ExitCode printUsage(QIODevice& out);
  // Parses tokens 1..n (held 0-based) and, when every switch was accepted, executes the request.
  // A refused switch is shown through the interaction and nothing is gathered or written.
  ExitCode runBatch(const QStringList& tokens);
  ExitCode executeBatch(const BatchRequest& request);

  const Session& session() const { return m_session; }
  // Where the window (or a test) fills in how files are opened and the save question asked.
  Session& session() { return m_session; }
  const Settings& settings() const { return m_settings; }
  const WindowState& windowState() const { return m_window; }
  const FileList& list() const { return m_list; }
  // For a process about to end: the list's rows are let go of without being freed one by one
  // (a million rows take a noticeable time); the system takes the memory back at once.
  void leaveListToTheSystem() { m_list.leaveToTheSystem(); }

 private:
  void sortBy(ListColumn key);
  // The add of the run (the comparison's walk when one is given); an exit status when it ends
  // the run.
  std::optional<ExitCode> gather(const BatchRequest& request, ComparisonRun* comparison = nullptr);
  // The filter a run without "/E" takes: the first preset.
  QString presetFilter() const;
  // "/V" of a JSON list that says how it was made: the switches the command line does not give
  // taken from it (and said on standard error), a given one that differs said too.
  void followSavedList(BatchRequest& request);
  // Writes list as the request asks (with the comparison state column when withState); the
  // person was told when it failed.
  bool writeList(const BatchRequest& request, const FileList& list, bool withState);
  // "/V": the saved list against the folder, or two saved lists.
  ExitCode executeComparison(const BatchRequest& request);
  // On standard output, one a line in the order of the paths: "+ path" added, "- path"
  // removed, "* path (size 2 → 1, …)" changed with its values before and now, "> before →
  // now" moved, "? path (reason)" unverified.
  bool printDifferences(const std::vector<FileEntry>& rows);

  QString m_programFolder;
  QString m_workingFolder;
  Interaction& m_interaction;
  QDateTime m_start;
  Session m_session;
  Settings m_settings;
  WindowState m_window;
  FileList m_list;
  std::optional<ListWalk> m_walk;  // how gather() walked, for the JSON list's header
  SettingsStore m_store;
  std::optional<QStringList> m_presets;  // none when filter.txt can be neither read nor created
};

}  // namespace vek
