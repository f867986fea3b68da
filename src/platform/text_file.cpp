#include "platform/text_file.h"

#include <algorithm>

namespace zq::platform {
namespace {

constexpr char CTRL_Z = 0x1A;

}  // namespace

bool TextReader::Fill() {
  position_ = 0;
  filled_ = 0;
  if (atEnd_ || result_ != IO_OK) return false;
  // The lines read before an error are still delivered; the line the error
  // cut is not.
  result_ = file_.Read(buffer_.data(), buffer_.size(), filled_);
  if (filled_ == 0) atEnd_ = true;
  return filled_ > 0;
}

bool TextReader::ReadLine(std::string& line) {
  line.clear();
  for (;;) {
    if (position_ == filled_ && !Fill()) break;
    const char* start = buffer_.data() + position_;
    const char* end = buffer_.data() + filled_;
    const char* newline = std::find(start, end, '\n');
    line.append(start, newline);
    position_ = static_cast<std::size_t>(newline - buffer_.data());
    if (newline != end) {
      ++position_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
  }
  if (result_ != IO_OK) return false;
  if (!line.empty() && line.back() == CTRL_Z) {
    line.pop_back();
    if (line.empty()) return false;
  }
  return !line.empty();
}

TextWriter::~TextWriter() {
  Flush();
}

int TextWriter::Write(std::string_view text) {
  if (result_ != IO_OK) return result_;
  if (buffer_.size() + text.size() > TEXT_BUFFER_SIZE && Flush() != IO_OK) return result_;
  buffer_ += text;
  if (buffer_.size() >= TEXT_BUFFER_SIZE) Flush();
  return result_;
}

int TextWriter::WriteLine(std::string_view text) {
  Write(text);
  return Write("\r\n");
}

int TextWriter::Flush() {
  if (result_ == IO_OK && !buffer_.empty()) {
    std::size_t done = 0;
    result_ = file_.Write(buffer_.data(), buffer_.size(), done);
    // A file that took fewer bytes without a word has still lost the rest.
    if (result_ == IO_OK && done < buffer_.size()) result_ = IO_WRITE_FAULT;
  }
  buffer_.clear();
  return result_;
}

}  // namespace zq::platform
