#include <cmath>

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
  // f(arg) folds to the constant value and leaves the error code.
  void ExpectFolds(ZELNodeType f, double arg, double value, int code) {
    ResetError();
    EXPECT_EQ(Un(f, Num(arg)), Num(value)) << f << "(" << arg << ")";
    EXPECT_EQ(ErrorCode(), code) << f << "(" << arg << ")";
  }
};

// A fresh relation at the top of an equation stays a relation.
TEST_F(Evaluation, DecidesARelationOfConstantsOnlyOnceItHasAFather) {
  EXPECT_TRUE(Is(Bin(NodeLess, Num(2), Num(3)), NodeLess, {Num(2), Num(3)}));
  EXPECT_EQ(UnderAFather(NodeGreaterEqual, {Num(2), Num(3)}), GetFalse());
  EXPECT_EQ(UnderAFather(NodeEqual, {Num(-0.0), Num(0.0)}), GetTrue());
  EXPECT_EQ(UnderAFather(NodeBoolLess, {Bool(0), Bool(1)}), GetTrue());
}

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

TEST_F(Evaluation, ReducesAConnectiveWithAConstantSideOnceItHasAFather) {
  ZELS3Node* y = Bin(NodeLess, Var(1), Var(2));
  ZELS3Node* notY = Bin(NodeGreaterEqual, Var(1), Var(2));
  EXPECT_TRUE(Is(Bin(NodeImplies, Bool(1), y), NodeImplies, {Bool(1), y}));
  EXPECT_EQ(UnderAFather(NodeImplies, {Bool(1), y}), y);
  EXPECT_EQ(UnderAFather(NodeImplies, {Bool(0), y}), GetTrue());
  EXPECT_EQ(UnderAFather(NodeImplies, {y, Bool(0)}), notY);
  EXPECT_EQ(UnderAFather(NodeBoolLess, {Bool(1), y}), GetFalse());
  EXPECT_EQ(UnderAFather(NodeBoolGreater, {y, Bool(0)}), y);
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

// The complement of each relation is checked by value in the property tests.
TEST_F(Evaluation, PushesNegationThroughConnectivesAndConstants) {
  ZELS3Node *a = Bin(NodeLess, Var(1), Var(2)), *b = Bin(NodeEqual, Var(3), Var(4));
  ZELS3Node *notA = Bin(NodeGreaterEqual, Var(1), Var(2)),
            *notB = Bin(NodeNotEqual, Var(3), Var(4));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeAnd, a, b)), NodeOr, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeOr, a, b)), NodeAnd, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeImplies, a, b)), NodeAnd, {a, notB}));
  EXPECT_EQ(Un(NodeNot, GetTrue()), GetFalse());
  EXPECT_EQ(ErrorCode(), 0);
}

// ~x of a variable is kept, and ~~x gives x back; ~(x + y) is kept.
TEST_F(Evaluation, KeepsTheNegationOfWhatIsNotBooleanAndReportsIt) {
  ZELS3Node *p = Var(5), *notP = Un(NodeNot, p);
  EXPECT_TRUE(Is(notP, NodeNot, {p}));
  EXPECT_EQ(ErrorCode(), 10005);
  EXPECT_EQ(Un(NodeNot, notP), p);
  ResetError();
  ZELS3Node* sum = Bin(NodeSum, Var(1), Var(2));
  EXPECT_TRUE(Is(Un(NodeNot, sum), NodeNot, {sum}));
  EXPECT_EQ(ErrorCode(), 10015);
}

// Values inside the domains are checked by the property tests.
TEST_F(Evaluation, FoldsAFunctionOutsideItsDomainToZeroAndReportsItsCode) {
  ExpectFolds(NodeLn, 0.0, 0.0, 3);
  ExpectFolds(NodeSqrt, -4.0, 0.0, 4);
  ExpectFolds(NodeAsin, 1.0, std::asin(1.0), 0);
  ExpectFolds(NodeAsin, 1.5, 0.0, 5);
  ExpectFolds(NodeAcos, -2.0, 0.0, 6);
  ExpectFolds(NodeCtg, 0.0, HUGE_VAL, 0);
}

// x / 0 is kept; x / b -> x * (1 / b), which normalises to the one pair sum +(1 / b, x).
TEST_F(Evaluation, ReplacesADivisionByAConstantOtherThanZeroOnlyWithDivReplaceOn) {
  ZELS3Node* x = Var(1);
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(0)), NodeQuotient, {x, Num(0)}));
  EXPECT_EQ(ErrorCode(), 2);
  ResetError();
  EXPECT_EQ(Bin(NodeQuotient, Num(6), Num(3)), Num(2));
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(3)), NodeSum, {Num(1.0 / 3.0), x}));
  calc.SetDivReplaceOff();
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(4)), NodeQuotient, {x, Num(4)}));
  EXPECT_EQ(ErrorCode(), 0);
}
