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

// Overrides that the other operations must reach; SpyVec(0) is not good.
struct SpyVec : Vec {
  explicit SpyVec(int isGood = 1) : Vec(1u, 1u) { good = isGood; }
  unsigned resizeCalls = 0, refuseResize = 0, zeroCalls = 0, step = 0;
  int Resize(unsigned n) override {
    ++resizeCalls;
    return refuseResize ? 0 : Vec::Resize(n);
  }
  unsigned NextDelta(unsigned need) override { return step ? step : Vec::NextDelta(need); }
  void Zero(unsigned from, unsigned to) override {
    ++zeroCalls;
    Vec::Zero(from, to);
  }
};

TEST(VectorGrowth, NeverGrowsWithoutADeltaOrAFactor) {
  Vec fixed(2u, 0u);
  Fill(fixed, 3);
  EXPECT_EQ(fixed.Add(R(3)), 0);
  EXPECT_EQ(fixed.Limit(), 3u);
  Vec empty;
  EXPECT_EQ(empty.Add(R(0)), 0);
}

// Made with (100, 100): 101 slots, and the 102nd element makes 201.
TEST(VectorGrowth, GrowsByWholeMultiplesOfTheDelta) {
  Vec v(100u, 100u);
  Fill(v, 101);
  EXPECT_EQ(v.NextDelta(200), 200u);
  EXPECT_EQ(v.Add(R(101)), 1);
  EXPECT_EQ(v.Limit(), 201u);
  EXPECT_EQ(v.Resize(201), 0);
}

TEST(VectorGrowth, GrowsByTheFactorTimesTheSlotsAtLeastOneAtATime) {
  EXPECT_EQ(Vec(3u, 1.0).NextDelta(1), 4u);
  EXPECT_EQ(Vec(3u, 0.01).NextDelta(1), 1u);
  EXPECT_EQ(Vec(3u, 0.01).NextDelta(3), 3u);
  EXPECT_EQ(Vec(3u, std::nan("")).NextDelta(1), 4u);
}

// R(0) written into slot 0 by hand: Add skips it, AddAt shifts it and grows when full.
TEST(VectorInsertion, AddSkipsSlotsWrittenBeyondTheTopAndAddAtShiftsTheRest) {
  Vec v(2u, 1u);
  v[0] = R(0);
  ASSERT_EQ(v.Add(R(1)), 1);
  EXPECT_EQ(v.Count(), 2u);
  ASSERT_EQ(v.AddAt(R(9), 1), 1);
  ASSERT_EQ(v.AddAt(R(8), 0), 1);
  EXPECT_EQ(All(v), (Slots{R(8), R(0), R(9), R(1)}));
}

TEST(VectorInsertion, AddAtPastTheEndLeavesNullSlotsBefore) {
  Vec v(5u, 5u);
  ASSERT_EQ(v.AddAt(R(0), 10), 1);
  EXPECT_EQ(v.Count(), 11u);
  EXPECT_EQ(All(v), (Slots{o, o, o, o, o, o, o, o, o, o, R(0)}));
}

// Three elements, and R(4), R(5) written beyond the top.
Vec ThreeAndTwoBeyond() {
  Vec v(5u, 5u);
  Fill(v, 3);
  v[4] = R(4);
  v[5] = R(5);
  return v;
}

TEST(VectorRemoval, DetachAtClosesTheGapBelowTheTopAndClearsOnlyTheRangeBeyondIt) {
  Vec below = ThreeAndTwoBeyond();
  EXPECT_EQ(below.DetachAt(1, 5, 0), 1);
  EXPECT_EQ(below.Count(), 1u);
  EXPECT_EQ(All(below), (Slots{R(0), o, o, o, R(4), R(5)}));
  Vec beyond = ThreeAndTwoBeyond();
  EXPECT_EQ(beyond.DetachAt(4, 2, 0), 1);
  EXPECT_EQ(beyond.Count(), 3u);
  EXPECT_EQ(All(beyond), (Slots{R(0), R(1), R(2), o, o, o}));
  Vec past = ThreeAndTwoBeyond();
  EXPECT_EQ(past.DetachAt(6, 1, 0), 0);
  EXPECT_EQ(All(past), (Slots{R(0), R(1), R(2), o, R(4), R(5)}));
}

