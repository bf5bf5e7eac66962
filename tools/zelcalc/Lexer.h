// Splits .zel source text into tokens. Never fails: bytes that start no token
// become Error tokens, which the parser reports.
#ifndef ZELCALC_LEXER_H
#define ZELCALC_LEXER_H

#include <string>
#include <vector>

#include "Syntax.h"

namespace zelcalc {

struct Token {
  enum class Kind {
    Number,    // value holds the number; text the digits as written
    Name,      // identifier or word operator (and, or, not, true, ...)
    Operator,  // text holds the spelling: "+", "<==", "/\", "->", ...
    LParen,
    RParen,
    Comma,
    Separator,  // newline or ';'
    End,
    Error  // text holds the offending bytes, message why
  };

  Kind kind = Kind::End;
  std::string text;
  std::string message;
  double value = 0.0;
  Position pos;
};

// Positions count lines from firstLine.
std::vector<Token> Tokenize(const std::string& source, int firstLine = 1);

// The text of a token as shown in a message: printable, non-ASCII bytes as \xNN.
std::string Printable(const std::string& text);

}  // namespace zelcalc

#endif
