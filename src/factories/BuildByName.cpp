// Building an operation from its operator spelling. The spelling picks the
// requested type (argument layout and simplification context) and the type
// of the node made; the node keeps the spelling as its name.
#include <cmath>
#include <cstring>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "factories/NodeBuilder.h"
#include "node/NodeTypeTable.h"

namespace {

struct Spelling {
  const char* text;
  ZELNodeType requested;
  ZELNodeType made;
};

// Compared in this order; the first exact match wins.
// clang-format off
const Spelling kSpellings[] = {
  {"abs",  NodeAbs,  NodeAbs},   {"sign", NodeSign, NodeSign}, {"exp",  NodeExp,  NodeExp},
  {"ln",   NodeLn,   NodeLn},    {"sqrt", NodeSqrt, NodeSqrt}, {"min",  NodeMin,  NodeMin},
  {"max",  NodeMax,  NodeMax},   {"sin",  NodeSin,  NodeSin},  {"cos",  NodeCos,  NodeCos},
  {"tg",   NodeTg,   NodeTg},    {"ctg",  NodeCtg,  NodeCtg},  {"asin", NodeAsin, NodeAsin},
  {"acos", NodeAcos, NodeAcos},  {"atan", NodeAtan, NodeAtan},
  {"/\\",  NodeAnd,  NodeAnd},   {"&&",   NodeAnd,  NodeAnd},  {"and",  NodeAnd,  NodeAnd},
  {"\\/",  NodeOr,   NodeOr},    {"||",   NodeOr,   NodeOr},   {"or",   NodeOr,   NodeOr},
  {"~",    NodeNot,  NodeNot},   {"not",  NodeNot,  NodeNot},  {"->",   NodeImplies, NodeImplies},
  {"=",    NodeEqual,        NodeEqual},        {"==",  NodeEqual,        NodeEqual},
  {"<>",   NodeNotEqual,     NodeNotEqual},
  {"<<",   NodeLess,         NodeLess},         {"<",   NodeLess,         NodeLess},
  {"<==",  NodeLessEqual,    NodeLessEqual},    {"<=",  NodeLessEqual,    NodeLessEqual},
  {">>",   NodeGreater,      NodeGreater},      {">",   NodeGreater,      NodeGreater},
  {">=",   NodeGreaterEqual, NodeGreaterEqual}, {">==", NodeGreaterEqual, NodeGreaterEqual},
  {"<<>>", NodeBoolNotEqual, NodeBoolNotEqual},
  {"+",    NodeSum,          NodeSum},
  {"-",    NodeDifference,   NodeSum},
  {"*",    NodeProduct,      NodeProduct},
  {"/",    NodeQuotient,     NodeQuotient},
  {"^",    NodePower,        NodeProduct},
};
// clang-format on

const Spelling kUnknownSpelling = {"", NodeUnknown, NodeUnknown};

// Every factory call by name looks its spelling up: the first characters
// are compared inline, and only a candidate is compared in full.
const Spelling& LookUp(const ZELString& text) {
  const char* t = text;
  for (const Spelling& s : kSpellings) {
    if (t[0] == s.text[0] && std::strcmp(t, s.text) == 0) return s;
  }
  return kUnknownSpelling;
}

// *(c, x) or *(x, c) -> +(c, x) for a registered number c other than 0, 1
// and NaN and a variable x that stands for itself (a constant variable is
// left to the rule: it is never shared): the product rule would
// take c out, make the number c again and leave x alone, so neither the
// product nor the number is made. Null when the rule has more to do.
ZELS3Node* ScaledVariable(ZELS3Node* a, ZELS3Node* b) {
  ZELS3Node* c = a->GetNodeType() == NodeConstant ? a : b;
  ZELS3Node* x = c == a ? b : a;
  if (c->GetNodeType() != NodeConstant || !x->IsNonConstVariable()) return nullptr;
  const double v = c->GetConstant();
  const zeltav::NodeTable* table = zeltav::CurrentTable();
  if (v == 0.0 || v == 1.0 || std::isnan(v) || table == nullptr ||
      !table->StandsForItself(c, NodeProduct) || !table->StandsForItself(x, NodeProduct)) {
    return nullptr;
  }
  // The number the rule makes again is c: a registered number is the only
  // registered one of its value (a new one is Equal to it and handed back).
  ZELS3Node* const pair[] = {c, x};
  return zeltav::NodeBuilder::Operation(NodeSum, pair, 2);
}

}  // namespace

