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
typedef ZELICVectorIteratorImp<Rec> Iter;
typedef std::vector<Rec*> Slots;

// Records owned by the test; r[i] has id i.
struct Records {
  std::vector<std::unique_ptr<Rec>> owned;
  Rec* operator[](unsigned i) {
    while (owned.size() <= i) owned.emplace_back(new Rec(owned.size(), nullptr));
    return owned[i].get();
  }
};

Slots All(const Vec& v) {
  Slots s;
  for (unsigned i = 0; i < v.Limit(); ++i) s.push_back(v[i]);
  return s;
}

void Fill(Vec& v, Records& r, unsigned n) {
  for (unsigned i = 0; i < n; ++i) ASSERT_EQ(v.Add(r[i]), 1);
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
  Records r;
  Vec none, two(2u, 0u);
  Fill(two, r, 3);
  EXPECT_EQ(two.Add(r[3]) + none.Add(r[0]), 0) << "a zero delta never grows";

  Vec hundred(100u, 100u);
  Fill(hundred, r, 101);
  EXPECT_EQ(hundred.Limit(), 101u);
  ASSERT_EQ(hundred.Add(r[101]), 1);
  EXPECT_EQ(hundred.Limit(), 201u);
  EXPECT_EQ(hundred.NextDelta(200), 200u);
  EXPECT_EQ(hundred.Resize(201), 0) << "no growth counts as failure";

  Vec doubling(3u, 1.0), half(9u, 0.5), tiny(9u, 0.01);
  EXPECT_EQ(doubling.NextDelta(1), 4u);
  ASSERT_EQ(half.Resize(11), 1);
  EXPECT_EQ(half.Limit(), 15u);
  EXPECT_EQ(tiny.NextDelta(1), 1u);
  EXPECT_EQ(tiny.NextDelta(3), 3u);
  Vec nan(3u, std::nan(""));
  EXPECT_EQ(nan.NextDelta(1), 4u) << "a NaN factor means 1.0";
}

TEST(VectorInsertion, SkipsSlotsWrittenBeyondTopAndInsertsPastTheEnd) {
  Records r;
  Vec v(2u, 1u);
  v[0] = r[0];
  ASSERT_EQ(v.Add(r[1]), 1);
  EXPECT_EQ(v.Count(), 2u);
  ASSERT_EQ(v.AddAt(r[9], 1), 1);
  ASSERT_EQ(v.AddAt(r[8], 0), 1);  // full: grows
  EXPECT_EQ(All(v), (Slots{r[8], r[0], r[9], r[1]}));

  Vec w(5u, 5u);
  ASSERT_EQ(w.AddAt(r[0], 10), 1);
  EXPECT_EQ(w.Count(), 11u);
  Slots expected(11, nullptr);
  expected[10] = r[0];
  EXPECT_EQ(All(w), expected);
}

