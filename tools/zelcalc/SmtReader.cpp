#include "SmtReader.h"

#include <zeltav_support/NumberFormat.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Explain.h"
#include "Lexer.h"
#include "Operators.h"

namespace zelcalc {
namespace {

// Deepest nesting of terms, counting the bodies of expanded functions.
constexpr int kMaxTermDepth = 5000;
// real.pi, rounded to the nearest double.
constexpr double kPi = 3.141592653589793;

// The spelling as zelcalc's operator table or the library's function list
// has it; null if neither knows it.
const char* Library(const char* spelling) {
  if (const Operator* op = FindInfix(spelling)) return op->spelling;
  for (const std::string& f : LibraryFunctions())
    if (f == spelling) return f.c_str();
  return nullptr;
}

// SMT-LIB name -> the library's spelling, for functions of one real; "" for
// to_real, which reads as its operand.
const char* Function(const std::string& op) {
  static const char* const table[][2] = {
      {"exp", "exp"},     {"sin", "sin"},     {"cos", "cos"},      {"tan", "tg"},
      {"arcsin", "asin"}, {"arccos", "acos"}, {"arctan", "atan"},  {"sqrt", "sqrt"},
      {"abs", "abs"},     {"cot", "ctg"},     {"to_real", nullptr}};
  for (const auto& row : table)
    if (op == row[0]) return row[1] != nullptr ? Library(row[1]) : "";
  return nullptr;
}

// The library's spelling of an SMT-LIB operation, from the operator table.
const char* Spelling(const char* smtlib) { return FindSmtlib(smtlib)->spelling; }

// Commands that set up or ask the solver: nothing for the calculator, ignored.
bool Query(const std::string& c) {
  static const char* const queries[] = {"check-sat",      "get-model",
                                        "get-value",      "get-info",
                                        "get-option",     "get-assertions",
                                        "get-assignment", "get-proof",
                                        "get-unsat-core", "echo",
                                        "exit",           "set-info",
                                        "set-option",     "get-unsat-assumptions"};
  for (const char* q : queries)
    if (c == q) return true;
  return false;
}

std::string Quoted(const std::string& s) { return "'" + Printable(s) + "'"; }

// A command as one line of at most 80 characters, for messages.
std::string Abridged(const std::string& text) {
  std::string s;
  for (char c : text) {
    const bool space = std::isspace(static_cast<unsigned char>(c)) != 0;
    if (space && (s.empty() || s.back() == ' ')) continue;
    s += space ? ' ' : c;
    if (s.size() > 80) return Printable(s.substr(0, 77)) + "...";
  }
  return Printable(s);
}

void Write(const SExpr& e, std::string* out, std::size_t limit) {
  if (out->size() > limit) return;
  if (e.kind != SExpr::Kind::List) {
    *out += e.kind == SExpr::Kind::Symbol ? SmtSymbol(e.text) : e.text;
    return;
  }
  *out += '(';
  for (std::size_t i = 0; i < e.items.size() && out->size() <= limit; ++i) {
    if (i > 0) *out += ' ';
    Write(e.items[i], out, limit);
  }
  *out += ')';
}

// A term as SMT-LIB text on one line, for messages: (/ y 0).
std::string Written(const SExpr& e) {
  std::string s;
  Write(e, &s, 60);
  return s.size() > 60 ? Printable(s.substr(0, 57)) + "..." : Printable(s);
}

}  // namespace

void SmtReader::Report(const Position& pos, const std::string& kind, const std::string& message) {
  if (kind == "note") {
    session_.Note(pos, message);
  } else if (kind == "warning") {
    session_.Warn(pos, message);
  } else {
    session_.Report(pos, kind + ": " + message);
  }
}

void SmtReader::Restart() {
  scopes_.clear();
  depth_ = 0;
  divisionsByZero_.clear();
  cause_ = Cause();
}

void SmtReader::WarnDivisions() {
  for (const Position& p : divisionsByZero_)
    Report(p, "warning", "division by zero (the calculator sets error 2); the assertion is kept");
  divisionsByZero_.clear();
}

void SmtReader::NoteCause(const SExpr& e, const std::vector<Value>& args) {
  const int code = session_.calculator().GetError();
  if (cause_.code != 0 || code == 0) return;
  cause_.code = code;
  cause_.pos = e.items[0].pos;
  cause_.term = Written(e);
  cause_.op = e.items[0].text;
  if (args.size() == 1 && args[0].node != nullptr && args[0].node->IsConstant())
    cause_.operand = args[0].node;
}

std::string SmtReader::Explain(int code, const ZELS3Node* node) const {
  if (code == 101) return Inconsistency(node);
  if (cause_.code != code) return "";
  const std::string in = "'" + cause_.term + "' at " + std::to_string(cause_.pos.line) + ":" +
                         std::to_string(cause_.pos.column);
  std::string function, needs;
  if (code == 2) return "division by zero in " + in;
  if (DomainRule(code, &function, &needs) && cause_.operand != nullptr)
    return cause_.op + " needs " + needs + "; here it is given " +
           zeltav_support::FormatNumber(cause_.operand->GetConstant()) + ", in " + in;
  return "set while building " + in;
}

// The conjunct that intake found false, or that fixes a variable fixed at
// another value before.
std::string SmtReader::Inconsistency(const ZELS3Node* node) const {
  std::vector<const ZELS3Node*> stack{node};
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back();
    stack.pop_back();
    if (n == nullptr) continue;
    if (n->GetNodeType() == NodeAnd) {
      for (unsigned i = n->GetArgsNum(); i-- > 0;) stack.push_back(n->GetArg(i));
      continue;
    }
    if (n->IsFalse())
      return std::string(n == node ? "the assertion" : "a conjunct of the assertion") +
             " is false: the system is inconsistent";
    unsigned long long id;
    double value;
    if (!FixesAVariable(n, &id, &value)) continue;
    const ZELS3Node* fixed = session_.calculator().GetExactVariable(id);
    if (fixed == nullptr || fixed->GetConstant() == value) continue;
    auto by = fixedBy_.find(id);
    auto name = names().find(id);
    return (name != names().end() ? name->second : "a variable") + " is already fixed at " +
           zeltav_support::FormatNumber(fixed->GetConstant()) +
           (by != fixedBy_.end() ? " by " + by->second : std::string()) +
           ": the system is inconsistent";
  }
  return "";
}

