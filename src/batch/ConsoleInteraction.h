// How a batch run talks to the person: messages on standard error, a progress line while
// standard error is a terminal, and the one yes/no question of a scan asked as y/N on a terminal.
#pragma once

#include <functional>
#include <vector>

#include <QIODevice>
#include <QString>

#include "core/messages/Interaction.h"
#include "core/text/TextCodec.h"

namespace vek {

class ConsoleInteraction : public Interaction {
 public:
  // `errors` receives messages and the progress line; `input` answers questions. The two flags
  // say whether each is a terminal; `columns` is the terminal's width.
  ConsoleInteraction(QIODevice& errors, bool errorsIsTerminal, QIODevice& input,
                     bool inputIsTerminal, int columns = 80, TextCodec codec = TextCodec::system());

  // Milliseconds from any fixed point; the progress line is redrawn at most every 100 of them.
  // A monotonic clock unless a test sets its own.
  using Clock = std::function<qint64()>;
  void setClock(Clock clock) { m_clock = std::move(clock); }

  void showMessage(const Message& message) override;
  // Yes without asking when standard input is not a terminal: the command line already asked
  // for the run. On a terminal the question is asked, and only "y" or "yes" says yes.
  bool askYesNo(const Message& question) override;
  void showProgress(const QString& caption, const QString& info, const QString& detail, qint64 bar,
                    qint64 barMaximum) override;
  void updateProgress(const QString& caption, const QString& info, const QString& detail,
                      qint64 bar) override;
  void closeProgress() override;
  // A batch run has no Cancel button.
  bool cancelRequested() override { return false; }
  // Nothing is asked and nothing shown at once: the file is named with everything else that
  // could not be read at the end of the run (reportIncomplete).
  FailureAnswer reportAddFailure(const Message& message) override;
  // Kept, in the order met, for writeIncompleteReport.
  void reportIncomplete(const QString& path, const QString& reason) override;

  struct Incomplete {
    QString path;
    QString reason;
  };
  const std::vector<Incomplete>& incomplete() const { return m_incomplete; }
  // Names on standard error, one a line, what the run could not read or hash: the path in
  // its escaped form (printedPath), ": ", the system's reason. Nothing when all was read.
  void writeIncompleteReport();
  // The message of that report.
  static Message incompleteReport(const std::vector<Incomplete>& items);

  // "title: line1\n  line2\n...": CR LF, CR and LF in the text all end a line, a final line end
  // adds no empty line, other control characters but tab show as "?".
  static QString formatMessage(const Message& message);
  // Cuts `text` from the left to fit `columns` terminal columns (East Asian wide characters take
  // two), marking the cut with "...".
  static QString fitToColumns(const QString& text, int columns);

 private:
  void write(const QString& text);
  void drawProgress(bool force);
  void clearProgressLine();

  QIODevice& m_errors;
  bool m_errorsIsTerminal;
  QIODevice& m_input;
  bool m_inputIsTerminal;
  int m_columns;
  TextCodec m_codec;  // the terminal's encoding is the system's

  bool m_progressOpen = false;
  bool m_lineShown = false;
  QString m_caption, m_detail;
  qint64 m_bar = -1, m_barMaximum = 0;
  Clock m_clock;
  qint64 m_lastDraw = 0;
  bool m_drawn = false;
  std::vector<Incomplete> m_incomplete;
};

}  // namespace vek
