#include "Explain.h"

#include <zeltav_support/Evaluator.h>
#include <zeltav_support/NumberFormat.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

#include "Operators.h"
#include "Options.h"
#include "Session.h"

namespace zelcalc {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Edits (insert, delete, replace, swap of neighbours) from a to b.
size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

bool OneArgument(const std::string& f) {
  return f != "min" && f != "max" &&
         std::find(LibraryFunctions().begin(), LibraryFunctions().end(), f) !=
             LibraryFunctions().end();
}

bool IsBooleanType(int t) { return t >= NodeBoolConst && t <= NodeImplies; }

// "a variable", "a sum", ... : what a node is, for messages.
std::string Kind(const ZELS3Node* n) {
  switch (n->GetNodeType()) {
    case NodeVariable:
      return "a variable";
    case NodeConstant:
      return "a number";
    case NodeSum:
      return "a sum";
    case NodeProduct:
      return "a product";
    case NodeQuotient:
      return "a quotient";
    case NodeUnknown:
      return std::string("an unknown operation (") + static_cast<const char*>(n->GetOperName()) +
             ")";
    default:
      return std::string("a function (") + static_cast<const char*>(n->GetOperName()) + ")";
  }
}

}  // namespace

const char kTypeLegend[] =
    "node types, as option raw prints them:\n"
    "  3-8 relations over booleans (= <> < <= > >=), 9-14 the same over numbers,\n"
    "  15 and, 16 or, 17 not, 18 ->, 19 abs, 20 sign, 21 exp, 22 ln, 23 sqrt, 24 min, 25 max,\n"
    "  26 sin, 27 cos, 28 tg, 29 ctg, 30 asin, 31 acos, 32 atan,\n"
    "  33 sum: +(coefficient, term, ...), 35 product: *(factor, exponent, ...), 36 quotient,\n"
    "  38 an operation unknown to the library, kept by name\n";

std::string LookalikeFunction(const std::string& name) {
  const auto& functions = LibraryFunctions();
  if (std::find(functions.begin(), functions.end(), name) != functions.end()) return "";
  for (const std::string& f : functions)
    if (Lower(name) == f) return f;
  // Names other systems give these functions.
  static const char* const aliases[][2] = {
      {"tan", "tg"},      {"cot", "ctg"},     {"log", "ln"},
      {"arcsin", "asin"}, {"arccos", "acos"}, {"arctan", "atan"},
      {"arctg", "atan"},  {"sgn", "sign"},    {"fabs", "abs"}};
  for (const auto& a : aliases)
    if (Lower(name) == a[0]) return a[1];
  if (name.size() < 3) return "";
  // One edit away; of several, the one sharing the longest start: sinn -> sin, not sign.
  std::string best;
  size_t bestPrefix = 0;
  const std::string lower = Lower(name);
  for (const std::string& f : functions) {
    if (f.size() < 3 || Distance(lower, f) != 1) continue;
    size_t prefix = 0;
    while (prefix < f.size() && prefix < lower.size() && f[prefix] == lower[prefix]) ++prefix;
    if (best.empty() || prefix > bestPrefix) {
      best = f;
      bestPrefix = prefix;
    }
  }
  return best;
}

bool IsFalseBetweenNumbers(const ZELS3Node* n) {
  const int t = n->GetNodeType();
  if (t < NodeBoolEqual || t > NodeGreaterEqual || n->GetArgsNum() != 2) return false;
  for (unsigned i = 0; i < 2; ++i) {
    const int a = n->GetArg(i)->GetNodeType();
    if (a != NodeConstant && a != NodeBoolConst) return false;
  }
  return zeltav_support::Evaluate(n, {}) == 0;
}

// a T b -> (a - b) T 0 when a - b folds to a number; true - false does not,
// and true = false stays as it is.
std::string ProcessedRelation(const ZELS3Node* n, bool transfer, const Printer& printer) {
  static const char* const spellings[] = {"=", "<>", "<", "<=", ">", ">="};
  const std::string op = spellings[(n->GetNodeType() - NodeBoolEqual) % 6];
  ZELS3Node* a = n->GetArg(0);
  ZELS3Node* b = n->GetArg(1);
  if (transfer) {
    ZELICVectorImp_ZELS3Node operands(2u, 0u);
    operands.Add(a);
    operands.Add(b);
    const ZELS3Node* d = CreateExpression(ZELString("-"), operands);
    if (d != nullptr && d->GetNodeType() == NodeConstant) return printer.Infix(d) + " " + op + " 0";
  }
  return printer.Infix(a) + " " + op + " " + printer.Infix(b);
}

