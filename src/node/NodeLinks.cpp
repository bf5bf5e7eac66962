// Argument and father links. Arguments are ordered and may repeat; a node
// appears at most once among the fathers of each argument. Neither vector
// owns the nodes it points to.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "node/NodeTypeTable.h"

namespace zeltav {

// Shared operations (a product or a function of a common variable) collect
// thousands of fathers, and every link asks whether a node is already among
// them. Past kIndexed fathers a node's fathers are mirrored as (node,
// father) pairs in one hash table kept by the current calculator
// (FatherPairs), so that question costs O(1) instead of a scan, and so does
// removing a father (the pair knows its position). A node is marked the
// first time it is asked about a father that is neither the one linked last
// nor the node being built; fathers linked later are mirrored only when the
// next such question comes, so a link costs an append. The node being built is asked about
// first, and its own links answer (FreshLinks). The order of a node's
// fathers carries no meaning: a father removed from a marked node leaves
// its place to the last one.
const unsigned int kIndexed = FatherPairs::kIndexed;

class FatherLinks {
 public:
  // The current calculator's pairs, or null without one.
  static FatherPairs* CurrentPairs() {
    ZELSymbolicCalculator* calc = ZELS3Node::scalc;
    return calc != nullptr && calc->table != nullptr ? &calc->table->Fathers() : nullptr;
  }

  // The current calculator's table, or null without one.
  static NodeTable* CurrentTable() {
    ZELSymbolicCalculator* calc = ZELS3Node::scalc;
    return calc != nullptr ? calc->table : nullptr;
  }
  static FreshLinks* CurrentFresh() {
    NodeTable* table = CurrentTable();
    return table != nullptr ? &table->Fresh() : nullptr;
  }

  // Drops the mirror of a node that is being destroyed; only nodes with
  // more than kIndexed fathers are marked.
  static void Forget(const ZELS3Node* a) {
    FatherPairs* pairs = a->fathers.Count() > kIndexed ? CurrentPairs() : nullptr;
    if (pairs != nullptr) pairs->Drop(a, a->fathers);
  }

  // A followed node that goes is let go; a node that goes no longer has the
  // followed node among its fathers.
  static void Destroyed(const ZELS3Node* n) {
    FreshLinks* fresh = CurrentFresh();
    if (fresh == nullptr || fresh->Node() == nullptr) return;
    if (fresh->Node() == n) {
      fresh->Stop();
    } else if (n->fathers.Count() != 0) {
      fresh->Erase(n);
    }
  }

  // n's arguments are about to change in place; when old, whose father link
  // n loses, still stands at another position, nothing is known of n any
  // more (a fresh node is checked when it is entered instead).
  static void Changing(const ZELS3Node* n) {
    NodeTable* table = CurrentTable();
    // A node being built is in no set yet: nothing is known of it.
    if (table == nullptr || table->Fresh().Unentered(n)) return;
    table->Changed(n);
    if (table->Watched(n)) table->Touched(n);
  }
  static void StillHolds(const ZELS3Node* n, const ZELS3Node* old) {
    NodeTable* table = CurrentTable();
    if (table == nullptr || old == nullptr || table->Flags(n) == 0) return;
    if (n->args.Find(old) < n->args.Count()) table->Unlinked(n);
  }

  // Leaves keep no fathers. Nothing asks for them: a leaf is never changed
  // in place, so no change travels up from it, and only relations,
  // connectives and nodes kept as built read whether they have a father.
  // Linking the shared 1 or a common variable to every sum would cost a
  // write into its father slots, far from everything else a link touches.
  static bool KeepsFathers(const ZELS3Node* a) { return !IsLeafType(a->type); }
  // Whether unlinking f from a and linking it again leaves a's fathers as
  // they are.
  static bool IsLast(const ZELS3Node* a, const ZELS3Node* f) {
    const unsigned int count = a->fathers.Count();
    return !KeepsFathers(a) || (count != 0 && a->fathers[count - 1] == f);
  }

