#include "node/NodeTypeTable.h"

namespace zeltav {
namespace {

using C = TypeClass;
using S = ArgShape;

// clang-format off
const NodeTypeFacts kFacts[] = {
  {NodeVariable,         "",     C::Leaf,         S::None,  false, false, 0},
  {NodeConstant,         "",     C::Leaf,         S::None,  false, false, 0},
  {NodeBoolConst,        "",     C::Leaf,         S::None,  false, false, 0},
  {NodeBoolEqual,        "==",   C::BoolRelation, S::Two,   true,  true,  10016},
  {NodeBoolNotEqual,     "<<>>", C::BoolRelation, S::Two,   true,  true,  10016},
  {NodeBoolLess,         "<<",   C::BoolRelation, S::Two,   false, false, 10016},
  {NodeBoolLessEqual,    "<==",  C::BoolRelation, S::Two,   false, false, 10016},
  {NodeBoolGreater,      ">>",   C::BoolRelation, S::Two,   false, false, 10016},
  {NodeBoolGreaterEqual, ">==",  C::BoolRelation, S::Two,   false, false, 10016},
  {NodeEqual,            "==",   C::NumRelation,  S::Two,   true,  true,  10017},
  {NodeNotEqual,         "<<>>", C::NumRelation,  S::Two,   true,  true,  10017},
  {NodeLess,             "<<",   C::NumRelation,  S::Two,   false, false, 10017},
  {NodeLessEqual,        "<==",  C::NumRelation,  S::Two,   false, false, 10017},
  {NodeGreater,          ">>",   C::NumRelation,  S::Two,   false, false, 10017},
  {NodeGreaterEqual,     ">==",  C::NumRelation,  S::Two,   false, false, 10017},
  {NodeAnd,              "/\\",  C::Connective,   S::Two,   true,  true,  10016},
  {NodeOr,               "\\/",  C::Connective,   S::Two,   true,  true,  10016},
  {NodeNot,              "~",    C::Connective,   S::One,   false, false, 10014},
  {NodeImplies,          "->",   C::Connective,   S::Two,   false, false, 10016},
  {NodeAbs,              "abs",  C::Function,     S::One,   false, false, 10013},
  {NodeSign,             "sign", C::Function,     S::One,   false, false, 10013},
  {NodeExp,              "exp",  C::Function,     S::One,   false, false, 10013},
  {NodeLn,               "ln",   C::Function,     S::One,   false, false, 10013},
  {NodeSqrt,             "sqrt", C::Function,     S::One,   false, false, 10013},
  {NodeMin,              "min",  C::List,         S::List,  false, false, 10019},
  {NodeMax,              "max",  C::List,         S::List,  false, false, 10019},
  {NodeSin,              "sin",  C::Function,     S::One,   false, false, 10013},
  {NodeCos,              "cos",  C::Function,     S::One,   false, false, 10013},
  {NodeTg,               "tg",   C::Function,     S::One,   false, false, 10013},
  {NodeCtg,              "ctg",  C::Function,     S::One,   false, false, 10013},
  {NodeAsin,             "asin", C::Function,     S::One,   false, false, 10013},
  {NodeAcos,             "acos", C::Function,     S::One,   false, false, 10013},
  {NodeAtan,             "atan", C::Function,     S::One,   false, false, 10013},
  {NodeSum,              "+",    C::PairList,     S::Pairs, false, false, 0},
  {NodeDifference,       "+",    C::Request,      S::None,  false, false, 10020},
  {NodeProduct,          "*",    C::PairList,     S::Pairs, false, false, 0},
  {NodeQuotient,         "/",    C::Quotient,     S::Two,   false, true,  10018},
  {NodePower,            "^",    C::Request,      S::Two,   false, true,  10020},
  {NodeUnknown,          "",     C::Unknown,      S::Named, false, false, 0},
};
// clang-format on

static_assert(sizeof(kFacts) / sizeof(kFacts[0]) == NodeUnknown + 1, "one row per node type");

}  // namespace

const NodeTypeFacts* FactsOf(int t) {
  if (t < NodeVariable || t > NodeUnknown) return nullptr;
  return &kFacts[t];
}

}  // namespace zeltav
