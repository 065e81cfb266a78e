#include "writers/WorkbookCompression.h"

#include <dlfcn.h>
#include <xlsxwriter/third_party/zip.h>
#include <xlsxwriter/utility.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "writers/ParallelDeflate.h"
#include "writers/WorkbookTemporaryFile.h"

namespace vek {

namespace {

// The library's and minizip's own definitions, which the ones below stand in front of: the
// next ones in the dynamic linker's order after the program. The signatures are
// libxlsxwriter 1.1's and minizip 1.1's, which it is built against.
template <typename Function>
Function next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
using TemporaryFileFunction = decltype(&lxw_tmpfile);
using OpenFunction = decltype(&zipOpenNewFileInZip4_64);
using WriteFunction = decltype(&zipWriteInFileInZip);
using CloseFunction = decltype(&zipCloseFileInZip);
using CloseRawFunction = decltype(&zipCloseFileInZipRaw64);

// Deflated bytes into an open part, as they are.
int writeRaw(zipFile file, const char* data, std::size_t length) {
  static const auto write = next<WriteFunction>("zipWriteInFileInZip");
  if (!write) return ZIP_INTERNALERROR;
  while (length > 0) {
    const auto piece = unsigned(std::min<std::size_t>(length, 1u << 30));
    const int result = write(file, data, piece);
    if (result < 0) return result;
    data += piece;
    length -= piece;
  }
  return ZIP_OK;
}

// A part of a workbook being written on this thread, opened raw: made of a temporary file's
// deflated bytes (claimed), or of the bytes the library gives, deflated here.
struct OpenPart {
  zipFile file = nullptr;
  bool claimed = false;
  std::unique_ptr<ParallelDeflate> deflate;
};

thread_local int t_fastScopes = 0;
thread_local std::unique_ptr<OpenPart> t_part;

OpenPart* openPart(zipFile file) {
  return t_part && t_part->file == file ? t_part.get() : nullptr;
}

}  // namespace

FastWorkbookCompression::FastWorkbookCompression() {
  if (t_fastScopes++ == 0) WorkbookTemporaryFile::resetFailure();
}

FastWorkbookCompression::~FastWorkbookCompression() {
  if (--t_fastScopes == 0) {
    t_part.reset();
    WorkbookTemporaryFile::closeAbandoned();
  }
}

bool FastWorkbookCompression::active() {
  return t_fastScopes > 0;
}

int FastWorkbookCompression::failure() {
  if (const int error = WorkbookTemporaryFile::failure()) return error;
  // Bytes read from a temporary file that reached neither its part nor another file.
  return WorkbookTemporaryFile::copying() ? EIO : 0;
}

}  // namespace vek

extern "C" FILE* lxw_tmpfile(char* tmpdir) {
  if (vek::FastWorkbookCompression::active()) return vek::WorkbookTemporaryFile::open(tmpdir);
  static const auto own = vek::next<vek::TemporaryFileFunction>("lxw_tmpfile");
  return own ? own(tmpdir) : nullptr;
}

extern "C" int zipOpenNewFileInZip4_64(zipFile file, const char* filename,
                                       const zip_fileinfo* zipfi, const void* extrafield_local,
                                       uInt size_extrafield_local, const void* extrafield_global,
                                       uInt size_extrafield_global, const char* comment, int method,
                                       int level, int raw, int windowBits, int memLevel,
                                       int strategy, const char* password, uLong crcForCrypting,
                                       uLong versionMadeBy, uLong flagBase, int zip64) {
  static const auto open = vek::next<vek::OpenFunction>("zipOpenNewFileInZip4_64");
  if (!open) return ZIP_INTERNALERROR;
  const bool ours = vek::FastWorkbookCompression::active() && method == Z_DEFLATED && !raw &&
                    level == Z_DEFAULT_COMPRESSION && !password;
  if (!ours) {
    return open(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy,
                password, crcForCrypting, versionMadeBy, flagBase, zip64);
  }
  // Minizip writes the deflated bytes given to it as they are and records the level. Nothing
  // may throw into the library's C frames: a failure is minizip's internal error, which fails
  // the workbook (a raw part without its deflated bytes would hold bytes that are not deflated).
  vek::t_part.reset();
  try {
    auto part = std::make_unique<vek::OpenPart>();
    part->file = file;
    part->claimed = vek::WorkbookTemporaryFile::claimForPart();
    if (!part->claimed) {
      part->deflate = std::make_unique<vek::ParallelDeflate>(
          vek::FastWorkbookCompression::kLevel, [file](const char* data, std::size_t length) {
            return vek::writeRaw(file, data, length);
          });
    }
    const int result = open(file, filename, zipfi, extrafield_local, size_extrafield_local,
                            extrafield_global, size_extrafield_global, comment, method,
                            vek::FastWorkbookCompression::kLevel, /*raw=*/1, windowBits, memLevel,
                            strategy, password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (result == ZIP_OK) vek::t_part = std::move(part);
    return result;
  } catch (...) {
    return ZIP_INTERNALERROR;
  }
}

extern "C" int zipWriteInFileInZip(zipFile file, const void* buf, unsigned len) {
  if (vek::OpenPart* part = vek::openPart(file)) {
    // Bytes of a temporary file being copied into another cannot belong in a part.
    if (vek::WorkbookTemporaryFile::copying()) {
      vek::WorkbookTemporaryFile::recordFailure(EIO);
      return ZIP_INTERNALERROR;
    }
    if (part->claimed)
      return vek::WorkbookTemporaryFile::partGiven(len) ? ZIP_OK : ZIP_INTERNALERROR;
    try {
      return part->deflate->write(buf, len);
    } catch (...) {
      return part->deflate->fail();
    }
  }
  static const auto write = vek::next<vek::WriteFunction>("zipWriteInFileInZip");
  return write ? write(file, buf, len) : ZIP_INTERNALERROR;
}

extern "C" int zipCloseFileInZip(zipFile file) {
  if (vek::OpenPart* part = vek::openPart(file)) {
    int result = ZIP_INTERNALERROR;
    uLong crc = 0;
    unsigned long long length = 0;
    try {
      if (part->claimed) {
        result = vek::WorkbookTemporaryFile::writePart(
            [file](const char* data, std::size_t size) { return vek::writeRaw(file, data, size); },
            crc, length);
      } else {
        result = part->deflate->finish(true);
        crc = part->deflate->crc();
        length = part->deflate->size();
      }
    } catch (...) {
      result = ZIP_INTERNALERROR;
    }
    if (result == ZIP_OK &&
        (vek::WorkbookTemporaryFile::failure() != 0 || vek::WorkbookTemporaryFile::copying()))
      result = ZIP_ERRNO;
    vek::t_part.reset();
    if (result != ZIP_OK) return result;
    static const auto closeRaw = vek::next<vek::CloseRawFunction>("zipCloseFileInZipRaw64");
    return closeRaw ? closeRaw(file, length, crc) : ZIP_INTERNALERROR;
  }
  static const auto close = vek::next<vek::CloseFunction>("zipCloseFileInZip");
  return close ? close(file) : ZIP_INTERNALERROR;
}
