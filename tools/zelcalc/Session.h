// Runs .zel statements against one calculator as they come: each line is
// read, built through the library's public factories and forgotten, so a
// run holds the calculator plus one line. Finish prints the processed system.
#ifndef ZELCALC_SESSION_H
#define ZELCALC_SESSION_H

#include <ZELTavSymbolicCalculator.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "JsonWriter.h"
#include "NameIndex.h"
#include "Printer.h"
#include "Syntax.h"

namespace zelcalc {

struct Settings {
  // One entry per row of the option table: -1 keeps the calculator's
  // default, 0 off, 1 on.
  std::vector<int> options;
  bool raw = false;
  bool json = false;         // results and the system as JSON
  bool interactive = false;  // print each constraint as the calculator built it
  std::string dotPath;       // empty: no graph; "-": standard output
  // SMT-LIB 2 (SmtSession.h, SmtWriter.h).
  bool smtInput = false;   // read SMT-LIB 2 (also for a file name ending in .smt2)
  bool smtOutput = false;  // write the processed system as an SMT-LIB script
  bool let = false;        // infix output: nodes used more than once as "t1 := ..."
  bool stats = false;      // SMT-LIB input: one line of figures on standard error
};

// Exit statuses besides those of <sysexits.h>.
constexpr int kExitOk = 0;
constexpr int kExitSyntax = 1;
constexpr int kExitLibraryError = 2;

// The longest line read; a longer one is reported and skipped.
constexpr size_t kMaxLineBytes = 1 << 20;

class Session {
 public:
  Session(std::ostream& out, std::ostream& err, const Settings& settings);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void SetFileName(const std::string& name) { fileName_ = name; }

  // Runs the statements of one line of input (without its newline).
  void RunLine(const std::string& line, int lineNumber);
  // Runs one statement, however it was read (other front ends build
  // Statements and Exprs themselves); s.text and s.pos name it in messages.
  void RunStatement(const Statement& s);
  void ReportSyntaxError(const SyntaxError& error);
  // Reports a line longer than kMaxLineBytes, which was skipped.
  void ReportLongLine(int lineNumber);

  // For front ends that build nodes themselves (the SMT-LIB reader keeps
  // let-bound terms shared, which an Expr tree cannot): the identifier of a
  // variable, made on first use; and a built constraint added as a
  // Constraint statement would be, with the first error tracked for s (whose
  // expr may be null; clear: the error code was 0 before node was built):
  // explain tells why from the code, or when it returns "" the code alone
  // does. NoteBuilt tracks the first error of a statement that adds nothing.
  using Explainer = std::function<std::string(int code)>;
  unsigned long long DeclareVariable(const std::string& name);
  void RunBuilt(const Statement& s, ZELS3Node* node, bool clear, const Explainer& explain);
  void NoteBuilt(const Statement& s, bool clear, const Explainer& explain);
  // "file:line:col" of a position of the input.
  std::string Where(const Position& pos) const;
  // Messages at a position of the input: Report counts as an error of the
  // input (exit status 1), Warn and Note do not.
  void Report(const Position& pos, const std::string& message);
  void Warn(const Position& pos, const std::string& message);
  void Note(const Position& pos, const std::string& message);
  // Writes the processed system in place of the printer (Finish and "show
  // system" call it with the equations added by the output pass).
  void SetSystemWriter(std::function<void(const std::vector<const ZELS3Node*>&)> writer) {
    systemWriter_ = std::move(writer);
  }
  const VariableNames& names() const { return names_; }
  // Variables the calculator has fixed (exact variables): the output pass
  // writes one equation for each, before the others.
  std::size_t FixedVariables() const;
  std::ostream& out() const { return out_; }

  // Processes the system, prints it and writes the graph; reports the
  // calculator's error. Returns the exit status: 2 if the calculator's error
  // code is set, else 1 after any error in the input, else 0; EX_CANTCREAT
  // when the graph could not be written.
  int Finish();

  // Runs a whole program given as text, then Finish.
  int Run(const std::string& source, const std::string& fileName);

  // Builds one expression through the public factories; null if the library
  // gives null.
  ZELS3Node* Build(const Expr& e);
  // Builds the expression in text (no statements); null on a syntax error.
  ZELS3Node* Build(const std::string& text);

  const Printer& printer() const { return printer_; }
  // The processed system as last printed (by "show system" or Finish).
  const std::vector<const ZELS3Node*>& system() const { return system_; }
  ZELSymbolicCalculator& calculator() { return *calc_; }

 private:
  struct FirstError {
    int code = 0;
    Position pos;
    std::string text;
    std::string explanation;
  };

  void Execute(const Statement& s);
  std::string Show(const ZELS3Node* n) const;
  void Result(const std::string& kind, const ZELS3Node* n,
              const std::vector<std::pair<std::string, std::string>>& fields);
  unsigned long long VariableId(const std::string& name);
  ZELS3Node* Variable(const std::string& name);
  void Constraint(const Statement& s);
  void AddConstraint(const Statement& s, ZELS3Node* node);
  // Records s as the statement that set the error code, if it was clear
  // before s and is set now; why explains it, or when empty Explain does.
  void NoteFirstError(bool clear, const Statement& s, const std::string& why);
  void Diff(const Statement& s);
  void Eval(const Statement& s);
  void Param(const Statement& s);
  void PrintSystem();
  void PrintHelp();
  void ReportFirstError();
  void WarnLookalikes(const Expr& e);
  // Warns of each variable intake would drop from the constraint node built
  // for s, where it was written (Explain.h, LoneVariables).
  void WarnLoneVariables(const Statement& s, const ZELS3Node* node);
  // written: the variable's name stands there; otherwise the text there
  // reduces to the variable.
  void WarnLoneVariable(const Position& pos, const ZELS3Node* n, bool written);
  // Why the statement set the code, in words about its own text (Explain.cpp).
  std::string Explain(int code, const Statement& s);
  std::string ErrorText(int code) const;
  bool WriteGraph();

  std::ostream& out_;
  std::ostream& err_;
  Settings settings_;
  std::string fileName_ = "<input>";
  std::unique_ptr<ZELSymbolicCalculator> calc_;
  VariableNames names_;                         // identifier -> name
  NameIndex ids_;                               // name -> identifier
  std::map<std::string, ZELS3Node*> params_;    // constant variables, made once
  std::map<std::string, std::string> fixedBy_;  // variable -> "x = 1" at file:line:col
  unsigned long long nextId_ = 1;
  int inputErrors_ = 0;
  FirstError firstError_;
  std::vector<const ZELS3Node*> system_;  // the output last printed
  Printer printer_;
  std::unique_ptr<JsonWriter> json_;
  std::function<void(const std::vector<const ZELS3Node*>&)> systemWriter_;
};

}  // namespace zelcalc

#endif
