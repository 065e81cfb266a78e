#include "core/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "core/FileNameBytes.h"

namespace vek {

// A QFile that remembers a write that did not take all its bytes. A short write to a full disk
// sets no error, so without this a cut file could replace the target and pass for written.
class CheckedFile final : public QFile {
 public:
  bool hadShortWrite() const { return m_shortWrite; }

 protected:
  qint64 writeData(const char* data, qint64 len) override {
    const qint64 written = QFile::writeData(data, len);
    if (written != len) m_shortWrite = true;
    return written;
  }

 private:
  bool m_shortWrite = false;
};

namespace {

// The path a link leads to, followed link by link (a link to a link to a file), or the path
// itself when it is no link. Used only for the program's own settings files.
QString linkTarget(const QString& path) {
  QFileInfo info(path);
  for (int hops = 0; hops < 40 && info.isSymLink(); ++hops) info.setFile(info.symLinkTarget());
  return info.isSymLink() ? path : info.filePath();
}

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArrayLiteral(".");
  return slash == 0 ? QByteArrayLiteral("/") : path.first(slash);
}

}  // namespace

OutputFile::OutputFile(const QString& path, AtLink atLink) : m_path(path), m_atLink(atLink) {}

OutputFile::~OutputFile() {
  discard();
}

bool OutputFile::fail(int error) {
  m_error = QString::fromLocal8Bit(std::strerror(error));
  discard();
  return false;
}

bool OutputFile::open() {
  discard();
  m_error.clear();
  m_target = encodeFileName(m_atLink == AtLink::WriteTarget ? linkTarget(m_path) : m_path);
  if (m_target.isEmpty()) return fail(ENOENT);

  // What is at the name now: a folder is refused before anything is written; a regular file
  // hands its permission bits to its successor; a link or nothing gives a new file's bits.
  struct stat old {};
  const bool exists = ::lstat(m_target.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR);

  // A short name of its own: the target's name may already be as long as a name can be.
  const QByteArray folder = folderOf(m_target);
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    m_temporary = folder + "/.vek-" +
                  QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
    fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    const int error = errno;
    m_temporary.clear();
    return fail(error);
  }
  if (exists && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 0777);
  m_file = std::make_unique<CheckedFile>();
  if (!m_file->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return fail(EIO);
  }
  return true;
}

QIODevice& OutputFile::device() {
  Q_ASSERT(m_file);
  return *m_file;
}

bool OutputFile::commit() {
  if (!m_file) {
    if (m_error.isEmpty()) m_error = QStringLiteral("not open");
    return false;
  }
  // The buffer is flushed here, where a failure can be seen, before anything is renamed.
  if (!m_file->flush() || m_file->hadShortWrite()) {
    const QString reason = m_file->errorString();
    discard();
    m_error = reason.isEmpty() ? QStringLiteral("short write") : reason;
    return false;
  }
  // On the disk before it replaces the old file, so that a crash leaves one or the other.
  if (::fdatasync(m_file->handle()) != 0 && errno != EINVAL && errno != ENOTSUP) return fail(errno);
  m_file->close();
  m_file.reset();
  // rename() replaces the name itself: a link there is replaced, never followed.
  if (::rename(m_temporary.constData(), m_target.constData()) != 0) return fail(errno);
  m_temporary.clear();
  return true;
}

void OutputFile::removeTemporary() {
  if (m_temporary.isEmpty()) return;
  ::unlink(m_temporary.constData());
  m_temporary.clear();
}

void OutputFile::discard() {
  m_file.reset();
  removeTemporary();
}

QString OutputFile::errorString() const {
  return m_error;
}

bool OutputFile::writeWhole(const QString& path, const QByteArray& bytes, AtLink atLink,
                            QString* error) {
  OutputFile file(path, atLink);
  bool ok = file.open();
  if (ok && file.device().write(bytes) != bytes.size()) {
    file.m_error = file.device().errorString();
    file.discard();
    ok = false;
  }
  if (ok) ok = file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}

Message OutputFile::cannotWriteMessage(const QString& path) {
  return {QStringLiteral("警告"),
          joinLines({QStringLiteral("ファイルを開くことが出来ません。"), path,
                     QStringLiteral("他の処理によってロックされていないか、ハードディスクがいっぱい"
                                    "でないかを確認してください。"),
                     QStringLiteral("ファイルは出力されませんでした。")}),
          MessageIcon::Warning};
}

Message OutputFile::replacedCharactersMessage(const QString& path, const QByteArray& encoding,
                                              qint64 count) {
  return {QStringLiteral("文字の置き換え"),
          joinLines({QStringLiteral("ファイルを出力しました。"), path,
                     QStringLiteral("ただし、文字コード ") + QString::fromLatin1(encoding) +
                         QStringLiteral(" で表せない文字が ") + QString::number(count) +
                         QStringLiteral(" 文字あったため、「?」に置き換えて出力しました。")}),
          MessageIcon::Information};
}

Message OutputFile::unrepresentableCharactersMessage(const QString& path, qint64 count) {
  return {
      QStringLiteral("文字の置き換え"),
      joinLines({QStringLiteral("ファイルを出力しました。"), path,
                 u"ただし、ファイル内に書けない文字（制御文字など）が " % QString::number(count) %
                     u" 文字あったため、「\uFFFD」（U+FFFD）に置き換えて出力しました。"}),
      MessageIcon::Information};
}

bool OutputFile::write(const QString& path, Interaction& interaction,
                       const std::function<bool(QIODevice&)>& body) {
  OutputFile file(path, AtLink::Replace);
  bool ok = file.open();
  if (ok && !body(file.device())) {
    file.m_error = file.device().errorString();
    file.discard();
    ok = false;
  }
  if (ok) ok = file.commit();
  if (!ok) interaction.showMessage(file.failureMessage());
  return ok;
}

}  // namespace vek
