#include "calculator/BuildMemo.h"

#include <vector>

#include "node/NodeTypeTable.h"

namespace zeltav {

bool BuildMemo::Find(const ZELS3Node* n, ZELS3Node** result) {
  auto it = built_.find(n);
  if (it == built_.end()) return false;
  if (!SelfEqual(n) || !SelfEqual(it->second)) return false;
  *result = it->second;
  return true;
}

// Walked with an explicit stack: a graph may be deeper than the call stack.
bool BuildMemo::SelfEqual(const ZELS3Node* root) {
  if (root == nullptr) return true;
  auto known = selfEqual_.find(root);
  if (known != selfEqual_.end()) return known->second;

  std::vector<std::pair<const ZELS3Node*, unsigned int>> stack;
  stack.emplace_back(root, 0u);
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back().first;
    const ZELNodeType type = n->GetNodeType();
    bool verdict = true;
    bool done = true;
    if (type == NodeVariable) {
      verdict = n->IsNonConstVariable() != 0;
    } else if (type == NodeConstant) {
      const double v = n->GetConstant();
      verdict = v == v;
    } else if (type != NodeBoolConst) {
      const NodeTypeFacts* facts = FactsOf(type);
      if (facts == nullptr || facts->shape == ArgShape::None) {
        verdict = false;
      } else {
        // Arguments first; the node is self-equal when all of them are.
        const unsigned int count = n->GetArgsNum();
        unsigned int& next = stack.back().second;
        while (next < count) {
          const ZELS3Node* a = n->GetArg(next);
          auto it = a != nullptr ? selfEqual_.find(a) : selfEqual_.end();
          if (a == nullptr || (it != selfEqual_.end() && it->second)) {
            ++next;
            continue;
          }
          if (it != selfEqual_.end()) {
            verdict = false;
            break;
          }
          stack.emplace_back(a, 0u);
          done = false;
          break;
        }
      }
    }
    if (!done) continue;
    selfEqual_[n] = verdict;
    stack.pop_back();
  }
  return selfEqual_[root];
}

}  // namespace zeltav
