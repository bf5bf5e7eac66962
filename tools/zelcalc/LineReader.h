// Reads a file descriptor one line at a time, holding at most one line of
// kMaxLineBytes; the rest of a longer line is skipped.
#ifndef ZELCALC_LINEREADER_H
#define ZELCALC_LINEREADER_H

#include <string>

namespace zelcalc {

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
