#include "Session.h"

#include <sysexits.h>
#include <zeltav_support/Evaluator.h>
#include <zeltav_support/NumberFormat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "DotWriter.h"
#include "Explain.h"
#include "JsonWriter.h"
#include "Operators.h"
#include "Options.h"
#include "Parser.h"
#include "SmtWriter.h"

namespace zelcalc {

Session::Session(std::ostream& out, std::ostream& err, const Settings& settings)
    : out_(out),
      err_(err),
      settings_(settings),
      calc_(std::make_unique<ZELSymbolicCalculator>()),
      printer_(names_),
      json_(std::make_unique<JsonWriter>(printer_)) {
  const auto& table = OptionTable();
  for (size_t i = 0; i < table.size() && i < settings_.options.size(); ++i)
    if (settings_.options[i] >= 0) (calc_.get()->*table[i].set)(settings_.options[i]);
}

Session::~Session() = default;

unsigned long long Session::VariableId(const std::string& name) {
  if (const unsigned long long* found = ids_.Find(name)) return *found;
  unsigned long long id = nextId_++;
  ids_.Insert(name, id);
  names_.emplace(id, name);
  return id;
}

ZELS3Node* Session::Variable(const std::string& name) {
  auto param = params_.find(name);
  if (param != params_.end()) return param->second;
  return CreateExpression(VariableId(name), static_cast<unsigned char>(0));
}

ZELS3Node* Session::Build(const Expr& e) {
  switch (e.kind) {
    case Expr::Kind::Number:
      return CreateExpression(e.number);
    case Expr::Kind::Boolean:
      return CreateExpression(static_cast<unsigned char>(e.boolean ? 1 : 0));
    case Expr::Kind::Name:
      return Variable(e.text);
    case Expr::Kind::Apply:
      break;
  }
  // Operands first, left to right, so identifiers follow the reading order.
  // A default-constructed vector cannot grow: give it room for the operands.
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(e.args.size()), 5u);
  bool complete = true;
  for (const ExprPtr& a : e.args) {
    ZELS3Node* built = Build(*a);
    if (built == nullptr) complete = false;
    args.Add(built);
  }
  if (!complete) return nullptr;
  return CreateExpression(ZELString(e.text.c_str()), args);
}

ZELS3Node* Session::Build(const std::string& text) {
  SyntaxError error;
  ExprPtr e = ParseExpression(text, &error);
  return e ? Build(*e) : nullptr;
}

std::string Session::Where(const Position& pos) const {
  return fileName_ + ":" + std::to_string(pos.line) + ":" + std::to_string(pos.column);
}

void Session::Report(const Position& pos, const std::string& message) {
  err_ << Where(pos) << ": " << message << "\n";
  ++inputErrors_;
}

void Session::Warn(const Position& pos, const std::string& message) {
  err_ << Where(pos) << ": warning: " << message << "\n";
}

std::string Session::Show(const ZELS3Node* n) const {
  return settings_.raw ? printer_.Raw(n) : printer_.Infix(n);
}

void Session::Result(const std::string& kind, const ZELS3Node* n,
                     const std::vector<std::pair<std::string, std::string>>& fields) {
  if (settings_.json) {
    json_->Write(out_, kind, fields, n);
  } else {
    out_ << Show(n) << "\n";
  }
}

std::string Session::ErrorText(int code) const {
  ZELUnicodeString* message = calc_->BuildErrorMsg(code);
  std::string text = message ? message->ToUtf8() : std::string();
  delete message;
  // The catalog's text names the code itself; an empty one does not.
  return text.empty() ? "error " + std::to_string(code) : "error: " + text;
}

void Session::WarnLookalikes(const Expr& e) {
  std::vector<const Expr*> stack{&e};
  while (!stack.empty()) {
    const Expr* x = stack.back();
    stack.pop_back();
    for (auto a = x->args.rbegin(); a != x->args.rend(); ++a) stack.push_back(a->get());
    if (x->kind != Expr::Kind::Apply || !x->call) continue;
    const std::string like = LookalikeFunction(x->text);
    if (!like.empty())
      Warn(x->pos, "'" + x->text +
                       "' is not a library function: unknown operation, kept by "
                       "name; did you mean " +
                       like + "?");
  }
}

