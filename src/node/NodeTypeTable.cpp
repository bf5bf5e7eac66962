#include "node/NodeTypeTable.h"

namespace zeltav {
namespace {

using C = TypeClass;
using S = ArgShape;

// clang-format off
const NodeTypeFacts kFacts[] = {
  {NodeVariable,         "",     C::Leaf,         S::None,  false, false, 0, nullptr},
  {NodeConstant,         "",     C::Leaf,         S::None,  false, false, 0, nullptr},
  {NodeBoolConst,        "",     C::Leaf,         S::None,  false, false, 0, nullptr},
  {NodeBoolEqual,        "==",   C::BoolRelation, S::Two,   true,  true,  10016, "="},
  {NodeBoolNotEqual,     "<<>>", C::BoolRelation, S::Two,   true,  true,  10016, "<>"},
  {NodeBoolLess,         "<<",   C::BoolRelation, S::Two,   false, false, 10016, "<"},
  {NodeBoolLessEqual,    "<==",  C::BoolRelation, S::Two,   false, false, 10016, "<="},
  {NodeBoolGreater,      ">>",   C::BoolRelation, S::Two,   false, false, 10016, ">"},
  {NodeBoolGreaterEqual, ">==",  C::BoolRelation, S::Two,   false, false, 10016, ">="},
  {NodeEqual,            "==",   C::NumRelation,  S::Two,   true,  true,  10017, "="},
  {NodeNotEqual,         "<<>>", C::NumRelation,  S::Two,   true,  true,  10017, "<>"},
  {NodeLess,             "<<",   C::NumRelation,  S::Two,   false, false, 10017, "<"},
  {NodeLessEqual,        "<==",  C::NumRelation,  S::Two,   false, false, 10017, "<="},
  {NodeGreater,          ">>",   C::NumRelation,  S::Two,   false, false, 10017, ">"},
  {NodeGreaterEqual,     ">==",  C::NumRelation,  S::Two,   false, false, 10017, ">="},
  {NodeAnd,              "/\\",  C::Connective,   S::Two,   true,  true,  10016, nullptr},
  {NodeOr,               "\\/",  C::Connective,   S::Two,   true,  true,  10016, nullptr},
  {NodeNot,              "~",    C::Connective,   S::One,   false, false, 10014, nullptr},
  {NodeImplies,          "->",   C::Connective,   S::Two,   false, false, 10016, nullptr},
  {NodeAbs,              "abs",  C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeSign,             "sign", C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeExp,              "exp",  C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeLn,               "ln",   C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeSqrt,             "sqrt", C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeMin,              "min",  C::List,         S::List,  false, false, 10019, nullptr},
  {NodeMax,              "max",  C::List,         S::List,  false, false, 10019, nullptr},
  {NodeSin,              "sin",  C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeCos,              "cos",  C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeTg,               "tg",   C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeCtg,              "ctg",  C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeAsin,             "asin", C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeAcos,             "acos", C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeAtan,             "atan", C::Function,     S::One,   false, false, 10013, nullptr},
  {NodeSum,              "+",    C::PairList,     S::Pairs, false, false, 0, nullptr},
  {NodeDifference,       "+",    C::Request,      S::None,  false, false, 10020, nullptr},
  {NodeProduct,          "*",    C::PairList,     S::Pairs, false, false, 0, nullptr},
  {NodeQuotient,         "/",    C::Quotient,     S::Two,   false, true,  10018, nullptr},
  {NodePower,            "^",    C::Request,      S::Two,   false, true,  10020, nullptr},
  {NodeUnknown,          "",     C::Unknown,      S::Named, false, false, 0, nullptr},
};
// clang-format on

static_assert(sizeof(kFacts) / sizeof(kFacts[0]) == NodeUnknown + 1, "one row per node type");

}  // namespace

const NodeTypeFacts* FactsOf(int t) {
  if (t < NodeVariable || t > NodeUnknown) return nullptr;
  return &kFacts[t];
}

}  // namespace zeltav
