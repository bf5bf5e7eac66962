// The calculator core: construction and destruction, the node table that
// makes structurally equal nodes one object, the variable lookups, the
// equation accessors, the options and the shared constants.
#include "ZELTavSymbolicCalculator/Calculator.h"

#include <new>

#include "calculator/NodeTable.h"
#include "collections/ListAppend.h"

ZELS3Node* ZELSymbolicCalculator::sZero = nullptr;
ZELS3Node* ZELSymbolicCalculator::sOne = nullptr;
ZELS3Node* ZELSymbolicCalculator::sTwo = nullptr;
ZELS3Node* ZELSymbolicCalculator::sMinesOne = nullptr;
ZELS3Node* ZELSymbolicCalculator::sMinesTwo = nullptr;
ZELS3Node* ZELSymbolicCalculator::sTrue = nullptr;
ZELS3Node* ZELSymbolicCalculator::sFalse = nullptr;

ZELSymbolicCalculator::ZELSymbolicCalculator()
    : table(nullptr),
      exactVars(100u, 100u),
      linearVars(40u, 10u),
      equations(100u, 100u),
      results(100u, 100u),
      constVars(20u, 10u),
      gauss(0),
      divReplace(1),
      transfer(1),
      subst(0) {
  ZELS3Node::scalc = this;
  table = new (std::nothrow) zeltav::NodeTable();
  _Error = 0;
  // The factories register through scalc and the table, so these come last.
  sZero = CreateExpression(0.0);
  sOne = CreateExpression(1.0);
  sTwo = CreateExpression(2.0);
  sMinesOne = CreateExpression(-1.0);
  sMinesTwo = CreateExpression(-2.0);
  sTrue = CreateExpression(static_cast<unsigned char>(1));
  sFalse = CreateExpression(static_cast<unsigned char>(0));
}

ZELSymbolicCalculator::~ZELSymbolicCalculator() {
  if (table != nullptr) {
    // Every table node goes at once, so nothing is unlinked; the table is
    // detached first so that no node looks itself up in its side tables.
    // Constant variables belong to their list.
    zeltav::NodeTable* const dying = table;
    table = nullptr;
    dying->ForEachNode([dying](ZELS3Node* n) {
      if (!(n->type == NodeVariable && n->constVar != 0)) dying->Destroy(n);
    });
    // Their records may be cells of the table's pool, which goes with it.
    for (unsigned int i = 0; i < constVars.Count(); ++i) {
      if (constVars[i] != nullptr) dying->Destroy(constVars[i]);
    }
    constVars.Flush(0);
    delete dying;
  }
  _Error = 0;
  exactVars.Flush(1);
  linearVars.Flush(1);
  constVars.Flush(1);
  if (ZELS3Node::scalc == this) {
    ZELS3Node::scalc = nullptr;
    sZero = sOne = sTwo = sMinesOne = sMinesTwo = sTrue = sFalse = nullptr;
  }
}

// The first registered node equal to node, node itself when it is
// registered first, or node newly registered (NodeTable.h). A fresh node
// that loses is stripped of its arguments so the caller can delete it; a
// registered one (signed anew, say) stands inside other expressions and
// keeps them.
ZELS3Node* ZELSymbolicCalculator::AddNode(ZELS3Node* node) {
  if (node == nullptr || table == nullptr) return node;
  ZELS3Node* const registered = table->Add(node);
  if (registered != node && !table->Holds(node)) node->RemoveAllArgs();
  return registered;
}

// Whether node was ever entered, under whatever signature it had then.
int ZELSymbolicCalculator::Holds(const ZELS3Node* node) const {
  return table != nullptr && table->Holds(node) ? 1 : 0;
}

namespace {

// Hosts never reach a linear-variable record (none is handed out), so
// these are found through the table's index. Exact-variable records are
// handed out by AddExactVariable and a host may renumber one at any time,
// so that list is walked on every lookup.
ZELS3LinearVariable* FindLinear(zeltav::NodeTable* table,
                                const ZELICVectorImp_ZELS3LinearVariable& list,
                                unsigned long long id) {
  ZELS3LinearVariable* found = nullptr;
  if (table != nullptr && table->LinearRecords().Find(list, id, &found)) return found;
  return zeltav::ScanRecords(list, id);
}

}  // namespace

int ZELSymbolicCalculator::IsExactVariable(unsigned long long id) const {
  return zeltav::ScanRecords(exactVars, id) != nullptr ? 1 : 0;
}