void SmtReader::Read(const std::string& source) {
  SmtCommandReader commands(source, kMaxLineBytes);
  std::string text;
  Position start;
  for (;;) {
    const SmtCommandReader::Result r = commands.Next(&text, &start);
    if (r == SmtCommandReader::Result::End || r == SmtCommandReader::Result::Error) break;
    if (r == SmtCommandReader::Result::TooLong) {
      Report(start, "error",
             "command longer than " + std::to_string(kMaxLineBytes) + " bytes, skipped");
      ++errors_;
      continue;
    }
    ReadCommand(text, start);
  }
}

void SmtReader::ReadCommand(const std::string& text, const Position& start) {
  SExprReader reader(text, start);
  text_ = text;
  for (;;) {
    SExpr c;
    SyntaxError error;
    SExprReader::Result r = reader.Next(&c, &error);
    if (r == SExprReader::Result::End) break;
    if (r == SExprReader::Result::Error) {
      session_.ReportSyntaxError(error);
      ++errors_;
      continue;
    }
    Restart();
    try {
      Command(c);
    } catch (const Refusal& refusal) {
      Report(refusal.pos, refusal.unsupported ? "unsupported" : "error", refusal.what);
      ++errors_;
      if (c.Head() == "assert") ++refused_;
    }
  }
}

ZELS3Node* SmtReader::Term(const std::string& text) {
  SExprReader reader(text);
  SExpr e;
  SyntaxError error;
  if (reader.Next(&e, &error) != SExprReader::Result::Ok) return nullptr;
  Restart();
  try {
    return Eval(e).node;
  } catch (const Refusal& refusal) {
    Report(refusal.pos, refusal.unsupported ? "unsupported" : "error", refusal.what);
    return nullptr;
  }
}

