// The per-type rule of the simplifier: constant folding, the boolean and
// relational logic, and the entry to the sum, product and min/max
// normalisations. A rule either folds the node to *number (no arguments
// left, null returned), replaces it (the replacement returned), or keeps it
// (null returned, arguments left, possibly rewritten in place).
#include <cmath>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "node/NodeTypeTable.h"
#include "simplify/ArgAccess.h"

using zeltav::ArgOrNull;
using zeltav::IsBoolConstant;
using zeltav::IsNumber;

namespace {

void Fail(int code) { ZELSymbolicCalculator::SetError(code); }

ZELS3Node* True() { return ZELSymbolicCalculator::GetTrue(); }
ZELS3Node* False() { return ZELSymbolicCalculator::GetFalse(); }
ZELS3Node* Truth(bool b) { return b ? True() : False(); }
ZELS3Node* Not(ZELS3Node* x) { return CreateUnaryOperation(NodeNot, x); }

// Only the byte 1 is true, as for IsTrue and the negation of a constant.
bool IsTrueByte(unsigned char b) { return b == 1; }

// Whether n arguments suit the shape of the type; shapes without a fixed
// count accept any.
bool ArityFits(zeltav::ArgShape shape, unsigned int n) {
  switch (shape) {
    case zeltav::ArgShape::One:
      return n == 1;
    case zeltav::ArgShape::Two:
      return n == 2;
    case zeltav::ArgShape::List:
      return n != 1;
    case zeltav::ArgShape::None:
    case zeltav::ArgShape::Pairs:
    case zeltav::ArgShape::Named:
      return true;
  }
  return true;
}

// The product left once the number k is taken out of *(x, 1): a registered
// variable x that stands for itself here (no fixed value replaces it) is
// that product, *(x, 1) -> x, so it is not built only to give x back.
ZELS3Node* ProductOfRest(const ZELICVectorImp_ZELS3Node& pairs) {
  const zeltav::NodeTable* table = zeltav::CurrentTable();
  if (table != nullptr && pairs.Count() == 2) {
    ZELS3Node* base = pairs[0];
    ZELS3Node* e = pairs[1];
    if (base != nullptr && base->GetNodeType() == NodeVariable && IsNumber(e) &&
        e->GetConstant() == 1.0 && table->StandsForItself(base, NodeProduct) &&
        table->StandsForItself(e, NodeProduct)) {
      return base;
    }
  }
  return CreateOperation(NodeProduct, pairs);
}

}  // namespace

