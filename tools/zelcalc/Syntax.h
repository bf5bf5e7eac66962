// The syntax tree of a .zel file: expressions and the statements that use them.
#ifndef ZELCALC_SYNTAX_H
#define ZELCALC_SYNTAX_H

#include <memory>
#include <string>
#include <vector>

namespace zelcalc {

struct Position {
  int line = 1;
  int column = 1;
};

struct Expr {
  enum class Kind { Number, Boolean, Name, Apply };

  Kind kind = Kind::Number;
  Position pos;
  double number = 0.0;   // Number
  bool boolean = false;  // Boolean
  // Name: the variable's name. Apply: the operator spelling or function name,
  // exactly as written; it is what the library gets.
  std::string text;
  bool call = false;  // Apply written as name(args) rather than as an operator
  std::vector<std::unique_ptr<Expr>> args;
  int height = 1;  // 1 for leaves, 1 + the highest argument otherwise
};

using ExprPtr = std::unique_ptr<Expr>;

ExprPtr MakeNumber(double value, Position pos);
ExprPtr MakeBoolean(bool value, Position pos);
ExprPtr MakeName(std::string name, Position pos);
ExprPtr MakeApply(std::string spelling, std::vector<ExprPtr> args, Position pos, bool call);

// Fully parenthesised prefix form, e.g. "(- (^ x 2))", for diagnostics and tests.
std::string ToSExpr(const Expr& e);

struct Statement {
  enum class Kind { Constraint, Show, Diff, Param, Option, Check };

  Kind kind = Kind::Constraint;
  Position pos;
  ExprPtr expr;                    // Constraint, Show, Diff
  std::string by;                  // Diff: the variable
  Position byPos;                  // Diff: where that variable was written
  std::vector<std::string> names;  // Param
  std::vector<Position> namePos;   // Param
  std::string option;              // Option: gauss, subst, transfer or divreplace
  bool on = false;                 // Option
};

struct SyntaxError {
  Position pos;
  std::string found;     // the offending text, printable
  std::string expected;  // what would have been accepted, or why it was refused
};

// One statement of the program in source order: either parsed or refused.
struct Item {
  bool ok = false;
  Statement statement;
  SyntaxError error;
};

}  // namespace zelcalc

#endif
