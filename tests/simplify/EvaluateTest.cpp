#include <memory>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;

struct Evaluation : WithCalculator {
  // The rule's result for a hand-made node, once it stands under a father.
  ZELS3Node* UnderAFather(ZELNodeType t, Args args) {
    ZELS3Node* node = pool.Raw(t, args);
    A::AddFath(node, pool.Raw(NodeAnd, {}));
    double number = 0.0;
    return A::Evaluate(node, &number);
  }
  // The node is kept, with all its arguments, and the error is the code.
  void ExpectKeptWithCode(ZELNodeType t, Args args, int code) {
    ResetError();
    EXPECT_EQ(UnderAFather(t, args), nullptr) << t;
    EXPECT_EQ(ErrorCode(), code) << t;
  }
};

// The truth table of each boolean relation and connective between two
// constants, rows (p, q) = (0, 0), (0, 1), (1, 0), (1, 1); false is ordered before true.
struct TruthTable {
  ZELNodeType type;
  bool rows[4];
};
const TruthTable kTruthTables[] = {
    {NodeBoolEqual, {true, false, false, true}},
    {NodeBoolNotEqual, {false, true, true, false}},
    {NodeBoolLess, {false, true, false, false}},
    {NodeBoolLessEqual, {true, true, false, true}},
    {NodeBoolGreater, {false, false, true, false}},
    {NodeBoolGreaterEqual, {true, false, true, true}},
    {NodeAnd, {false, false, false, true}},
    {NodeOr, {false, true, true, true}},
    {NodeImplies, {true, true, false, true}},
};

TEST_F(Evaluation, DecidesEveryRowOfTheBooleanTruthTablesOnceItHasAFather) {
  for (const TruthTable& table : kTruthTables) {
    for (unsigned char row = 0; row < 4; ++row) {
      ZELS3Node* expected = table.rows[row] ? GetTrue() : GetFalse();
      EXPECT_EQ(UnderAFather(table.type, {Bool(row >> 1), Bool(row & 1)}), expected)
          << table.type << " row " << int(row);
    }
  }
}

TEST_F(Evaluation, KeepsANodeWithAWrongArgumentCountAndReportsItsCode) {
  ZELS3Node* x = Var(1);
  ExpectKeptWithCode(NodeSin, {x, x}, 10013);
  ExpectKeptWithCode(NodeNot, {}, 10014);
  ExpectKeptWithCode(NodeAnd, {x}, 10016);
  ExpectKeptWithCode(NodeLess, {x, x, x}, 10017);
  ExpectKeptWithCode(NodeQuotient, {x}, 10018);
  ExpectKeptWithCode(NodeMax, {x}, 10019);
  ExpectKeptWithCode(NodeDifference, {Num(1), x}, 10020);
  ExpectKeptWithCode(NodeVariable, {}, 10005);
}

// Ending another calculator resets the code; the negation of a node of no
// known type, simplified again, then sets 10005 itself.
TEST(Negation, OfANodeOfNoKnownTypeSetsTheCodeOfAnUnknownType) {
  auto older = std::make_unique<ZELSymbolicCalculator>();
  ZELSymbolicCalculator calc;
  ZELS3Node* negation = Un(NodeNot, new ZELS3Node(static_cast<ZELNodeType>(77)));
  older.reset();
  Un(NodeSin, negation);
  EXPECT_EQ(calc.GetError(), 10005);
}
