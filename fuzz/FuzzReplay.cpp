// Replays fuzz inputs through a target without libFuzzer, so that the normal build runs every
// kept input as a test: each argument is a file or a folder of files. A broken property or a
// crash ends the run, with the file named just before.
#include <algorithm>
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FuzzCheck.h"

int main(int argc, char** argv) {
  QStringList files;
  for (int i = 1; i < argc; ++i) {
    const QString path = QString::fromLocal8Bit(argv[i]);
    if (QFileInfo(path).isDir()) {
      for (const QString& name : QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        files.append(path + u'/' + name);
    } else {
      files.append(path);
    }
  }
  if (files.isEmpty()) {
    std::fprintf(stderr, "no inputs\n");
    return 1;
  }
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      return 1;
    }
    const QByteArray bytes = file.readAll();
    std::fprintf(stderr, "%s\n", qPrintable(path));
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                           size_t(bytes.size()));
  }
  std::fprintf(stderr, "%lld inputs replayed\n", static_cast<long long>(files.size()));
  return 0;
}
