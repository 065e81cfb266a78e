#include "batch/ShellWords.h"

namespace vek {

namespace {

bool isBlank(QChar c) {
  return c == u' ' || c == u'\t';
}

bool isNameStart(QChar c) {
  const char16_t u = c.unicode();
  return u == u'_' || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool isNameCharacter(QChar c) {
  return isNameStart(c) || (c.unicode() >= u'0' && c.unicode() <= u'9');
}

// After a "$" inside double quotes: what the shell would expand (a name, a digit, a special
// parameter, ${, $( ).
bool startsExpansion(QChar c) {
  if (isNameCharacter(c)) return true;
  switch (c.unicode()) {
    case u'{':
    case u'(':
    case u'@':
    case u'*':
    case u'#':
    case u'?':
    case u'-':
    case u'$':
    case u'!':
      return true;
    default:
      return false;
  }
}

class Splitter {
 public:
  Splitter(QStringView line, const QString& home) : m_line(line), m_home(home) {}

  ShellWords run() {
    ShellWords result;
    result.error = split();
    if (result.error.isEmpty()) {
      result.words = m_words;
      if (!m_words.isEmpty() && isAssignment(m_firstWordRaw)) {
        result.error = QStringLiteral("a leading assignment");
        result.words.clear();
      }
    }
    return result;
  }

 private:
  QChar at(qsizetype i) const { return i < m_line.size() ? m_line[i] : QChar(); }

  void endWord() {
    if (!m_inWord) return;
    if (m_words.isEmpty()) m_firstWordRaw = m_raw;
    m_words.append(m_word);
    m_word.clear();
    m_raw.clear();
    m_inWord = false;
  }

  // NAME=... before any quoting makes the shell set a variable, not run a program.
  static bool isAssignment(const QString& raw) {
    const qsizetype equals = raw.indexOf(u'=');
    if (equals <= 0 || !isNameStart(raw[0])) return false;
    for (qsizetype i = 1; i < equals; ++i) {
      if (!isNameCharacter(raw[i])) return false;
    }
    return true;
  }

  QString split() {
    qsizetype i = 0;
    while (i < m_line.size()) {
      const QChar c = m_line[i];
      if (isBlank(c)) {
        endWord();
        ++i;
        continue;
      }
      if (c == u'\n') {
        endWord();
        // A second command on the next line would run too; blank lines at the end are fine.
        for (qsizetype j = i; j < m_line.size(); ++j) {
          if (!isBlank(m_line[j]) && m_line[j] != u'\n') return QStringLiteral("a second line");
        }
        return {};
      }
      if (!m_inWord && c == u'#') return {};  // a comment to the end of the line
      if (!m_inWord && c == u'~') {
        const QChar next = at(i + 1);
        if (next.isNull() || isBlank(next) || next == u'\n' || next == u'/') {
          m_inWord = true;
          m_word += m_home;
          m_raw += c;
          ++i;
          continue;
        }
        return QStringLiteral("a user's home folder");
      }
      m_inWord = true;
      m_raw += c;
      switch (c.unicode()) {
        case u'\\':
          if (i + 1 >= m_line.size()) return QStringLiteral("a backslash at the end");
          if (m_line[i + 1] != u'\n') m_word += m_line[i + 1];  // a continued line
          m_raw += m_line[i + 1];
          i += 2;
          break;
        case u'\'': {
          const qsizetype close = m_line.indexOf(u'\'', i + 1);
          if (close < 0) return QStringLiteral("an unclosed single quote");
          m_word += m_line.sliced(i + 1, close - i - 1);
          m_raw += u'\'';
          i = close + 1;
          break;
        }
        case u'"': {
          const QString error = doubleQuoted(i);
          if (!error.isEmpty()) return error;
          break;
        }
        case u'$':
          return QStringLiteral("an expansion");
        case u'`':
          return QStringLiteral("a command substitution");
        case u';':
        case u'&':
        case u'|':
        case u'<':
        case u'>':
        case u'(':
        case u')':
          return QStringLiteral("an operator");
        case u'*':
        case u'?':
        case u'[':
          return QStringLiteral("an unquoted wildcard");
        default:
          m_word += c;
          ++i;
      }
    }
    endWord();
    return {};
  }

  // From the opening quote at i to past the closing one.
  QString doubleQuoted(qsizetype& i) {
    ++i;
    m_raw += u'"';
    while (i < m_line.size()) {
      const QChar c = m_line[i];
      if (c == u'"') {
        ++i;
        return {};
      }
      if (c == u'\\') {
        const QChar next = at(i + 1);
        if (next == u'$' || next == u'`' || next == u'"' || next == u'\\') {
          m_word += next;
          i += 2;
        } else if (next == u'\n') {
          i += 2;
        } else {
          m_word += c;
          ++i;
        }
        continue;
      }
      if (c == u'`') return QStringLiteral("a command substitution");
      if (c == u'$' && startsExpansion(at(i + 1))) return QStringLiteral("an expansion");
      m_word += c;
      ++i;
    }
    return QStringLiteral("an unclosed double quote");
  }

  QStringView m_line;
  QString m_home;
  QStringList m_words;
  QString m_word;
  QString m_raw;  // the current word before quote removal, for the assignment test
  QString m_firstWordRaw;
  bool m_inWord = false;
};

}  // namespace

ShellWords splitShellWords(QStringView line, const QString& home) {
  return Splitter(line, home).run();
}

}  // namespace vek