// A variable standing as a constraint is taken for a fixing intake has
// already recorded and dropped: p, or the p of "p and x > 1", adds nothing.
void Session::WarnLoneVariables(const Statement& s, const ZELS3Node* node) {
  const std::vector<const ZELS3Node*> lone = LoneVariables(node);
  if (lone.empty()) return;
  auto dropped = [&](const ZELS3Node* n) {
    return std::find(lone.begin(), lone.end(), n) != lone.end();
  };
  // Where each was written: the parts of the statement intake takes as
  // constraints of their own.
  bool placed = false;
  std::vector<const Expr*> stack;
  if (s.expr) stack.push_back(s.expr.get());
  while (!stack.empty()) {
    const Expr* x = stack.back();
    stack.pop_back();
    const Operator* op = x->kind == Expr::Kind::Apply && !x->call ? FindInfix(x->text) : nullptr;
    const bool wrapper =
        x->kind == Expr::Kind::Apply && x->call && x->text == "true" && x->args.size() == 1;
    if ((op != nullptr && op->level == kAnd) || wrapper) {
      for (auto a = x->args.rbegin(); a != x->args.rend(); ++a) stack.push_back(a->get());
      continue;
    }
    const ZELS3Node* part =
        x->kind == Expr::Kind::Name || x->kind == Expr::Kind::Apply ? Build(*x) : nullptr;
    if (part == nullptr || !dropped(part)) continue;
    // At the start of the part: x + 0 is placed at x, not at its operator.
    const Expr* start = x;
    while (start->kind == Expr::Kind::Apply && !start->call && start->args.size() > 1)
      start = start->args[0].get();
    WarnLoneVariable(start->pos, part, x->kind == Expr::Kind::Name);
    placed = true;
  }
  if (!placed)
    for (const ZELS3Node* n : lone) WarnLoneVariable(s.pos, n, false);
}

void Session::WarnLoneVariable(const Position& pos, const ZELS3Node* n, bool written) {
  const std::string name = printer_.VariableName(n);
  if (written)
    Warn(pos, "'" + name +
                  "' is a variable on its own, which is not a constraint: the calculator "
                  "drops it; did you mean " +
                  name + " = 1, or another relation?");
  else
    Warn(pos, "this reduces to the variable " + name +
                  " on its own, which is not a constraint: the calculator drops it; did you "
                  "mean a relation over " +
                  name + "?");
}

void Session::Constraint(const Statement& s) {
  WarnLookalikes(*s.expr);
  AddConstraint(s, Build(*s.expr));
}

void Session::AddConstraint(const Statement& s, ZELS3Node* node) {
  // A relation between numbers that is false makes the system inconsistent,
  // but the intake sets no code for it: 2 = 3 stays, as -1 = 0. Both forms
  // are named: the one built shows the values put in, the other is printed.
  if (node != nullptr && IsFalseBetweenNumbers(node)) {
    const std::string built = printer_.Infix(node);
    const std::string processed = ProcessedRelation(node, calc_->GetTransfer() != 0, printer_);
    Warn(s.pos,
         "this constraint reduces to " + built + ", which is false" +
             (processed == built ? "" : " (the processed system shows it as " + processed + ")") +
             ": the system is inconsistent, although the error code stays 0");
  }
  WarnLoneVariables(s, node);
  // A null constraint (the library refused to build it) is ignored by
  // AddEquation; the error code says why.
  calc_->AddEquation(node);
  const std::string fixed = s.expr ? FixedVariable(*s.expr) : "";
  if (!fixed.empty() && fixedBy_.count(fixed) == 0)
    fixedBy_.emplace(fixed, "'" + s.text + "' (" + Where(s.pos) + ")");
  if (settings_.interactive && !settings_.json) out_ << "  " << Show(node) << "\n";
  if (settings_.interactive && settings_.json) Result("constraint", node, {});
}

