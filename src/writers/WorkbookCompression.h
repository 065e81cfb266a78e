// How the parts of Vek's workbooks are compressed.
//
// libxlsxwriter hands each part of a workbook to minizip, which deflates it at zlib's default
// level (6) on one thread; the library offers no option for it, and on a list of a million
// rows that deflate of the sheet's XML was half of the whole write. Vek defines three of
// minizip's functions itself (zipOpenNewFileInZip4_64, zipWriteInFileInZip, zipCloseFileInZip,
// in the .cpp): the dynamic linker binds the library's calls to the program's definitions,
// which hand every call on to minizip unchanged, except while a FastWorkbookCompression is
// alive on the calling thread. Then a part the library opens at the default level is opened
// raw instead, and the bytes the library gives are deflated at kLevel in pieces of 256 KB on
// the machine's cores (each piece primed with the 32 KB before it and ended by a sync flush,
// as pigz does, so the pieces together are one deflate stream); minizip writes them in order
// and closes the part with the size and CRC of the bytes given. The zip is minizip's own, its
// parts marked "super fast". Every other zip written in the process keeps minizip's ways.
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
};

}  // namespace vek
