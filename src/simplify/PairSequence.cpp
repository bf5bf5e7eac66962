#include "simplify/PairSequence.h"

#include <cstring>

#include "calculator/BuildMemo.h"

namespace zeltav {

void PairSequence::Replace(unsigned int i, ZELS3Node* x) {
  ZELS3Node*& slot = node_->args[i];
  if (slot != nullptr) slot->RemoveFath(node_);
  slot = x;
  if (x != nullptr) x->AddFath(node_);
}

void PairSequence::Append(ZELS3Node* x) {
  appended_.push_back(x);
  if (x != nullptr) x->AddFath(node_);
}

void PairSequence::Unlink(unsigned int k, bool hasSecond) {
  if (hasSecond) {
    if (ZELS3Node* second = node_->args[2 * k + 1]) second->RemoveFath(node_);
  }
  if (ZELS3Node* first = node_->args[2 * k]) first->RemoveFath(node_);
}

void PairSequence::Rebuild(const std::vector<bool>& gone) {
  ZELICVectorImp_ZELS3Node& args = node_->args;
  std::vector<ZELS3Node*> kept;
  kept.reserve(args.Count() + appended_.size());
  for (unsigned int i = 0; i < args.Count(); ++i) {
    if (gone.empty() || !gone[i / 2]) kept.push_back(args[i]);
  }
  kept.insert(kept.end(), appended_.begin(), appended_.end());
  appended_.clear();
  args.Flush(0);
  if (kept.size() > args.Limit()) args.Resize(static_cast<unsigned int>(kept.size()));
  for (ZELS3Node* x : kept) {
    if (!args.Add(x)) ZELSymbolicCalculator::SetError(10007);
  }
}

bool LikeKeys::LeafKey::operator<(const LeafKey& o) const {
  if (signature != o.signature) return signature < o.signature;
  if (type != o.type) return type < o.type;
  return bits < o.bits;
}

// Equal matches two leaves exactly when signature, type and this key agree:
// the identifier of a variable, the value of a number (0 and -0 alike), the
// byte of a boolean. A constant variable and a NaN match nothing.
bool LikeKeys::KeyOfLeaf(const ZELS3Node* t, LeafKey* key) {
  key->signature = t->GetSignature();
  key->type = t->GetNodeType();
  switch (t->GetNodeType()) {
    case NodeVariable:
      if (!t->IsNonConstVariable()) return false;
      key->bits = t->GetVariableID();
      return true;
    case NodeConstant: {
      double v = t->GetConstant();
      if (v != v) return false;
      if (v == 0.0) v = 0.0;
      std::memcpy(&key->bits, &v, sizeof v);
      return true;
    }
    case NodeBoolConst:
      key->bits = static_cast<unsigned long long>(t->GetBool());
      return true;
    default:
      return false;
  }
}

LikeKeys::LikeKeys(const std::vector<ZELS3Node*>& keys) : classAt_(keys.size(), kNone) {
  std::unordered_map<const ZELS3Node*, unsigned int> seen;
  for (unsigned int k = 0; k < keys.size(); ++k) {
    const ZELS3Node* t = keys[k];
    if (t == nullptr) continue;
    bySignature_[t->GetSignature()].push_back(k);
    if (t->GetNodeType() > NodeBoolConst) ++seen[t];
  }

  // A node at several positions gets a class when a copy of it equals it
  // (so Equal asks nothing that could set an error) and it equals no other
  // key of its signature.
  BuildMemo memo;
  for (const auto& entry : seen) {
    const ZELS3Node* p = entry.first;
    if (entry.second < 2 || !memo.SelfEqual(p)) continue;
    bool alone = true;
    std::unordered_map<const ZELS3Node*, bool> asked;
    for (unsigned int k : bySignature_[p->GetSignature()]) {
      const ZELS3Node* q = keys[k];
      if (q == p || q->GetNodeType() <= NodeBoolConst || !asked.emplace(q, true).second) continue;
      if (p->Equal(q)) {
        alone = false;
        break;
      }
    }
    if (!alone) continue;
    repeated_.emplace(p, static_cast<int>(classes_.size()));
    classes_.emplace_back();
  }

  for (unsigned int k = 0; k < keys.size(); ++k) {
    const ZELS3Node* t = keys[k];
    if (t == nullptr) continue;
    int c = kNone;
    if (t->GetNodeType() > NodeBoolConst) {
      auto it = repeated_.find(t);
      if (it == repeated_.end()) continue;
      c = it->second;
    } else {
      LeafKey key;
      if (!KeyOfLeaf(t, &key)) continue;
      auto it = leaves_.find(key);
      if (it == leaves_.end()) {
        it = leaves_.emplace(key, static_cast<int>(classes_.size())).first;
        classes_.emplace_back();
      }
      c = it->second;
    }
    classAt_[k] = c;
    classes_[c].at.push_back(k);
  }
}

int LikeKeys::ClassOf(const ZELS3Node* t) const {
  if (t->GetNodeType() > NodeBoolConst) {
    auto it = repeated_.find(t);
    return it != repeated_.end() ? it->second : kByEqual;
  }
  LeafKey key;
  if (!KeyOfLeaf(t, &key)) return kNone;
  auto it = leaves_.find(key);
  return it != leaves_.end() ? it->second : kNone;
}

bool LikeKeys::Below(int c, unsigned int bound, unsigned int* at) const {
  const std::vector<unsigned int>& v = classes_[c].at;
  auto it = std::lower_bound(v.begin(), v.end(), bound);
  if (it == v.begin()) return false;
  *at = *(it - 1);
  return true;
}

void LikeKeys::SpecialBelow(int c, unsigned int bound, std::vector<unsigned int>* out) const {
  out->clear();
  const std::set<unsigned int>& s = classes_[c].special;
  for (auto it = s.lower_bound(bound); it != s.begin();) out->push_back(*--it);
}

void LikeKeys::Mark(unsigned int k, bool special) {
  const int c = classAt_[k];
  if (c < 0) return;
  if (special) {
    classes_[c].special.insert(k);
  } else {
    classes_[c].special.erase(k);
  }
}

const std::vector<unsigned int>* LikeKeys::WithSignature(unsigned int sig) const {
  auto it = bySignature_.find(sig);
  return it != bySignature_.end() ? &it->second : nullptr;
}

}  // namespace zeltav
