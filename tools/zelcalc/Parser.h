// Reads a .zel program into statements. A statement with a syntax error is
// reported and skipped; the parser goes on at the next newline or ';'.
#ifndef ZELCALC_PARSER_H
#define ZELCALC_PARSER_H

#include <string>
#include <vector>

#include "Syntax.h"

namespace zelcalc {

// Deepest nesting of parentheses, calls and prefix operators accepted.
constexpr int kMaxNesting = 500;
// Tallest expression tree accepted (long left-associative chains grow it).
constexpr int kMaxHeight = 2000;

// Positions count lines from firstLine. Statements of a source without
// newlines carry their own text.
std::vector<Item> ParseProgram(const std::string& source, int firstLine = 1);

// Parses exactly one expression; on failure returns null and fills error.
ExprPtr ParseExpression(const std::string& source, SyntaxError* error);

}  // namespace zelcalc

#endif
