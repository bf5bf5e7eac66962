// Reads a file descriptor one line at a time, holding at most one line of
// kMaxLineBytes; the rest of a longer line is skipped.
#ifndef ZELCALC_LINEREADER_H
#define ZELCALC_LINEREADER_H

#include <sys/types.h>

#include <string>

namespace zelcalc {

// read(2), again after an interruption: the bytes read, 0 at the end, -1 on
// an error (errno says which).
ssize_t ReadSome(int fd, char* buffer, size_t size);

class LineReader {
 public:
  LineReader(int fd, size_t maxLine) : fd_(fd), maxLine_(maxLine) {}

  enum class Result { Line, TooLong, End, Error };

  // The next line, without its newline. Error leaves errno as read(2) set it.
  Result Next(std::string* line);
  int error() const { return error_; }

 private:
  bool Fill();

  int fd_;
  size_t maxLine_;
  char buffer_[65536];
  size_t at_ = 0, size_ = 0;
  bool eof_ = false;
  int error_ = 0;
};

}  // namespace zelcalc

#endif
