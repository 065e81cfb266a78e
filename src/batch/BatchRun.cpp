#include "batch/BatchRun.h"

#include "batch/BatchParser.h"
#include "batch/UsageText.h"
#include "core/DateFormatter.h"

namespace vek {

BatchRun::BatchRun(QString programFolder, Interaction& interaction, QDateTime start)
    : m_programFolder(std::move(programFolder)),
      m_interaction(interaction),
      m_start(std::move(start)) {}

ExitCode BatchRun::printUsage(QIODevice& out) {
  out.write(usageText().toLocal8Bit());
  return ExitCode::Success;
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
  return executeBatch(std::get<BatchRequest>(parsed));
}

ExitCode BatchRun::executeBatch(const BatchRequest& request) {
  Q_UNUSED(request);
  return ExitCode::WriteFailed;
}

}  // namespace vek