  // Makes f a father of a unless it is one already; 0 when f could not be
  // stored.
  static int Link(ZELS3Node* a, ZELS3Node* f);
  static int Add(ZELS3Node* a, ZELS3Node* f);
  static bool Has(const ZELS3Node* a, const ZELS3Node* f);
  static void Remove(ZELS3Node* a, const ZELS3Node* f);
  // Closes the gap f leaves.
  static void RemoveUnmarked(ZELS3Node* a, const ZELS3Node* f);
};

NodeTable* CurrentTable() { return FatherLinks::CurrentTable(); }

void NoteChanged(const ZELS3Node* n) {
  NodeTable* table = FatherLinks::CurrentTable();
  if (table != nullptr) table->Changed(n);
}

// Operations are followed from the moment they are made: a node just made
// is nobody's father.
void NoteMade(const ZELS3Node* n) {
  FreshLinks* fresh = TakesArguments(n->GetNodeType()) ? FatherLinks::CurrentFresh() : nullptr;
  if (fresh != nullptr) fresh->Follow(n);
}

void NoteDestroyed(const ZELS3Node* n) { FatherLinks::Destroyed(n); }

bool RelinkKeepsFathers(const ZELS3Node* a, const ZELS3Node* f) {
  return FatherLinks::IsLast(a, f);
}

}  // namespace zeltav

// Members are destroyed in reverse order: name, fathers, arguments. No other
// node is touched; a node deleted on its own has no arguments left.
ZELS3Node::~ZELS3Node() {
  zeltav::NoteDestroyed(this);
  if (fathers.Count() != 0) zeltav::FatherLinks::Forget(this);
}

namespace zeltav {

// Whether f is among a's fathers, for a father other than the node being
// built (Link asks that one's own links). The father linked last is the
// one most often asked about, so it is looked at first.
bool FatherLinks::Has(const ZELS3Node* a, const ZELS3Node* f) {
  const unsigned int count = a->fathers.Count();
  if (count == 0) return false;
  if (a->fathers[count - 1] == f) return true;
  FatherPairs* pairs = count > kIndexed ? CurrentPairs() : nullptr;
  if (pairs == nullptr || !pairs->CatchUp(a, a->fathers)) return a->fathers.Find(f) < count;
  return pairs->Contains(a, f);
}

// The slots of a father or argument vector past its count are all null:
// only the link functions write father slots, and argument slots are
// written below the count (the rules' in-place rewrites) or by AddAt, which
// moves the count past what it writes. So a link is appended by writing its
// slot without reading it first (the vector's Add looks for slots written
// past the count), and a link to a node with a long father vector does not
// wait for the vector's last cache line.
struct LinkSlots : ZELICVectorImp_ZELS3Node {
  static bool Append(ZELICVectorImp_ZELS3Node& v, ZELS3Node* f) {
    unsigned int& top = v.*(&LinkSlots::top);
    if (top >= v.*(&LinkSlots::limit)) return false;
    (v.*(&LinkSlots::data))[top++] = f;
    return true;
  }
  // The last father goes, and its slot is null again.
  static void DropLast(ZELICVectorImp_ZELS3Node& v) {
    unsigned int& top = v.*(&LinkSlots::top);
    if (top != 0) (v.*(&LinkSlots::data))[--top] = nullptr;
  }
};

// The vector never holds a node twice. The node being built claims a in
// its own links with one search, without reading the fathers of a widely
// shared node.
int FatherLinks::Link(ZELS3Node* a, ZELS3Node* f) {
  if (!KeepsFathers(a)) return 1;
  FreshLinks* fresh = CurrentFresh();
  if (fresh != nullptr && f != nullptr && fresh->Node() == f) {
    if (!fresh->Claim(a)) return 1;
    const int stored = Add(a, f);
    if (!stored) fresh->Erase(a);
    return stored;
  }
  return Has(a, f) ? 1 : Add(a, f);
}

// An append: the mirror, if any, catches up when next asked.
int FatherLinks::Add(ZELS3Node* a, ZELS3Node* f) {
  return LinkSlots::Append(a->fathers, f) ? 1 : a->fathers.Add(f);
}

// Detach(f, 0): the one occurrence goes. A node with many fathers is
// marked, and a marked node fills the gap with its last father: f is
// looked for among the few fathers linked last and not mirrored yet (a
// node just built that lost to an equal one is the last), else in the
// caught-up mirror. Any other node closes the gap, looking from the end,
// where a father just linked sits.
void FatherLinks::Remove(ZELS3Node* a, const ZELS3Node* f) {
  if (!KeepsFathers(a)) return;
  const unsigned int count = a->fathers.Count();
  if (count == 0) return;
  FreshLinks* fresh = CurrentFresh();
  if (fresh != nullptr && fresh->Node() == f) {
    if (!fresh->Contains(a)) return;
    fresh->Erase(a);
  }
  FatherPairs* pairs = count > kIndexed ? CurrentPairs() : nullptr;
  // Null is no father: asked to remove it, a node is only unmarked.
  if (pairs != nullptr && f == nullptr) pairs->Drop(a, a->fathers);
  // A node may have lost this father before while still holding it as an
  // argument: it is marked rather than scanned for thousands of fathers.
  unsigned int m = 0;
  if (pairs != nullptr && f != nullptr &&
      (pairs->Mirrored(a, &m) || pairs->Insert(a, nullptr, 0))) {
    const unsigned int kNear = 8;
    unsigned int at = count;
    for (unsigned int i = count; i-- > m && count - i <= kNear;) {
      if (a->fathers[i] == f) {
        at = i;
        break;
      }
    }
    if (at == count) {
      if (!pairs->CatchUp(a, a->fathers)) {  // unmarked now
        RemoveUnmarked(a, f);
        return;
      }
      if (!pairs->Erase(a, f, &at)) return;
      m = count;
    }
    // Past m both f and the last father are unmirrored: no pair moves.
    ZELS3Node* last = a->fathers[count - 1];
    // Below m the last father's pair is there: it moves, nothing is stored.
    if (at < m && at != count - 1) pairs->Insert(a, last, at);
    a->fathers[at] = last;
    LinkSlots::DropLast(a->fathers);
    if (m == count) pairs->Insert(a, nullptr, count - 1);
    // Few fathers are scanned again.
    if (count - 1 <= kIndexed) pairs->Drop(a, a->fathers);
    return;
  }
  RemoveUnmarked(a, f);
}

void FatherLinks::RemoveUnmarked(ZELS3Node* a, const ZELS3Node* f) {
  const unsigned int count = a->fathers.Count();
  for (unsigned int i = count; i-- > 0;) {
    if (a->fathers[i] == f) {
      if (i == count - 1) {
        LinkSlots::DropLast(a->fathers);  // the father linked last, most often
      } else {
        a->fathers.DetachAt(i, 1, 0);
      }
      return;
    }
  }
}

}  // namespace zeltav

