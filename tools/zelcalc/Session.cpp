#include "Session.h"

#include <fstream>
#include <vector>

#include "DotWriter.h"
#include "Parser.h"
#include "SmtWriter.h"

namespace zelcalc {

Session::Session(std::ostream& out, std::ostream& err, const Settings& settings)
    : out_(out),
      err_(err),
      settings_(settings),
      calc_(std::make_unique<ZELSymbolicCalculator>()),
      printer_(names_) {
  if (settings_.gauss >= 0) calc_->SetGauss(settings_.gauss);
  if (settings_.subst >= 0) calc_->SetSubst(settings_.subst);
  if (settings_.transfer >= 0) calc_->SetTransfer(settings_.transfer);
  if (settings_.divreplace >= 0) calc_->SetDivReplace(settings_.divreplace);
}

Session::~Session() = default;

unsigned long long Session::VariableId(const std::string& name) {
  auto found = ids_.find(name);
  if (found != ids_.end()) return found->second;
  unsigned long long id = nextId_++;
  ids_.emplace(name, id);
  names_.emplace(id, name);
  return id;
}

ZELS3Node* Session::Build(const Expr& e) {
  switch (e.kind) {
    case Expr::Kind::Number:
      return CreateExpression(e.number);
    case Expr::Kind::Boolean:
      return CreateExpression(static_cast<unsigned char>(e.boolean ? 1 : 0));
    case Expr::Kind::Name: {
      auto param = params_.find(e.text);
      if (param != params_.end()) return param->second;
      return CreateExpression(VariableId(e.text), static_cast<unsigned char>(0));
    }
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

void Session::Report(const Position& pos, const std::string& message) {
  err_ << fileName_ << ":" << pos.line << ":" << pos.column << ": " << message << "\n";
  ++inputErrors_;
}

std::string Session::Show(const ZELS3Node* n) const {
  return settings_.raw ? printer_.Raw(n) : printer_.Infix(n);
}

void Session::SetOption(const std::string& name, int on) {
  if (name == "gauss") calc_->SetGauss(on);
  if (name == "subst") calc_->SetSubst(on);
  if (name == "transfer") calc_->SetTransfer(on);
  if (name == "divreplace") calc_->SetDivReplace(on);
}

void Session::Execute(const Statement& s) {
  switch (s.kind) {
    case Statement::Kind::Constraint:
      // A null constraint (the library refused to build it) is ignored by
      // AddEquation; the error code says why.
      calc_->AddEquation(Build(*s.expr));
      return;
    case Statement::Kind::Show:
      out_ << Show(Build(*s.expr)) << "\n";
      return;
    case Statement::Kind::Diff: {
      ZELS3Node* e = Build(*s.expr);
      auto param = params_.find(s.by);
      unsigned long long id =
          param != params_.end() ? param->second->GetVariableID() : VariableId(s.by);
      out_ << Show(e != nullptr ? e->Diff(id) : nullptr) << "\n";
      return;
    }
    case Statement::Kind::Param:
      for (size_t i = 0; i < s.names.size(); ++i) {
        const std::string& name = s.names[i];
        if (params_.count(name) != 0) continue;
        if (ids_.count(name) != 0) {
          Report(s.namePos[i], "error: '" + name +
                                   "' is already used as a variable; declare a parameter "
                                   "before its first use");
          continue;
        }
        ZELS3Node* node = CreateExpression(VariableId(name), static_cast<unsigned char>(1));
        if (node != nullptr) params_.emplace(name, node);
      }
      return;
    case Statement::Kind::Option:
      SetOption(s.option, s.on ? 1 : 0);
      return;
    case Statement::Kind::Check: {
      int code = calc_->GetError();
      if (code == 0) {
        out_ << "no error\n";
        return;
      }
      ZELUnicodeString* message = calc_->BuildErrorMsg(code);
      out_ << "error " << code << ": " << (message ? message->ToUtf8() : std::string()) << "\n";
      delete message;
      return;
    }
  }
}

bool Session::WriteGraph() {
  std::ofstream file(settings_.dotPath);
  std::vector<const ZELS3Node*> roots;
  for (unsigned i = 0; i < calc_->GetNumberOfEquations(); ++i)
    roots.push_back(calc_->GetEquation(i));
  if (file) WriteDot(file, roots, printer_);
  file.close();
  if (!file) {
    err_ << "zelcalc: cannot write '" << settings_.dotPath << "'\n";
    return false;
  }
  return true;
}

int Session::Run(const std::string& source, const std::string& fileName) {
  fileName_ = fileName;
  for (const Item& item : ParseProgram(source)) {
    if (item.ok) {
      Execute(item.statement);
    } else {
      Report(item.error.pos,
             "syntax error: unexpected " + item.error.found + ", expected " + item.error.expected);
    }
  }
  calc_->Simplify();
  std::vector<const ZELS3Node*> roots;
  for (unsigned i = 0; i < calc_->GetNumberOfEquations(); ++i)
    roots.push_back(calc_->GetEquation(i));
  if (settings_.smtOutput) {
    out_ << WriteSmt(roots, names_, {}, "");
  } else if (settings_.let && !settings_.raw) {
    out_ << WriteInfixLet(roots, printer_, names_);
  } else {
    for (const ZELS3Node* r : roots) out_ << Show(r) << "\n";
  }
  out_.flush();

  int status = inputErrors_ > 0 ? kExitSyntax : kExitOk;
  if (!settings_.dotPath.empty() && !WriteGraph()) status = kExitCantCreate;
  if (int code = calc_->GetError()) {
    ZELUnicodeString* message = calc_->BuildErrorMsg(code);
    err_ << "error " << code << ": " << (message ? message->ToUtf8() : std::string()) << "\n";
    delete message;
    status = kExitLibraryError;
  }
  return status;
}

}  // namespace zelcalc