ZELS3Node* ZELS3Node::Simplify(double* number) {
  if (scalc == nullptr) return nullptr;
  if (!zeltav::IsOperationType(type)) {
    Fail(10005);
    return nullptr;
  }
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(type);
  if (facts->arityError != 0 && !ArityFits(facts->shape, args.Count())) {
    Fail(facts->arityError);
    return nullptr;
  }
  ZELS3Node* a = ArgOrNull(this, 0);
  ZELS3Node* b = ArgOrNull(this, 1);

  switch (type) {
    case NodeBoolEqual:
    case NodeBoolNotEqual:
    case NodeBoolLess:
    case NodeBoolLessEqual:
    case NodeBoolGreater:
    case NodeBoolGreaterEqual:
    case NodeAnd:
    case NodeOr:
    case NodeImplies:
      // Decided only inside an enclosing expression; a fresh top-level
      // relation stays a relation.
      if (GetFathNum() == 0) return nullptr;
      if (IsBoolConstant(a) && IsBoolConstant(b))
        return EvaluateBoolConstants(type, a->value.boolean, b->value.boolean);
      if (IsBoolConstant(a)) return EvaluateBoolLeft(type, a->value.boolean, b);
      if (IsBoolConstant(b)) return EvaluateBoolRight(type, a, b->value.boolean);
      return nullptr;

    case NodeEqual:
    case NodeNotEqual:
    case NodeLess:
    case NodeLessEqual:
    case NodeGreater:
    case NodeGreaterEqual:
      if (GetFathNum() == 0 || !IsNumber(a) || !IsNumber(b)) return nullptr;
      return CompareConstants(type, a->value.constant, b->value.constant);

    case NodeNot:
      return SimplifyNot();

    case NodeAbs:
    case NodeSign:
    case NodeExp:
    case NodeLn:
    case NodeSqrt:
    case NodeSin:
    case NodeCos:
    case NodeTg:
    case NodeCtg:
    case NodeAsin:
    case NodeAcos:
    case NodeAtan:
      if (!IsNumber(a)) return nullptr;
      *number = EvaluateFunction(type, a->value.constant);
      RemoveAllArgs();
      return nullptr;

    case NodeMin:
    case NodeMax:
      SimplifyMinMax();
      return nullptr;

    case NodeSum: {
      SimplifySum();
      if (args.Count() != 2) return nullptr;
      ZELS3Node* c = args[0];
      ZELS3Node* t = args[1];
      if (IsNumber(c) && c->value.constant == 1.0) {  // +(1, t) -> t
        RemoveAllArgs();
        return t;
      }
      if (IsNumber(c) && IsNumber(t)) {  // +(c, K) -> c*K
        *number = c->value.constant * t->value.constant;
        RemoveAllArgs();
      }
      return nullptr;  // the scaled term c*t stays
    }

    case NodeProduct: {
      const double k = SimplifyProd();
      if (args.Count() == 0) {
        *number = k;
        return nullptr;
      }
      if (k != 1.0) {  // *(x, 1, y, 1) with k -> +(k, *(x, 1, y, 1)); NaN included
        ZELS3Node* coefficient = CreateExpression(k);
        ZELS3Node* product = ProductOfRest(args);
        ZELICVectorImp_ZELS3Node pair(2u, 2u);
        pair.Add(coefficient);
        pair.Add(product);
        return CreateOperation(NodeSum, pair);
      }
      if (args.Count() != 2 || !IsNumber(args[1])) return nullptr;
      ZELS3Node* base = args[0];
      const double e = args[1]->value.constant;
      if (e == 1.0) {  // *(b, 1) -> b
        RemoveAllArgs();
        return base;
      }
      if (e == 0.0) {
        *number = 1.0;
        RemoveAllArgs();
      } else if (IsNumber(base)) {
        *number = std::pow(base->value.constant, e);
        RemoveAllArgs();
      }
      return nullptr;
    }

    case NodeQuotient:
      if (a == nullptr || !IsNumber(b)) return nullptr;
      if (b->value.constant == 0.0) {
        Fail(2);
        return nullptr;
      }
      if (IsNumber(a)) {
        *number = DivideConstants(NodeQuotient, a->value.constant, b->value.constant);
        RemoveAllArgs();
        return nullptr;
      }
      if (scalc->GetDivReplace())  // /(x, 4) -> *(x, 1, 0.25, 1)
        return CreateBinaryOperation(NodeProduct, a, CreateExpression(1.0 / b->value.constant));
      return nullptr;

    case NodeDifference:
    case NodePower:
      Fail(10020);  // building requests: never stored as such
      return nullptr;

    case NodeVariable:
    case NodeConstant:
    case NodeBoolConst:
    case NodeUnknown:
      return nullptr;  // not operations; refused above
  }
  return nullptr;
}