void SmtReader::Command(const SExpr& c) {
  const std::string& head = c.Head();
  if (head.empty()) throw Refusal{c.pos, "expected a command", false};
  const std::vector<SExpr>& a = c.items;
  if (head == "assert") {
    if (a.size() != 2) throw Refusal{c.pos, "assert takes one term", false};
    Assert(c);
  } else if (head == "declare-const") {
    if (a.size() != 3) throw Refusal{c.pos, "declare-const takes a name and a sort", false};
    Declare(a[1], a[2]);
  } else if (head == "declare-fun") {
    if (a.size() != 4 || a[2].kind != SExpr::Kind::List)
      throw Refusal{c.pos, "declare-fun takes a name, a list of sorts and a sort", false};
    if (!a[2].items.empty()) {
      if (a[1].kind == SExpr::Kind::Symbol)
        globals_[a[1].text] =
            Global{Global::Kind::Refused, {}, {}, {}, Sort::Real, "a function with parameters"};
      throw Refusal{c.pos, "function with parameters " + Quoted(a[1].text), true};
    }
    Declare(a[1], a[3]);
  } else if (head == "define-fun") {
    Define(c);
  } else if (head == "check-sat-assuming") {
    // The assumptions hold for this check: read as assertions.
    if (a.size() != 2 || a[1].kind != SExpr::Kind::List)
      throw Refusal{c.pos, "check-sat-assuming takes a list of terms", false};
    for (const SExpr& t : a[1].items) {
      SExpr assertion;
      assertion.pos = t.pos;
      assertion.items = {a[0], t};
      try {
        Assert(assertion);
      } catch (const Refusal& refusal) {
        Report(refusal.pos, refusal.unsupported ? "unsupported" : "error", refusal.what);
        ++errors_;
        ++refused_;
      }
      Restart();
    }
  } else if (head == "set-logic") {
    if (a.size() == 2 && a[1].kind == SExpr::Kind::Symbol) {
      logic_ = a[1].text;
      // Ints are read as reals: QF_LIA -> QF_LRA, QF_NIRA -> QF_NRA. The
      // processed system of a difference logic is linear, no longer a
      // difference of two variables: QF_RDL, QF_IDL -> QF_LRA.
      const char* const table[][2] = {{"IRA", "RA"}, {"IA", "RA"}, {"RDL", "LRA"}, {"IDL", "LRA"}};
      for (const auto& row : table) {
        const std::size_t at = logic_.rfind(row[0]);
        if (at != std::string::npos && at + std::strlen(row[0]) == logic_.size()) {
          logic_ = logic_.substr(0, at) + row[1];
          break;
        }
      }
    }
  } else if (!Query(head)) {
    throw Refusal{c.pos, "command " + Quoted(head), true};
  }
}

SmtReader::Sort SmtReader::ReadSort(const SExpr& s, bool* isInt) {
  *isInt = false;
  if (s.IsSymbol("Real")) return Sort::Real;
  if (s.IsSymbol("Bool")) return Sort::Bool;
  if (s.IsSymbol("Int")) {
    *isInt = true;
    if (!intNoted_) {
      intNoted_ = true;
      Report(s.pos, "note", "Int is read as Real: integrality is not kept");
    }
    return Sort::Real;
  }
  std::string name = s.kind == SExpr::Kind::List ? "(" + s.Head() + " ...)" : s.text;
  throw Refusal{s.pos, "sort " + Quoted(name), true};
}

void SmtReader::Declare(const SExpr& name, const SExpr& sort) {
  if (name.kind != SExpr::Kind::Symbol) throw Refusal{name.pos, "expected a symbol", false};
  if (globals_.count(name.text) != 0)
    throw Refusal{name.pos, Quoted(name.text) + " is already declared", false};
  bool isInt = false;
  Sort s;
  try {
    s = ReadSort(sort, &isInt);
  } catch (const Refusal&) {
    globals_[name.text] =
        Global{Global::Kind::Refused, {}, {}, {}, Sort::Real, "declared with an unsupported sort"};
    throw;
  }
  const unsigned long long id = session_.DeclareVariable(name.text);
  ++declared_;
  Global g;
  g.kind = Global::Kind::Variable;
  g.value.node = CreateExpression(id, static_cast<unsigned char>(0));
  g.value.sort = s;
  if (s == Sort::Bool) {
    // p stands for the relation p = 1 over a real variable.
    booleans_.insert(id);
    g.value = Make(Spelling("="), {g.value.node, CreateExpression(1.0)}, Sort::Bool);
  }
  globals_[name.text] = std::move(g);
}

