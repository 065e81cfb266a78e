// The one way every writer puts its file on disk: the content goes to a temporary file in the
// target folder and replaces the target only once it was written completely, so an existing
// file survives any failure (open, full disk, removed medium, rename). Also the messages that
// go with it.
#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include "core/Interaction.h"
#include "core/Message.h"

namespace vek {

class CheckedSaveFile;

class OutputFile {
 public:
  explicit OutputFile(const QString& path);
  // Removes the temporary file when commit() was never reached.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const QString& path() const { return m_path; }

  // Creates the temporary file. False when that is impossible (missing or read-only folder,
  // the path names a folder, ...).
  bool open();
  // The device to write to; valid after a successful open().
  QIODevice& device();
  // Flushes, checks every write succeeded and renames over the target. False on any failure;
  // the target is then untouched and the temporary file removed.
  bool commit();
  // Gives up: the temporary file is removed, the target untouched.
  void discard();
  // The system's reason for the last failure (for logs and tests; the person sees message()).
  QString errorString() const;

  // The warning a writer shows when its file could not be written, for this path.
  Message failureMessage() const { return cannotWriteMessage(m_path); }

  // "ファイルを開くことが出来ません。" CR LF path CR LF the hint CR LF "ファイルは出力されませんでした。"
  static Message cannotWriteMessage(const QString& path);
  // The notice after a file was written in an encoding that could not hold `count` characters
  // of the list (they were written as "?").
  static Message replacedCharactersMessage(const QString& path, const QByteArray& encoding,
                                           qint64 count);
  // The notice after an HTML or XML file was written in which `count` characters that the
  // format cannot hold at all (control characters, unpaired surrogates) became U+FFFD.
  static Message unrepresentableCharactersMessage(const QString& path, qint64 count);

  // The whole job: open, let `body` write to the device (it returns false when a write
  // failed), commit. On any failure the person gets failureMessage() and false comes back.
  static bool write(const QString& path, Interaction& interaction,
                    const std::function<bool(QIODevice&)>& body);

 private:
  QString m_path;
  std::unique_ptr<CheckedSaveFile> m_file;
  QString m_error;
};

}  // namespace vek
