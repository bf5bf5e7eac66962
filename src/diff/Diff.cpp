// Symbolic derivative of a node graph with respect to one variable. Every
// piece is built with the operation factories, so the result comes out
// simplified and shared. Within one derivative a shared subexpression is
// differentiated once, and a factory call made once, where a second time
// would give the same node (see BuildMemo). A null derivative anywhere makes
// every enclosing derivative null.
#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/BuildMemo.h"
#include "calculator/NodeTable.h"
#include "node/NodeTypeTable.h"

namespace {

// The derivative being taken: its variable and what it has built so far.
struct Derivation {
  unsigned long long id;
  zeltav::BuildMemo memo;
  zeltav::CallMemo calls;
  // The table's count of in-place changes when the derivative began: after
  // one, a node derived or a call made again may give another node, so the
  // memos are no longer read or written.
  std::uint64_t changes;
};

Derivation* current = nullptr;

std::uint64_t Changes() {
  const zeltav::NodeTable* table = zeltav::CurrentTable();
  return table != nullptr ? table->Changes() : 0;
}
bool NothingChanged() { return Changes() == current->changes; }

// A factory call of the derivative being taken. The same call made again
// gives the node the first one gave when the operands and that node equal
// copies of themselves (see BuildMemo), so such a call is made once:
// x^(2-1) and 2*x*1 come up for every term that holds x^2.
ZELS3Node* MakeOnce(ZELNodeType type, ZELS3Node* a, ZELS3Node* b = nullptr,
                    ZELS3Node* c = nullptr) {
  if (current != nullptr && NothingChanged()) {
    ZELS3Node* const* found = current->calls.Get(zeltav::Call{type, a, b, c});
    ZELS3Node* kept = found != nullptr ? *found : nullptr;
    zeltav::BuildMemo& memo = current->memo;
    if (kept != nullptr && memo.SelfEqual(a) && memo.SelfEqual(b) && memo.SelfEqual(c) &&
        memo.SelfEqual(kept)) {
      return kept;
    }
  }
  ZELS3Node* result = c != nullptr   ? CreateTernaryOperation(type, a, b, c)
                      : b != nullptr ? CreateBinaryOperation(type, a, b)
                                     : CreateUnaryOperation(type, a);
  if (current != nullptr && result != nullptr && NothingChanged()) {
    current->calls.Put(zeltav::Call{type, a, b, c}, result, true);
  }
  return result;
}
ZELS3Node* Unary(ZELNodeType type, ZELS3Node* a) { return a ? MakeOnce(type, a) : nullptr; }
ZELS3Node* Binary(ZELNodeType type, ZELS3Node* a, ZELS3Node* b) {
  return a && b ? MakeOnce(type, a, b) : nullptr;
}
ZELS3Node* Ternary(ZELNodeType type, ZELS3Node* a, ZELS3Node* b, ZELS3Node* c) {
  return a && b && c ? MakeOnce(type, a, b, c) : nullptr;
}

// Derivative of an argument within the derivative being taken.
ZELS3Node* D(const ZELS3Node* n, unsigned long long id) {
  if (current == nullptr || current->id != id || !zeltav::TakesArguments(n->GetNodeType()))
    return n->Diff(id);
  ZELS3Node* result = nullptr;
  if (NothingChanged() && current->memo.Find(n, &result)) return result;
  result = n->Diff(id);
  if (NothingChanged()) current->memo.Keep(n, result);
  return result;
}

// Argument i, or null when the node has fewer arguments (a node built by
// operator name may have any count).
ZELS3Node* ArgOrNull(const ZELS3Node& n, unsigned int i) {
  return i < n.GetArgsNum() ? n.GetArg(i) : nullptr;
}

bool IsNumericZero(const ZELS3Node* n) {
  return n && n->GetNodeType() == NodeConstant && n->GetConstant() == 0.0;
}

ZELS3Node* One() { return ZELSymbolicCalculator::GetOne(); }
ZELS3Node* Two() { return ZELSymbolicCalculator::GetTwo(); }

ZELS3Node* Fail(int code) {
  ZELSymbolicCalculator::SetError(code);
  return nullptr;
}

// Chain rule for a function of one argument a: build(a, a') is the outer
// derivative times a'. A constant a' short-cuts to the shared 0.
template <class Build>
ZELS3Node* DiffFunction(const ZELS3Node& n, unsigned long long id, Build build) {
  ZELS3Node* a = ArgOrNull(n, 0);
  if (!a) return nullptr;
  ZELS3Node* da = D(a, id);
  if (IsNumericZero(da)) return ZELSymbolicCalculator::GetZero();
  if (!da) return nullptr;
  return build(a, da);
}

// a' / sqrt(1 - a^2)
ZELS3Node* AsinDerivative(ZELS3Node* a, ZELS3Node* da) {
  ZELS3Node* square = Binary(NodePower, a, Two());
  ZELS3Node* root = Unary(NodeSqrt, Binary(NodeDifference, One(), square));
  return Binary(NodeQuotient, da, root);
}

// (c0, t0, c1, t1, ...)' -> (c0, t0', c1, t1', ...); coefficients are constants.
ZELS3Node* DiffSum(const ZELS3Node& n, unsigned long long id) {
  const unsigned int count = n.GetArgsNum();
  ZELICVectorImp_ZELS3Node pairs(count, 5u);
  for (unsigned int i = 0; i < count; i += 2) {
    ZELS3Node* t = ArgOrNull(n, i + 1);
    pairs.Add(ArgOrNull(n, i));
    pairs.Add(t ? D(t, id) : nullptr);
  }
  return CreateOperation(NodeSum, pairs);
}

// Derivative of the single power f^e, or null. *skip is set when both f and e
// are constant in the variable, so the pair contributes nothing.
ZELS3Node* DiffPower(ZELS3Node* f, ZELS3Node* e, ZELS3Node* df, ZELS3Node* de, bool* skip) {
  *skip = false;
  const bool constExponent = IsNumericZero(de);
  const bool constBase = IsNumericZero(df);
  if (constExponent && constBase) {
    *skip = true;
    return nullptr;
  }
  if (constExponent) {  // e * f^(e-1) * f'
    ZELS3Node* p1 = Binary(NodePower, f, Binary(NodeSum, e, ZELSymbolicCalculator::GetMinesOne()));
    return Ternary(NodeProduct, e, p1, df);
  }
  if (constBase) {  // f^e * ln(f) * e'
    ZELS3Node* p0 = Binary(NodePower, f, e);
    ZELS3Node* lnF = Unary(NodeLn, f);
    return Ternary(NodeProduct, p0, lnF, de);
  }
  // f^(e-1) * e * f' + f^e * e' * ln(f)
  ZELS3Node* p1 = Binary(NodePower, f, Binary(NodeSum, e, ZELSymbolicCalculator::GetMinesOne()));
  ZELS3Node* p0 = Binary(NodePower, f, e);
  ZELS3Node* left = Ternary(NodeProduct, p1, e, df);
  ZELS3Node* lnF = Unary(NodeLn, f);
  ZELS3Node* right = Ternary(NodeProduct, p0, de, lnF);
  return Binary(NodeSum, left, right);
}

// (f0^e0 * f1^e1 * ...)' -> sum over i of the product with pair i replaced
// by ((fi^ei)', 1).
ZELS3Node* DiffProduct(const ZELS3Node& n, unsigned long long id) {
  const unsigned int count = n.GetArgsNum();
  ZELICVectorImp_ZELS3Node terms(count, 5u);
  // One list for the factors of every term: the factory copies it.
  ZELICVectorImp_ZELS3Node factors(count, 5u);
  for (unsigned int i = 0; i < count; i += 2) {
    ZELS3Node* f = ArgOrNull(n, i);
    ZELS3Node* e = ArgOrNull(n, i + 1);
    if (!f || !e) return nullptr;
    ZELS3Node* df = D(f, id);
    ZELS3Node* de = D(e, id);
    if (!df || !de) return nullptr;
    bool skip = false;
    ZELS3Node* d = DiffPower(f, e, df, de, &skip);
    if (skip) continue;
    factors.Flush(0);
    for (unsigned int j = 0; j < count; j += 2) {
      factors.Add(j == i ? d : ArgOrNull(n, j));
      factors.Add(j == i ? One() : ArgOrNull(n, j + 1));
    }
    terms.Add(One());
    terms.Add(CreateOperation(NodeProduct, factors));
  }
  return CreateOperation(NodeSum, terms);
}

// (u / v)' -> (u' v - u v') / v^2, with the shorter forms when u or v is
// constant in the variable.
ZELS3Node* DiffQuotient(const ZELS3Node& n, unsigned long long id) {
  ZELS3Node* u = ArgOrNull(n, 0);
  ZELS3Node* v = ArgOrNull(n, 1);
  if (!u || !v) return nullptr;
  ZELS3Node* du = D(u, id);
  ZELS3Node* dv = D(v, id);
  if (!du || !dv) return nullptr;
  if (IsNumericZero(dv)) {
    return IsNumericZero(du) ? ZELSymbolicCalculator::GetZero() : Binary(NodeQuotient, du, v);
  }
  if (IsNumericZero(du)) {  // -(u v') / v^2
    ZELS3Node* numerator = Unary(NodeDifference, Binary(NodeProduct, u, dv));
    return Binary(NodeQuotient, numerator, Binary(NodePower, v, Two()));
  }
  ZELS3Node* duv = Binary(NodeProduct, du, v);
  ZELS3Node* udv = Binary(NodeProduct, u, dv);
  ZELS3Node* numerator = Binary(NodeDifference, duv, udv);
  return Binary(NodeQuotient, numerator, Binary(NodePower, v, Two()));
}

}  // namespace