// Negation pushed inwards:
//   ~(a << b) -> a >== b    ~(a /\ b) -> ~a \/ ~b    ~~a -> a    ~(a -> b) -> a /\ ~b
ZELS3Node* ZELS3Node::SimplifyNot() {
  ZELS3Node* x = ArgOrNull(this, 0);
  if (x == nullptr) return nullptr;
  ZELS3Node* u = ArgOrNull(x, 0);
  ZELS3Node* v = ArgOrNull(x, 1);
  switch (x->type) {
    case NodeBoolConst:
      return x->value.boolean == 1 ? False() : True();
    case NodeVariable:
    case NodeConstant:
    case NodeUnknown:
      Fail(10005);
      return nullptr;
    case NodeBoolEqual:
      return CreateBinaryOperation(NodeBoolNotEqual, u, v);
    case NodeBoolNotEqual:
      return CreateBinaryOperation(NodeBoolEqual, u, v);
    case NodeBoolLess:
      return CreateBinaryOperation(NodeBoolGreaterEqual, u, v);
    case NodeBoolLessEqual:
      return CreateBinaryOperation(NodeBoolGreater, u, v);
    case NodeBoolGreater:
      return CreateBinaryOperation(NodeBoolLessEqual, u, v);
    case NodeBoolGreaterEqual:
      return CreateBinaryOperation(NodeBoolLess, u, v);
    case NodeEqual:
      return CreateBinaryOperation(NodeNotEqual, u, v);
    case NodeNotEqual:
      return CreateBinaryOperation(NodeEqual, u, v);
    case NodeLess:
      return CreateBinaryOperation(NodeGreaterEqual, u, v);
    case NodeLessEqual:
      return CreateBinaryOperation(NodeGreater, u, v);
    case NodeGreater:
      return CreateBinaryOperation(NodeLessEqual, u, v);
    case NodeGreaterEqual:
      return CreateBinaryOperation(NodeLess, u, v);
    case NodeAnd: {
      ZELS3Node* notV = Not(v);
      return CreateBinaryOperation(NodeOr, Not(u), notV);
    }
    case NodeOr: {
      ZELS3Node* notV = Not(v);
      return CreateBinaryOperation(NodeAnd, Not(u), notV);
    }
    case NodeNot:
      return u;
    case NodeImplies:
      return CreateBinaryOperation(NodeAnd, u, Not(v));
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
    case NodeSum:
    case NodeDifference:
    case NodeProduct:
    case NodeQuotient:
    case NodePower:
      Fail(10015);  // not a boolean operation
      return nullptr;
  }
  Fail(10005);
  return nullptr;
}

// Exact comparison, no tolerance.
ZELS3Node* ZELS3Node::CompareConstants(ZELNodeType t, double a, double b) {
  switch (t) {
    case NodeEqual:
      return Truth(a == b);
    case NodeNotEqual:
      return Truth(a != b);
    case NodeLess:
      return Truth(a < b);
    case NodeLessEqual:
      return Truth(a <= b);
    case NodeGreater:
      return Truth(a > b);
    case NodeGreaterEqual:
      return Truth(a >= b);
    case NodeVariable:
    case NodeConstant:
    case NodeBoolConst:
    case NodeBoolEqual:
    case NodeBoolNotEqual:
    case NodeBoolLess:
    case NodeBoolLessEqual:
    case NodeBoolGreater:
    case NodeBoolGreaterEqual:
    case NodeAnd:
    case NodeOr:
    case NodeNot:
    case NodeImplies:
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
    case NodeSum:
    case NodeDifference:
    case NodeProduct:
    case NodeQuotient:
    case NodePower:
    case NodeUnknown:
      break;
  }
  return nullptr;  // not a numeric relation: no decision
}