void Session::Diff(const Statement& s) {
  ZELS3Node* e = Build(*s.expr);
  for (const std::string& by : s.names) {
    auto param = params_.find(by);
    const unsigned long long id =
        param != params_.end() ? param->second->GetVariableID() : VariableId(by);
    e = e != nullptr ? e->Diff(id) : nullptr;
  }
  std::string by = "[";
  for (size_t i = 0; i < s.names.size(); ++i)
    by += (i > 0 ? "," : "") + JsonWriter::Quoted(s.names[i]);
  Result("diff", e, {{"by", by + "]"}});
}

void Session::Eval(const Statement& s) {
  ZELS3Node* e = Build(*s.expr);
  zeltav_support::Point at;
  for (size_t i = 0; i < s.names.size(); ++i) {
    auto param = params_.find(s.names[i]);
    const unsigned long long id =
        param != params_.end() ? param->second->GetVariableID() : VariableId(s.names[i]);
    at[id] = s.values[i];
  }
  const zeltav_support::Evaluation v = zeltav_support::EvaluateChecked(e, at);
  std::string problem = v.problem;
  if (!problem.empty() && v.where != nullptr && v.where->GetNodeType() == NodeVariable)
    problem = "no value given for " + printer_.VariableName(v.where);
  if (settings_.json) {
    const std::string value = problem.empty() ? zeltav_support::FormatNumber(v.value) : "null";
    std::vector<std::pair<std::string, std::string>> fields{{"number", value}};
    if (!problem.empty()) fields.emplace_back("problem", JsonWriter::Quoted(problem));
    json_->Write(out_, "eval", fields, e);
    return;
  }
  if (!problem.empty()) {
    Report(s.pos, "eval: " + problem + " in " + Show(e));
    return;
  }
  out_ << zeltav_support::FormatNumber(v.value) << "\n";
}

void Session::Param(const Statement& s) {
  for (size_t i = 0; i < s.names.size(); ++i) {
    const std::string& name = s.names[i];
    if (params_.count(name) != 0) continue;
    if (ids_.Contains(name)) {
      Report(s.namePos[i], "error: '" + name +
                               "' is already used as a variable; declare a parameter "
                               "before its first use");
      continue;
    }
    ZELS3Node* node = CreateExpression(VariableId(name), static_cast<unsigned char>(1));
    if (node != nullptr) params_.emplace(name, node);
  }
}

void Session::PrintHelp() { out_ << HelpText(); }

void Session::Execute(const Statement& s) {
  switch (s.kind) {
    case Statement::Kind::Constraint:
      Constraint(s);
      return;
    case Statement::Kind::Show:
      WarnLookalikes(*s.expr);
      Result("show", Build(*s.expr), {});
      return;
    case Statement::Kind::ShowSystem:
      PrintSystem();
      return;
    case Statement::Kind::Diff:
      WarnLookalikes(*s.expr);
      Diff(s);
      return;
    case Statement::Kind::Eval:
      WarnLookalikes(*s.expr);
      Eval(s);
      return;
    case Statement::Kind::Param:
      Param(s);
      return;
    case Statement::Kind::Option:
      if (s.option == "raw") {
        settings_.raw = s.on;
        return;
      }
      (calc_.get()->*FindOption(s.option)->set)(s.on ? 1 : 0);
      return;
    case Statement::Kind::Check: {
      const int code = calc_->GetError();
      if (settings_.json) {
        Result("check", nullptr, {{"code", std::to_string(code)}});
        return;
      }
      out_ << (code == 0 ? "no error" : ErrorText(code)) << "\n";
      return;
    }
    case Statement::Kind::Help:
      PrintHelp();
      return;
  }
}

void Session::RunLine(const std::string& line, int lineNumber) {
  for (const Item& item : ParseProgram(line, lineNumber)) {
    if (item.ok) {
      RunStatement(item.statement);
    } else {
      ReportSyntaxError(item.error);
    }
  }
}

void Session::ReportSyntaxError(const SyntaxError& error) {
  Report(error.pos, "syntax error: unexpected " + error.found + ", expected " + error.expected);
}

void Session::RunStatement(const Statement& s) {
  const bool clear = calc_->GetError() == 0;
  Execute(s);
  NoteFirstError(clear, s, "");
}

