// The expression node: one record type for variables, constants and every
// operation. Nodes are made only by the factories and owned by the current
// calculator; callers never copy or delete them.
#ifndef ZELTAV_NODE_H
#define ZELTAV_NODE_H

#include "ZELTavSymbolicCalculator/Export.h"
#include "ZELTavSymbolicCalculator/Host.h"
#include "ZELTavSymbolicCalculator/Vector.h"

// Opaque handles that belong to the host; the library only stores them.
class ZORYASubdefiniteNode;
class ZELSubdefiniteTerm;

class ZELSymbolicCalculator;

namespace zeltav {
class NodeBuilder;   // linking and finishing steps shared by the factories
class FatherLinks;   // bookkeeping of the father links
class NodeTable;     // the calculator's node table
class PairSequence;  // the rewriting of sums and products in place
}  // namespace zeltav

// Node types. The numbers are part of the interface.
enum ZELNodeType : int {
  NodeVariable = 0,
  NodeConstant = 1,
  NodeBoolConst = 2,
  NodeBoolEqual = 3,
  NodeBoolNotEqual = 4,
  NodeBoolLess = 5,
  NodeBoolLessEqual = 6,
  NodeBoolGreater = 7,
  NodeBoolGreaterEqual = 8,
  NodeEqual = 9,
  NodeNotEqual = 10,
  NodeLess = 11,
  NodeLessEqual = 12,
  NodeGreater = 13,
  NodeGreaterEqual = 14,
  NodeAnd = 15,
  NodeOr = 16,
  NodeNot = 17,
  NodeImplies = 18,
  NodeAbs = 19,
  NodeSign = 20,
  NodeExp = 21,
  NodeLn = 22,
  NodeSqrt = 23,
  NodeMin = 24,
  NodeMax = 25,
  NodeSin = 26,
  NodeCos = 27,
  NodeTg = 28,
  NodeCtg = 29,
  NodeAsin = 30,
  NodeAcos = 31,
  NodeAtan = 32,
  NodeSum = 33,
  NodeDifference = 34,
  NodeProduct = 35,
  NodeQuotient = 36,
  NodePower = 37,
  NodeUnknown = 38
};

ZELTAV_API ZELS3Node* CreateExpression(unsigned long long id, unsigned char constFlag);
ZELTAV_API ZELS3Node* CreateExpression(unsigned char boolean);
ZELTAV_API ZELS3Node* CreateExpression(double value);
ZELTAV_API ZELS3Node* CreateExpression(const ZELString& spelling,
                                       const ZELICVectorImp_ZELS3Node& args);
ZELTAV_API ZELS3Node* CreateExpression(const ZELString& spelling,
                                       const ZELICVectorImp_ZELS3Node* args);

// Internal factories (not exported); declared here so the node can name them
// as friends.
ZELS3Node* CreateOperation(ZELNodeType type, const ZELICVectorImp_ZELS3Node& args);
ZELS3Node* CreateUnaryOperation(ZELNodeType type, ZELS3Node* a);
ZELS3Node* CreateBinaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b);
ZELS3Node* CreateTernaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b, ZELS3Node* c);

class ZELTAV_API ZELS3Node {
 public:
  explicit ZELS3Node(ZELNodeType type);
  ZELS3Node(ZELNodeType type, const ZELString& name);
  ~ZELS3Node();
  ZELS3Node(const ZELS3Node&) = delete;
  ZELS3Node& operator=(const ZELS3Node&) = delete;

  // Accessors; a wrong type sets the error code and gives a neutral value.
  ZELNodeType GetNodeType() const;
  ZELNodeType GetOperation() const;
  ZELString GetOperName() const;
  unsigned int GetSignature() const;
  unsigned int GetArgsNum() const;
  unsigned long long GetVariableID() const;
  double GetConstant() const;
  int GetBool() const;
  ZORYASubdefiniteNode* GetAPINode() const;
  void SetAPINode(ZORYASubdefiniteNode* node);
  ZELSubdefiniteTerm* GetSDNode() const;
  void SetSDNode(ZELSubdefiniteTerm* term);
  ZELS3Node* GetArg(unsigned int i) const;

  // Predicates: 1 or 0, never an error.
  int IsVariable() const;
  int IsNonConstVariable() const;
  int IsConstant() const;
  int IsBoolConst() const;
  int IsBool() const;
  int IsOperation() const;
  int IsUnknown() const;
  int IsTrue() const;
  int IsFalse() const;
  int IsZero() const;
  int IsOne() const;
  int IsMinesOne() const;
  int IsExactVariable() const;
  int IsLinearVariable() const;

