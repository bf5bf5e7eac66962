// What zelcalc tells about input beyond the calculator's own error code:
// help, likely misspellings of library functions, constraints that are false
// between numbers or dropped as lone variables, and which variable a
// constraint fixes.
#ifndef ZELCALC_EXPLAIN_H
#define ZELCALC_EXPLAIN_H

#include <ZELTavSymbolicCalculator.h>

#include <string>
#include <vector>

#include "Printer.h"
#include "Syntax.h"

namespace zelcalc {

// The library function that a name not known to the library was probably
// meant to be ("Sin", "sinn", "sqr" -> "sin", "sin", "sqrt"); empty if none.
std::string LookalikeFunction(const std::string& name);

// A relation over two numbers (or two booleans) that does not hold: 2 = 3.
bool IsFalseBetweenNumbers(const ZELS3Node* n);

// A relation between numbers (IsFalseBetweenNumbers) as the processed system
// prints it: intake gives it its output spelling and, with transfer on,
// moves everything to the left: 2 == 3 -> -1 = 0, true <<>> true -> 0 <> 0.
std::string ProcessedRelation(const ZELS3Node* n, bool transfer, const Printer& printer);

// The variables that intake drops from constraint n without a word: a
// variable standing as a constraint, as n itself, as a conjunct of a
// top-level and (nested ones too) or as the operand of true(c).
std::vector<const ZELS3Node*> LoneVariables(const ZELS3Node* n);

// The variable that "name = number" (or "number = name") fixes; empty otherwise.
std::string FixedVariable(const Expr& constraint);

// The same for a built node: x = 5 or 5 = x over numbers, as intake takes it
// when it stands alone; id and value may be null.
bool FixesAVariable(const ZELS3Node* n, unsigned long long* id, double* value);

// For the domain errors 3 to 6: the library function (ln, sqrt, asin, acos)
// and what its operand must be ("a positive number"); false for other codes.
bool DomainRule(int code, std::string* function, std::string* needs);

// What the type numbers of raw output mean.
extern const char kTypeLegend[];

// The statements, operators, functions and options, for "help".
std::string HelpText();

}  // namespace zelcalc

#endif
