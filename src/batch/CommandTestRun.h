// A test run of a composed command line: the line split into words as a shell would, the
// program started without a shell with the exact bytes of its words, waited for without
// blocking, and what really happened reported once it ends. No input, no list of its own on
// standard output: a run asks nothing and its messages come from standard error.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

namespace vek {

class CommandTestRun : public QObject {
  Q_OBJECT
 public:
  enum class End {
    Finished,       // the run ended by itself: see exitCode and crashed
    Stopped,        // stop() ended it
    FailedToStart,  // the line named no program that could be started
  };
  struct Outcome {
    End end = End::Finished;
    int exitCode = 0;
    bool crashed = false;
    // What the run wrote on standard error, as message lines (its "警告: " prefixes and the
    // indentation of further lines taken off; lines joined by CR LF).
    QString messages;
  };

  explicit CommandTestRun(QObject* parent = nullptr);
  // A run still going is ended unheard.
  ~CommandTestRun() override;

  // How long a run goes before stillWorking is signalled.
  void setStillWorkingDelay(int milliseconds) { m_stillWorking.setInterval(milliseconds); }

  bool running() const { return m_process != nullptr; }
  // Starts the line; ended follows, at once when the line names nothing that can be started.
  // Nothing happens while a run is going.
  void start(const QString& line);
  // Asks the run to end, and ends it for good after a grace period.
  void stop();
  // Ends a run at once, unheard: nobody is left to hear how it ended.
  void abandon();

 Q_SIGNALS:
  // The run has gone on for the still-working delay.
  void stillWorking();
  // The run has ended; running() is false by now.
  void ended(const vek::CommandTestRun::Outcome& outcome);

 private:
  void finished(int exitCode, QProcess::ExitStatus status);
  void failedToStart();
  void release();

  QProcess* m_process = nullptr;
  QTimer m_stillWorking;
  bool m_stopRequested = false;
};

}  // namespace vek
