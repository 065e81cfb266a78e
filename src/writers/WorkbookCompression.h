// How hard the parts of Vek's workbooks are compressed.
//
// libxlsxwriter hands each part of a workbook to minizip at zlib's default level (6) and offers
// no option for it; on a list of a million rows that deflate of the sheet's XML was half of the
// whole write. Vek defines minizip's zipOpenNewFileInZip4_64 itself (in the .cpp): the dynamic
// linker binds the library's call to the program's definition, which hands the call on to
// minizip unchanged, except that while a FastWorkbookCompression is alive on the calling thread
// a deflated part at the default level is deflated at kLevel instead. Every other zip written in
// the process, and every other call, keeps its own level.
#pragma once

namespace vek {

class FastWorkbookCompression {
 public:
  // zlib's fastest level: about four times as fast as the default on a sheet's XML, for a
  // file about a third larger. Minizip marks such a part "super fast" in its header.
  static constexpr int kLevel = 1;

  FastWorkbookCompression();
  ~FastWorkbookCompression();
  FastWorkbookCompression(const FastWorkbookCompression&) = delete;
  FastWorkbookCompression& operator=(const FastWorkbookCompression&) = delete;

  // True while an object of this class is alive on the calling thread.
  static bool active();
};

}  // namespace vek