  // Identity, and structural equality.
  int operator==(const ZELS3Node& other) const;
  int Equal(const ZELS3Node* other) const;

  // Derivative with respect to the variable id; null after an error.
  ZELS3Node* Diff(unsigned long long id) const;

 private:
  friend class ZELSymbolicCalculator;
  friend class ZELS3NodeTestAccess;  // defined by the unit tests only
  friend class zeltav::NodeBuilder;
  friend class zeltav::FatherLinks;
  friend class zeltav::NodeTable;
  friend class zeltav::PairSequence;
  friend ZELS3Node* CreateExpression(unsigned long long id, unsigned char constFlag);
  friend ZELS3Node* CreateExpression(unsigned char boolean);
  friend ZELS3Node* CreateExpression(double value);
  friend ZELS3Node* CreateExpression(const ZELString& spelling,
                                     const ZELICVectorImp_ZELS3Node& args);
  friend ZELS3Node* CreateOperation(ZELNodeType type, const ZELICVectorImp_ZELS3Node& args);
  friend ZELS3Node* CreateUnaryOperation(ZELNodeType type, ZELS3Node* a);
  friend ZELS3Node* CreateBinaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b);
  friend ZELS3Node* CreateTernaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b,
                                           ZELS3Node* c);

  // Links between a node and its arguments and fathers.
  ZELTAV_LOCAL int AddArg(ZELS3Node* arg);
  ZELTAV_LOCAL int AddFath(ZELS3Node* father);
  ZELTAV_LOCAL void RemoveFath(ZELS3Node* father);
  ZELTAV_LOCAL int ReplaceArg(ZELS3Node* arg, unsigned int i);
  ZELTAV_LOCAL void RemoveArg(unsigned int i);
  ZELTAV_LOCAL void RemoveAllArgs();
  ZELTAV_LOCAL ZELS3Node* GetFath(unsigned int i) const;
  ZELTAV_LOCAL unsigned int GetFathNum() const;

  ZELTAV_LOCAL void CalculateSignature();

  // Simplification driver and the per-type rules.
  ZELTAV_LOCAL ZELS3Node* Simplify(ZELNodeType contextType);
  ZELTAV_LOCAL static ZELS3Node* Check(ZELS3Node* node, ZELNodeType contextType);
  ZELTAV_LOCAL ZELS3Node* SimplifySimple();
  ZELTAV_LOCAL static ZELS3Node* CheckSimple(ZELS3Node* node);
  ZELTAV_LOCAL ZELS3Node* Simplify(double* number);
  ZELTAV_LOCAL ZELS3Node* SimplifyNot();
  ZELTAV_LOCAL void SimplifyMinMax();
  ZELTAV_LOCAL void SimplifySum();
  ZELTAV_LOCAL double SimplifyProd();
  ZELTAV_LOCAL static double EvaluateFunction(ZELNodeType type, double x);
  ZELTAV_LOCAL static ZELS3Node* CompareConstants(ZELNodeType type, double a, double b);
  ZELTAV_LOCAL static ZELS3Node* EvaluateBoolConstants(ZELNodeType type, unsigned char p,
                                                       unsigned char q);
  ZELTAV_LOCAL static ZELS3Node* EvaluateBoolLeft(ZELNodeType type, unsigned char p, ZELS3Node* y);
  ZELTAV_LOCAL static ZELS3Node* EvaluateBoolRight(ZELNodeType type, ZELS3Node* x, unsigned char q);
  ZELTAV_LOCAL static double DivideConstants(ZELNodeType type, double a, double b);

  // Equation intake.
  ZELTAV_LOCAL void ChangeEqSign();
  ZELTAV_LOCAL ZELS3Node* ProcessEquation(int top);
  ZELTAV_LOCAL static ZELS3Node* Transfer(ZELNodeType type, ZELS3Node* a, ZELS3Node* b);

  ZELTAV_LOCAL static ZELSymbolicCalculator* scalc;

  ZELNodeType type;
  union {
    unsigned long long id;
    double constant;
    unsigned char boolean;
  } value;
  unsigned char constVar;
  ZELICVectorImp_ZELS3Node args;
  ZELICVectorImp_ZELS3Node fathers;
  ZELString name;
  unsigned int signature;
  ZORYASubdefiniteNode* apiNode;
  ZELSubdefiniteTerm* sdNode;
};

#endif
