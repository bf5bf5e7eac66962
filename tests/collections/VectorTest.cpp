// The pointer vector: growth arithmetic, the odd corners of Add/AddAt/
// DetachAt/Flush, virtual dispatch between operations, and the iterator.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ZELTavSymbolicCalculator.h"

namespace {

typedef ZELS3ExactVariable Rec;
typedef ZELICVectorImp<Rec> Vec;
typedef std::vector<Rec*> Slots;

// Records that live for the whole program; R(i) has id i.
Rec* R(unsigned i) {
  static std::vector<std::unique_ptr<Rec>> all;
  while (all.size() <= i) all.emplace_back(new Rec(all.size(), nullptr));
  return all[i].get();
}

Slots All(const Vec& v) {
  Slots s;
  for (unsigned i = 0; i < v.Limit(); ++i) s.push_back(v[i]);
  return s;
}

void Fill(Vec& v, unsigned n) {
  for (unsigned i = 0; i < n; ++i) ASSERT_EQ(v.Add(R(i)), 1);
}

int gDeleted = 0;
struct CountedRec : Rec {
  CountedRec() : Rec(0, nullptr) {}
  ~CountedRec() override { ++gDeleted; }
};

// Overrides that Add, AddAt, Resize, DetachAt and Flush must reach.
struct SpyVec : Vec {
  SpyVec(unsigned size, unsigned d) : Vec(size, d) {}
  int resizeCalls = 0, refuseResize = 0, zeroCalls = 0;
  unsigned fixedStep = 0;
  int Resize(unsigned n) override { return ++resizeCalls, refuseResize ? 0 : Vec::Resize(n); }
  unsigned NextDelta(unsigned need) override {
    return fixedStep ? fixedStep : Vec::NextDelta(need);
  }
  void Zero(unsigned from, unsigned to) override { ++zeroCalls, Vec::Zero(from, to); }
};

struct BrokenVec : Vec {
  BrokenVec() : Vec(3u, 1u) { good = 0; }
};

}  // namespace

TEST(VectorGrowth, FollowsDeltaAndFactorArithmetic) {
  // clang-format off
  struct { const char* what; Vec v; unsigned fill; int added; unsigned limit; } adds[] = {
      {"zero delta never grows", Vec(2u, 0u), 3, 0, 3}, {"default", Vec(), 0, 0, 0},
      {"delta 100", Vec(100u, 100u), 101, 1, 201}};
  const struct { double factor; unsigned need, delta; } steps[] = {
      {1.0, 1, 4}, {0.01, 1, 1}, {0.01, 3, 3}, {std::nan(""), 1, 4}};
  // clang-format on
  for (auto& c : adds) {
    Fill(c.v, c.fill);
    EXPECT_EQ(c.v.Add(R(c.fill)), c.added) << c.what;
    if (c.limit) {
      EXPECT_EQ(c.v.Limit(), c.limit) << c.what;
    }
  }
  for (const auto& c : steps)
    EXPECT_EQ(Vec(3u, c.factor).NextDelta(c.need), c.delta) << c.factor << " " << c.need;
  EXPECT_EQ(adds[2].v.NextDelta(200), 200u);
  EXPECT_EQ(adds[2].v.Resize(201), 0) << "no growth counts as failure";
  Vec half(9u, 0.5);
  ASSERT_EQ(half.Resize(11), 1);
  EXPECT_EQ(half.Limit(), 15u);
}

TEST(VectorInsertion, SkipsSlotsWrittenBeyondTopAndInsertsPastTheEnd) {
  Vec v(2u, 1u);
  v[0] = R(0);
  ASSERT_EQ(v.Add(R(1)), 1);
  EXPECT_EQ(v.Count(), 2u);
  ASSERT_EQ(v.AddAt(R(9), 1), 1);
  ASSERT_EQ(v.AddAt(R(8), 0), 1);  // full: grows
  EXPECT_EQ(All(v), (Slots{R(8), R(0), R(9), R(1)}));

  Vec w(5u, 5u);
  ASSERT_EQ(w.AddAt(R(0), 10), 1);
  EXPECT_EQ(w.Count(), 11u);
  Slots expected(11, nullptr);
  expected[10] = R(0);
  EXPECT_EQ(All(w), expected);
}

