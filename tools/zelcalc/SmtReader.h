// Reads SMT-LIB 2 commands into a session's calculator: declarations become
// the session's variables, every assert one constraint (Session::RunBuilt, so
// the first error is tracked and explained as for .zel input). Constructs
// outside the calculator's algebra are reported through the session as
// "file:line:col: unsupported: WHAT" and the assertion that uses them is left
// out; the rest of the script is read. Terms are built as nodes directly:
// let-bound terms stay shared, where an Expr tree would copy them.
#ifndef ZELCALC_SMTREADER_H
#define ZELCALC_SMTREADER_H

#include <ZELTavSymbolicCalculator.h>

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "Printer.h"
#include "Session.h"
#include "SmtSyntax.h"

namespace zelcalc {

class SmtReader {
 public:
  // The session's calculator must be the current one.
  explicit SmtReader(Session& session) : session_(session) {}

  // Reads one top-level command, its text starting at start in the input.
  void ReadCommand(const std::string& text, const Position& start);
  // Reads a whole script given as text, command by command.
  void Read(const std::string& source);

  int assertions() const { return assertions_; }  // handed to the calculator
  int refused() const { return refused_; }        // left out
  int errors() const { return errors_; }          // refused or malformed items of any kind
  const VariableNames& names() const { return session_.names(); }
  // Variables declared Bool: p stands for the relation p = 1.
  const std::set<unsigned long long>& booleans() const { return booleans_; }
  // The set-logic of the script, Int theories named as their Real ones; "" if none.
  const std::string& logic() const { return logic_; }
  // Variables declared; the session numbers them from 1 in that order.
  unsigned long long variableCount() const { return declared_; }

  // Builds one term (let, define-fun and declarations as read so far); null,
  // reported through the session, when it is refused. For tests.
  ZELS3Node* Term(const std::string& text);

 private:
  enum class Sort { Real, Bool };
  struct Value {
    ZELS3Node* node = nullptr;
    Sort sort = Sort::Real;
  };
  struct Global {
    enum class Kind { Variable, Constant, Function, Refused };
    Kind kind = Kind::Refused;
    Value value;  // Variable (a Bool one as p = 1) and Constant
    std::vector<std::pair<std::string, Sort>> params;  // Function
    SExpr body;                                        // Function
    Sort result = Sort::Real;                          // Function
    std::string why;                                   // Refused
  };
  struct Refusal {
    Position pos;
    std::string what;
    bool unsupported;  // else malformed
  };

  void Command(const SExpr& c);
  void Declare(const SExpr& name, const SExpr& sort);
  void Define(const SExpr& c);
  void Assert(const SExpr& c);
  void Report(const Position& pos, const std::string& kind, const std::string& message);
  // A new command or assertion: no division by zero and no cause seen yet.
  void Restart();
  void WarnDivisions();
  // Records e as the cause when building it set the calculator's error code.
  void NoteCause(const SExpr& e, const std::vector<Value>& args);
  // Why the assertion node (or a term before it) set the code; "" if unknown.
  std::string Explain(int code, const ZELS3Node* node) const;
  std::string Inconsistency(const ZELS3Node* node) const;

  Value Eval(const SExpr& e);
  Value EvalSymbol(const SExpr& e);
  Value EvalList(const SExpr& e);
  Value Let(const SExpr& e);
  Value Annotated(const SExpr& e);
  Value Apply(const SExpr& e, const std::string& op, const std::vector<Value>& args);
  Value Expand(const SExpr& e, const Global& f, const std::vector<Value>& args);
  Sort ReadSort(const SExpr& s, bool* isInt);

  static Value Make(const char* spelling, const std::vector<ZELS3Node*>& args, Sort sort);
  // and/or over many operands as a balanced tree, so depth grows as the log.
  static ZELS3Node* Balanced(const char* spelling, const std::vector<ZELS3Node*>& v,
                             std::size_t from, std::size_t to);
  std::vector<ZELS3Node*> Nodes(const SExpr& e, const std::vector<Value>& args, Sort sort) const;

  Session& session_;
  std::string text_;  // the command being read, for messages
  std::unordered_map<std::string, Global> globals_;
  std::unordered_map<std::string, std::vector<Value>> scopes_;  // let and parameters
  std::map<std::pair<const Global*, std::vector<ZELS3Node*>>, Value> expansions_;
  std::set<unsigned long long> booleans_;
  std::string logic_;
  unsigned long long declared_ = 0;
  int depth_ = 0;
  bool intNoted_ = false;
  std::vector<Position> divisionsByZero_;
  // The innermost term whose building first set the error code, in the
  // command being read: where, as text, its operator and one number operand.
  struct Cause {
    int code = 0;
    Position pos;
    std::string term;
    std::string op;
    const ZELS3Node* operand = nullptr;
  };
  Cause cause_;
  std::map<unsigned long long, std::string> fixedBy_;  // "'(assert ...)' (file:line:col)"
  int assertions_ = 0;
  int refused_ = 0;
  int errors_ = 0;
};

}  // namespace zelcalc

#endif