void SmtReader::Define(const SExpr& c) {
  const bool clear = session_.calculator().GetError() == 0;
  const std::vector<SExpr>& a = c.items;
  if (a.size() != 5 || a[1].kind != SExpr::Kind::Symbol || a[2].kind != SExpr::Kind::List)
    throw Refusal{c.pos, "define-fun takes a name, parameters, a sort and a term", false};
  const std::string& name = a[1].text;
  if (globals_.count(name) != 0)
    throw Refusal{a[1].pos, Quoted(name) + " is already declared", false};
  Global g;
  bool isInt = false;
  try {
    g.result = ReadSort(a[3], &isInt);
    for (const SExpr& p : a[2].items) {
      if (p.kind != SExpr::Kind::List || p.items.size() != 2 ||
          p.items[0].kind != SExpr::Kind::Symbol)
        throw Refusal{p.pos, "expected a parameter (name sort)", false};
      g.params.emplace_back(p.items[0].text, ReadSort(p.items[1], &isInt));
    }
    if (g.params.empty()) {
      g.kind = Global::Kind::Constant;
      g.value = Eval(a[4]);
      if (g.value.sort != g.result) throw Refusal{a[4].pos, "the term has the wrong sort", false};
    } else {
      g.kind = Global::Kind::Function;
      g.body = a[4];
    }
  } catch (const Refusal&) {
    globals_[name] = Global{
        Global::Kind::Refused, {}, {}, {}, Sort::Real, "defined with an unsupported construct"};
    throw;
  }
  globals_[name] = std::move(g);
  // A constant is built here, once: its division by zero or domain error too.
  WarnDivisions();
  Statement s;
  s.pos = c.pos;
  s.text = Abridged(text_);
  session_.NoteBuilt(s, clear, [&](int code) { return Explain(code, nullptr); });
}

void SmtReader::Assert(const SExpr& c) {
  ZELSymbolicCalculator& calc = session_.calculator();
  const bool clear = calc.GetError() == 0;
  Value v = Eval(c.items[1]);
  if (v.sort != Sort::Bool) throw Refusal{c.items[1].pos, "assert needs a Bool term", false};
  WarnDivisions();
  ++assertions_;
  Statement s;
  s.pos = c.pos;
  s.text = Abridged(text_);
  session_.RunBuilt(s, v.node, clear, [&](int code) { return Explain(code, v.node); });
  // The variables this assertion fixed, for a later contradiction.
  std::vector<const ZELS3Node*> stack{v.node};
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back();
    stack.pop_back();
    unsigned long long id;
    double value;
    if (n == nullptr) continue;
    if (n->GetNodeType() == NodeAnd) {
      for (unsigned i = 0; i < n->GetArgsNum(); ++i) stack.push_back(n->GetArg(i));
    } else if (FixesAVariable(n, &id, &value) && fixedBy_.count(id) == 0 &&
               calc.IsExactVariable(id)) {
      fixedBy_.emplace(id, "'" + s.text + "' (" + session_.Where(s.pos) + ")");
    }
  }
}

SmtReader::Value SmtReader::Make(const char* spelling, const std::vector<ZELS3Node*>& args,
                                 Sort sort) {
  // A default-constructed vector cannot grow: give it room for the operands.
  ZELICVectorImp_ZELS3Node v(static_cast<unsigned>(args.size()), 5u);
  for (ZELS3Node* a : args) v.Add(a);
  return Value{CreateExpression(ZELString(spelling), v), sort};
}

ZELS3Node* SmtReader::Balanced(const char* spelling, const std::vector<ZELS3Node*>& v,
                               std::size_t from, std::size_t to) {
  if (to - from == 1) return v[from];
  const std::size_t mid = from + (to - from) / 2;
  ZELS3Node* left = Balanced(spelling, v, from, mid);
  ZELS3Node* right = Balanced(spelling, v, mid, to);
  return Make(spelling, {left, right}, Sort::Bool).node;
}

