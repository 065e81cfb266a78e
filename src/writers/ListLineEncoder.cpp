#include "writers/ListLineEncoder.h"

namespace vek {

namespace {

bool isMarkAt(QStringView text, qsizetype i) {
  const QChar c = text[i];
  if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
    return QChar::isMark(QChar::surrogateToUcs4(c, text[i + 1]));
  return !c.isSurrogate() && c.isMark();
}

qsizetype charLength(QStringView text, qsizetype i) {
  return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

}  // namespace

QString composeMarkedSequences(QStringView text) {
  QString out;
  out.reserve(text.size());
  qsizetype done = 0;
  qsizetype baseStart = -1;  // the last character that is not a mark
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = charLength(text, i);
    if (!isMarkAt(text, i)) {
      baseStart = i;
      i += length;
      continue;
    }
    // A run of marks and the character it sits on.
    const qsizetype start = baseStart >= 0 ? baseStart : i;
    qsizetype end = i + length;
    while (end < text.size() && isMarkAt(text, end)) end += charLength(text, end);
    out += text.sliced(done, start - done);
    out += text.sliced(start, end - start).toString().normalized(QString::NormalizationForm_C);
    done = end;
    baseStart = -1;
    i = end;
  }
  out += text.sliced(done);
  return out;
}

EncodedLines encodeLines(const TextCodec& codec, QStringView text,
                         std::span<const LineMark> lines) {
  EncodedLines result;
  auto encoder = codec.makeEncoder(Unmappable::Replace);
  result.bytes = encoder->encode(text);
  result.bytes += encoder->finish();
  // Characters written as another one (WAVE DASH as FULLWIDTH TILDE in CP932) are no "?" but
  // do not come back as themselves either: their rows are named too.
  const std::map<char16_t, char16_t>& fits = codec.bestFits();
  const auto fitsIn = [&fits](QStringView line, std::map<char16_t, char16_t>* found) {
    if (fits.empty()) return false;
    const char16_t least = fits.begin()->first;
    bool any = false;
    for (const QChar c : line) {
      if (c.unicode() < least) continue;
      const auto it = fits.find(c.unicode());
      if (it == fits.end()) continue;
      if (!found) return true;
      found->insert(*it);
      any = true;
    }
    return any;
  };
  if (encoder->lostCharacters() == 0 && !fitsIn(text, nullptr)) return result;

  // Something became "?": once more line by line, to know the rows and to compose first.
  result.bytes.clear();
  encoder = codec.makeEncoder(Unmappable::Replace);
  const bool compose = !codec.isUtf8();
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const qsizetype start = lines[n].start;
    const qsizetype end = n + 1 < lines.size() ? lines[n + 1].start : text.size();
    const QStringView line = text.sliced(start, end - start);
    if (lines[n].row >= 0 && fitsIn(line, &result.bestFits))
      result.bestFitRows.push_back(lines[n].row);
    const qint64 before = encoder->lostCharacters();
    QByteArray bytes = encoder->encode(line);
    if (encoder->lostCharacters() != before && compose) {
      // The line as it was lost something: try it composed, with the same encoder so the
      // count stays one count.
      auto trial = codec.makeEncoder(Unmappable::Replace);
      const QString composed = composeMarkedSequences(line);
      QByteArray composedBytes = trial->encode(composed);
      composedBytes += trial->finish();
      const qint64 lostComposed = trial->lostCharacters();
      const qint64 lostPlain = encoder->lostCharacters() - before;
      if (lostComposed < lostPlain) {
        bytes = std::move(composedBytes);
        result.lostCharacters -= lostPlain - lostComposed;
      }
      if (lostComposed == 0) {
        result.bytes += bytes;
        continue;
      }
    }
    if (encoder->lostCharacters() != before) {
      if (lines[n].row < 0)
        result.headerReplaced = true;
      else
        result.replacedRows.push_back(lines[n].row);
    }
    result.bytes += bytes;
  }
  result.bytes += encoder->finish();
  result.lostCharacters += encoder->lostCharacters();
  return result;
}

}  // namespace vek
