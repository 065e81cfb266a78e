// Splitting a command line into the argument table, and the same table built from the argv
// that a POSIX shell has already split.
#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// The argument table: entry 0 (only ever filled by blanks quoted before the first token) and
// the tokens 1..n, held here 0-based.
struct ArgumentTable {
  QString entry0;
  QStringList tokens;

  qsizetype count() const { return tokens.size(); }
  // Token number `number` (1-based); past the end reads as the empty text.
  QString token(qsizetype number) const {
    return number >= 1 && number <= tokens.size() ? tokens[number - 1] : QString();
  }
};

inline constexpr int kMaximumTokens = 30;

// Walks the text character by character: blanks (space, tab) end a token outside quotes, a
// double quote toggles quoting anywhere and is dropped, a blank inside quotes that comes before
// a token's first character belongs to the previous token (entry 0 when none). Tokens past
// `maximum` are ignored.
ArgumentTable splitCommandLine(QStringView text, int maximum = kMaximumTokens);

// One command-line text for the given arguments: each is enclosed in double quotes when it holds
// a blank or is empty, and the arguments are joined by single spaces. Splitting that text gives
// the arguments back, except for an argument that holds a double quote or starts with a blank.
QString joinArguments(const QStringList& arguments);

// The argument table of a process started with `arguments` (argv without the program name).
// The shell has already split the line and removed the person's own quoting, so each argument
// is one token, taken as it is: the same as splitting joinArguments(arguments), except that a
// double quote left in an argument is a character of the token (POSIX file names may hold one)
// and blanks at the start of an argument stay in it. An empty argument gives no token, like a
// pair of quotes with nothing between them, except right after /X, whose value it is.
ArgumentTable argumentTable(const QStringList& arguments, int maximum = kMaximumTokens);

}  // namespace vek