// and(p, and(q, x > 1)) -> p, q; true(p) -> p: what intake adds as a
// constraint of its own, walked without recursion (a chain may be long).
std::vector<const ZELS3Node*> LoneVariables(const ZELS3Node* n) {
  std::vector<const ZELS3Node*> lone;
  std::vector<const ZELS3Node*> stack{n};
  while (!stack.empty()) {
    const ZELS3Node* c = stack.back();
    stack.pop_back();
    if (c == nullptr) continue;
    const int t = c->GetNodeType();
    if (t == NodeVariable) lone.push_back(c);
    const bool wrapper = t == NodeUnknown && c->GetArgsNum() > 0 &&
                         std::string(static_cast<const char*>(c->GetOperName())) == "true";
    if (t != NodeAnd && !wrapper) continue;
    const unsigned count = wrapper ? 1 : c->GetArgsNum();
    for (unsigned i = count; i > 0; --i) stack.push_back(c->GetArg(i - 1));
  }
  return lone;
}

std::string FixedVariable(const Expr& e) {
  if (e.kind != Expr::Kind::Apply || e.args.size() != 2 || (e.text != "=" && e.text != "=="))
    return "";
  const Expr& a = *e.args[0];
  const Expr& b = *e.args[1];
  if (a.kind == Expr::Kind::Name && b.kind == Expr::Kind::Number) return a.text;
  if (b.kind == Expr::Kind::Name && a.kind == Expr::Kind::Number) return b.text;
  return "";
}

bool DomainRule(int code, std::string* function, std::string* needs) {
  static const char* const names[] = {"ln", "sqrt", "asin", "acos"};
  static const char* const domains[] = {"a positive number", "a number that is not negative",
                                        "a number from -1 to 1", "a number from -1 to 1"};
  if (code < 3 || code > 6) return false;
  *function = names[code - 3];
  *needs = domains[code - 3];
  return true;
}

bool FixesAVariable(const ZELS3Node* n, unsigned long long* id, double* value) {
  if (n == nullptr || n->GetNodeType() != NodeEqual || n->GetArgsNum() != 2) return false;
  const ZELS3Node* a = n->GetArg(0);
  const ZELS3Node* b = n->GetArg(1);
  if (a == nullptr || b == nullptr) return false;
  if (b->GetNodeType() == NodeVariable) std::swap(a, b);
  if (a->GetNodeType() != NodeVariable || b->GetNodeType() != NodeConstant) return false;
  if (id != nullptr) *id = a->GetVariableID();
  if (value != nullptr) *value = b->GetConstant();
  return true;
}

std::string HelpText() {
  std::string h =
      "statements (one per line, or separated by ';'; '#' starts a comment):\n"
      "  EXPR                          add a constraint, e.g. x + y <= 3\n"
      "  show EXPR                     print the calculator's canonical form of EXPR\n"
      "  show system                   print the processed system as it stands\n"
      "  diff EXPR by X [by Y ...]     differentiate, repeatedly\n"
      "  eval EXPR [at X = 1.5, ...]   the value of EXPR (nothing is fixed by it)\n"
      "  param A, B                    declare constant variables (before their first use)\n"
      "  option NAME on|off            set a calculator option (below)\n"
      "  option raw on|off             print nodes as TYPE:NAME(ARGS) rather than infix\n"
      "  check                         print the calculator's error code\n"
      "  help                          this text\n"
      "operators, loosest first:\n";
  for (const Operator* op = Operators().data(); op != Operators().data() + Operators().size();) {
    std::string spellings, meanings;
    const Level level = op->level;
    for (; op != Operators().data() + Operators().size() && op->level == level; ++op) {
      spellings += std::string(" ") + op->spelling;
      if (meanings.find(op->meaning) == std::string::npos)
        meanings += (meanings.empty() ? "" : ", ") + std::string(op->meaning);
    }
    spellings.resize(std::max<size_t>(spellings.size() + 2, 40), ' ');
    h += " " + spellings + meanings + "\n";
  }
  h.pop_back();
  h += "\nfunctions:";
  for (const std::string& f : LibraryFunctions()) h += " " + f;
  h += "; any other name(args) is an unknown operation kept by name\noptions:";
  for (const OptionInfo& o : OptionTable())
    h += std::string(" ") + o.name + (o.defaultOn ? " (on)" : " (off)");
  return h + "\n" + kTypeLegend;
}

