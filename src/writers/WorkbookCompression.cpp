#include "writers/WorkbookCompression.h"

#include <dlfcn.h>
#include <xlsxwriter/third_party/zip.h>

namespace vek {

namespace {

thread_local int t_fastScopes = 0;

}  // namespace

FastWorkbookCompression::FastWorkbookCompression() {
  ++t_fastScopes;
}

FastWorkbookCompression::~FastWorkbookCompression() {
  --t_fastScopes;
}

bool FastWorkbookCompression::active() {
  return t_fastScopes > 0;
}

}  // namespace vek

// Stands in front of minizip's own definition, which is the next one in the dynamic linker's
// order after the program. The signature is minizip 1.1's, which libxlsxwriter is built against.
extern "C" int zipOpenNewFileInZip4_64(zipFile file, const char* filename,
                                       const zip_fileinfo* zipfi, const void* extrafield_local,
                                       uInt size_extrafield_local, const void* extrafield_global,
                                       uInt size_extrafield_global, const char* comment, int method,
                                       int level, int raw, int windowBits, int memLevel,
                                       int strategy, const char* password, uLong crcForCrypting,
                                       uLong versionMadeBy, uLong flagBase, int zip64) {
  using Open = decltype(&zipOpenNewFileInZip4_64);
  static const auto minizip = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
  if (!minizip) return ZIP_INTERNALERROR;
  if (vek::FastWorkbookCompression::active() && method == Z_DEFLATED && !raw &&
      level == Z_DEFAULT_COMPRESSION)
    level = vek::FastWorkbookCompression::kLevel;
  return minizip(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                 size_extrafield_global, comment, method, level, raw, windowBits, memLevel,
                 strategy, password, crcForCrypting, versionMadeBy, flagBase, zip64);
}
