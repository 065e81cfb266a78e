#include "writers/OutputFile.h"

#include <QSaveFile>

namespace vek {

// A QSaveFile that remembers a write that did not take all its bytes. A short write to a full
// disk sets no error, and QSaveFile::commit() ignores a failure of the final flush of its
// buffer, so without this a cut file could replace the target and pass for written.
class CheckedSaveFile final : public QSaveFile {
 public:
  using QSaveFile::QSaveFile;
  bool hadShortWrite() const { return m_shortWrite; }

 protected:
  qint64 writeData(const char* data, qint64 len) override {
    const qint64 written = QSaveFile::writeData(data, len);
    if (written != len) m_shortWrite = true;
    return written;
  }

 private:
  bool m_shortWrite = false;
};

OutputFile::OutputFile(const QString& path) : m_path(path) {}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open() {
  m_file = std::make_unique<CheckedSaveFile>(m_path);
  // Never fall back to writing the target in place: that is exactly what loses the old file.
  m_file->setDirectWriteFallback(false);
  if (!m_file->open(QIODevice::WriteOnly)) {
    m_error = m_file->errorString();
    m_file.reset();
    return false;
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
  // The buffer is flushed here, where a failure can be seen, before commit() renames.
  if (!m_file->flush() || m_file->hadShortWrite()) {
    m_error = m_file->errorString();
    if (m_error.isEmpty()) m_error = QStringLiteral("short write");
    m_file.reset();
    return false;
  }
  const bool ok = m_file->commit();
  if (!ok) m_error = m_file->errorString();
  m_file.reset();
  return ok;
}

void OutputFile::discard() {
  // An uncommitted QSaveFile removes its temporary file when destroyed.
  m_file.reset();
}

QString OutputFile::errorString() const { return m_error; }

Message OutputFile::cannotWriteMessage(const QString& path) {
  return {QStringLiteral("警告"),
          joinLines({QStringLiteral("ファイルを開くことが出来ません。"), path,
                     QStringLiteral("他の処理によってロックされていないか、ハードディスクがいっぱいでないかを確認してください。"),
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
  OutputFile file(path);
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