TEST(VectorRemoval, DetachAtAndFlushWorkOnTheirExactRanges) {
  Vec v(5u, 5u);
  Fill(v, 3);
  v[4] = R(4);
  v[5] = R(5);
  ASSERT_EQ(v.DetachAt(4, 2, 0), 1) << "beyond top: only nulls the slots";
  EXPECT_EQ(v.Count(), 3u);
  ASSERT_EQ(v.DetachAt(1, 5, 0), 1);
  EXPECT_EQ(v.Count(), 1u);
  EXPECT_EQ(All(v), (Slots{R(0), nullptr, nullptr, nullptr, nullptr, nullptr}));
  EXPECT_EQ(v.DetachAt(6, 1, 0), 0);

  Vec f(5u, 5u);
  Fill(f, 5);
  f.Flush(0, 2, 0);  // end bound first
  EXPECT_EQ(f.Count(), 0u);
  Fill(f, 3);
  EXPECT_EQ(All(f), (Slots{R(0), R(1), R(2), R(3), R(4), R(2)})) << "kept slots are skipped";

  gDeleted = 0;
  Vec d(5u, 5u);
  for (int i = 0; i < 4; ++i) d.Add(new CountedRec);
  d[5] = new CountedRec;
  EXPECT_EQ(d.DetachAt(1, 1, 1), 1);
  EXPECT_EQ(gDeleted, 1);
  d.Flush(1, 100, 0);  // end clamped to Limit; slot 5 beyond top included
  EXPECT_EQ(gDeleted, 5);
  EXPECT_EQ(All(d), Slots(6, nullptr));
}

TEST(VectorSearch, FindsTheVeryObjectAndVisitsSkipNullSlots) {
  Vec v(5u, 5u);
  for (Rec* p : {R(0), static_cast<Rec*>(nullptr), R(1), R(0)}) v.Add(p);
  Rec twin(1, nullptr);
  EXPECT_EQ(v.Find(R(1)), 2u);
  EXPECT_EQ(v.Find(&twin), v.Limit() + 1) << "an equal record is not the same record";
  EXPECT_EQ(v.Find(nullptr), v.Limit() + 1);
  EXPECT_EQ(v.Detach(&twin, 0), 0);
  EXPECT_EQ(v.Detach(R(1), 0), 1);
  EXPECT_EQ(All(v), (Slots{R(0), nullptr, R(0), nullptr, nullptr, nullptr}));

  int calls = 0;
  auto notTwo = [](const Rec& x, void* n) { return ++*static_cast<int*>(n), x.id != 2 ? 1 : 0; };
  v[1] = R(2);
  v[2] = R(3);
  EXPECT_EQ(v.LastThat(notTwo, &calls), R(3));
  EXPECT_EQ(calls, 3) << "LastThat calls the predicate on every element";
  EXPECT_EQ(v.FirstThat(notTwo, &calls), R(0));
  EXPECT_EQ(calls, 4);

  // ForEach fixes its step count: elements added during the walk are not visited.
  v.ForEach([](Rec& x, void* a) { static_cast<Vec*>(a)->Add(&x); }, &v);
  EXPECT_EQ(All(v), (Slots{R(0), R(2), R(3), R(0), R(2), R(3)}));
}

TEST(VectorDispatch, OperationsReachOverridesThroughTheVirtualTable) {
  SpyVec v(1u, 1u);
  Fill(v, 2);
  v.refuseResize = 1;
  EXPECT_EQ(v.Add(R(2)) + v.AddAt(R(2), 0), 0);
  EXPECT_EQ(v.resizeCalls, 2);
  v.refuseResize = 0;
  v.fixedStep = 7;
  ASSERT_EQ(v.Add(R(2)), 1);
  EXPECT_EQ(v.Limit(), 9u) << "Resize grows by the overridden NextDelta";
  v.zeroCalls = 0;
  v.DetachAt(0, 1, 0);
  v.Flush(0);
  EXPECT_EQ(v.zeroCalls, 2);
}

TEST(VectorIterator, WalksASnapshotAndRefusesAVectorThatIsNotGood) {
  Vec v(2u, 2u);
  Fill(v, 2);
  v.Add(nullptr);
  ZELICVectorIteratorImp<Rec> it(v);
  v.Add(R(5));
  EXPECT_EQ(it++, R(0));
  EXPECT_EQ(it.Current(), R(1));
  EXPECT_EQ(++it, nullptr) << "a null slot is yielded as null";
  EXPECT_TRUE(static_cast<int>(it));
  EXPECT_EQ(++it, nullptr);
  EXPECT_FALSE(static_cast<int>(it)) << "the walk stops at the count seen when made";
  it.Restart();
  EXPECT_EQ(it.Current(), R(0));

  BrokenVec broken;
  ZELICVectorIteratorImp<Rec> none(broken, 0, 1);
  EXPECT_EQ(none.Current(), nullptr);
  EXPECT_FALSE(static_cast<int>(none));
}

TEST(VectorCopy, CopiesPointersAndKeepsSlotsWhenAssignedFromABrokenVector) {
  Vec v(2u, 2u);
  Fill(v, 2);
  Vec copy(v), assigned;
  copy.Add(R(2));
  EXPECT_EQ(All(v), (Slots{R(0), R(1), nullptr}));
  assigned = copy;
  EXPECT_EQ(All(assigned), (Slots{R(0), R(1), R(2)}));
  BrokenVec broken;
  assigned = broken;
  EXPECT_EQ(assigned.Good(), 0);
  EXPECT_EQ(All(assigned), All(copy)) << "slots stay as they were";
  assigned = v;
  EXPECT_EQ(assigned.Good(), 1);
  EXPECT_EQ(All(assigned), All(v));
}
