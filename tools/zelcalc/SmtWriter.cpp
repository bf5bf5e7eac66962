#include "SmtWriter.h"

#include <zeltav_support/NumberFormat.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "Explain.h"
#include "Operators.h"
#include "SmtSyntax.h"

namespace zelcalc {
namespace {

using Node = const ZELS3Node*;
using Children = std::function<void(Node, std::vector<Node>*)>;

bool IsLeaf(Node n) {
  const ZELNodeType t = n->GetNodeType();
  return t == NodeVariable || t == NodeConstant || t == NodeBoolConst;
}

// Nodes reachable from the roots in post-order (arguments first), each once,
// and how often the printed form refers to each. Iterative: graphs may be deep.
struct Uses {
  std::vector<Node> order;
  std::unordered_map<Node, int> count;
};

Uses CountUses(const std::vector<Node>& roots, const Children& children) {
  Uses u;
  std::unordered_set<Node> expanded;
  std::vector<std::pair<Node, bool>> stack;
  std::vector<Node> kids;
  for (Node r : roots) {
    if (r == nullptr) continue;
    ++u.count[r];
    stack.emplace_back(r, false);
    while (!stack.empty()) {
      auto [n, done] = stack.back();
      stack.pop_back();
      if (done) {
        // Every argument was expanded, and so written out, before.
        u.order.push_back(n);
        continue;
      }
      if (!expanded.insert(n).second) continue;
      stack.emplace_back(n, true);
      kids.clear();
      children(n, &kids);
      for (Node c : kids) {
        if (c == nullptr) continue;
        ++u.count[c];
        if (expanded.count(c) == 0) stack.emplace_back(c, false);
      }
    }
  }
  return u;
}

// A prefix for binding names that no variable name starts a "prefix<digits>" with.
std::string BindingPrefix(const VariableNames& names) {
  std::string prefix = "t";
  for (;;) {
    bool clash = false;
    for (const auto& entry : names) {
      const std::string& v = entry.second;
      if (v.size() > prefix.size() && v.compare(0, prefix.size(), prefix) == 0 &&
          v.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
        clash = true;
    }
    if (!clash) return prefix;
    prefix = "_" + prefix;
  }
}

// Connectives and relations between formulas: their operands are formulas.
bool Logical(ZELNodeType t) {
  return (t >= NodeBoolEqual && t <= NodeBoolGreaterEqual) || (t >= NodeAnd && t <= NodeImplies);
}

// The integer k when the node is the constant k with |k| <= 8, else 0.
int SmallInteger(Node n) {
  if (n == nullptr || n->GetNodeType() != NodeConstant) return 0;
  const double v = n->GetConstant();
  return v == std::floor(v) && std::fabs(v) <= 8 ? static_cast<int>(v) : 0;
}

class SmtWriter {
 public:
  SmtWriter(const VariableNames& names, const std::set<unsigned long long>& booleans)
      : names_(names), booleans_(booleans) {}

  std::string Write(const std::vector<Node>& roots, const std::string& logic);

 private:
  // How many times the printed form of n writes each argument.
  void Args(Node n, std::vector<Node>* out) const;
  // p = 1 or p <> 1 over a variable declared Bool; its variable, else null.
  Node BoolAtom(Node n) const;
  std::string Text(Node n, bool define) const;
  std::string Power(Node base, Node exponent) const;
  static bool Inline(Node factor, Node exponent);
  static bool Scaled(Node term);
  // The factors of a product written out, nested products and powers inline.
  void Factors(Node n, std::vector<std::string>* out) const;
  std::string Variable(Node v) const;
  std::string Logic(const std::vector<Node>& order) const;

  const VariableNames& names_;
  std::set<unsigned long long> booleans_;  // those still written as Bool
  std::unordered_map<Node, std::string> bound_;
  std::unordered_map<Node, Node> same_;  // node -> the first node written like it
  Node Same(Node n) const {
    auto it = same_.find(n);
    return it != same_.end() ? it->second : n;
  }
};

std::string SmtWriter::Variable(Node v) const {
  auto it = names_.find(v->GetVariableID());
  return SmtSymbol(it != names_.end() ? it->second : "_v" + std::to_string(v->GetVariableID()));
}

Node SmtWriter::BoolAtom(Node n) const {
  const ZELNodeType t = n->GetNodeType();
  if ((t != NodeEqual && t != NodeNotEqual) || n->GetArgsNum() != 2) return nullptr;
  Node a = n->GetArg(0), b = n->GetArg(1);
  if (a == nullptr || b == nullptr) return nullptr;
  if (b->GetNodeType() == NodeVariable) std::swap(a, b);
  if (a->GetNodeType() != NodeVariable || !b->IsOne()) return nullptr;
  return booleans_.count(a->GetVariableID()) != 0 ? a : nullptr;
}

void SmtWriter::Args(Node n, std::vector<Node>* out) const {
  if (IsLeaf(n) || BoolAtom(n) != nullptr) return;
  const ZELNodeType t = n->GetNodeType();
  const unsigned count = n->GetArgsNum();
  auto power = [&](Node base, Node exponent) {
    const int k = std::abs(SmallInteger(exponent));
    for (int i = 0; i < (k == 0 ? 1 : k); ++i) out->push_back(base);
    if (k == 0) out->push_back(exponent);
  };
  if (t == NodeProduct) {
    // A product or power standing as a factor is written inline (the reader
    // flattens it anyway), so it is never bound itself.
    for (unsigned i = 0; i + 1 < count; i += 2) {
      Node f = n->GetArg(i), e = n->GetArg(i + 1);
      if (Inline(f, e)) {
        Args(f, out);
      } else {
        power(f, e);
      }
    }
  } else if (t == NodePower && count == 2) {
    power(n->GetArg(0), n->GetArg(1));
  } else {
    for (unsigned i = 0; i < count; ++i) out->push_back(n->GetArg(i));
  }
}

// A product with a number among its factors: the reader makes it a sum of
// one scaled term.
bool SmtWriter::Scaled(Node term) {
  if (term == nullptr || term->GetNodeType() != NodeProduct) return false;
  for (unsigned i = 0; i + 1 < term->GetArgsNum(); i += 2) {
    Node f = term->GetArg(i);
    if (f != nullptr && f->IsConstant()) return true;
  }
  return false;
}

bool SmtWriter::Inline(Node factor, Node exponent) {
  if (factor == nullptr || exponent == nullptr || !exponent->IsOne()) return false;
  const ZELNodeType t = factor->GetNodeType();
  return t == NodeProduct || (t == NodePower && factor->GetArgsNum() == 2);
}

void SmtWriter::Factors(Node n, std::vector<std::string>* out) const {
  const unsigned count = n->GetArgsNum();
  auto power = [&](Node base, Node exponent) {
    const int k = SmallInteger(exponent);
    if (k >= 1) {
      const std::string b = Text(base, false);
      for (int i = 0; i < k; ++i) out->push_back(b);
    } else {
      out->push_back(Power(base, exponent));
    }
  };
  if (n->GetNodeType() == NodePower) {
    power(n->GetArg(0), n->GetArg(1));
    return;
  }
  for (unsigned i = 0; i + 1 < count; i += 2) {
    Node f = n->GetArg(i), e = n->GetArg(i + 1);
    if (Inline(f, e)) {
      Factors(f, out);
    } else {
      power(f, e);
    }
  }
}

std::string SmtWriter::Power(Node base, Node exponent) const {
  const int k = SmallInteger(exponent);
  if (k == 1) return Text(base, false);
  if (k == 0) return "(^ " + Text(base, false) + " " + Text(exponent, false) + ")";
  std::string b = Text(base, false);
  std::string s = "(*";
  for (int i = 0; i < std::abs(k); ++i) s += " " + b;
  s = std::abs(k) == 1 ? b : s + ")";
  return k > 0 ? s : "(/ 1.0 " + s + ")";
}

std::string SmtWriter::Text(Node n, bool define) const {
  if (n == nullptr) return "null";
  if (!define) {
    auto it = bound_.find(Same(n));
    if (it != bound_.end()) return it->second;
  }
  const ZELNodeType t = n->GetNodeType();
  if (Node p = BoolAtom(n)) return t == NodeEqual ? Variable(p) : "(not " + Variable(p) + ")";
  const unsigned count = n->GetArgsNum();
  // A variable standing as a formula that is not declared Bool: v = 1.
  const bool logical = Logical(t);
  auto arg = [&](unsigned i) {
    Node a = n->GetArg(i);
    if (logical && a != nullptr && a->GetNodeType() == NodeVariable &&
        booleans_.count(a->GetVariableID()) == 0)
      return "(= " + Variable(a) + " 1.0)";
    return Text(a, false);
  };
  auto call = [&](const std::string& name) {
    std::string s = "(" + name;
    for (unsigned i = 0; i < count; ++i) s += " " + arg(i);
    return s + ")";
  };
  switch (t) {
    case NodeVariable:
      return Variable(n);
    case NodeConstant:
      return SmtNumber(n->GetConstant());
    case NodeBoolConst:
      return n->GetBool() != 0 ? "true" : "false";
    case NodeBoolEqual:
    case NodeEqual:
      return call("=");
    case NodeBoolNotEqual:
    case NodeNotEqual:
      return "(not " + call("=") + ")";
    case NodeLess:
      return call("<");
    case NodeLessEqual:
      return call("<=");
    case NodeGreater:
      return call(">");
    case NodeGreaterEqual:
      return call(">=");
    // On booleans false < true: a < b is (not a) and b.
    case NodeBoolLess:
      return count == 2 ? "(and (not " + arg(0) + ") " + arg(1) + ")" : call("<");
    case NodeBoolLessEqual:
      return call("=>");
    case NodeBoolGreater:
      return count == 2 ? "(and " + arg(0) + " (not " + arg(1) + "))" : call(">");
    case NodeBoolGreaterEqual:
      return count == 2 ? "(=> " + arg(1) + " " + arg(0) + ")" : call(">=");
    case NodeAnd:
      return call("and");
    case NodeOr:
      return call("or");
    case NodeNot:
      return call("not");
    case NodeImplies:
      return call("=>");
    case NodeTg:
      return call("tan");
    case NodeCtg:
      return call("cot");
    case NodeAsin:
      return call("arcsin");
    case NodeAcos:
      return call("arccos");
    case NodeAtan:
      return call("arctan");
    case NodeQuotient:
      return call("/");
    case NodePower:
      return count == 2 ? Power(n->GetArg(0), n->GetArg(1)) : call("^");
    case NodeSum: {
      // Pairs (coefficient, term): t, (- t), (* c t). Terms with coefficient
      // 1 come first, then the others last to first: the reader appends a
      // term that reads as a sum of its own after the others, last first,
      // so the script reads back to the same order.
      std::vector<std::string> terms, scaled;
      for (unsigned i = 0; i + 1 < count; i += 2) {
        Node c = n->GetArg(i), term = n->GetArg(i + 1);
        if (c != nullptr && c->IsOne()) {
          (Scaled(term) ? scaled : terms).push_back(Text(term, false));
        } else if (c != nullptr && c->IsMinesOne()) {
          if (term != nullptr && term->IsConstant()) {
            terms.push_back(SmtNumber(-term->GetConstant()));
          } else {
            scaled.push_back("(- " + Text(term, false) + ")");
          }
        } else {
          scaled.push_back("(* " + Text(c, false) + " " + Text(term, false) + ")");
        }
      }
      terms.insert(terms.end(), scaled.rbegin(), scaled.rend());
      if (terms.size() == 1) return terms[0];
      std::string s = "(+";
      for (const std::string& x : terms) s += " " + x;
      return terms.empty() ? "0.0" : s + ")";
    }
    case NodeProduct: {
      std::vector<std::string> factors;
      Factors(n, &factors);
      if (factors.size() == 1) return factors[0];
      std::string s = "(*";
      for (const std::string& x : factors) s += " " + x;
      return factors.empty() ? "1.0" : s + ")";
    }
    default:
      // abs, exp, sqrt, sin, cos keep their names; sign, ln, min, max and
      // unknown operations have no SMT-LIB spelling and are written by name.
      return call(SmtSymbol(static_cast<const char*>(n->GetOperName())));
  }
}

std::string SmtWriter::Logic(const std::vector<Node>& order) const {
  bool nonlinear = false, transcendental = false;
  for (Node n : order) {
    switch (n->GetNodeType()) {
      case NodeProduct:
      case NodePower:
      case NodeQuotient:
      case NodeAbs:
      case NodeSqrt:
        nonlinear = true;
        break;
      case NodeConstant:
        // Written with cot: (cot 0.0) is infinity.
        if (!std::isfinite(n->GetConstant())) transcendental = true;
        break;
      case NodeSum:
      case NodeVariable:
        break;
      default:
        if (n->GetNodeType() >= NodeSign && n->GetNodeType() <= NodeAtan) transcendental = true;
        break;
    }
  }
  return transcendental ? "QF_NRAT" : nonlinear ? "QF_NRA" : "QF_LRA";
}

std::string SmtWriter::Write(const std::vector<Node>& roots, const std::string& logic) {
  const Children children = [this](Node n, std::vector<Node>* out) { Args(n, out); };
  // A Bool variable used other than as p = 1 or p <> 1 is written as Real; a
  // variable that stands only as an operand of connectives and relations
  // between formulas (a .zel "p or q") is written as Bool.
  {
    Uses all = CountUses(roots, children);
    std::set<unsigned long long> formula, number;
    for (Node n : all.order) {
      if (IsLeaf(n) || BoolAtom(n) != nullptr) continue;
      for (unsigned i = 0; i < n->GetArgsNum(); ++i) {
        Node a = n->GetArg(i);
        if (a == nullptr || a->GetNodeType() != NodeVariable) continue;
        booleans_.erase(a->GetVariableID());
        (Logical(n->GetNodeType()) ? formula : number).insert(a->GetVariableID());
      }
    }
    for (unsigned long long id : formula)
      if (number.count(id) == 0) booleans_.insert(id);
  }
  // Nodes written alike are one node once read back: x >= 1 made by negating
  // x < 1 is named >==, a distinct node from x >= 1 itself, and both are
  // written (>= x 1.0). Each node stands for the first one written like it,
  // and the bindings are chosen over those, as a reading of the script sees
  // them. Bottom up, with the arguments already standing for their first.
  {
    std::unordered_map<std::string, Node> first;
    for (Node n : CountUses(roots, children).order) {
      const std::string key = Text(n, true);
      auto [it, fresh] = first.emplace(key, n);
      same_[n] = it->second;
      if (fresh && !IsLeaf(n)) bound_[n] = "\x01" + std::to_string(first.size());
    }
    bound_.clear();
  }
  const Children written = [this](Node n, std::vector<Node>* out) {
    const std::size_t from = out->size();
    Args(n, out);
    for (std::size_t i = from; i < out->size(); ++i) (*out)[i] = Same((*out)[i]);
  };
  std::vector<Node> tops;
  for (Node r : roots) tops.push_back(Same(r));
  Uses uses = CountUses(tops, written);

  // Which roots reach each node: one (its index) or several (-1).
  std::unordered_map<Node, long> owner;
  {
    std::unordered_set<Node> seen;
    std::vector<Node> stack, kids;
    for (std::size_t r = 0; r < tops.size(); ++r) {
      if (tops[r] == nullptr) continue;
      seen.clear();
      stack.assign(1, tops[r]);
      seen.insert(tops[r]);
      while (!stack.empty()) {
        Node n = stack.back();
        stack.pop_back();
        auto [it, fresh] = owner.emplace(n, static_cast<long>(r));
        if (!fresh && it->second != static_cast<long>(r)) it->second = -1;
        kids.clear();
        written(n, &kids);
        for (Node c : kids)
          if (c != nullptr && seen.insert(c).second) stack.push_back(c);
      }
    }
  }

  const std::string prefix = BindingPrefix(names_);
  int next = 1;
  std::vector<Node> global;
  std::vector<std::vector<Node>> local(roots.size());
  for (Node n : uses.order) {
    if (IsLeaf(n) || BoolAtom(n) != nullptr || uses.count[n] < 2) continue;
    long o = owner[n];
    (o < 0 ? global : local[static_cast<std::size_t>(o)]).push_back(n);
  }
  for (Node n : global) bound_[n] = prefix + std::to_string(next++);

  std::set<unsigned long long> ids;
  for (Node n : uses.order) {
    if (n->GetNodeType() == NodeVariable) ids.insert(n->GetVariableID());
    if (Node p = BoolAtom(n)) ids.insert(p->GetVariableID());
  }

  std::string s = "(set-logic " + (logic.empty() ? Logic(uses.order) : logic) + ")\n";
  for (unsigned long long id : ids) {
    auto it = names_.find(id);
    s += "(declare-fun " + SmtSymbol(it != names_.end() ? it->second : "_v" + std::to_string(id)) +
         " () " + (booleans_.count(id) != 0 ? "Bool" : "Real") + ")\n";
  }
  for (Node n : global)
    s += "(define-fun " + bound_[n] + " () " + (n->IsBool() ? "Bool" : "Real") + " " +
         Text(n, true) + ")\n";

  // Bindings of an assert grouped by level: a level-k binding refers to
  // bindings of lower levels only, so each level is one let.
  std::unordered_map<Node, int> level;  // local bindings: 1 + the highest level under them
  std::unordered_map<Node, int> below;  // any node: the highest level of a binding under it
  std::vector<Node> kids;
  for (Node n : uses.order) {
    int b = 0;
    kids.clear();
    written(n, &kids);
    for (Node c : kids) {
      if (c == nullptr) continue;
      auto l = level.find(c);
      b = std::max(b, l != level.end() ? l->second : below[c]);
    }
    below[n] = b;
    if (!IsLeaf(n) && BoolAtom(n) == nullptr && uses.count[n] >= 2 && owner[n] >= 0)
      level[n] = b + 1;
  }
  for (std::size_t r = 0; r < roots.size(); ++r) {
    std::map<int, std::vector<Node>> byLevel;
    for (Node n : local[r]) {
      bound_[n] = prefix + std::to_string(next++);
      byLevel[level[n]].push_back(n);
    }
    std::string body = Text(roots[r], false);
    for (auto l = byLevel.rbegin(); l != byLevel.rend(); ++l) {
      std::string bindings;
      for (Node n : l->second)
        bindings += (bindings.empty() ? "(" : " (") + bound_[n] + " " + Text(n, true) + ")";
      body = "(let (" + bindings + ") " + body + ")";
    }
    s += "(assert " + body + ")\n";
  }
  return s + "(check-sat)\n";
}

}  // namespace

std::string SmtNumber(double value) {
  // No SMT-LIB number is infinite or NaN. cot 0 is the calculator's own
  // infinity (it folds to +inf, no error), so these read back to the same
  // constant, where (/ 1.0 0.0) would read as a division by zero.
  if (std::isnan(value)) return "(+ (cot 0.0) (- (cot 0.0)))";
  if (std::isinf(value)) return value < 0 ? "(- (cot 0.0))" : "(cot 0.0)";
  if (std::signbit(value)) return "(- " + SmtNumber(-value) + ")";
  // The shortest form, d.ddd or d.ddde[+-]x or a whole number, as digits and
  // the exponent of the first one.
  const std::string shortest = zeltav_support::FormatNumber(value);
  const std::size_t e = shortest.find('e');
  const std::string mantissa = shortest.substr(0, e);
  const std::size_t dot = mantissa.find('.');
  std::string digits =
      dot == std::string::npos ? mantissa : mantissa.substr(0, dot) + mantissa.substr(dot + 1);
  int exponent =
      (dot == std::string::npos ? static_cast<int>(mantissa.size()) : static_cast<int>(dot)) - 1;
  if (e != std::string::npos) exponent += std::atoi(shortest.c_str() + e + 1);
  // Leading zeros (0.05) and trailing ones (1000) are not digits of the form.
  while (digits.size() > 1 && digits[0] == '0') {
    digits.erase(0, 1);
    --exponent;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // value = 0.digits * 10^(exponent + 1): place the point.
  const int point = exponent + 1;
  std::string s;
  if (point <= 0) {
    s = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (static_cast<std::size_t>(point) >= digits.size()) {
    s = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0') + ".0";
  } else {
    s = digits.substr(0, static_cast<std::size_t>(point)) + "." +
        digits.substr(static_cast<std::size_t>(point));
  }
  return s;
}

std::string WriteSmt(const std::vector<const ZELS3Node*>& roots, const VariableNames& names,
                     const std::set<unsigned long long>& booleans, const std::string& logic,
                     std::size_t fixings) {
  // An equation x = 5 standing alone fixes x when it is read: intake records
  // it and the output lists it with the fixings, not in its place. A later
  // root of that form is one the calculator kept (it arose after intake's
  // check, by Transfer or elimination): written as (=> true (= x 5.0)), an
  // implication that intake keeps as it is, it reads back to itself.
  std::vector<const ZELS3Node*> written(roots);
  for (std::size_t i = fixings; i < written.size(); ++i) {
    if (!FixesAVariable(written[i], nullptr, nullptr)) continue;
    ZELICVectorImp_ZELS3Node v(2u, 5u);
    v.Add(CreateExpression(static_cast<unsigned char>(1)));
    v.Add(const_cast<ZELS3Node*>(written[i]));
    if (ZELS3Node* kept = CreateExpression(ZELString(FindInfix("->")->spelling), v))
      written[i] = kept;
  }
  SmtWriter writer(names, booleans);
  return writer.Write(written, logic);
}

std::string WriteInfixLet(const std::vector<const ZELS3Node*>& roots, const Printer& printer,
                          const VariableNames& names) {
  const Children children = [](Node n, std::vector<Node>* out) {
    if (IsLeaf(n)) return;
    for (unsigned i = 0; i < n->GetArgsNum(); ++i) out->push_back(n->GetArg(i));
  };
  Uses uses = CountUses(roots, children);
  const std::string prefix = BindingPrefix(names);
  std::map<const ZELS3Node*, std::string> bound;
  std::string s;
  int next = 1;
  printer.SetBound(&bound);
  for (Node n : uses.order) {
    if (IsLeaf(n) || uses.count[n] < 2) continue;
    std::string name = prefix + std::to_string(next++);
    s += name + " := " + printer.Infix(n) + "\n";
    bound[n] = name;
  }
  for (Node r : roots) {
    auto it = bound.find(r);
    s += (it != bound.end() ? it->second : printer.Infix(r)) + "\n";
  }
  printer.SetBound(nullptr);
  return s;
}

std::size_t CountNodes(const std::vector<const ZELS3Node*>& roots) {
  Uses uses = CountUses(roots, [](Node n, std::vector<Node>* out) {
    if (IsLeaf(n)) return;
    for (unsigned i = 0; i < n->GetArgsNum(); ++i) out->push_back(n->GetArg(i));
  });
  return uses.order.size();
}

}  // namespace zelcalc
