#include "batch/ConsoleInteraction.h"

#include <QDeadlineTimer>
#include <QFileDevice>
#include <QStringList>

#include "core/messages/MessageCatalogue.h"
#include "core/messages/PrintedPath.h"
#include "core/text/NarrowText.h"
#include "core/text/TextLines.h"

namespace vek {

namespace {

constexpr qint64 kRedrawMilliseconds = 100;  // at most ten redraws a second

int columnWidth(char32_t c) {
  if (c < 0x1100) return 1;
  const bool wide = (c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
                    (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                    (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                    (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
                    (c >= 0x20000 && c <= 0x3FFFD);
  return wide ? 2 : 1;
}

// Message and path texts may hold any control character (a file name may hold a newline, an
// escape or a C1 control such as U+009B, which some terminals read as an escape sequence); they are
// shown as "?" so that a name cannot steer the terminal. A tab stays in messages; the single
// progress line takes none.
QString printable(const QString& text, bool keepTab = false) {
  QString result = text;
  for (QChar& c : result) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && !(keepTab && u == u'\t')) || (u >= 0x7F && u <= 0x9F)) c = u'?';
  }
  return result;
}

}  // namespace

ConsoleInteraction::ConsoleInteraction(QIODevice& errors, bool errorsIsTerminal, QIODevice& input,
                                       bool inputIsTerminal, int columns, TextCodec codec)
    : m_errors(errors),
      m_errorsIsTerminal(errorsIsTerminal),
      m_input(input),
      m_inputIsTerminal(inputIsTerminal),
      m_columns(columns > 10 ? columns : 80),
      m_codec(std::move(codec)),
      m_clock([] { return QDeadlineTimer::current().deadline(); }) {}

QString ConsoleInteraction::formatMessage(const Message& message) {
  QString result = printable(message.title) + QStringLiteral(": ");
  QStringList lines = splitLines(message.text);
  if (lines.isEmpty()) lines.append(QString());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) result += QStringLiteral("  ");
    result += printable(lines[i], true) + u'\n';
  }
  return result;
}

QString ConsoleInteraction::fitToColumns(const QString& text, int columns) {
  const QList<uint> codePoints = text.toUcs4();
  int width = 0;
  for (uint c : codePoints) width += columnWidth(c);
  if (width <= columns) return text;
  // Keep the end: of a path, the last folders say the most.
  // The mark is ASCII: "…" takes two columns on terminals that set ambiguous widths wide.
  const int room = columns - 3;
  int used = 0;
  qsizetype first = codePoints.size();
  while (first > 0 && used + columnWidth(codePoints[first - 1]) <= room) {
    used += columnWidth(codePoints[--first]);
  }
  return QStringLiteral("...") +
         QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()) + first,
                           codePoints.size() - first);
}

void ConsoleInteraction::write(const QString& text) {
  m_errors.write(m_codec.encode(text));
  // Standard error is unbuffered by convention: a file or pipe sees each message at once.
  if (auto* file = qobject_cast<QFileDevice*>(&m_errors)) file->flush();
}

void ConsoleInteraction::clearProgressLine() {
  if (!m_lineShown) return;
  write(QStringLiteral("\r\x1b[K"));
  m_lineShown = false;
}

void ConsoleInteraction::showMessage(const Message& message) {
  clearProgressLine();
  write(formatMessage(message));
  if (m_progressOpen) drawProgress(true);
}

bool ConsoleInteraction::askYesNo(const Message& question) {
  if (!m_inputIsTerminal) return true;
  clearProgressLine();
  QString prompt = formatMessage(question);
  prompt.chop(1);  // the answer goes on the question's last line
  write(prompt + QStringLiteral(" [y/N] "));
  const QString answer = upperNarrow(m_codec.decode(m_input.readLine()).trimmed());
  const bool yes = answer == u"Y" || answer == u"YES";
  if (m_progressOpen) drawProgress(true);
  return yes;
}

void ConsoleInteraction::showProgress(const QString& caption, const QString& /*info*/,
                                      const QString& detail, qint64 bar, qint64 barMaximum) {
  m_progressOpen = true;
  m_caption = caption;
  m_detail = detail;
  m_bar = bar;
  m_barMaximum = barMaximum;
  drawProgress(true);
}

void ConsoleInteraction::updateProgress(const QString& caption, const QString& /*info*/,
                                        const QString& detail, qint64 bar) {
  const bool captionChanged = caption != m_caption;
  m_caption = caption;
  m_detail = detail;
  m_bar = bar;
  drawProgress(captionChanged);
}

void ConsoleInteraction::closeProgress() {
  clearProgressLine();
  m_progressOpen = false;
}

FailureAnswer ConsoleInteraction::reportAddFailure(const Message& /*message*/) {
  return FailureAnswer::Continue;
}

void ConsoleInteraction::reportIncomplete(const QString& path, const QString& reason) {
  m_incomplete.push_back({path, reason});
}

Message ConsoleInteraction::incompleteReport(const std::vector<Incomplete>& items) {
  QStringList lines{MessageCatalogue::notReadHeading(qint64(items.size()))};
  for (const Incomplete& item : items) lines += printedPath(item.path) + u": " + item.reason;
  return MessageCatalogue::warning(lines.join(u'\n'));
}

void ConsoleInteraction::writeIncompleteReport() {
  if (m_incomplete.empty()) return;
  clearProgressLine();
  write(formatMessage(incompleteReport(m_incomplete)));
}

void ConsoleInteraction::drawProgress(bool force) {
  if (!m_errorsIsTerminal || !m_progressOpen) return;
  const qint64 now = m_clock();
  if (!force && m_drawn && now - m_lastDraw < kRedrawMilliseconds) return;
  m_lastDraw = now;
  m_drawn = true;
  QString line = m_caption;
  if (m_bar >= 0 && m_barMaximum > 0) {
    line += QStringLiteral(" %1%").arg(m_bar * 100 / m_barMaximum);
  }
  if (!m_detail.isEmpty()) line += u' ' + m_detail;
  // One column is left free so that the cursor never wraps to a new line.
  write(QStringLiteral("\r") + fitToColumns(printable(line), m_columns - 1) +
        QStringLiteral("\x1b[K"));
  m_lineShown = true;
}

}  // namespace vek