SmtReader::Value SmtReader::Eval(const SExpr& e) {
  if (++depth_ > kMaxTermDepth)
    throw Refusal{e.pos, "terms nested deeper than " + std::to_string(kMaxTermDepth), true};
  Value v;
  switch (e.kind) {
    case SExpr::Kind::Numeral:
    case SExpr::Kind::Decimal: {
      const double x = std::strtod(e.text.c_str(), nullptr);
      if (std::isinf(x)) throw Refusal{e.pos, "number out of range " + Quoted(e.text), true};
      v = Value{CreateExpression(x), Sort::Real};
      break;
    }
    case SExpr::Kind::Symbol:
      v = EvalSymbol(e);
      break;
    case SExpr::Kind::List:
      v = EvalList(e);
      break;
    case SExpr::Kind::Binary:
      throw Refusal{e.pos, "bit-vector literal " + Quoted(e.text), true};
    case SExpr::Kind::String:
      throw Refusal{e.pos, "string literal", true};
    case SExpr::Kind::Keyword:
      throw Refusal{e.pos, "expected a term, found the keyword " + Quoted(e.text), false};
  }
  --depth_;
  return v;
}

SmtReader::Value SmtReader::EvalSymbol(const SExpr& e) {
  auto local = scopes_.find(e.text);
  if (local != scopes_.end() && !local->second.empty()) return local->second.back();
  auto global = globals_.find(e.text);
  if (global != globals_.end()) {
    const Global& g = global->second;
    switch (g.kind) {
      case Global::Kind::Variable:
      case Global::Kind::Constant:
        return g.value;
      case Global::Kind::Function:
        throw Refusal{e.pos, Quoted(e.text) + " needs arguments", false};
      case Global::Kind::Refused:
        throw Refusal{e.pos, Quoted(e.text) + ", " + g.why, true};
    }
  }
  if (e.text == "true" || e.text == "false")
    return Value{CreateExpression(static_cast<unsigned char>(e.text == "true")), Sort::Bool};
  if (e.text == "real.pi") return Value{CreateExpression(kPi), Sort::Real};
  throw Refusal{e.pos, "unknown symbol " + Quoted(e.text), true};
}

SmtReader::Value SmtReader::Let(const SExpr& e) {
  if (e.items.size() != 3 || e.items[1].kind != SExpr::Kind::List)
    throw Refusal{e.pos, "let takes a list of bindings and a term", false};
  // Bindings are parallel: every term is read before any name is bound. A
  // bound term is built once; each use shares the node.
  std::vector<std::pair<std::string, Value>> bound;
  for (const SExpr& b : e.items[1].items) {
    if (b.kind != SExpr::Kind::List || b.items.size() != 2 ||
        b.items[0].kind != SExpr::Kind::Symbol)
      throw Refusal{b.pos, "expected a binding (name term)", false};
    bound.emplace_back(b.items[0].text, Eval(b.items[1]));
  }
  for (auto& b : bound) scopes_[b.first].push_back(b.second);
  Value v = Eval(e.items[2]);
  for (auto& b : bound) scopes_[b.first].pop_back();
  return v;
}

// (! t :named n ...): t, and n names it from here on.
SmtReader::Value SmtReader::Annotated(const SExpr& e) {
  if (e.items.size() < 2) throw Refusal{e.pos, "! takes a term and attributes", false};
  Value v = Eval(e.items[1]);
  for (std::size_t i = 2; i + 1 < e.items.size(); ++i) {
    if (e.items[i].kind == SExpr::Kind::Keyword && e.items[i].text == ":named" &&
        e.items[i + 1].kind == SExpr::Kind::Symbol && globals_.count(e.items[i + 1].text) == 0) {
      Global g;
      g.kind = Global::Kind::Constant;
      g.value = v;
      globals_[e.items[i + 1].text] = g;
    }
  }
  return v;
}

