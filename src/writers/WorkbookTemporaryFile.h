// The temporary files libxlsxwriter writes a workbook's parts into, while Vek's writer runs.
//
// In constant-memory mode the library prints every row of a sheet into a temporary file,
// copies that whole file into a second one behind the sheet's header when the workbook is
// closed, and reads the second one back to deflate it into the zip: on a list of a million
// rows, 359 MB written twice and read twice on the one thread that drives the library, and
// every write's failure (a full disk) unseen, so a cut sheet could be zipped as if whole.
//
// A WorkbookTemporaryFile stands in for each of those files (WorkbookCompression hands them to
// the library). What the library writes into one is deflated at once, on the machine's cores,
// and only the deflated bytes are kept, in unlinked scratch files of the library's temporary
// folder. A whole file copied into another is not copied: the other takes the deflated
// stretches of the first. When the zip part of a file is written, its stretches go into the zip
// as they are, one deflate stream. The bytes the library reads meanwhile are only counted, so
// they must reach the zip part or another of these files, never anything else: any other use,
// and any failure of a write or a scratch file, is recorded and fails the workbook.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <zlib.h>

namespace vek {

class ParallelDeflate;

class WorkbookTemporaryFile {
 public:
  // A new file for the library, its scratch files in folder (the system's when null); null
  // with errno set when it cannot be made.
  static FILE* open(const char* folder);

  // Takes the file whose zip part the library opens now: the newest one of this thread, while
  // it is still being written. False when that file is not one to take (the part is then made
  // of the bytes the library gives).
  static bool claimForPart();
  // Bytes the library gives the taken file's part: only counted, as the part will be the
  // file's deflated stretches. False when they cannot be the file's bytes.
  static bool partGiven(unsigned long long length);
  // Hands the taken file's deflated stretches to write, then the end of the deflate stream;
  // crc and length are then those of the whole part. Minizip's error code, or 0.
  static int writePart(const std::function<int(const char*, std::size_t)>& write, uLong& crc,
                       unsigned long long& length);

  // The first failure on this thread since the last reset (an errno value), or 0.
  static int failure();
  // Starts the thread's record of failures afresh (as a workbook begins).
  static void resetFailure();
  // Records a failure (an errno value) of this thread's workbook; the first one stays.
  static void recordFailure(int error);
  // True while the library is copying one of these files into another on this thread.
  static bool copying();
  // Closes the files of this thread the library has not closed: when a workbook fails, the
  // library leaves the rows' files of its sheets open, and drops them. Only once the
  // library's workbook is gone.
  static void closeAbandoned();

  // Deflated bytes of a file, in a scratch file of their own.
  struct Stretch;

  ~WorkbookTemporaryFile();
  WorkbookTemporaryFile(const WorkbookTemporaryFile&) = delete;
  WorkbookTemporaryFile& operator=(const WorkbookTemporaryFile&) = delete;

 private:
  explicit WorkbookTemporaryFile(const char* folder);
  static ssize_t readFunction(void* cookie, char* buffer, std::size_t size);
  static ssize_t writeFunction(void* cookie, const char* buffer, std::size_t size);
  static int seekFunction(void* cookie, off64_t* position, int whence);
  static int closeFunction(void* cookie);
  bool writeOwn(const char* bytes, std::size_t size);
  void endOwnStretch();

  std::string m_folder;
  FILE* m_stream = nullptr;
  std::unique_ptr<char[]> m_buffer;  // the stream's buffer
  unsigned long long m_serial = 0;   // in the order files were made on the thread
  std::vector<std::shared_ptr<const Stretch>> m_stretches;  // ended, in order
  std::shared_ptr<Stretch> m_own;  // the stretch being written, of the library's own bytes
  std::unique_ptr<ParallelDeflate> m_deflate;  // deflating into m_own
  unsigned long long m_length = 0;             // bytes written
  unsigned long long m_handedOut = 0;          // bytes read
  unsigned long long m_partGiven = 0;          // bytes given to the zip part
  bool m_reading = false;
  bool m_claimed = false;
  bool m_abandoned = false;  // closed by Vek: what is still written goes nowhere
};

}  // namespace vek
