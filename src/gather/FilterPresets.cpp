#include "gather/FilterPresets.h"

#include <QCoreApplication>

#include "core/platform/OutputFile.h"
#include "core/platform/WholeFile.h"
#include "core/text/PathRules.h"
#include "core/text/TextCodec.h"
#include "core/text/TextLines.h"

namespace vek {

QStringList defaultFilterPresets() {
  // Whole lines, so that a translation keeps the patterns and puts its own label after them: the
  // label stays in the filter text, where it is one more pattern that matches no ordinary name.
  static const char* const kLines[] = {
      QT_TRANSLATE_NOOP("FilterPresets", "*.*;　（全てのファイル）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.mp3;*.wav;*.mid*;　（音楽メディアファイル）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.bmp;*.gif;*.jpg;*.jpeg;*.png;  （画像ファイル）"),
      QT_TRANSLATE_NOOP("FilterPresets",
                        "*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.rm;*.swf;   （動画メディアファイル）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.lzh;*.zip;*.rar;*.gca;*.cab;　（圧縮ファイル）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.htm*;*.css;*.asp;*.pl;*.cgi;   （Webモジュール）"),
      QT_TRANSLATE_NOOP("FilterPresets",
                        "*.doc;*.xls;*.rtf;*.rpp;*.pdf;*.jtd;*.jbw;*.wri;　（各種ドキュメント）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.exe;*.com;*.bat;*.scr;   （実行モジュール）"),
      QT_TRANSLATE_NOOP("FilterPresets", "readme.*;*.hlp;　（添付ドキュメント）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.txt;*.log;　（テキストドキュメント）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.mp3"),
      QT_TRANSLATE_NOOP("FilterPresets",
                        "*.cue;*.iso;*.ccd;*.bwt;*.mds;*.cdi;*.fcd;　（Disk Image）"),
      QT_TRANSLATE_NOOP("FilterPresets",
                        "*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;*.dsp;*.dsw;*.opt;　（VC 関連）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;　（VC 4.X関連）"),
      QT_TRANSLATE_NOOP("FilterPresets",
                        "*.c;*.cpp;*.h;*.rc;*.clw;*.dsp;*.dsw;*.opt;　（VC 6.X関連）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*.bas;*.frm;*.vbp;　（VB関連）"),
      QT_TRANSLATE_NOOP("FilterPresets", "*Album*;*アルバム*;　（設定サンプル）"),
  };
  QStringList lines;
  for (const char* line : kLines)
    lines.push_back(QCoreApplication::translate("FilterPresets", line));
  return lines;
}

QString filterPresetsPath(const QString& programFolder) {
  return folderText(programFolder, nativePathStyle()) + QStringLiteral("filter.txt");
}

namespace {

bool writeDefaults(const QString& path, QString* error) {
  QString text;
  for (const QString& line : defaultFilterPresets()) text += line + QStringLiteral("\r\n");
  // Written whole or not at all: a half-written preset file would be loaded as it stands.
  return OutputFile::writeWhole(path, TextCodec::system().encode(text),
                                OutputFile::AtLink::WriteTarget, error);
}

// The text of filter.txt: in the encoding its byte-order mark names (UTF-8, UTF-16LE, UTF-16BE),
// else in the system's. Bytes that are not text in that encoding, or a NUL character (UTF-16
// without its mark reads so), give nullopt and a reason: presets made of them would match
// nothing and the person would never learn why.
std::optional<QString> decodePresets(const QByteArray& bytes, QString* reason) {
  const std::optional<TextCodec::ByteOrderMark> mark = TextCodec::byteOrderMark(bytes);
  const TextCodec codec = mark ? TextCodec(mark->encoding) : TextCodec::system();
  bool invalid = false;
  QString text = codec.decode(bytes.sliced(mark ? mark->length : 0), &invalid);
  if (!invalid && !text.contains(QChar(0))) return text;
  const TextCodec system = TextCodec::system();
  const QString hint =
      system.isUtf8() ? QCoreApplication::translate(
                            "FilterPresets",
                            "UTF-8（BOM 付きも可）または BOM 付きの UTF-16 で保存してください。")
                      : QCoreApplication::translate(
                            "FilterPresets",
                            "%1、BOM 付きの UTF-8 または BOM 付きの UTF-16 で保存してください。")
                            .arg(QString::fromLatin1(system.name()));
  *reason =
      QCoreApplication::translate("FilterPresets", "文字コード %1 のテキストとして読めません。%2")
          .arg(QString::fromLatin1(codec.name()), hint);
  return std::nullopt;
}

}  // namespace

std::optional<QStringList> loadFilterPresets(const QString& programFolder, QString* error) {
  const QString path = filterPresetsPath(programFolder);
  WholeFile file = readWholeFile(path);
  if (file.status == WholeFile::Status::Missing) {
    QString reason;
    if (!writeDefaults(path, &reason)) {
      if (error) *error = path + u": " + reason;
      return std::nullopt;
    }
    file = readWholeFile(path);
  }
  if (file.status != WholeFile::Status::Read) {
    // Never replaced by the defaults: the person's presets stay as they are.
    if (error) *error = path + u": " + file.error;
    return std::nullopt;
  }
  QString reason;
  std::optional<QString> text = decodePresets(file.bytes, &reason);
  if (!text) {
    if (error) *error = path + u": " + reason;
    return std::nullopt;
  }
  return splitPresetLines(*text);
}

QStringList splitPresetLines(const QString& text) {
  QStringView rest(text);
  // Editors on other systems may save UTF-8 with a byte-order mark.
  if (rest.startsWith(QChar(0xFEFF))) rest = rest.mid(1);
  return splitLines(rest);
}

bool isFilterKeyAllowed(char32_t character) {
  switch (character) {
    case U'"':
    case U'|':
    case U'>':
    case U'<':
    case U',':
    case U':':
    case U'\\':
    case U'/':
      return false;
    default:
      return true;
  }
}

}  // namespace vek
