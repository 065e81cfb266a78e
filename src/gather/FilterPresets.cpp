#include "gather/FilterPresets.h"

#include <QFile>

#include "core/TextCodec.h"
#include "core/WholeFile.h"

namespace vek {

const QStringList& defaultFilterPresets() {
  static const QStringList lines = {
      QStringLiteral("*.*;　（全てのファイル）"),
      QStringLiteral("*.mp3;*.wav;*.mid*;　（音楽メディアファイル）"),
      QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg;*.png;  （画像ファイル）"),
      QStringLiteral("*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.rm;*.swf;   （動画メディアファイル）"),
      QStringLiteral("*.lzh;*.zip;*.rar;*.gca;*.cab;　（圧縮ファイル）"),
      QStringLiteral("*.htm*;*.css;*.asp;*.pl;*.cgi;   （Webモジュール）"),
      QStringLiteral("*.doc;*.xls;*.rtf;*.rpp;*.pdf;*.jtd;*.jbw;*.wri;　（各種ドキュメント）"),
      QStringLiteral("*.exe;*.com;*.bat;*.scr;   （実行モジュール）"),
      QStringLiteral("readme.*;*.hlp;　（添付ドキュメント）"),
      QStringLiteral("*.txt;*.log;　（テキストドキュメント）"),
      QStringLiteral("*.mp3"),
      QStringLiteral("*.cue;*.iso;*.ccd;*.bwt;*.mds;*.cdi;*.fcd;　（Disk Image）"),
      QStringLiteral("*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;*.dsp;*.dsw;*.opt;　（VC 関連）"),
      QStringLiteral("*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;　（VC 4.X関連）"),
      QStringLiteral("*.c;*.cpp;*.h;*.rc;*.clw;*.dsp;*.dsw;*.opt;　（VC 6.X関連）"),
      QStringLiteral("*.bas;*.frm;*.vbp;　（VB関連）"),
      QStringLiteral("*Album*;*アルバム*;　（設定サンプル）"),
  };
  return lines;
}

QString filterPresetsPath(const QString& programFolder) {
  if (programFolder.endsWith(u'/')) return programFolder + QStringLiteral("filter.txt");
  return programFolder + QStringLiteral("/filter.txt");
}

namespace {

bool writeDefaults(const QString& path) {
  QString text;
  for (const QString& line : defaultFilterPresets()) text += line + QStringLiteral("\r\n");
  // Written whole or not at all: a half-written preset file would be loaded as it stands.
  return writeWholeFile(path, TextCodec::system().encode(text));
}

}  // namespace

std::optional<QStringList> loadFilterPresets(const QString& programFolder) {
  const QString path = filterPresetsPath(programFolder);
  if (!QFile::exists(path)) writeDefaults(path);  // a failure shows in the open below

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return splitPresetLines(TextCodec::system().decode(bytes));
}

QStringList splitPresetLines(const QString& text) {
  QStringView rest(text);
  // Editors on other systems may save UTF-8 with a byte-order mark.
  if (rest.startsWith(QChar(0xFEFF))) rest = rest.mid(1);
  QStringList lines;
  while (!rest.isEmpty()) {
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != u'\r' && rest[end] != u'\n') ++end;
    lines.append(rest.left(end).toString());
    if (end == rest.size()) break;
    const bool crLf = rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n';
    rest = rest.mid(end + (crLf ? 2 : 1));
  }
  return lines;
}

int isFilterKeyAllowed(int keyCode) {
  switch (keyCode) {
    case '"':
    case '|':
    case '>':
    case '<':
    case ',':
    case ':':
    case '\\':
    case '/':
      return 0;
    default:
      return keyCode;
  }
}

}  // namespace vek
