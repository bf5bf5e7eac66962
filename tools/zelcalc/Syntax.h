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
  enum class Kind { Constraint, Show, ShowSystem, Diff, Eval, Param, Option, Check, Help };

  Kind kind = Kind::Constraint;
  Position pos;
  std::string text;                // the statement as written, for messages
  ExprPtr expr;                    // Constraint, Show, Diff, Eval
  std::vector<std::string> names;  // Param: the names; Diff: the variables, in order;
                                   // Eval: the variables given values
  std::vector<Position> namePos;   // where each of names was written
  std::vector<double> values;      // Eval: the value of each of names
  std::string option;              // Option: a name from the option table
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
