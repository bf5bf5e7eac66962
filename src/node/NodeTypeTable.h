// Facts per node type, in one table that every rule reads: the operator
// name the constructor by type gives, the class, how the arguments are laid
// out, whether two operands may be swapped, and the code evaluation sets for
// a wrong argument count.
#ifndef ZELTAV_NODE_TYPE_TABLE_H
#define ZELTAV_NODE_TYPE_TABLE_H

#include "ZELTavSymbolicCalculator/Node.h"

namespace zeltav {

enum class TypeClass {
  Leaf,          // 0, 1, 2
  BoolRelation,  // 3..8
  NumRelation,   // 9..14
  Connective,    // 15..18
  Function,      // 19..23, 26..32
  List,          // 24, 25: min, max
  PairList,      // 33, 35: (coefficient, term) or (factor, exponent) pairs
  Quotient,      // 36
  Request,       // 34, 37: building requests, never stored as such
  Unknown        // 38
};

enum class ArgShape {
  None,   // leaves, and the difference request
  One,    // one operand
  Two,    // two operands
  List,   // any number of operands (min, max)
  Pairs,  // an even number, read two at a time
  Named   // any number, in order, identified by the name (type 38)
};

struct NodeTypeFacts {
  ZELNodeType type;
  const char* operName;  // the name the constructor by type stores
  TypeClass cls;
  ArgShape shape;
  bool unordered;           // equality also accepts the two operands swapped
  bool symmetricSignature;  // signature adds both operands alike
  int arityError;           // code evaluation sets for a wrong count; 0 for none
  const char* outputName;   // a relation's name once taken in as a constraint; null for others
};

// The facts of type t, or null for a value outside 0..38.
const NodeTypeFacts* FactsOf(int t);

// Variables, numbers and boolean constants: no arguments, never changed in
// place once made.
inline bool IsLeafType(int t) { return t >= NodeVariable && t <= NodeBoolConst; }
inline bool IsOperationType(int t) { return t >= NodeBoolEqual && t <= NodePower; }
inline bool TakesArguments(int t) { return t >= NodeBoolEqual && t <= NodeUnknown; }
inline bool IsBoolValuedType(int t) { return t >= NodeBoolConst && t <= NodeImplies; }
// Relations and connectives are decided only inside an enclosing
// expression: their rules read whether the node has a father.
inline bool WaitsForFather(int t) { return t >= NodeBoolEqual && t <= NodeImplies; }

}  // namespace zeltav

#endif
