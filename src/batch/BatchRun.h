// One command-line run of the program: the settings loaded before and saved after, the usage
// text, and the batch run (runBatch parses, executeBatch gathers, sorts and writes).
#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include "batch/BatchRequest.h"
#include "batch/ExitCode.h"
#include "batch/Session.h"
#include "core/FileList.h"
#include "core/Interaction.h"
#include "core/Settings.h"
#include "core/WindowState.h"

namespace vek {

class BatchRun {
 public:
  // programFolder holds Vek.ini and filter.txt; workingFolder (ending in the separator) is where
  // lists go when neither the command line nor the settings name a folder. `start` names the
  // output file when the command line does not.
  BatchRun(QString programFolder, QString workingFolder, Interaction& interaction,
           QDateTime start = QDateTime::currentDateTime());

  // Prints the usage text to `out`, one line end after each line.
  ExitCode printUsage(QIODevice& out);
  // Parses tokens 1..n (held 0-based) and, when every switch was accepted, executes the request.
  // A refused switch is shown through the interaction and nothing is gathered or written.
  ExitCode runBatch(const QStringList& tokens);
  ExitCode executeBatch(const BatchRequest& request);

  const Session& session() const { return m_session; }
  const FileList& list() const { return m_list; }

 private:
  void sortBy(int key);

  QString m_programFolder;
  QString m_workingFolder;
  Interaction& m_interaction;
  QDateTime m_start;
  Session m_session;
  Settings m_settings;
  WindowState m_window;
  FileList m_list;
};

}  // namespace vek