std::size_t Session::FixedVariables() const {
  std::size_t n = 0;
  for (const auto& v : names_) n += calc_->IsExactVariable(v.first) != 0;
  return n;
}

unsigned long long Session::DeclareVariable(const std::string& name) { return VariableId(name); }

void Session::Note(const Position& pos, const std::string& message) {
  err_ << Where(pos) << ": note: " << message << "\n";
}

void Session::RunBuilt(const Statement& s, ZELS3Node* node, bool clear, const Explainer& explain) {
  AddConstraint(s, node);
  NoteBuilt(s, clear, explain);
}

void Session::NoteBuilt(const Statement& s, bool clear, const Explainer& explain) {
  const int code = calc_->GetError();
  NoteFirstError(clear, s, clear && code != 0 && explain ? explain(code) : "");
}

void Session::NoteFirstError(bool clear, const Statement& s, const std::string& why) {
  const int code = calc_->GetError();
  if (!clear || code == 0) return;
  firstError_.code = code;
  firstError_.pos = s.pos;
  firstError_.text = s.text;
  firstError_.explanation = why.empty() ? Explain(code, s) : why;
  if (settings_.interactive) ReportFirstError();
}

void Session::ReportLongLine(int lineNumber) {
  Position pos;
  pos.line = lineNumber;
  Report(pos, "error: line longer than " + std::to_string(kMaxLineBytes) +
                  " bytes, skipped (a statement must fit on one line of at most that length)");
}

void Session::ReportFirstError() {
  const int code = calc_->GetError();
  err_ << ErrorText(code) << "\n";
  if (firstError_.code == 0) {
    err_ << "zelcalc: set while the calculator processed the system at the end of the input\n";
    return;
  }
  err_ << Where(firstError_.pos) << ": first set by '" << firstError_.text
       << "': " << firstError_.explanation << "\n";
}

// The processed system as it stands: the calculator appends its output to
// the result list on every call, so only the part added now is printed.
void Session::PrintSystem() {
  const unsigned from = calc_->GetNumberOfEquations();
  calc_->Simplify();
  std::vector<const ZELS3Node*> equations;
  for (unsigned i = from; i < calc_->GetNumberOfEquations(); ++i)
    equations.push_back(calc_->GetEquation(i));
  if (systemWriter_) {
    systemWriter_(equations);
  } else if (settings_.json) {
    json_->WriteSystem(out_, equations);
  } else if (settings_.smtOutput) {
    out_ << WriteSmt(equations, names_, {}, "", FixedVariables());
  } else if (settings_.let && !settings_.raw) {
    out_ << WriteInfixLet(equations, printer_, names_);
  } else {
    for (const ZELS3Node* e : equations) out_ << Show(e) << "\n";
  }
  system_ = equations;
}

bool Session::WriteGraph() {
  if (settings_.dotPath == "-") {
    WriteDot(out_, system_, printer_);
    return true;
  }
  std::ofstream file(settings_.dotPath);
  if (!file) {
    err_ << "zelcalc: cannot write '" << settings_.dotPath << "': " << std::strerror(errno) << "\n";
    return false;
  }
  WriteDot(file, system_, printer_);
  file.close();
  if (!file) {
    err_ << "zelcalc: cannot write '" << settings_.dotPath << "': " << std::strerror(errno) << "\n";
    return false;
  }
  return true;
}

int Session::Finish() {
  PrintSystem();
  int status = inputErrors_ > 0 ? kExitSyntax : kExitOk;
  if (!settings_.dotPath.empty() && !WriteGraph()) status = EX_CANTCREAT;
  out_.flush();
  if (calc_->GetError() != 0) {
    // A session has told of it when it happened, unless the output pass set it.
    if (!settings_.interactive || firstError_.code == 0) ReportFirstError();
    status = kExitLibraryError;
  }
  return status;
}

int Session::Run(const std::string& source, const std::string& fileName) {
  fileName_ = fileName;
  size_t start = 0;
  int line = 1;
  while (start <= source.size()) {
    size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    RunLine(source.substr(start, end - start), line++);
    start = end + 1;
  }
  return Finish();
}

}  // namespace zelcalc