int ZELSymbolicCalculator::IsLinearVariable(unsigned long long id) const {
  return FindLinear(table, linearVars, id) != nullptr ? 1 : 0;
}

ZELS3Node* ZELSymbolicCalculator::GetExactVariable(unsigned long long id) const {
  const ZELS3ExactVariable* r = zeltav::ScanRecords(exactVars, id);
  return r != nullptr ? r->value : nullptr;
}

ZELS3Node* ZELSymbolicCalculator::GetLinearVariable(unsigned long long id) const {
  const ZELS3LinearVariable* r = FindLinear(table, linearVars, id);
  return r != nullptr ? r->expression : nullptr;
}

// One search per record list: the driver replaces a variable operand with
// what it finds, and the table asks whether anything would.
bool ZELSymbolicCalculator::ReplacesVariable(unsigned long long id, ZELNodeType context,
                                             ZELS3Node** by) const {
  if (subst != 0) {
    if (const ZELS3ExactVariable* r = zeltav::ScanRecords(exactVars, id)) {
      *by = r->value;
      return true;
    }
  }
  if (gauss != 0 && (context == NodeSum || context == NodeDifference)) {
    if (const ZELS3LinearVariable* r = FindLinear(table, linearVars, id)) {
      *by = r->expression;
      return true;
    }
  }
  return false;
}

void ZELSymbolicCalculator::AddConstVariable(ZELS3Node* node) {
  zeltav::AppendDoubling(constVars, node);
}

unsigned int ZELSymbolicCalculator::GetNumberOfEquations() const { return results.Count(); }

ZELS3Node* ZELSymbolicCalculator::GetEquation(unsigned int i) const {
  return i < results.Count() ? results[i] : nullptr;
}

int ZELSymbolicCalculator::GetGauss() const { return gauss; }
void ZELSymbolicCalculator::SetGauss(int on) { gauss = on; }
void ZELSymbolicCalculator::SetGaussOn() { gauss = 1; }
void ZELSymbolicCalculator::SetGaussOff() { gauss = 0; }
int ZELSymbolicCalculator::GetSubst() const { return subst; }
void ZELSymbolicCalculator::SetSubst(int on) { subst = on; }
void ZELSymbolicCalculator::SetSubstOn() { subst = 1; }
void ZELSymbolicCalculator::SetSubstOff() { subst = 0; }
int ZELSymbolicCalculator::GetDivReplace() const { return divReplace; }
void ZELSymbolicCalculator::SetDivReplace(int on) { divReplace = on; }
void ZELSymbolicCalculator::SetDivReplaceOn() { divReplace = 1; }
void ZELSymbolicCalculator::SetDivReplaceOff() { divReplace = 0; }
int ZELSymbolicCalculator::GetTransfer() const { return transfer; }
void ZELSymbolicCalculator::SetTransfer(int on) { transfer = on; }
void ZELSymbolicCalculator::SetTransferOn() { transfer = 1; }
void ZELSymbolicCalculator::SetTransferOff() { transfer = 0; }

ZELS3Node* ZELSymbolicCalculator::GetZero() { return sZero; }
ZELS3Node* ZELSymbolicCalculator::GetOne() { return sOne; }
ZELS3Node* ZELSymbolicCalculator::GetTwo() { return sTwo; }
ZELS3Node* ZELSymbolicCalculator::GetMinesOne() { return sMinesOne; }
ZELS3Node* ZELSymbolicCalculator::GetMinesTwo() { return sMinesTwo; }
ZELS3Node* ZELSymbolicCalculator::GetTrue() { return sTrue; }
ZELS3Node* ZELSymbolicCalculator::GetFalse() { return sFalse; }

ZELS3Node* GetZero() { return ZELSymbolicCalculator::GetZero(); }
ZELS3Node* GetOne() { return ZELSymbolicCalculator::GetOne(); }
ZELS3Node* GetTwo() { return ZELSymbolicCalculator::GetTwo(); }
ZELS3Node* GetMinesOne() { return ZELSymbolicCalculator::GetMinesOne(); }
ZELS3Node* GetMinesTwo() { return ZELSymbolicCalculator::GetMinesTwo(); }
ZELS3Node* GetTrue() { return ZELSymbolicCalculator::GetTrue(); }
ZELS3Node* GetFalse() { return ZELSymbolicCalculator::GetFalse(); }