std::string Session::Explain(int code, const Statement& s) {
  if (code == 101) {
    const std::string fixed = s.expr ? FixedVariable(*s.expr) : "";
    auto before = fixedBy_.find(fixed);
    if (!fixed.empty() && before != fixedBy_.end())
      return fixed + " is already fixed at another value by " + before->second +
             ": the system is inconsistent";
    return "this constraint is false given the constraints before it: the system is inconsistent";
  }
  // The sub-expression responsible: the innermost one the test fits.
  std::string found;
  std::function<bool(const Expr&)> walk;
  auto search = [&](const std::function<std::string(const Expr&)>& test) {
    walk = [&](const Expr& e) {
      for (const ExprPtr& a : e.args)
        if (walk(*a)) return true;
      if (e.kind != Expr::Kind::Apply) return false;
      found = test(e);
      return !found.empty();
    };
    if (s.expr) walk(*s.expr);
    return found;
  };
  auto argument = [&](const Expr& e, size_t i) { return Build(*e.args[i]); };
  auto number = [&](const Expr& e, size_t i, double* v) {
    const ZELS3Node* a = e.args.size() > i ? argument(e, i) : nullptr;
    if (a == nullptr || a->GetNodeType() != NodeConstant) return false;
    *v = a->GetConstant();
    return true;
  };
  auto shown = [&](const Expr& e) { return "'" + printer_.Infix(Build(e)) + "'"; };
  std::string why;
  switch (code) {
    case 1:
      why = search([&](const Expr& e) -> std::string {
        const ZELS3Node* n = Build(e);
        if (n == nullptr) return "";
        const int t = n->GetNodeType();
        if ((t >= NodeBoolEqual && t <= NodeImplies) || t == NodeSign || t == NodeMin ||
            t == NodeMax)
          return shown(e) +
                 " has no derivative: relations, connectives, sign, min and max "
                 "cannot be differentiated";
        return "";
      });
      break;
    case 2:
      why = search([&](const Expr& e) -> std::string {
        double v;
        if (e.text == "/" && number(e, 1, &v) && v == 0) return "division by zero in " + shown(e);
        return "";
      });
      break;
    case 3:
    case 4:
    case 5:
    case 6: {
      std::string f, needs;
      DomainRule(code, &f, &needs);
      why = search([&](const Expr& e) -> std::string {
        double v;
        if (!e.call || e.text != f || e.args.size() != 1 || !number(e, 0, &v)) return "";
        return f + " needs " + needs + "; here it is given " + zeltav_support::FormatNumber(v);
      });
      break;
    }
    case 10013:
      why = search([&](const Expr& e) -> std::string {
        if (!e.call || !OneArgument(e.text) || e.args.size() == 1) return "";
        // The call as written: the library may fold it ("sin()" builds 0).
        std::string call = e.text + "(";
        for (size_t i = 0; i < e.args.size(); ++i)
          call += (i > 0 ? ", " : "") + printer_.Infix(argument(e, i));
        return e.text + " takes exactly one argument; '" + call + ")' has " +
               std::to_string(e.args.size());
      });
      break;
    case 10019:
      why = search([&](const Expr& e) -> std::string {
        if (!e.call || (e.text != "min" && e.text != "max") || e.args.size() != 1) return "";
        return e.text + " takes two or more arguments (or none); " + shown(e) + " has one";
      });
      break;
    case 10005:
    case 10014:
    case 10015:
      why = search([&](const Expr& e) -> std::string {
        const Operator* op = FindPrefix(e.text);
        if (e.call || op == nullptr || op->level != kNot || e.args.size() != 1) return "";
        const ZELS3Node* a = argument(e, 0);
        if (a == nullptr || IsBooleanType(a->GetNodeType())) return "";
        return "negation (" + e.text + ") applies to relations and connectives; " +
               shown(*e.args[0]) + " is " + Kind(a);
      });
      break;
    default:
      break;
  }
  if (!why.empty()) return why;
  return "the calculator's internal or usage error " + std::to_string(code) +
         " (an operation with the wrong number of operands, or a node of the wrong kind)";
}

}  // namespace zelcalc
