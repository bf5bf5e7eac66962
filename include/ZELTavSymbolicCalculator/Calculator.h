// The calculator: owns every node through its node table, holds the shared
// constants, the options, the variable records, the equations handed in and
// the equations handed back, and the one sticky error code.
#ifndef ZELTAV_CALCULATOR_H
#define ZELTAV_CALCULATOR_H

#include "ZELTavSymbolicCalculator/Export.h"
#include "ZELTavSymbolicCalculator/Host.h"
#include "ZELTavSymbolicCalculator/Node.h"
#include "ZELTavSymbolicCalculator/Vector.h"

// A variable fixed at a value.
class ZELTAV_API ZELS3ExactVariable {
 public:
  ZELS3ExactVariable(unsigned long long id, ZELS3Node* value);
  virtual ~ZELS3ExactVariable();

  unsigned long long id;
  ZELS3Node* value;  // a numeric constant node of the node table
};

// A variable defined as a weighted sum of other terms.
class ZELTAV_API ZELS3LinearVariable {
 public:
  ZELS3LinearVariable(unsigned long long id, ZELS3Node* expression);
  virtual ~ZELS3LinearVariable();
  void SetExpression(ZELS3Node* expression);

  unsigned long long id;
  ZELICVectorImp_ZELS3Node pairs;  // coefficient, term, coefficient, term, ...
  ZELS3Node* expression;

 private:
  ZELTAV_LOCAL void FillPairs(ZELS3Node* e);
};

class ZELTAV_API ZELSymbolicCalculator {
 public:
  ZELSymbolicCalculator();
  ~ZELSymbolicCalculator();
  ZELSymbolicCalculator(const ZELSymbolicCalculator&) = delete;
  ZELSymbolicCalculator& operator=(const ZELSymbolicCalculator&) = delete;

  // Node table: the registered node that stands for node.
  ZELS3Node* AddNode(ZELS3Node* node);

  // Variable records.
  int IsExactVariable(unsigned long long id) const;
  int IsLinearVariable(unsigned long long id) const;
  ZELS3Node* GetExactVariable(unsigned long long id) const;
  ZELS3Node* GetLinearVariable(unsigned long long id) const;
  void AddConstVariable(ZELS3Node* node);
  ZELS3ExactVariable* AddExactVariable(unsigned long long id, double value);
  void AddLinearVariable(unsigned long long id, ZELS3Node* expression);

  // Constraints in, processed system out.
  void AddEquation(ZELS3Node* e);
  ZELS3Node* ProcessGauss(ZELS3Node* e);
  void Simplify();
  unsigned int GetNumberOfEquations() const;
  ZELS3Node* GetEquation(unsigned int i) const;

  // Options.
  int GetGauss() const;
  void SetGauss(int on);
  void SetGaussOn();
  void SetGaussOff();
  int GetSubst() const;
  void SetSubst(int on);
  void SetSubstOn();
  void SetSubstOff();
  int GetDivReplace() const;
  void SetDivReplace(int on);
  void SetDivReplaceOn();
  void SetDivReplaceOff();
  int GetTransfer() const;
  void SetTransfer(int on);
  void SetTransferOn();
  void SetTransferOff();

  // Shared constants of the current calculator.
  static ZELS3Node* GetZero();
  static ZELS3Node* GetOne();
  static ZELS3Node* GetTwo();
  static ZELS3Node* GetMinesOne();
  static ZELS3Node* GetMinesTwo();
  static ZELS3Node* GetTrue();
  static ZELS3Node* GetFalse();

  // The sticky error code: the first code since the last reset is kept.
  static void SetError(int code);
  int GetError() const;
  // A new message for code from the host's catalog; the caller deletes it.
  ZELUnicodeString* BuildErrorMsg(int code) const;

 private:
  friend class ZELS3Node;
  friend class ZELSymbolicCalculatorTestAccess;  // defined by the unit tests only
  friend class zeltav::FatherLinks;
  friend class zeltav::NodeTable;

  ZELTAV_LOCAL ZELS3Node* ReduceSum(ZELS3Node* side, ZELS3Node* other);
  // The copy of n in output form; the pass remembers it for when n is met
  // again only when n may be (shared).
  ZELTAV_LOCAL static ZELS3Node* RebuildForOutput(ZELS3Node* n, bool shared);
  // Whether node is registered in the node table.
  ZELTAV_LOCAL int Holds(const ZELS3Node* node) const;
  // Whether the options replace the variable id linked in context: by its
  // fixed value under substitution, by its linear definition inside a sum
  // under elimination. The replacement goes to *by.
  ZELTAV_LOCAL bool ReplacesVariable(unsigned long long id, ZELNodeType context,
                                     ZELS3Node** by) const;

  // The node table and the side tables kept per node (NodeTable.h).
  zeltav::NodeTable* table;
  ZELICVectorImp_ZELS3ExactVariable exactVars;
  ZELICVectorImp_ZELS3LinearVariable linearVars;
  ZELICVectorImp_ZELS3Node equations;
  ZELICVectorImp_ZELS3Node results;
  ZELICVectorImp_ZELS3Node constVars;
  int gauss;
  int divReplace;
  int transfer;
  int subst;

  ZELTAV_LOCAL static int _Error;
  ZELTAV_LOCAL static ZELS3Node* sZero;
  ZELTAV_LOCAL static ZELS3Node* sOne;
  ZELTAV_LOCAL static ZELS3Node* sTwo;
  ZELTAV_LOCAL static ZELS3Node* sMinesOne;
  ZELTAV_LOCAL static ZELS3Node* sMinesTwo;
  ZELTAV_LOCAL static ZELS3Node* sTrue;
  ZELTAV_LOCAL static ZELS3Node* sFalse;
};

ZELTAV_API void SetError(int code);
ZELTAV_API ZELS3Node* GetZero();
ZELTAV_API ZELS3Node* GetOne();
ZELTAV_API ZELS3Node* GetTwo();
ZELTAV_API ZELS3Node* GetMinesOne();
ZELTAV_API ZELS3Node* GetMinesTwo();
ZELTAV_API ZELS3Node* GetTrue();
ZELTAV_API ZELS3Node* GetFalse();

// Marker export: returns 1 and does nothing else.
extern "C" ZELTAV_API int ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator();

#endif
