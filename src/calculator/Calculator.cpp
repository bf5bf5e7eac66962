// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELSymbolicCalculator::sZero = nullptr;
ZELS3Node* ZELSymbolicCalculator::sOne = nullptr;
ZELS3Node* ZELSymbolicCalculator::sTwo = nullptr;
ZELS3Node* ZELSymbolicCalculator::sMinesOne = nullptr;
ZELS3Node* ZELSymbolicCalculator::sMinesTwo = nullptr;
ZELS3Node* ZELSymbolicCalculator::sTrue = nullptr;
ZELS3Node* ZELSymbolicCalculator::sFalse = nullptr;
ZELSymbolicCalculator::ZELSymbolicCalculator() : table(nullptr), exactVars(100u, 100u), linearVars(40u, 10u), equations(100u, 100u), results(100u, 100u), constVars(20u, 10u), gauss(0), divReplace(1), transfer(1), subst(0) {}
ZELSymbolicCalculator::~ZELSymbolicCalculator() {}
ZELS3Node* ZELSymbolicCalculator::AddNode(ZELS3Node* n) { return n; }
int ZELSymbolicCalculator::IsExactVariable(unsigned long long) const { return 0; }
int ZELSymbolicCalculator::IsLinearVariable(unsigned long long) const { return 0; }
ZELS3Node* ZELSymbolicCalculator::GetExactVariable(unsigned long long) const { return nullptr; }
ZELS3Node* ZELSymbolicCalculator::GetLinearVariable(unsigned long long) const { return nullptr; }
void ZELSymbolicCalculator::AddConstVariable(ZELS3Node*) {}
unsigned int ZELSymbolicCalculator::GetNumberOfEquations() const { return 0; }
ZELS3Node* ZELSymbolicCalculator::GetEquation(unsigned int) const { return nullptr; }
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
