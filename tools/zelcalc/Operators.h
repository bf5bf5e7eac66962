// The operators of .zel text: spelling, binding strength, how a run of them
// groups, what kind of operation they write, and the SMT-LIB name that reads
// as them. The lexer, the parser, the infix printer and the SMT-LIB reader
// all read this one table.
#ifndef ZELCALC_OPERATORS_H
#define ZELCALC_OPERATORS_H

#include <string>
#include <vector>

namespace zelcalc {

// Binding strengths, loosest first.
enum Level : int {
  kImplies = 1,
  kOr = 2,
  kAnd = 3,
  kNot = 4,
  kRelation = 5,
  kAdditive = 6,
  kMultiplicative = 7,
  kUnary = 8,
  kPower = 9,
  kAtom = 10
};

enum class Grouping {
  Prefix,  // one operand after the operator: not a, -a
  Left,    // a op b op c is (a op b) op c
  Right,   // a op b op c is a op (b op c)
  None,    // a op b op c is refused
  Run      // a op b op c is one operation op(a, b, c)
};

struct Operator {
  const char* spelling;
  Level level;
  Grouping grouping;
  const char* meaning;  // for help and messages: "less than", "logical and", ...
  const char* smtlib;   // the SMT-LIB name of the operation, or null (one row per name)
};

// All rows, in the order help lists them.
const std::vector<Operator>& Operators();

// The row for a spelling used between two operands, or used in front of one.
const Operator* FindInfix(const std::string& spelling);
const Operator* FindPrefix(const std::string& spelling);

// The row an SMT-LIB operation name reads as: "distinct" -> "<>", "=>" -> "->".
const Operator* FindSmtlib(const std::string& name);

// The spellings made of punctuation, longest first, for the lexer.
const std::vector<std::string>& SymbolSpellings();

// Words that are operators or constants and so cannot name a variable.
bool IsReservedWord(const std::string& word);

// The functions the library knows by name: abs, sign, exp, ln, ..., atan.
const std::vector<std::string>& LibraryFunctions();

}  // namespace zelcalc

#endif