namespace {

// What a boolean relation or connective makes of constant sides: the truth
// table over (p, q) = FF, FT, TF, TT (false is ordered before true), and,
// with one side constant, what remains of the other side.
enum class Keeps { Other, NotOther, True, False };

struct BoolRule {
  ZELNodeType type;
  bool truth[4];
  Keeps leftTrue, leftFalse;    // first side the constant:  true -> y  is  y
  Keeps rightTrue, rightFalse;  // second side the constant:  x -> false  is  ~x
};

using K = Keeps;
// clang-format off
const BoolRule kBoolRules[] = {
  {NodeBoolEqual,        {1, 0, 0, 1}, K::Other,    K::NotOther, K::Other,    K::NotOther},
  {NodeBoolNotEqual,     {0, 1, 1, 0}, K::NotOther, K::Other,    K::NotOther, K::Other},
  {NodeBoolLess,         {0, 1, 0, 0}, K::False,    K::Other,    K::NotOther, K::False},
  {NodeBoolLessEqual,    {1, 1, 0, 1}, K::Other,    K::True,     K::True,     K::NotOther},
  {NodeBoolGreater,      {0, 0, 1, 0}, K::NotOther, K::False,    K::False,    K::Other},
  {NodeBoolGreaterEqual, {1, 0, 1, 1}, K::True,     K::NotOther, K::Other,    K::True},
  {NodeAnd,              {0, 0, 0, 1}, K::Other,    K::False,    K::Other,    K::False},
  {NodeOr,               {0, 1, 1, 1}, K::True,     K::Other,    K::True,     K::Other},
  {NodeImplies,          {1, 1, 0, 1}, K::Other,    K::True,     K::True,     K::NotOther},
};
// clang-format on

const BoolRule* BoolRuleOf(ZELNodeType t) {
  for (const BoolRule& rule : kBoolRules) {
    if (rule.type == t) return &rule;
  }
  return nullptr;
}

ZELS3Node* Remaining(Keeps keeps, ZELS3Node* other) {
  switch (keeps) {
    case Keeps::Other:
      return other;
    case Keeps::NotOther:
      return Not(other);
    case Keeps::True:
      return True();
    case Keeps::False:
      return False();
  }
  return nullptr;
}

}  // namespace

ZELS3Node* ZELS3Node::EvaluateBoolConstants(ZELNodeType t, unsigned char p, unsigned char q) {
  const BoolRule* rule = BoolRuleOf(t);
  if (rule == nullptr) return nullptr;
  return Truth(rule->truth[2 * IsTrueByte(p) + IsTrueByte(q)]);
}

ZELS3Node* ZELS3Node::EvaluateBoolLeft(ZELNodeType t, unsigned char p, ZELS3Node* y) {
  const BoolRule* rule = BoolRuleOf(t);
  if (rule == nullptr) return nullptr;
  return Remaining(IsTrueByte(p) ? rule->leftTrue : rule->leftFalse, y);
}

ZELS3Node* ZELS3Node::EvaluateBoolRight(ZELNodeType t, ZELS3Node* x, unsigned char q) {
  const BoolRule* rule = BoolRuleOf(t);
  if (rule == nullptr) return nullptr;
  return Remaining(IsTrueByte(q) ? rule->rightTrue : rule->rightFalse, x);
}

// Value of a one-argument function at a number; outside its domain the value
// is 0 and the error code says why.
double ZELS3Node::EvaluateFunction(ZELNodeType t, double x) {
  switch (t) {
    case NodeAbs:
      return std::fabs(x);
    case NodeSign:
      return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
    case NodeExp:
      return std::exp(x);
    case NodeLn:
      if (x <= 0) {
        Fail(3);
        return 0.0;
      }
      return std::log(x);
    case NodeSqrt:
      if (x < 0) {
        Fail(4);
        return 0.0;
      }
      return std::sqrt(x);
    case NodeSin:
      return std::sin(x);
    case NodeCos:
      return std::cos(x);
    case NodeTg:
      return std::tan(x);
    case NodeCtg: {
      const double tangent = std::tan(x);
      return tangent == 0.0 ? HUGE_VAL : 1.0 / tangent;  // ctg(0) = +inf, no error
    }
    case NodeAsin:
      if (x < -1 || x > 1) {
        Fail(5);
        return 0.0;
      }
      return std::asin(x);
    case NodeAcos:
      if (x < -1 || x > 1) {
        Fail(6);
        return 0.0;
      }
      return std::acos(x);
    case NodeAtan:
      return std::atan(x);
    case NodeVariable:
    case NodeConstant:
    case NodeBoolConst:
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
    case NodeAnd:
    case NodeOr:
    case NodeNot:
    case NodeImplies:
    case NodeMin:
    case NodeMax:
    case NodeSum:
    case NodeDifference:
    case NodeProduct:
    case NodeQuotient:
    case NodePower:
    case NodeUnknown:
      break;
  }
  return 0.0;  // not a function of one argument
}

// The caller has already refused a zero divisor.
double ZELS3Node::DivideConstants(ZELNodeType, double a, double b) { return a / b; }