using zeltav::FatherLinks;

int ZELS3Node::AddArg(ZELS3Node* arg) {
  FatherLinks::Changing(this);
  int stored = zeltav::LinkSlots::Append(args, arg) ? 1 : args.Add(arg);
  if (arg != nullptr && !FatherLinks::Link(arg, this)) ZELSymbolicCalculator::SetError(10006);
  if (!stored) ZELSymbolicCalculator::SetError(10007);
  return stored;
}

int ZELS3Node::AddFath(ZELS3Node* father) {
  int stored = FatherLinks::Link(this, father);
  if (!stored) {
    ZELSymbolicCalculator::SetError(10006);
    return 0;
  }
  return stored;
}

void ZELS3Node::RemoveFath(ZELS3Node* father) { FatherLinks::Remove(this, father); }

// (a, c).ReplaceArg(b, 0) -> (b, c). The old argument forgets this father
// even when it still stands at another position of this node.
int ZELS3Node::ReplaceArg(ZELS3Node* arg, unsigned int i) {
  if (arg == nullptr) return 0;
  FatherLinks::Changing(this);
  ZELS3Node* old = i < args.Count() ? args[i] : nullptr;
  if (old != nullptr) FatherLinks::Remove(old, this);
  args.DetachAt(i, 1, 0);
  args.AddAt(arg, i);
  FatherLinks::StillHolds(this, old);
  if (!FatherLinks::Link(arg, this)) {
    ZELSymbolicCalculator::SetError(10006);
    return 0;
  }
  return 1;
}

void ZELS3Node::RemoveArg(unsigned int i) {
  FatherLinks::Changing(this);
  ZELS3Node* old = i < args.Count() ? args[i] : nullptr;
  if (old != nullptr) FatherLinks::Remove(old, this);
  args.DetachAt(i, 1, 0);
  FatherLinks::StillHolds(this, old);
}

// An argument standing at several positions is detached once per position;
// only the first finds this node among its fathers.
void ZELS3Node::RemoveAllArgs() {
  if (args.Count() != 0) FatherLinks::Changing(this);
  for (unsigned int i = 0; i < args.Count(); ++i) {
    if (!zeltav::TakesArguments(type)) {
      ZELSymbolicCalculator::SetError(10008);
      continue;
    }
    ZELS3Node* a = args[i];
    if (a != nullptr) FatherLinks::Remove(a, this);
  }
  args.Flush(0);
}

// Positions at or past the argument count read as null, so a node built
// with too few arguments is never read beyond them.
ZELS3Node* ZELS3Node::GetArg(unsigned int i) const {
  if (!zeltav::TakesArguments(type)) {
    ZELSymbolicCalculator::SetError(10008);
    return nullptr;
  }
  return i < args.Count() ? args[i] : nullptr;
}

ZELS3Node* ZELS3Node::GetFath(unsigned int i) const { return fathers[i]; }
unsigned int ZELS3Node::GetFathNum() const { return fathers.Count(); }
