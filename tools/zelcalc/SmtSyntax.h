// SMT-LIB 2 text as s-expressions: atoms and lists with their positions. The
// reader hands out one top-level expression at a time, so a script is never
// held as a whole tree.
#ifndef ZELCALC_SMTSYNTAX_H
#define ZELCALC_SMTSYNTAX_H

#include <cstddef>
#include <string>
#include <vector>

#include "Syntax.h"

namespace zelcalc {

struct SExpr {
  enum class Kind { Symbol, Keyword, Numeral, Decimal, Binary, String, List };

  Kind kind = Kind::List;
  std::string text;  // atoms: as written, without the |...| of a quoted symbol
  Position pos;
  std::vector<SExpr> items;  // List

  bool IsSymbol(const char* s) const { return kind == Kind::Symbol && text == s; }
  // The head symbol of a list, or "" when there is none.
  const std::string& Head() const;
};

// Deepest nesting of parentheses accepted.
constexpr int kMaxSmtNesting = 5000;

class SExprReader {
 public:
  // start: where text begins in the input, for positions.
  explicit SExprReader(const std::string& text, Position start = Position())
      : text_(text), at_(start) {}

  enum class Result { Ok, End, Error };
  // Reads the next top-level expression. On a malformed one, error holds the
  // position and the reason, and reading resumes after it.
  Result Next(SExpr* out, SyntaxError* error);

 private:
  void SkipSpace();
  bool Atom(SExpr* atom, SyntaxError* error);
  void SkipList(std::size_t depth);
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Advance();

  const std::string& text_;
  std::size_t pos_ = 0;
  Position at_;
};

// Reads an SMT-LIB script from a file descriptor (or a text) one top-level
// command at a time: the text from an atom or '(' to its balancing ')', with
// comments, strings and |quoted symbols| skipped over, so that a run holds one
// command. A command longer than maxBytes is skipped to its end.
class SmtCommandReader {
 public:
  SmtCommandReader(int fd, std::size_t maxBytes) : fd_(fd), maxBytes_(maxBytes) {}
  SmtCommandReader(const std::string& text, std::size_t maxBytes);

  enum class Result { Command, TooLong, End, Error };
  // The next command and where it starts. Error leaves errno as read(2) set it.
  Result Next(std::string* command, Position* start);
  int error() const { return error_; }

 private:
  bool Fill();
  // The next character, or -1 at the end of the input or on a read error;
  // Get consumes it.
  int Peek();
  int Get();

  int fd_ = -1;
  std::size_t maxBytes_;
  std::string buffer_;
  std::size_t at_ = 0;
  bool eof_ = false;
  int error_ = 0;
  Position pos_;
};

// The symbol as SMT-LIB writes it: bare when it is a simple symbol, else |...|.
std::string SmtSymbol(const std::string& name);

}  // namespace zelcalc

#endif
