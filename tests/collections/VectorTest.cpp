// The pointer vector: growth, the corners of Add/AddAt/DetachAt/Flush, dispatch, iterator, copies.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ZELTavSymbolicCalculator.h"

typedef ZELS3ExactVariable Rec;
typedef ZELICVectorImp<Rec> Vec;
typedef std::vector<Rec*> Slots;
Rec* const o = nullptr;

alignas(Rec) char gStandIns[128][sizeof(Rec)];  // distinct stand-ins, only stored and compared
Rec* R(unsigned i) { return reinterpret_cast<Rec*>(gStandIns[i]); }
Slots All(const Vec& v) { return Slots(&v[0], &v[0] + v.Limit()); }
void Fill(Vec& v, unsigned n) {
  for (unsigned i = 0; i < n; ++i) ASSERT_EQ(v.Add(R(i)), 1);
}

int gDeleted = 0;
struct CountedRec : Rec {
  CountedRec() : Rec(0, nullptr) {}
  ~CountedRec() override { ++gDeleted; }
};
struct SpyVec : Vec {  // overrides the operations must reach; SpyVec(0) is not good
  explicit SpyVec(int isGood = 1) : Vec(1u, 1u) { good = isGood; }
  unsigned resizeCalls = 0, refuseResize = 0, zeroCalls = 0, step = 0;
  int Resize(unsigned n) override { return ++resizeCalls, refuseResize ? 0 : Vec::Resize(n); }
  unsigned NextDelta(unsigned need) override { return step ? step : Vec::NextDelta(need); }
  void Zero(unsigned from, unsigned to) override { ++zeroCalls, Vec::Zero(from, to); }
};

TEST(VectorGrowth, FollowsDeltaAndFactorArithmetic) {
  // Fill; NextDelta(need) when need > 0; one more Add (resize 0) or Resize; the limit when not 0.
  // clang-format off
  struct { const char* what; Vec v; unsigned fill, need, delta, resize; int ok; unsigned limit; }
  cases[] = {
    {"delta 0", Vec(2u, 0u), 3, 0, 0, 0, 0, 3}, {"default", Vec(), 0, 0, 0, 0, 0, 0},
    {"delta 100", Vec(100u, 100u), 101, 200, 200, 0, 1, 201},
    {"no growth fails", Vec(100u, 100u), 102, 0, 0, 201, 0, 201},
    {"factor 0.5", Vec(9u, 0.5), 0, 0, 0, 11, 1, 15}, {"factor 1", Vec(3u, 1.0), 0, 1, 4, 0, 1, 0},
    {"0.01", Vec(3u, 0.01), 0, 1, 1, 0, 1, 0}, {"0.01, need 3", Vec(3u, 0.01), 0, 3, 3, 0, 1, 0},
    {"factor nan", Vec(3u, std::nan("")), 0, 1, 4, 0, 1, 0}};
  // clang-format on
  for (auto& c : cases) {
    Fill(c.v, c.fill);
    EXPECT_EQ(c.need ? c.v.NextDelta(c.need) : 0u, c.delta) << c.what;
    EXPECT_EQ(c.resize ? c.v.Resize(c.resize) : c.v.Add(R(c.fill)), c.ok) << c.what;
    EXPECT_EQ(c.limit ? c.v.Limit() : 0u, c.limit) << c.what;
  }
}

TEST(VectorInsertion, SkipsSlotsWrittenBeyondTopAndInsertsPastTheEnd) {
  Vec v(2u, 1u), w(5u, 5u);
  v[0] = R(0);
  ASSERT_TRUE(v.Add(R(1)) == 1 && v.Count() == 2u) << v.Count();
  ASSERT_TRUE(v.AddAt(R(9), 1) == 1 && v.AddAt(R(8), 0) == 1);  // the second grows
  EXPECT_EQ(All(v), (Slots{R(8), R(0), R(9), R(1)}));
  ASSERT_TRUE(w.AddAt(R(0), 10) == 1 && w.Count() == 11u) << w.Count();
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
    int result = c.flush ? (v.Flush(0, c.a, c.b), 1) : v.DetachAt(c.a, c.b, 0);
    EXPECT_TRUE(result == c.result && v.Count() == c.count) << c.a << ": " << v.Count();
    Fill(v, c.refill);  // Add skips the slots the flush kept
    EXPECT_EQ(All(v), c.slots) << c.a;
  }
  Vec d(5u, 5u);
  for (gDeleted = 0; d.Count() < 4;) d.Add(new CountedRec);
  d[5] = new CountedRec;
  EXPECT_TRUE(d.DetachAt(1, 1, 1) == 1 && gDeleted == 1) << gDeleted;
  d.Flush(1, 100, 0);  // end clamped to Limit; slot 5 beyond top included
  EXPECT_TRUE(gDeleted == 5 && All(d) == Slots(6, nullptr)) << gDeleted;
}

TEST(VectorDispatch, OperationsReachOverridesThroughTheVirtualTable) {
  SpyVec v;
  Fill(v, 2);
  v.refuseResize = 1;
  EXPECT_TRUE(v.Add(R(2)) == 0 && v.AddAt(R(2), 0) == 0 && v.resizeCalls == 2u) << v.resizeCalls;
  v.refuseResize = 0, v.step = 7;
  EXPECT_TRUE(v.Add(R(2)) == 1 && v.Limit() == 9u) << "Resize grows by the overridden NextDelta";
  v.zeroCalls = 0, v.DetachAt(0, 1, 0), v.Flush(0);
  EXPECT_EQ(v.zeroCalls, 2u);
}

TEST(VectorIterationAndCopy, WalkASnapshotCopyPointersAndIgnoreAVectorThatIsNotGood) {
  Vec v(2u, 2u), assigned;
  Fill(v, 2);
  v.Add(nullptr);
  ZELICVectorIteratorImp<Rec> it(v);
  v.Add(R(5));
  Vec copy(v);
  EXPECT_EQ((Slots{it++, it.Current(), ++it}), (Slots{R(0), R(1), o})) << "null yielded as null";
  EXPECT_TRUE(it && ++it == nullptr && !it) << "the walk stops at the count seen when made";
  EXPECT_EQ((it.Restart(), it.Current()), R(0));
  SpyVec broken(0);
  ZELICVectorIteratorImp<Rec> none(broken, 0, 1);
  EXPECT_TRUE(none.Current() == nullptr && !none);
  copy.Add(R(3));
  EXPECT_EQ(All(v), (Slots{R(0), R(1), o, R(5), o})) << "the copy has its own slots";
  EXPECT_EQ(All(assigned = copy), (Slots{R(0), R(1), o, R(5), R(3)}));
  EXPECT_TRUE((assigned = broken).Good() == 0 && All(assigned) == All(copy)) << "slots stay";
  EXPECT_TRUE((assigned = v).Good() == 1 && All(assigned) == All(v));
}