SmtReader::Value SmtReader::EvalList(const SExpr& e) {
  if (e.items.empty()) throw Refusal{e.pos, "expected a term, found ()", false};
  const SExpr& head = e.items[0];
  if (head.kind != SExpr::Kind::Symbol) {
    if (head.kind == SExpr::Kind::List && !head.Head().empty())
      throw Refusal{head.pos,
                    "indexed or qualified identifier " + Quoted("(" + head.Head() + " ...)"), true};
    throw Refusal{head.pos, "expected an operator", false};
  }
  const std::string& op = head.text;
  if (scopes_.count(op) != 0 && !scopes_[op].empty())
    throw Refusal{head.pos, Quoted(op) + " is not a function", false};
  if (op == "let") return Let(e);
  if (op == "!") return Annotated(e);
  if (op == "forall" || op == "exists") throw Refusal{head.pos, "quantifier " + Quoted(op), true};
  if (op == "ite") throw Refusal{head.pos, "ite", true};
  if (op == "div" || op == "mod" || op == "to_int" || op == "is_int")
    throw Refusal{head.pos, "integer operation " + Quoted(op), true};

  std::vector<Value> args;
  args.reserve(e.items.size() - 1);
  for (std::size_t i = 1; i < e.items.size(); ++i) args.push_back(Eval(e.items[i]));

  auto global = globals_.find(op);
  if (global != globals_.end() && global->second.kind != Global::Kind::Function) {
    if (global->second.kind == Global::Kind::Refused)
      throw Refusal{head.pos, Quoted(op) + ", " + global->second.why, true};
    throw Refusal{head.pos, Quoted(op) + " is not a function", false};
  }
  Value v = global != globals_.end() ? Expand(e, global->second, args) : Apply(e, op, args);
  NoteCause(e, args);
  return v;
}

// The nodes of the operands, which must all have the given sort.
std::vector<ZELS3Node*> SmtReader::Nodes(const SExpr& e, const std::vector<Value>& args,
                                         Sort sort) const {
  std::vector<ZELS3Node*> nodes;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].sort != sort)
      throw Refusal{e.items[i + 1].pos,
                    std::string("expected a ") + (sort == Sort::Real ? "Real" : "Bool") +
                        " operand of " + Quoted(e.items[0].text),
                    false};
    nodes.push_back(args[i].node);
  }
  return nodes;
}

