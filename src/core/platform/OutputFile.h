// The one way the program puts a file on disk (lists, Vek.ini, filter.txt): the content goes to
// a temporary file in the target folder and replaces the target only once it was written
// completely, so an existing file survives any failure (open, full disk, removed medium,
// rename). A replaced file keeps its permission bits, owner and group, access lists and the
// person's own attributes; a new one gets the usual 0666 less the umask. A file without write
// permission is never replaced (for root: a file no one may write). Where a replacement could not
// be the same file to its other names (hard links) or owner, or the folder takes no new file, the
// complete content is written into the existing file instead, after it was staged elsewhere and its
// space reserved. An interrupt (SIGINT, SIGTERM, SIGHUP) during a write removes the temporary file
// and ends the process with 128 + the signal's number. Also the messages that go with it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include "core/messages/Interaction.h"
#include "core/messages/Message.h"

namespace vek {

class CheckedFile;

class OutputFile {
 public:
  // What happens when the path is a symbolic link.
  enum class AtLink {
    // Lists: the new file takes the link's place and what it pointed at is never written, so a
    // link planted in a shared folder cannot redirect the list.
    Replace,
    // The program's own settings files, which a person may keep elsewhere and link to: the file
    // the link leads to is replaced, and the link stays.
    WriteTarget,
  };

  explicit OutputFile(const QString& path, AtLink atLink = AtLink::Replace);

  // A folder of a writer's own files (a library that writes its file by path, as the
  // workbook's does, before the bytes are copied to the device): while this lives, an
  // interrupt removes the named files in it and then the folder, as it removes the list's
  // temporary file.
  class ScratchFolder {
   public:
    ScratchFolder(const QString& path, const QStringList& names);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

   private:
    int m_parent = -1;
    int m_folder = -1;
    std::vector<int> m_slots;
  };
  // Removes the temporary file when commit() was never reached.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const QString& path() const { return m_path; }

  // Creates the temporary file. False when that is impossible (missing or read-only folder,
  // the path names a folder, a protected file, ...).
  bool open();
  // The device to write to; valid after a successful open(). It can be read too, so that what
  // was written may be checked before it replaces the target.
  QIODevice& device();
  // open(), then body writes the whole content (it returns false when a write failed). False
  // on any failure, the temporary file then removed.
  bool fill(const std::function<bool(QIODevice&)>& body);
  // Flushes, checks every write succeeded and puts the content on the disk (for a file written
  // in place: reserves its space), so that only the replacement itself is left. False on any
  // failure; the target is then untouched and the temporary file removed. commit() stages a
  // file that was not staged yet.
  bool stage();
  // Stages and renames over the target. False on any failure; the target is then untouched and
  // the temporary file removed.
  bool commit();
  // Replaces the targets of several files together (a list and its checksum file): all are
  // staged first, and nothing is replaced when one cannot be. Then, while each target's folder
  // is locked against other runs doing the same (flock on the folder; where the file system
  // has no locks the files are replaced without one), they are replaced one after the other
  // with interrupts held back. Should a replacement still fail, the targets replaced before it
  // get their old files back (kept under a second name meanwhile), so either all are new or
  // none. Returns the index of the file that could not be written (its errorString() says why;
  // every temporary file is removed), nullopt when all were replaced.
  static std::optional<std::size_t> commitTogether(std::span<OutputFile* const> files);
  // Gives up: the temporary file is removed, the target untouched.
  void discard();
  // The system's reason for the last failure (for logs and tests; the person sees message()).
  QString errorString() const;

  // The warning a writer shows when its file could not be written, for this path, with the
  // system's reason where the system gave one.
  Message failureMessage() const { return cannotWriteMessage(m_path, m_reason); }

  // "ファイルを開くことが出来ません。" CR LF path CR LF the hint CR LF
  // "ファイルは出力されませんでした。", then "原因: " and the system's reason when there is one:
  // the hint names a lock or a full disk, and the cause is as often a folder one may not write.
  static Message cannotWriteMessage(const QString& path, const QString& reason = {});
  // The notice after a file was written in an encoding that could not hold `count` characters
  // of the list (they were written as "?").
  static Message replacedCharactersMessage(const QString& path, const QByteArray& encoding,
                                           qint64 count);
  // The notice after an HTML or XML file was written in which `count` characters that the
  // format cannot hold at all (control characters, unpaired surrogates) became U+FFFD.
  static Message unrepresentableCharactersMessage(const QString& path, qint64 count);

  // Writes bytes as the whole file. False, with the system's reason in error, on any failure;
  // the old file is then untouched.
  static bool writeWhole(const QString& path, const QByteArray& bytes, AtLink atLink,
                         QString* error = nullptr);

  // The whole job: open, let `body` write to the device (it returns false when a write
  // failed), commit. On any failure the person gets failureMessage() and false comes back.
  static bool write(const QString& path, Interaction& interaction,
                    const std::function<bool(QIODevice&)>& body);

 private:
  bool fail(int error);
  bool openInPlace();
  // The last step of commit(), after stage(): the rename, or the copy into the file in place.
  // keepOld keeps the old file under the temporary name, where the file system allows, for
  // undoReplace(). The folder stays open for that until discard().
  bool replace(bool keepOld);
  bool copyInPlace();
  // After replace(): the old file back at the name, or a new one removed again.
  void undoReplace();
  void removeTemporary();
  void closeFolder();

  QString m_path;
  AtLink m_atLink;
  int m_folder = -1;       // the target's folder (O_PATH), which every name below is relative to
  QByteArray m_name;       // the target's name in it
  QByteArray m_temporary;  // the temporary file beside it while one is open
  int m_slot = -1;         // its place in the list the interrupt handler removes
  int m_inPlace = -1;      // the target, open for writing, when it is written in place
  bool m_staged = false;   // stage() succeeded; only replace() is left
  bool m_oldKept = false;  // replace() swapped: the temporary name holds the old file
  bool m_created = false;  // replace() made the name: there was no old file
  std::unique_ptr<CheckedFile> m_file;
  QString m_error;
  QString m_reason;  // the system's own words for the failure, shown to the person; may be empty
};

}  // namespace vek
