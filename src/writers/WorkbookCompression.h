// How Vek's workbooks are compressed, and the temporary files libxlsxwriter writes them into.
//
// libxlsxwriter hands each part of a workbook to minizip, which deflates it at zlib's default
// level (6) on one thread; the library offers no option for it, and on a list of a million
// rows that deflate of the sheet's XML was half of the whole write. Its temporary files, made
// by its lxw_tmpfile, cost most of the rest (see WorkbookTemporaryFile). Vek defines
// lxw_tmpfile and three of minizip's functions itself (zipOpenNewFileInZip4_64,
// zipWriteInFileInZip, zipCloseFileInZip, in the .cpp): the dynamic linker binds the library's
// calls to the program's definitions, which hand every call on to the library's and minizip's
// own unchanged, except while a FastWorkbookCompression is alive on the calling thread. Then
// the library's temporary files are WorkbookTemporaryFiles, which deflate what is written into
// them at kLevel on the machine's cores, and a part the library opens at the default level is
// opened raw instead and made of its file's deflated bytes (or, for a part that is not one of
// those files, of the bytes the library gives, deflated the same way); minizip writes them in
// order and closes the part with the size and CRC of the part's bytes. The zip is minizip's
// own, its parts marked "super fast". Every other workbook and zip of the process keeps the
// library's and minizip's ways.
#pragma once

namespace vek {

class FastWorkbookCompression {
 public:
  // zlib's fastest level: about four times as fast as the default on a sheet's XML, for a
  // file about a third larger.
  static constexpr int kLevel = 1;

  FastWorkbookCompression();
  ~FastWorkbookCompression();
  FastWorkbookCompression(const FastWorkbookCompression&) = delete;
  FastWorkbookCompression& operator=(const FastWorkbookCompression&) = delete;

  // True while an object of this class is alive on the calling thread.
  static bool active();
  // What went wrong in the workbook's temporary files since the outermost object was made on
  // this thread (an errno value), or 0; bytes read from one of them that reached neither a
  // zip part nor another of them count as a failure. The library does not see all of it: a
  // workbook with a failure is not one to keep.
  static int failure();
};

}  // namespace vek
