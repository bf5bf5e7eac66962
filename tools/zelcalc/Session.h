// Runs a .zel program against one calculator: builds every statement through
// the library's public factories, then prints the processed system.
#ifndef ZELCALC_SESSION_H
#define ZELCALC_SESSION_H

#include <ZELTavSymbolicCalculator.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "Printer.h"
#include "Syntax.h"

namespace zelcalc {

struct Settings {
  // -1 keeps the calculator's own default, 0 off, 1 on.
  int gauss = -1;
  int subst = -1;
  int transfer = -1;
  int divreplace = -1;
  bool raw = false;
  std::string dotPath;  // empty: no graph
  // SMT-LIB 2 (SmtSession.h, SmtWriter.h).
  bool smtInput = false;   // read SMT-LIB 2 (also for a file name ending in .smt2)
  bool smtOutput = false;  // write the processed system as an SMT-LIB script
  bool let = false;        // infix output: nodes used more than once as "t1 := ..."
  bool stats = false;      // SMT-LIB input: one line of figures on standard error
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitSyntax = 1;
constexpr int kExitLibraryError = 2;
constexpr int kExitUsage = 64;
constexpr int kExitNoInput = 66;
constexpr int kExitCantCreate = 73;

class Session {
 public:
  Session(std::ostream& out, std::ostream& err, const Settings& settings);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the whole program and prints the output; returns the exit status:
  // 2 if the calculator's error code is set, else 1 after any error in the
  // input, else 0.
  int Run(const std::string& source, const std::string& fileName);

  // Builds one expression through the public factories; null if the library
  // gives null.
  ZELS3Node* Build(const Expr& e);
  // Builds the expression in text (no statements); null on a syntax error.
  ZELS3Node* Build(const std::string& text);

  const Printer& printer() const { return printer_; }
  ZELSymbolicCalculator& calculator() { return *calc_; }

 private:
  void Execute(const Statement& s);
  void Report(const Position& pos, const std::string& message);
  std::string Show(const ZELS3Node* n) const;
  unsigned long long VariableId(const std::string& name);
  void SetOption(const std::string& name, int on);
  bool WriteGraph();

  std::ostream& out_;
  std::ostream& err_;
  Settings settings_;
  std::string fileName_ = "<input>";
  std::unique_ptr<ZELSymbolicCalculator> calc_;
  VariableNames names_;                            // identifier -> name
  std::map<std::string, unsigned long long> ids_;  // name -> identifier
  std::map<std::string, ZELS3Node*> params_;       // constant variables, made once
  unsigned long long nextId_ = 1;
  int inputErrors_ = 0;
  Printer printer_;
};

}  // namespace zelcalc

#endif