ZELS3Node* CreateExpression(const ZELString& spelling, const ZELICVectorImp_ZELS3Node& args) {
  using zeltav::NodeBuilder;
  const Spelling& entry = LookUp(spelling);
  const ZELNodeType requested = entry.requested;

  const unsigned int n = args.Count();
  bool overUnknown = false;
  bool allBoolean = true;
  for (unsigned int i = 0; i < n; ++i) {
    const ZELS3Node* a = args[i];
    if (a == nullptr) return nullptr;
    overUnknown = overUnknown || a->GetNodeType() == NodeUnknown;
    allBoolean = allBoolean && zeltav::IsBoolValuedType(a->GetNodeType());
  }

  if (requested == NodeProduct && n == 2 && !overUnknown) {
    if (ZELS3Node* scaled = ScaledVariable(args[0], args[1])) return scaled;
  }

  // A long operation asked for again: the node it gave before.
  // (An unknown spelling names the node itself, so it is not kept.)
  const int known = &entry != &kUnknownSpelling ? static_cast<int>(&entry - kSpellings) : -1;
  const NodeBuilder::Repeat repeat(known, args);
  if (ZELS3Node* recalled = repeat.Recalled()) return recalled;

  ZELS3Node* node = NodeBuilder::New(entry.made, spelling);
  if (node == nullptr) return nullptr;
  // f(x) + y -> +(f(x), y): an expression over an unknown operation is unknown.
  if (overUnknown) NodeBuilder::SetType(node, NodeUnknown);

  ZELS3Node* const one = ZELSymbolicCalculator::GetOne();
  ZELS3Node* const minusOne = ZELSymbolicCalculator::GetMinesOne();
  const bool paired = !overUnknown && (requested == NodeSum || requested == NodeDifference ||
                                       requested == NodeProduct);
  NodeBuilder::Reserve(node, paired ? 2 * n : n);
  NodeBuilder::NestedSums nested(n);
  for (unsigned int i = 0; i < n; ++i) {
    ZELS3Node* coefficient = nullptr;
    if (!overUnknown && requested == NodeSum) coefficient = one;
    // -(a) -> +(-1, a);  -(a, b, c) -> +(1, a, -1, b, -1, c)
    if (!overUnknown && requested == NodeDifference)
      coefficient = (i == 0 && n != 1) ? one : minusOne;
    const bool linked = coefficient != nullptr
                            ? nested.LinkPair(node, coefficient, args[i], requested)
                            : NodeBuilder::Link(node, args[i], requested);
    if (!linked) {
      NodeBuilder::Discard(node);
      return nullptr;
    }
    if (!overUnknown && requested == NodeProduct) NodeBuilder::Insert(node, one);
  }
  const bool leftAsIs = nested.Settle(node);

  // =(p, q) over booleans -> the boolean relation ==(p, q) of type 3.
  const ZELNodeType made = overUnknown ? NodeUnknown : entry.made;
  if (allBoolean && made >= NodeEqual && made <= NodeGreaterEqual) {
    NodeBuilder::SetType(node, static_cast<ZELNodeType>(made - (NodeEqual - NodeBoolEqual)));
  }
  return repeat.Keep(NodeBuilder::NestedSums::Finish(node, requested, leftAsIs));
}

ZELS3Node* CreateExpression(const ZELString& spelling, const ZELICVectorImp_ZELS3Node* args) {
  return CreateExpression(spelling, *args);
}
