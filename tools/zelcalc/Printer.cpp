#include "Printer.h"

#include <zeltav_support/NodeText.h>
#include <zeltav_support/NumberFormat.h>

#include <cmath>
#include <string>

#include "Operators.h"

namespace zelcalc {
namespace {

using zeltav_support::FormatNumber;

// A graph whose tree form exceeds this many nodes is not written out.
constexpr long kPrintBudget = 4000000;

struct TooLarge {};

bool IsNumber(const ZELS3Node* n, double v) {
  return n != nullptr && n->GetNodeType() == NodeConstant && n->GetConstant() == v;
}

std::string Spaced(const std::string& name) { return name == "~" ? name : name + " "; }

}  // namespace

std::string Printer::VariableName(const ZELS3Node* v) const {
  auto it = names_.find(v->GetVariableID());
  if (it != names_.end()) return it->second;
  return "_v" + std::to_string(v->GetVariableID());
}

zeltav_support::NodeTextStyle Printer::Style() const {
  zeltav_support::NodeTextStyle style;
  style.variable = [this](const ZELS3Node* v) { return VariableName(v); };
  style.maxNodes = kPrintBudget;
  return style;
}

std::string Printer::Leaf(const ZELS3Node* n) const { return zeltav_support::LeafText(n, Style()); }

std::string Printer::Infix(const ZELS3Node* node) const {
  budget_ = kPrintBudget;
  try {
    return Print(node).text;
  } catch (const TooLarge&) {
    return "<expression too large to print>";
  }
}

std::string Printer::Raw(const ZELS3Node* node) const {
  return zeltav_support::NodeText(node, Style());
}

std::string Printer::Wrapped(const Out& out, int need) {
  return out.level >= need ? out.text : "(" + out.text + ")";
}

Printer::Out Printer::Print(const ZELS3Node* n) const {
  if (n == nullptr) return {"null", kAtom, ""};
  if (--budget_ < 0) throw TooLarge();
  const ZELNodeType type = n->GetNodeType();
  const std::string name = static_cast<const char*>(n->GetOperName());
  switch (type) {
    case NodeVariable:
    case NodeBoolConst:
      return {Leaf(n), kAtom, ""};
    case NodeConstant: {
      double v = n->GetConstant();
      return {FormatNumber(v), std::signbit(v) && !std::isnan(v) ? kUnary : kAtom, ""};
    }
    case NodeBoolEqual:
    case NodeBoolNotEqual:
    case NodeBoolLess:
    case NodeBoolLessEqual:
    case NodeBoolGreater:
    case NodeBoolGreaterEqual:
    case NodeEqual:
    case NodeNotEqual:
    case NodeLess:
    case NodeLessEqual:
    case NodeGreater:
    case NodeGreaterEqual:
      return n->GetArgsNum() == 2 ? Relation(n, name) : Call(n);
    case NodeAnd:
      return n->GetArgsNum() == 2 ? LeftBinary(n, name, kAnd) : Call(n);
    case NodeOr:
      return n->GetArgsNum() == 2 ? LeftBinary(n, name, kOr) : Call(n);
    case NodeNot:
      return n->GetArgsNum() == 1 ? Prefix(n, name, kNot) : Call(n);
    case NodeImplies:
      return n->GetArgsNum() == 2 ? Implies(n, name) : Call(n);
    case NodeAbs:
    case NodeSign:
    case NodeExp:
    case NodeLn:
    case NodeSqrt:
    case NodeMin:
    case NodeMax:
    case NodeSin:
    case NodeCos:
    case NodeTg:
    case NodeCtg:
    case NodeAsin:
    case NodeAcos:
    case NodeAtan:
    case NodeDifference:  // never stored; written as a call if it ever shows up
      return Call(n);
    case NodeSum:
      return PrintSum(n);
    case NodeProduct:
      return PrintProduct(n);
    case NodeQuotient:
      return n->GetArgsNum() == 2 ? Quotient(n, "/") : Call(n);
    case NodePower:
      return n->GetArgsNum() == 2 ? Power(n->GetArg(0), n->GetArg(1), "^") : Call(n);
    case NodeUnknown:
      return PrintUnknown(n);
  }
  return Call(n);
}

Printer::Out Printer::Call(const ZELS3Node* n) const {
  std::string s = static_cast<const char*>(n->GetOperName());
  s += "(";
  for (unsigned i = 0; i < n->GetArgsNum(); ++i) {
    if (i > 0) s += ", ";
    s += Print(n->GetArg(i)).text;
  }
  return {s + ")", kAtom, ""};
}

Printer::Out Printer::Relation(const ZELS3Node* n, const std::string& name) const {
  Out a = Print(n->GetArg(0)), b = Print(n->GetArg(1));
  return {Wrapped(a, kAdditive) + " " + name + " " + Wrapped(b, kAdditive), kRelation, ""};
}

// a op b op c groups as (a op b) op c: the left operand may sit at the same level.
Printer::Out Printer::LeftBinary(const ZELS3Node* n, const std::string& name, int level) const {
  Out a = Print(n->GetArg(0)), b = Print(n->GetArg(1));
  return {Wrapped(a, level) + " " + name + " " + Wrapped(b, level + 1), level, ""};
}

Printer::Out Printer::Prefix(const ZELS3Node* n, const std::string& name, int level) const {
  Out a = Print(n->GetArg(0));
  return {Spaced(name) + Wrapped(a, level), level, ""};
}

Printer::Out Printer::Implies(const ZELS3Node* n, const std::string& name) const {
  Out a = Print(n->GetArg(0)), b = Print(n->GetArg(1));
  return {Wrapped(a, kOr) + " " + name + " " + Wrapped(b, kImplies), kImplies, ""};
}

Printer::Out Printer::Quotient(const ZELS3Node* n, const std::string& name) const {
  Out a = Print(n->GetArg(0)), b = Print(n->GetArg(1));
  return {Wrapped(a, kMultiplicative) + name + Wrapped(b, kUnary), kMultiplicative, name};
}

Printer::Out Printer::Power(const ZELS3Node* base, const ZELS3Node* exponent,
                            const std::string& name) const {
  Out a = Print(base), b = Print(exponent);
  return {Wrapped(a, kAtom) + name + Wrapped(b, kUnary), kPower, ""};
}

// An operation written as a run of one operator ("+", "-", "*"), as the parser
// reads it: a nested run of the same operator keeps its parentheses.
Printer::Out Printer::Chain(const ZELS3Node* n, const std::string& name, int level) const {
  std::string s;
  const std::string sep = level == kAdditive ? " " + name + " " : name;
  for (unsigned i = 0; i < n->GetArgsNum(); ++i) {
    Out a = Print(n->GetArg(i));
    bool bare = a.level > level || (i == 0 && a.level == level && a.op != name);
    if (i > 0) s += sep;
    s += bare ? a.text : "(" + a.text + ")";
  }
  return {s, level, name};
}

// An unknown operation named like an operator prints as that operator, as
// the parser reads it; any other prints as a call.
Printer::Out Printer::PrintUnknown(const ZELS3Node* n) const {
  const std::string name = static_cast<const char*>(n->GetOperName());
  const unsigned count = n->GetArgsNum();
  const Operator* prefix = count == 1 ? FindPrefix(name) : nullptr;
  if (prefix != nullptr && prefix->level == kNot) return Prefix(n, name, kNot);
  if (prefix != nullptr) return {name + Wrapped(Print(n->GetArg(0)), kUnary), kUnary, ""};
  const Operator* infix = FindInfix(name);
  if (infix != nullptr && infix->grouping == Grouping::Run && count >= 2)
    return Chain(n, name, infix->level);
  if (infix == nullptr || count != 2) return Call(n);
  switch (infix->level) {
    case kRelation:
      return Relation(n, name);
    case kAnd:
    case kOr:
      return LeftBinary(n, name, infix->level);
    case kImplies:
      return Implies(n, name);
    case kMultiplicative:
      return Quotient(n, name);
    case kPower:
      return Power(n->GetArg(0), n->GetArg(1), name);
    default:
      return Call(n);
  }
}

// Pairs (coefficient, term): "t", "- t", "c*t"; a numeric term joins its
// coefficient, so (1, -3) reads "- 3".
Printer::Out Printer::PrintSum(const ZELS3Node* n) const {
  const unsigned count = n->GetArgsNum();
  if (count < 2) return count == 0 ? Out{"0", kAtom, ""} : Call(n);
  std::string s;
  std::string lastOp = "+";
  Out single{"", kAtom, ""};
  for (unsigned i = 0; i + 1 < count; i += 2) {
    const ZELS3Node* c = n->GetArg(i);
    const ZELS3Node* t = n->GetArg(i + 1);
    bool negative = false;
    Out body;
    if (c == nullptr || c->GetNodeType() != NodeConstant) {
      Out co = Print(c), te = Print(t);
      body = {Wrapped(co, kUnary) + "*" + Wrapped(te, kUnary), kMultiplicative, "*"};
    } else {
      double cv = c->GetConstant();
      bool numericTerm = t != nullptr && t->GetNodeType() == NodeConstant;
      if (numericTerm && (cv == 1.0 || t->GetConstant() == 1.0)) {
        double v = cv == 1.0 ? t->GetConstant() : cv;
        negative = v < 0;
        body = {FormatNumber(negative ? -v : v), kAtom, ""};
      } else {
        negative = cv < 0;
        double mag = negative ? -cv : cv;
        Out te = Print(t);
        if (mag == 1.0) {
          body = te.level >= kMultiplicative ? te : Out{"(" + te.text + ")", kAtom, ""};
        } else {
          bool bare = te.level > kMultiplicative || (te.level == kMultiplicative && te.op == "*");
          body = {FormatNumber(mag) + "*" + (bare ? te.text : "(" + te.text + ")"), kMultiplicative,
                  "*"};
        }
      }
    }
    if (i == 0) {
      s = negative ? "-" + body.text : body.text;
      single = negative ? Out{s, body.level >= kUnary ? kUnary : kMultiplicative, ""} : body;
    } else {
      lastOp = negative ? "-" : "+";
      s += " " + lastOp + " " + body.text;
    }
  }
  if (count == 2) return single;
  return {s, kAdditive, lastOp};
}

// Pairs (factor, exponent): "f" for exponent 1, else "f^e", joined by "*".
Printer::Out Printer::PrintProduct(const ZELS3Node* n) const {
  const unsigned count = n->GetArgsNum();
  if (count < 2) return count == 0 ? Out{"1", kAtom, ""} : Call(n);
  std::string s;
  for (unsigned i = 0; i + 1 < count; i += 2) {
    const ZELS3Node* f = n->GetArg(i);
    const ZELS3Node* e = n->GetArg(i + 1);
    Out factor = IsNumber(e, 1.0) ? Print(f) : Power(f, e, "^");
    if (count == 2) return factor;
    bool bare = factor.level > kMultiplicative ||
                (i == 0 && factor.level == kMultiplicative && factor.op != "*");
    if (i > 0) s += "*";
    s += bare ? factor.text : "(" + factor.text + ")";
  }
  return {s, kMultiplicative, "*"};
}

}  // namespace zelcalc