TEST(VectorRemoval, DetachAtRemovesFromTheGivenPositionAndShiftsTheRestDown) {
  Vec v(5u, 5u);
  Fill(v, 5);
  EXPECT_EQ(v.DetachAt(1, 2, 0), 1);
  EXPECT_EQ(v.Count(), 3u);
  EXPECT_EQ(All(v), (Slots{R(0), R(3), R(4), o, o, o}));
  EXPECT_EQ(v.DetachAt(0, 1, 0), 1);
  EXPECT_EQ(All(v), (Slots{R(3), R(4), o, o, o, o}));
}

// Flush(0, 2, 0) empties slots 0 and 1 only; Add then skips the slots it kept.
TEST(VectorFlush, EmptiesItsRangeAndLeavesTheRestToBeSkipped) {
  Vec v(5u, 5u);
  Fill(v, 5);
  v.Flush(0, 2, 0);
  EXPECT_EQ(v.Count(), 0u);
  Fill(v, 3);
  EXPECT_EQ(All(v), (Slots{R(0), R(1), R(2), R(3), R(4), R(2)}));
}

TEST(VectorFlush, DeletesTheElementsUpToTheLimitBeyondTheTopToo) {
  Vec v(5u, 5u);
  gDeleted = 0;
  while (v.Count() < 4) v.Add(new CountedRec);
  v[5] = new CountedRec;
  EXPECT_EQ(v.DetachAt(1, 1, 1), 1);
  EXPECT_EQ(gDeleted, 1);
  v.Flush(1, 100, 0);
  EXPECT_EQ(gDeleted, 5);
  EXPECT_EQ(All(v), Slots(6, nullptr));
}

TEST(VectorDispatch, OperationsReachOverridesThroughTheVirtualTable) {
  SpyVec v;
  Fill(v, 2);
  v.refuseResize = 1;
  EXPECT_EQ(v.Add(R(2)), 0);
  EXPECT_EQ(v.AddAt(R(2), 0), 0);
  EXPECT_EQ(v.resizeCalls, 2u);
  v.refuseResize = 0;
  v.step = 7;
  EXPECT_EQ(v.Add(R(2)), 1);
  EXPECT_EQ(v.Limit(), 9u);
  v.zeroCalls = 0;
  v.DetachAt(0, 1, 0);
  v.Flush(0);
  EXPECT_EQ(v.zeroCalls, 2u);
}

// Stand-ins are laid out in order: R(i) is at least R(k) exactly when i >= k.
int AtLeast(const Rec& r, void* k) { return &r >= static_cast<Rec*>(k); }
int Is(const Rec& r, void* k) { return &r == static_cast<Rec*>(k); }
int Any(const Rec&, void*) { return 1; }
int Stranger(const Rec& r, void*) { return &r < R(0) || &r > R(127); }
void CountVisit(Rec&, void* visits) { ++*static_cast<int*>(visits); }

// R(0) to R(4), a null slot at 2, and R(6) written beyond the top.
TEST(VectorSearch, FirstThatAndLastThatFindTheFirstAndLastMatchInTheirRange) {
  Vec v(8u, 8u);
  Fill(v, 5);
  v[2] = nullptr;
  v[6] = R(6);
  EXPECT_EQ(v.FirstThat(Is, R(0)), R(0));
  EXPECT_EQ(v.LastThat(Is, R(0)), R(0));
  EXPECT_EQ(v.FirstThat(AtLeast, R(1)), R(1));
  EXPECT_EQ(v.FirstThat(AtLeast, R(2)), R(3));
  EXPECT_EQ(v.LastThat(AtLeast, R(1)), R(4));
  EXPECT_EQ(v.LastThat(AtLeast, R(5)), o);
  EXPECT_EQ(v.FirstThat(AtLeast, R(0), 3, 5), R(3));
  EXPECT_EQ(v.LastThat(AtLeast, R(0), 0, 3), R(1));
  EXPECT_EQ(v.FirstThat(AtLeast, R(5), 0, 100), R(6));
  EXPECT_EQ(v.LastThat(AtLeast, R(0), 1, 100), R(6));
  EXPECT_EQ(v.FirstThat(AtLeast, R(0), 4, 4), o);
  EXPECT_EQ(v.LastThat(AtLeast, R(0), 4, 2), o);
}

