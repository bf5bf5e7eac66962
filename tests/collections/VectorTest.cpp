// The pointer vector: growth, the corners of Add/AddAt/DetachAt/Flush,
// virtual dispatch between operations, the iterator and assignment.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ZELTavSymbolicCalculator.h"

namespace {

typedef ZELS3ExactVariable Rec;
typedef ZELICVectorImp<Rec> Vec;
typedef std::vector<Rec*> Slots;
Rec* const o = nullptr;

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
  SpyVec() : Vec(1u, 1u) {}
  int resizeCalls = 0, refuseResize = 0, zeroCalls = 0;
  unsigned step = 0;
  int Resize(unsigned n) override { return ++resizeCalls, refuseResize ? 0 : Vec::Resize(n); }
  unsigned NextDelta(unsigned need) override { return step ? step : Vec::NextDelta(need); }
  void Zero(unsigned from, unsigned to) override { ++zeroCalls, Vec::Zero(from, to); }
};
struct BrokenVec : Vec {
  BrokenVec() : Vec(3u, 1u) { good = 0; }
};

}  // namespace

TEST(VectorGrowth, FollowsDeltaAndFactorArithmetic) {
  // Fill; NextDelta(need) when need > 0; one more Add (resize 0) or Resize;
  // the limit when not 0.
  // clang-format off
  struct { const char* what; Vec v; unsigned fill, need, delta, resize; int result; unsigned limit; }
  cases[] = {{"zero delta never grows", Vec(2u, 0u), 3, 0, 0, 0, 0, 3},
             {"default", Vec(), 0, 0, 0, 0, 0, 0},
             {"delta 100", Vec(100u, 100u), 101, 200, 200, 0, 1, 201},
             {"no growth counts as failure", Vec(100u, 100u), 102, 0, 0, 201, 0, 201},
             {"factor 0.5", Vec(9u, 0.5), 0, 0, 0, 11, 1, 15},
             {"factor 1", Vec(3u, 1.0), 0, 1, 4, 0, 1, 0},
             {"factor 0.01 one", Vec(3u, 0.01), 0, 1, 1, 0, 1, 0},
             {"factor 0.01 three", Vec(3u, 0.01), 0, 3, 3, 0, 1, 0},
             {"factor nan", Vec(3u, std::nan("")), 0, 1, 4, 0, 1, 0}};
  // clang-format on
  for (auto& c : cases) {
    Fill(c.v, c.fill);
    EXPECT_EQ(c.need ? c.v.NextDelta(c.need) : 0u, c.delta) << c.what;
    EXPECT_EQ(c.resize ? c.v.Resize(c.resize) : c.v.Add(R(c.fill)), c.result) << c.what;
    EXPECT_EQ(c.limit ? c.v.Limit() : 0u, c.limit) << c.what;
  }
}

TEST(VectorInsertion, SkipsSlotsWrittenBeyondTopAndInsertsPastTheEnd) {
  Vec v(2u, 1u), w(5u, 5u);
  v[0] = R(0);
  ASSERT_EQ(v.Add(R(1)), 1);
  EXPECT_EQ(v.Count(), 2u);
  ASSERT_EQ(v.AddAt(R(9), 1) + v.AddAt(R(8), 0), 2);  // the second grows
  EXPECT_EQ(All(v), (Slots{R(8), R(0), R(9), R(1)}));
  ASSERT_EQ(w.AddAt(R(0), 10), 1);
  EXPECT_EQ(w.Count(), 11u);
  EXPECT_EQ(All(w), (Slots{o, o, o, o, o, o, o, o, o, o, R(0)}));
}

TEST(VectorRemoval, DetachAtAndFlushWorkOnTheirExactRanges) {
  // Vec(5, 5) holding R(0..2), or R(0..4) to flush, with R(4), R(5) written
  // beyond top when `beyond`; DetachAt(a, b) or Flush(0, a, b); `refill` Adds.
  // clang-format off
  struct { bool beyond, flush; unsigned a, b; int result; unsigned refill, count; Slots slots; }
  cases[] = {{true, false, 4, 2, 1, 0, 3, {R(0), R(1), R(2), o, o, o}},
             {false, false, 1, 5, 1, 0, 1, {R(0), o, o, o, o, o}},
             {true, false, 6, 1, 0, 0, 3, {R(0), R(1), R(2), o, R(4), R(5)}},
             {false, true, 2, 0, 1, 3, 0, {R(0), R(1), R(2), R(3), R(4), R(2)}}};
  // clang-format on
  for (const auto& c : cases) {
    Vec v(5u, 5u);
    Fill(v, c.flush ? 5 : 3);
    if (c.beyond) v[4] = R(4), v[5] = R(5);
    EXPECT_EQ(c.flush ? (v.Flush(0, c.a, c.b), 1) : v.DetachAt(c.a, c.b, 0), c.result) << c.a;
    EXPECT_EQ(v.Count(), c.count) << c.a;
    Fill(v, c.refill);  // Add skips the slots the flush kept
    EXPECT_EQ(All(v), c.slots) << c.a;
  }
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

TEST(VectorDispatch, OperationsReachOverridesThroughTheVirtualTable) {
  SpyVec v;
  Fill(v, 2);
  v.refuseResize = 1;
  EXPECT_EQ(v.Add(R(2)) + v.AddAt(R(2), 0), 0);
  EXPECT_EQ(v.resizeCalls, 2);
  v.refuseResize = 0, v.step = 7;
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
  EXPECT_TRUE(none.Current() == nullptr && !static_cast<int>(none));
}

TEST(VectorCopy, CopiesPointersAndKeepsSlotsWhenAssignedFromABrokenVector) {
  Vec v(2u, 2u);
  Fill(v, 2);
  Vec copy(v), assigned;
  copy.Add(R(2));
  EXPECT_EQ(All(v), (Slots{R(0), R(1), o}));
  assigned = copy;
  EXPECT_EQ(All(assigned), (Slots{R(0), R(1), R(2)}));
  assigned = BrokenVec();
  EXPECT_EQ(assigned.Good(), 0);
  EXPECT_EQ(All(assigned), All(copy)) << "slots stay as they were";
  assigned = v;
  EXPECT_EQ(assigned.Good(), 1);
  EXPECT_EQ(All(assigned), All(v));
}
