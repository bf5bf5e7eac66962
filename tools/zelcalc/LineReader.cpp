#include "LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelcalc {

ssize_t ReadSome(int fd, char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool LineReader::Fill() {
  if (eof_ || error_ != 0) return false;
  const ssize_t n = ReadSome(fd_, buffer_, sizeof buffer_);
  if (n > 0) {
    at_ = 0;
    size_ = static_cast<size_t>(n);
    return true;
  }
  if (n == 0) {
    eof_ = true;
  } else {
    error_ = errno;
  }
  return false;
}

LineReader::Result LineReader::Next(std::string* line) {
  line->clear();
  bool any = false;
  bool tooLong = false;
  for (;;) {
    if (at_ == size_ && !Fill()) break;
    any = true;
    const char* start = buffer_ + at_;
    const void* nl = std::memchr(start, '\n', size_ - at_);
    const size_t take =
        nl ? static_cast<size_t>(static_cast<const char*>(nl) - start) : size_ - at_;
    if (!tooLong && line->size() + take <= maxLine_) {
      line->append(start, take);
    } else if (!tooLong) {
      tooLong = true;
      line->clear();
      line->shrink_to_fit();
    }
    at_ += take;
    if (nl) {
      ++at_;
      return tooLong ? Result::TooLong : Result::Line;
    }
  }
  if (error_ != 0) return Result::Error;
  if (!any) return Result::End;
  return tooLong ? Result::TooLong : Result::Line;
}

}  // namespace zelcalc