TEST(VectorRemoval, DetachAtAndFlushWorkOnTheirExactRanges) {
  Records r;
  Vec v(5u, 5u);
  Fill(v, r, 3);
  v[4] = r[4];
  v[5] = r[5];
  ASSERT_EQ(v.DetachAt(4, 2, 0), 1) << "beyond top: only nulls the slots";
  EXPECT_EQ(v.Count(), 3u);
  ASSERT_EQ(v.DetachAt(1, 5, 0), 1);
  EXPECT_EQ(v.Count(), 1u);
  EXPECT_EQ(All(v), (Slots{r[0], nullptr, nullptr, nullptr, nullptr, nullptr}));
  EXPECT_EQ(v.DetachAt(6, 1, 0), 0);

  Vec f(5u, 5u);
  Fill(f, r, 5);
  f.Flush(0, 2, 0);  // end bound first
  EXPECT_EQ(f.Count(), 0u);
  Fill(f, r, 3);
  EXPECT_EQ(All(f), (Slots{r[0], r[1], r[2], r[3], r[4], r[2]})) << "kept slots are skipped";

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
  Records r;
  Vec v(5u, 5u);
  for (Rec* p : {r[0], static_cast<Rec*>(nullptr), r[1], r[0]}) v.Add(p);
  Rec twin(1, nullptr);
  EXPECT_EQ(v.Find(r[1]), 2u);
  EXPECT_EQ(v.Find(&twin), v.Limit() + 1) << "an equal record is not the same record";
  EXPECT_EQ(v.Find(nullptr), v.Limit() + 1);
  EXPECT_EQ(v.Detach(&twin, 0), 0);
  EXPECT_EQ(v.Detach(r[1], 0), 1);
  EXPECT_EQ(All(v), (Slots{r[0], nullptr, r[0], nullptr, nullptr, nullptr}));

  int calls = 0;
  auto notTwo = [](const Rec& x, void* n) { return ++*static_cast<int*>(n), x.id != 2 ? 1 : 0; };
  v[1] = r[2];
  v[2] = r[3];
  EXPECT_EQ(v.LastThat(notTwo, &calls), r[3]);
  EXPECT_EQ(calls, 3) << "LastThat calls the predicate on every element";
  EXPECT_EQ(v.FirstThat(notTwo, &calls), r[0]);
  EXPECT_EQ(calls, 4);

  // ForEach fixes its step count: elements added during the walk are not visited.
  calls = 0;
  std::pair<Vec*, int*> ctx(&v, &calls);
  v.ForEach(
      [](Rec& x, void* a) {
        auto* c = static_cast<std::pair<Vec*, int*>*>(a);
        ++*c->second, c->first->Add(&x);
      },
      &ctx);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(v.Count(), 6u);
}

TEST(VectorDispatch, OperationsReachOverridesThroughTheVirtualTable) {
  Records r;
  SpyVec v(1u, 1u);
  Fill(v, r, 2);
  v.refuseResize = 1;
  EXPECT_EQ(v.Add(r[2]), 0);
  EXPECT_EQ(v.AddAt(r[2], 0), 0);
  EXPECT_EQ(v.resizeCalls, 2);
  v.refuseResize = 0;
  v.fixedStep = 7;
  ASSERT_EQ(v.Add(r[2]), 1);
  EXPECT_EQ(v.Limit(), 9u) << "Resize grows by the overridden NextDelta";
  v.zeroCalls = 0;
  v.DetachAt(0, 1, 0);
  v.Flush(0);
  EXPECT_EQ(v.zeroCalls, 2);
}

TEST(VectorIterator, WalksASnapshotAndRefusesAVectorThatIsNotGood) {
  Records r;
  Vec v(2u, 2u);
  Fill(v, r, 2);
  v.Add(nullptr);
  Iter it(v);
  v.Add(r[5]);
  EXPECT_EQ(it++, r[0]);
  EXPECT_EQ(it.Current(), r[1]);
  EXPECT_EQ(++it, nullptr) << "a null slot is yielded as null";
  EXPECT_TRUE(static_cast<int>(it));
  EXPECT_EQ(++it, nullptr);
  EXPECT_FALSE(static_cast<int>(it)) << "the walk stops at the count seen when made";
  it.Restart();
  EXPECT_EQ(it.Current(), r[0]);

  BrokenVec broken;
  Iter none(broken, 0, 1);
  EXPECT_EQ(none.Current(), nullptr);
  EXPECT_FALSE(static_cast<int>(none));
}

TEST(VectorCopy, CopiesPointersAndKeepsSlotsWhenAssignedFromABrokenVector) {
  Records r;
  Vec v(2u, 2u);
  Fill(v, r, 2);
  Vec copy(v);
  copy.Add(r[2]);
  EXPECT_EQ(All(v), (Slots{r[0], r[1], nullptr}));
  EXPECT_EQ(All(copy), (Slots{r[0], r[1], r[2]}));

  Vec assigned;
  assigned = copy;
  EXPECT_EQ(All(assigned), All(copy));
  BrokenVec broken;
  assigned = broken;
  EXPECT_EQ(assigned.Good(), 0);
  EXPECT_EQ(All(assigned), All(copy)) << "slots stay as they were";
  assigned = v;
  EXPECT_EQ(assigned.Good(), 1);
  EXPECT_EQ(All(assigned), All(v));
}