SmtReader::Value SmtReader::Apply(const SExpr& e, const std::string& op,
                                  const std::vector<Value>& args) {
  const Position& at = e.items[0].pos;
  const std::size_t n = args.size();
  auto arity = [&](std::size_t least) {
    if (n < least)
      throw Refusal{at,
                    Quoted(op) + " needs at least " + std::to_string(least) + " operand" +
                        (least == 1 ? "" : "s"),
                    false};
  };

  if (op == "sec" || op == "csc") {
    // sec x = 1/cos x, csc x = 1/sin x.
    if (n != 1) throw Refusal{at, Quoted(op) + " takes one operand", false};
    Value c = Make(Function(op == "sec" ? "cos" : "sin"), Nodes(e, args, Sort::Real), Sort::Real);
    return Make(Spelling("/"), {CreateExpression(1.0), c.node}, Sort::Real);
  }
  if (const char* f = Function(op)) {
    if (n != 1) throw Refusal{at, Quoted(op) + " takes one operand", false};
    std::vector<ZELS3Node*> v = Nodes(e, args, Sort::Real);
    return *f == '\0' ? Value{v[0], Sort::Real} : Make(f, v, Sort::Real);
  }
  if (op == "xor") {
    arity(2);
    // Left-associative; a xor b is a <> b over booleans (distinct's spelling).
    std::vector<ZELS3Node*> v = Nodes(e, args, Sort::Bool);
    ZELS3Node* r = v[0];
    for (std::size_t i = 1; i < n; ++i) r = Make(Spelling("distinct"), {r, v[i]}, Sort::Bool).node;
    return Value{r, Sort::Bool};
  }
  const Operator* row = FindSmtlib(op);
  if (row == nullptr) throw Refusal{at, "unknown function " + Quoted(op), true};
  const char* spelling = row->spelling;
  switch (row->level) {
    case kAdditive:
    case kMultiplicative:
    case kPower: {
      if (row->grouping == Grouping::Run) {
        // + - *: one operation over all operands.
        arity(1);
        return Make(spelling, Nodes(e, args, Sort::Real), Sort::Real);
      }
      // / and ^ to the left: (/ a b c) -> (a / b) / c.
      arity(2);
      if (row->level == kPower && n != 2)
        throw Refusal{at, Quoted(op) + " takes two operands", false};
      std::vector<ZELS3Node*> v = Nodes(e, args, Sort::Real);
      ZELS3Node* r = v[0];
      for (std::size_t i = 1; i < n; ++i) {
        if (row->level == kMultiplicative && v[i] != nullptr && v[i]->IsZero())
          divisionsByZero_.push_back(at);
        r = Make(spelling, {r, v[i]}, Sort::Real).node;
      }
      return Value{r, Sort::Real};
    }
    case kRelation: {
      arity(2);
      // Every operand of =, distinct has the sort of the first; the others compare reals.
      const Sort sort = (op == "=" || op == "distinct") ? args[0].sort : Sort::Real;
      std::vector<ZELS3Node*> v = Nodes(e, args, sort);
      std::vector<ZELS3Node*> parts;
      if (op == "distinct") {
        // Pairwise different: (distinct a b c) -> a <> b and a <> c and b <> c.
        for (std::size_t i = 0; i < n; ++i)
          for (std::size_t j = i + 1; j < n; ++j)
            parts.push_back(Make(spelling, {v[i], v[j]}, Sort::Bool).node);
      } else {
        // A chain: (< a b c) -> (a < b) and (b < c).
        for (std::size_t i = 0; i + 1 < n; ++i)
          parts.push_back(Make(spelling, {v[i], v[i + 1]}, Sort::Bool).node);
      }
      return Value{Balanced(Spelling("and"), parts, 0, parts.size()), Sort::Bool};
    }
    case kAnd:
    case kOr: {
      std::vector<ZELS3Node*> v = Nodes(e, args, Sort::Bool);
      if (v.empty())
        return Value{CreateExpression(static_cast<unsigned char>(row->level == kAnd)), Sort::Bool};
      return Value{Balanced(spelling, v, 0, n), Sort::Bool};
    }
    case kNot:
      if (n != 1) throw Refusal{at, Quoted(op) + " takes one operand", false};
      return Make(spelling, Nodes(e, args, Sort::Bool), Sort::Bool);
    case kImplies: {
      arity(2);
      // Right-associative: (=> a b c) -> a -> (b -> c).
      std::vector<ZELS3Node*> v = Nodes(e, args, Sort::Bool);
      ZELS3Node* r = v[n - 1];
      for (std::size_t i = n - 1; i-- > 0;) r = Make(spelling, {v[i], r}, Sort::Bool).node;
      return Value{r, Sort::Bool};
    }
    default:
      break;
  }
  throw Refusal{at, "unknown function " + Quoted(op), true};
}

SmtReader::Value SmtReader::Expand(const SExpr& e, const Global& f,
                                   const std::vector<Value>& args) {
  if (args.size() != f.params.size())
    throw Refusal{
        e.pos, Quoted(e.items[0].text) + " takes " + std::to_string(f.params.size()) + " operands",
        false};
  std::vector<ZELS3Node*> nodes;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].sort != f.params[i].second)
      throw Refusal{e.items[i + 1].pos, "operand of the wrong sort", false};
    nodes.push_back(args[i].node);
  }
  // One expansion per function and operand nodes: repeated calls share it.
  auto key = std::make_pair(&f, nodes);
  auto done = expansions_.find(key);
  if (done != expansions_.end()) return done->second;
  // The body sees its parameters only, not the caller's let names.
  std::unordered_map<std::string, std::vector<Value>> caller;
  caller.swap(scopes_);
  for (std::size_t i = 0; i < args.size(); ++i) scopes_[f.params[i].first].push_back(args[i]);
  Value v = Eval(f.body);
  scopes_.swap(caller);
  if (v.sort != f.result) throw Refusal{e.pos, "the body has the wrong sort", false};
  expansions_.emplace(key, v);
  return v;
}

}  // namespace zelcalc
