#include "simplify/PairSequence.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "calculator/BuildMemo.h"
#include "calculator/NodeTable.h"

namespace zeltav {

void PairSequence::Replace(unsigned int i, ZELS3Node* x) {
  NoteChanged(node_);
  ZELS3Node*& slot = node_->args[i];
  if (slot != nullptr) slot->RemoveFath(node_);
  slot = x;
  if (x != nullptr) x->AddFath(node_);
}

void PairSequence::Append(ZELS3Node* x) {
  appended_.Push(x);
  if (x != nullptr) x->AddFath(node_);
}

void PairSequence::Unlink(unsigned int k, bool hasSecond) {
  if (hasSecond) {
    if (ZELS3Node* second = node_->args[2 * k + 1]) second->RemoveFath(node_);
  }
  if (ZELS3Node* first = node_->args[2 * k]) first->RemoveFath(node_);
}

// The kept pairs close up in place; the slots they leave are emptied, then
// the appended pieces follow.
void PairSequence::Rebuild(const GonePairs& gone) {
  NoteChanged(node_);
  ZELICVectorImp_ZELS3Node& args = node_->args;
  const unsigned int count = args.Count();
  unsigned int kept = 0;
  for (unsigned int i = 0; i < count; ++i) {
    if (!gone.Has(i / 2)) args[kept++] = args[i];
  }
  if (kept < count) args.DetachAt(kept, count - kept, 0);
  const unsigned int total = kept + appended_.Size();
  if (total > args.Limit()) args.Resize(total);
  for (unsigned int i = 0; i < appended_.Size(); ++i) {
    if (!args.Add(appended_[i])) ZELSymbolicCalculator::SetError(10007);
  }
  appended_.Clear();
}

bool LikeKeys::Key::operator<(const Key& o) const {
  if (signature != o.signature) return signature < o.signature;
  if (type != o.type) return type < o.type;
  return bits < o.bits;
}

bool LikeKeys::Key::operator==(const Key& o) const {
  return signature == o.signature && type == o.type && bits == o.bits;
}

// Equal matches two leaves exactly when signature, type and this key agree:
// the identifier of a variable, the value of a number (0 and -0 alike), the
// byte of a boolean. A constant variable and a NaN match nothing.
bool LikeKeys::KeyOfLeaf(const ZELS3Node* t, Key* key) {
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

namespace {

unsigned int HomeOf(std::uint64_t z, unsigned int mask) { return Mix(z) & mask; }

}  // namespace

LikeKeys::LikeKeys(const std::vector<ZELS3Node*>& keys, const NodeTable* table)
    : table_(table),
      signatureAt_(keys.size(), 0),
      sameSignature_(keys.size(), kEnd),
      unnamedBefore_(keys.size(), kEnd),
      sameName_(keys.size(), kEnd),
      named_(keys.size(), 0),
      classAt_(keys.size(), kNone) {
  const unsigned int n = static_cast<unsigned int>(keys.size());
  unsigned int capacity = 16;
  while (capacity < 2 * n) capacity *= 2;
  mask_ = capacity - 1;
  signatures_.assign(capacity, SignatureSlot{0, 0, kEnd, kEnd});
  if (table_ != nullptr) names_.assign(capacity, NameSlot{0, 0, kEnd});
  unsigned int longest = 0;
  for (unsigned int k = 0; k < n; ++k) {
    const ZELS3Node* t = keys[k];
    if (t == nullptr) continue;
    const unsigned int sig = t->GetSignature();
    signatureAt_[k] = sig;
    unsigned int i = HomeOf(sig, mask_);
    while (signatures_[i].count != 0 && signatures_[i].signature != sig) i = (i + 1) & mask_;
    SignatureSlot& slot = signatures_[i];
    slot.signature = sig;
    longest = std::max(longest, ++slot.count);
    sameSignature_[k] = slot.last;
    slot.last = k;
    unnamedBefore_[k] = slot.lastUnnamed;
    unsigned long long name = 0;
    if (!NameOf(t, &name)) {
      slot.lastUnnamed = k;
      continue;
    }
    named_[k] = 1;
    unsigned int j = HomeOf(name ^ sig, mask_);
    while (names_[j].last != kEnd && (names_[j].name != name || names_[j].signature != sig)) {
      j = (j + 1) & mask_;
    }
    sameName_[k] = names_[j].last;
    names_[j] = NameSlot{name, sig, k};
  }
  const unsigned int kLongRun = 32;
  keyed_ = longest > kLongRun;
  if (keyed_) MakeClasses(keys);
}

bool LikeKeys::AllApart(const std::vector<ZELS3Node*>& keys, const NodeTable* table) {
  if (table == nullptr) return false;
  DistinctKeys names(keys.size());
  for (const ZELS3Node* t : keys) {
    std::uint64_t name = 0;
    if (t == nullptr) continue;  // a missing key matches nothing
    if (!table->EqualKey(t, &name) || !names.Insert(name)) return false;
  }
  return true;
}

bool LikeKeys::NameOf(const ZELS3Node* t, unsigned long long* name) const {
  std::uint64_t key = 0;
  if (table_ == nullptr || !table_->EqualKey(t, &key)) return false;
  *name = key;
  return true;
}

const LikeKeys::SignatureSlot* LikeKeys::FindSignature(unsigned int sig) const {
  for (unsigned int i = HomeOf(sig, mask_); signatures_[i].count != 0; i = (i + 1) & mask_) {
    if (signatures_[i].signature == sig) return &signatures_[i];
  }
  return nullptr;
}

unsigned int LikeKeys::LastNamed(unsigned int sig, unsigned long long name) const {
  for (unsigned int j = HomeOf(name ^ sig, mask_); names_[j].last != kEnd; j = (j + 1) & mask_) {
    if (names_[j].name == name && names_[j].signature == sig) return names_[j].last;
  }
  return kEnd;
}

// A node at several positions gets a class when a copy of it equals it (so
// Equal asks nothing that could set an error) and it equals no other key of
// its signature. Repeated nodes share a signature, so only runs of one
// signature are searched for them.
void LikeKeys::FindRepeated(const std::vector<ZELS3Node*>& keys) {
  const unsigned int n = static_cast<unsigned int>(keys.size());
  std::vector<const ZELS3Node*> seen(mask_ + 1, nullptr);
  bool twice = false;
  for (unsigned int k = 0; k < n && !twice; ++k) {
    const ZELS3Node* t = keys[k];
    if (t == nullptr || t->GetNodeType() <= NodeBoolConst) continue;
    unsigned int i = HomeOf(reinterpret_cast<std::uintptr_t>(t), mask_);
    while (seen[i] != nullptr && seen[i] != t) i = (i + 1) & mask_;
    twice = seen[i] == t;
    seen[i] = t;
  }
  if (!twice) return;

  std::vector<Position> bySignature;
  for (unsigned int k = 0; k < n; ++k) {
    if (keys[k] != nullptr) bySignature.emplace_back(signatureAt_[k], k);
  }
  std::sort(bySignature.begin(), bySignature.end());
  BuildMemo memo;
  std::vector<const ZELS3Node*> run;
  for (unsigned int i = 0; i < bySignature.size();) {
    unsigned int j = i + 1;
    while (j < bySignature.size() && bySignature[j].first == bySignature[i].first) ++j;
    if (j - i >= 2) {
      run.clear();
      for (unsigned int m = i; m < j; ++m) {
        const ZELS3Node* t = keys[bySignature[m].second];
        if (t->GetNodeType() > NodeBoolConst) run.push_back(t);
      }
      std::sort(run.begin(), run.end());
      for (unsigned int m = 0; m + 1 < run.size(); ++m) {
        const ZELS3Node* p = run[m];
        if (run[m + 1] != p || (m > 0 && run[m - 1] == p) || !memo.SelfEqual(p)) continue;
        bool alone = true;
        for (unsigned int r = 0; r < run.size() && alone; ++r) {
          if (run[r] != p && (r == 0 || run[r - 1] != run[r])) alone = p->Equal(run[r]) == 0;
        }
        if (alone) repeated_.push_back(p);
      }
    }
    i = j;
  }
  std::sort(repeated_.begin(), repeated_.end());
}

void LikeKeys::MakeClasses(const std::vector<ZELS3Node*>& keys) {
  FindRepeated(keys);
  const unsigned int n = static_cast<unsigned int>(keys.size());
  for (unsigned int k = 0; k < n; ++k) {
    const ZELS3Node* t = keys[k];
    if (t == nullptr) continue;
    Key key;
    if (t->GetNodeType() > NodeBoolConst) {
      if (!std::binary_search(repeated_.begin(), repeated_.end(), t)) continue;
      key = Key{t->GetSignature(), kPointer, reinterpret_cast<std::uintptr_t>(t)};
    } else if (!KeyOfLeaf(t, &key)) {
      continue;
    }
    members_.emplace_back(key, k);
  }
  std::sort(members_.begin(), members_.end(),
            [](const std::pair<Key, unsigned int>& a, const std::pair<Key, unsigned int>& b) {
              return a.first < b.first || (a.first == b.first && a.second < b.second);
            });
  end_.assign(members_.size(), 0);
  for (unsigned int i = 0; i < members_.size();) {
    unsigned int j = i;
    while (j < members_.size() && members_[j].first == members_[i].first) ++j;
    end_[i] = j;
    for (unsigned int m = i; m < j; ++m) classAt_[members_[m].second] = static_cast<int>(i);
    i = j;
  }
}

bool LikeKeys::Find(const Key& key, int* c) const {
  auto it = std::lower_bound(
      members_.begin(), members_.end(), key,
      [](const std::pair<Key, unsigned int>& m, const Key& k) { return m.first < k; });
  if (it == members_.end() || !(it->first == key)) return false;
  *c = static_cast<int>(it - members_.begin());
  return true;
}

int LikeKeys::ClassOf(const ZELS3Node* t) const {
  if (!keyed_) return kByEqual;
  int c = kNone;
  if (t->GetNodeType() > NodeBoolConst) {
    const Key key{t->GetSignature(), kPointer, reinterpret_cast<std::uintptr_t>(t)};
    return Find(key, &c) ? c : kByEqual;
  }
  Key key;
  if (!KeyOfLeaf(t, &key)) return kNone;
  return Find(key, &c) ? c : kNone;
}

bool LikeKeys::Below(int c, unsigned int bound, unsigned int* at) const {
  auto first = members_.begin() + c;
  auto last = members_.begin() + end_[c];
  auto it = std::lower_bound(
      first, last, bound,
      [](const std::pair<Key, unsigned int>& m, unsigned int b) { return m.second < b; });
  if (it == first) return false;
  *at = (it - 1)->second;
  return true;
}

void LikeKeys::SpecialBelow(int c, unsigned int bound, std::vector<unsigned int>* out) const {
  out->clear();
  auto found = special_.find(c);
  if (found == special_.end()) return;
  const std::set<unsigned int>& s = found->second;
  for (auto it = s.lower_bound(bound); it != s.begin();) out->push_back(*--it);
}

void LikeKeys::Mark(unsigned int k, bool special) {
  const int c = classAt_[k];
  if (c < 0) return;
  if (special) {
    special_[c].insert(k);
  } else {
    auto found = special_.find(c);
    if (found != special_.end()) found->second.erase(k);
  }
}

LikeKeys::Candidates LikeKeys::Near(const ZELS3Node* t, unsigned int at, unsigned int bound) const {
  Candidates near;
  const unsigned int sig = t->GetSignature();
  // A key whose signature changed since is looked up anew.
  if (at != kEnd && signatureAt_[at] != sig) at = kEnd;
  if (at != kEnd) {
    if (named_[at] != 0) {
      near.chain_[0] = sameName_.data();
      near.at_[0] = sameName_[at];
      near.chain_[1] = unnamedBefore_.data();
      near.at_[1] = unnamedBefore_[at];
    } else {
      near.chain_[0] = sameSignature_.data();
      near.at_[0] = sameSignature_[at];
    }
  } else {
    const SignatureSlot* slot = FindSignature(sig);
    if (slot == nullptr) return near;
    unsigned long long name = 0;
    if (NameOf(t, &name)) {
      near.chain_[0] = sameName_.data();
      near.at_[0] = LastNamed(sig, name);
      near.chain_[1] = unnamedBefore_.data();
      near.at_[1] = slot->lastUnnamed;
    } else {
      near.chain_[0] = sameSignature_.data();
      near.at_[0] = slot->last;
    }
  }
  for (int i = 0; i < 2; ++i) {
    while (near.at_[i] != kEnd && near.at_[i] >= bound) near.at_[i] = near.chain_[i][near.at_[i]];
  }
  return near;
}

bool LikeKeys::Candidates::Next(unsigned int* e) {
  // The two chains hold different positions; the nearer comes first.
  const int i = at_[0] == kEnd ? 1 : at_[1] == kEnd || at_[0] > at_[1] ? 0 : 1;
  if (at_[i] == kEnd) return false;
  *e = at_[i];
  at_[i] = chain_[i][at_[i]];
  return true;
}

}  // namespace zeltav