ZELS3Node* ZELS3Node::Diff(unsigned long long id) const {
  if (current == nullptr && zeltav::TakesArguments(type)) {
    // The outermost call: the remembered results live as long as it runs.
    Derivation derivation{id, {}, {}, Changes()};
    current = &derivation;
    ZELS3Node* result = Diff(id);
    current = nullptr;
    return result;
  }
  switch (type) {
    case NodeVariable:
      return (constVar == 0 && value.id == id) ? ZELSymbolicCalculator::GetOne()
                                               : ZELSymbolicCalculator::GetZero();
    case NodeConstant:
      return ZELSymbolicCalculator::GetZero();
    case NodeBoolConst:
      return Fail(10010);
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
    case NodeSign:
    case NodeMin:
    case NodeMax:
      return Fail(1);
    case NodeAbs:  // sign(a) * a'
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        return Binary(NodeProduct, Unary(NodeSign, a), da);
      });
    case NodeExp:  // exp(a) * a'
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        return Binary(NodeProduct, Unary(NodeExp, a), da);
      });
    case NodeLn:  // a' / a
      return DiffFunction(*this, id,
                          [](ZELS3Node* a, ZELS3Node* da) { return Binary(NodeQuotient, da, a); });
    case NodeSqrt:  // a' / (sqrt(a) * 2)
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        ZELS3Node* twice = Binary(NodeProduct, Unary(NodeSqrt, a), Two());
        return Binary(NodeQuotient, da, twice);
      });
    case NodeSin:  // cos(a) * a'
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        return Binary(NodeProduct, Unary(NodeCos, a), da);
      });
    case NodeCos:  // -(sin(a) * a')
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        ZELS3Node* inner = Binary(NodeProduct, Unary(NodeSin, a), da);
        return Unary(NodeDifference, inner);
      });
    case NodeTg:  // a' / cos(a)^2
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        ZELS3Node* square = Binary(NodePower, Unary(NodeCos, a), Two());
        return Binary(NodeQuotient, da, square);
      });
    case NodeCtg:  // -(a' / sin(a)^2)
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        ZELS3Node* square = Binary(NodePower, Unary(NodeSin, a), Two());
        return Unary(NodeDifference, Binary(NodeQuotient, da, square));
      });
    case NodeAsin:
      return DiffFunction(*this, id, AsinDerivative);
    case NodeAcos:  // -(asin')
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        return Unary(NodeDifference, AsinDerivative(a, da));
      });
    case NodeAtan:  // a' / (a^2 + 1)
      return DiffFunction(*this, id, [](ZELS3Node* a, ZELS3Node* da) {
        ZELS3Node* square = Binary(NodePower, a, Two());
        return Binary(NodeQuotient, da, Binary(NodeSum, square, One()));
      });
    case NodeSum:
      return DiffSum(*this, id);
    case NodeProduct:
      return DiffProduct(*this, id);
    case NodeQuotient:
      return DiffQuotient(*this, id);
    case NodeDifference:
    case NodePower:
    case NodeUnknown:
      return Fail(10010);
  }
  return Fail(10010);  // a value outside the enumeration
}
