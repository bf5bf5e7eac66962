// Flattening of nested minima and maxima of the same kind:
//   min(min(a, b), c) -> min(c, a, b)      max(a, min(b, c)) stays
// Nested nodes were flattened when they were made, so one level suffices.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "node/NodeTypeTable.h"

void ZELS3Node::SimplifyMinMax() {
  // Downward over the positions that exist now; appended arguments come
  // after them and are not looked at again.
  for (unsigned int i = args.Count(); i-- > 0;) {
    ZELS3Node* a = args[i];
    if (a == nullptr || !zeltav::IsOperationType(a->type) || a->type != type) continue;
    RemoveArg(i);  // also takes this node out of a's fathers
    for (unsigned int j = 0; j < a->args.Count(); ++j) AddArg(a->args[j]);
  }
}
