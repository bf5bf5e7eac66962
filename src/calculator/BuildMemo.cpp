#include "calculator/BuildMemo.h"

#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

#include "node/NodeTypeTable.h"

namespace zeltav {

std::uint64_t CallHash::operator()(const Call& call) const {
  std::uint64_t h = static_cast<std::uint64_t>(call.type) * 0x9e3779b97f4a7c15ULL;
  for (const ZELS3Node* n : {call.a, call.b, call.c}) {
    h = (h ^ static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n))) *
        0xff51afd7ed558ccdULL;
  }
  return h;
}

int BuildMemo::Verdict(const ZELS3Node* n) const {
  const bool* v = selfEqual_.Get(n);
  if (v == nullptr) return -1;
  return *v ? 1 : 0;
}

bool BuildMemo::Find(const ZELS3Node* n, ZELS3Node** result) {
  ZELS3Node* const* kept = built_.Get(n);
  if (kept == nullptr) return false;
  ZELS3Node* built = *kept;
  if (!SelfEqual(n) || !SelfEqual(built)) return false;
  *result = built;
  return true;
}

// Walked with an explicit stack: a graph may be deeper than the call stack.
// Out of memory a verdict cannot be kept, and the node counts as not
// self-equal: what is not known to be so is never handed back.
bool BuildMemo::SelfEqual(const ZELS3Node* root) {
  if (root == nullptr) return true;
  const int known = Verdict(root);
  if (known >= 0) return known == 1;

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
          const int argument = a != nullptr ? Verdict(a) : 1;
          if (argument == 1) {
            ++next;
            continue;
          }
          if (argument == 0) {
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
    if (!selfEqual_.Put(n, verdict, false)) return false;
    stack.pop_back();
  }
  return Verdict(root) == 1;
}

}  // namespace zeltav