// 5 slots: ranges reaching past them stop at the last slot.
TEST(VectorSearch, VisitsAndSearchesStopAtTheLastSlotAndAnEmptyRangeVisitsNothing) {
  Vec v(4u, 4u);
  Fill(v, 5);
  int visits = 0;
  v.ForEach(CountVisit, &visits, 2, 100);
  EXPECT_EQ(visits, 3);
  v.ForEach(CountVisit, &visits, 3, 3);
  v.ForEach(CountVisit, &visits, 4, 1);
  EXPECT_EQ(visits, 3);
  EXPECT_EQ(v.LastThat(Any, nullptr, 0, 100), R(4));
  EXPECT_EQ(v.FirstThat(Stranger, nullptr, 0, 100), o);
  Vec empty(1u, 1u);
  empty[0] = R(0);
  empty.ForEach(CountVisit, &visits);
  EXPECT_EQ(visits, 3);
}

TEST(VectorIterator, WalksTheCountSeenWhenMadeYieldingNullSlotsAsNull) {
  Vec v(2u, 2u);
  Fill(v, 2);
  v.Add(nullptr);
  ZELICVectorIteratorImp<Rec> it(v);
  v.Add(R(5));
  EXPECT_EQ(it++, R(0));
  EXPECT_EQ(it.Current(), R(1));
  EXPECT_EQ(++it, o);
  EXPECT_TRUE(it);
  EXPECT_EQ(++it, o);
  EXPECT_FALSE(it);
  it.Restart();
  EXPECT_EQ(it.Current(), R(0));
}

TEST(VectorIterator, AnAssignedIteratorWalksTheRangeOfTheOneItCopies) {
  Vec v(4u, 4u);
  Fill(v, 4);
  ZELICVectorIteratorImp<Rec> it(v, 1, 3);
  ZELICVectorIteratorImp<Rec> assigned(v, 0, 4);
  it++;
  assigned = it;
  EXPECT_EQ(assigned++, R(2));
  EXPECT_FALSE(assigned);
  assigned.Restart();
  EXPECT_EQ(assigned.Current(), R(1));
}

TEST(VectorIterator, OverAVectorThatIsNotGoodYieldsNothing) {
  SpyVec broken(0);
  EXPECT_FALSE((ZELICVectorIteratorImp<Rec>(broken, 0, 1)));
}

TEST(VectorCopy, CopiesThePointersIntoSlotsOfItsOwn) {
  Vec v(2u, 2u);
  Fill(v, 2);
  v.Add(nullptr);
  v.Add(R(5));
  Vec copy(v);
  copy.Add(R(3));
  EXPECT_EQ(All(v), (Slots{R(0), R(1), o, R(5), o}));
  EXPECT_EQ(All(copy), (Slots{R(0), R(1), o, R(5), R(3)}));
  Vec assigned;
  assigned = copy;
  EXPECT_EQ(All(assigned), All(copy));
}

// 10 slots grown by half: 15 after a need of one more.
TEST(VectorCopy, AVectorAssignedGrowsLikeTheOneItCopies) {
  Vec byFactor(9u, 0.5);
  Vec assigned(2u, 7u);
  assigned = byFactor;
  EXPECT_EQ(assigned.Resize(11), 1);
  EXPECT_EQ(assigned.Limit(), 15u);
  Vec byDelta(2u, 4u);
  assigned = byDelta;
  EXPECT_EQ(assigned.GetDelta(), 4u);
  EXPECT_EQ(assigned.Resize(4), 1);
  EXPECT_EQ(assigned.Limit(), 7u);
}

TEST(VectorCopy, AssigningAVectorThatIsNotGoodKeepsTheSlots) {
  Vec v(2u, 2u);
  Fill(v, 2);
  Vec assigned(v);
  SpyVec broken(0);
  assigned = broken;
  EXPECT_EQ(assigned.Good(), 0);
  EXPECT_EQ(All(assigned), All(v));
  assigned = v;
  EXPECT_EQ(assigned.Good(), 1);
  EXPECT_EQ(All(assigned), All(v));
}
