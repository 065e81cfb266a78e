// One raw deflate stream made on the machine's cores: the bytes given are cut into pieces of
// 256 KB, deflated side by side (each piece primed with the 32 KB before it and ended by a
// sync flush, as pigz does, so the pieces one after the other are one deflate stream) and
// handed to a sink in their order. The workbook's parts and temporary files are made so.
#pragma once

#include <zlib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/OrderedWork.h"

namespace vek {

class ParallelDeflate {
 public:
  // Takes deflated bytes in order; returns 0, or a negative minizip error that ends the stream.
  using Sink = std::function<int(const char* data, std::size_t length)>;
  // Minizip's codes, which the workbook's callers pass on.
  static constexpr int kOk = 0;
  static constexpr int kInternalError = -104;

  ParallelDeflate(int level, Sink sink);
  ~ParallelDeflate();
  ParallelDeflate(const ParallelDeflate&) = delete;
  ParallelDeflate& operator=(const ParallelDeflate&) = delete;

  int write(const void* data, std::size_t length);
  // Deflates and hands on what is left. With last, the stream ends (a final block); without,
  // it stops on a byte boundary, so other deflated bytes may follow it in the same stream.
  int finish(bool last);
  // What went wrong outside the pieces (memory) ends the stream: every later call fails.
  int fail() { return m_error = kInternalError; }
  int error() const { return m_error; }

  // Of the bytes given and handed on so far.
  uLong crc() const { return m_crc; }
  unsigned long long size() const { return m_size; }

 private:
  struct Piece;
  void submit(bool last);
  void writeFront();
  bool claimAndDeflate(std::unique_lock<std::mutex>& lock);
  void help();

  int m_level;
  Sink m_sink;
  std::string m_input;   // the piece being filled
  std::string m_window;  // the last 32 KB given, the next piece's dictionary
  uLong m_crc;           // of the pieces handed on
  unsigned long long m_size = 0;
  int m_error = kOk;
  bool m_helpersStarted = false;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::shared_ptr<Piece>> m_pieces;  // submitted and not yet handed on, in order
  bool m_stopping = false;
  Workers m_workers;
};

}  // namespace vek
