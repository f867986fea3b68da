#pragma once
// Text files read by lines and written with CR LF, buffered over a File. The
// reader and the writer use the file; they do not own or close it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace zq::platform {

inline constexpr std::size_t TEXT_BUFFER_SIZE = 64 * 1024;

class TextReader {
 public:
  explicit TextReader(File& file) : file_(file), buffer_(TEXT_BUFFER_SIZE) {}

  // The next line, whole and without its end (CR LF or LF; a lone CR stays in
  // the line). The last line needs no end; a Ctrl+Z that is the very last byte
  // of the file is not part of it. False at the end of the file, or on a read
  // error (see Result).
  bool ReadLine(std::string& line);
  int Result() const { return result_; }

 private:
  bool Fill();

  File& file_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool atEnd_ = false;
  int result_ = IO_OK;
};

class TextWriter {
 public:
  explicit TextWriter(File& file) : file_(file) { buffer_.reserve(TEXT_BUFFER_SIZE); }
  ~TextWriter();  // writes what is left; an error there is lost
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Each answers the first error met so far (later calls write nothing more).
  int Write(std::string_view text);
  int WriteLine(std::string_view text);  // the text and CR LF
  int Flush();                           // hands the buffer to the file

 private:
  File& file_;
  std::string buffer_;
  int result_ = IO_OK;
};

}  // namespace zq::platform
