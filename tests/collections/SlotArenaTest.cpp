// Slot arrays of 1, 2, 4 or 8 slots for the vectors inside a pool's cells:
// found by address, handed out again per size once freed, and the heap for
// every other vector and size.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "ZELTavSymbolicCalculator/Node.h"
#include "collections/CellPool.h"
#include "collections/SlotArena.h"

namespace {

const std::size_t kCell = 64;

// A vector that doubles, and its slot array.
struct Slots : ZELICVectorImp_ZELS3Node {
  Slots() { factor = 1.0; }
  const void* Data() const { return data; }
};

ZELS3Node* Item(std::uintptr_t i) { return reinterpret_cast<ZELS3Node*>(i * 16); }

}  // namespace

TEST(SlotArena, AVectorInACellTakesSlotsFromTheArenaUpToEightThenFromTheHeap) {
  zeltav::CellPool pool(kCell);
  zeltav::SlotArena arena(pool);
  Slots* v = new (pool.Allocate()) Slots;
  for (std::uintptr_t i = 1; i <= 8; ++i) {
    ASSERT_EQ(v->Add(Item(i)), 1);
    EXPECT_EQ(zeltav::SlotArena::ForSlots(v->Data()), &arena) << i;
  }
  ASSERT_EQ(v->Add(Item(9)), 1);
  EXPECT_EQ(zeltav::SlotArena::ForSlots(v->Data()), nullptr);
  for (std::uintptr_t i = 1; i <= 9; ++i) EXPECT_EQ((*v)[static_cast<unsigned>(i - 1)], Item(i));
  v->~Slots();
}

TEST(SlotArena, AVectorOutsideEveryPoolKeepsUsingTheHeap) {
  zeltav::CellPool pool(kCell);
  zeltav::SlotArena arena(pool);
  pool.Allocate();
  Slots v;
  v.Add(Item(1));
  EXPECT_EQ(zeltav::SlotArena::ForVector(&v), nullptr);
  EXPECT_EQ(zeltav::SlotArena::ForSlots(v.Data()), nullptr);
}

TEST(SlotArena, HandsAFreedArrayOutAgainForItsOwnSizeOnly) {
  zeltav::CellPool pool(kCell);
  zeltav::SlotArena arena(pool);
  void** two = arena.Allocate(2);
  ASSERT_NE(two, nullptr);
  two[0] = two[1] = &arena;
  arena.Free(two);
  void** one = arena.Allocate(1);
  EXPECT_NE(one, two);
  void** again = arena.Allocate(2);
  EXPECT_EQ(again, two);
  EXPECT_EQ(again[0], nullptr);
  EXPECT_EQ(again[1], nullptr);
  EXPECT_EQ(arena.Allocate(3), nullptr);
  EXPECT_EQ(arena.Allocate(16), nullptr);
}

TEST(SlotArena, EachPoolFindsItsOwnArenaAndAnArenaGoneIsNotFound) {
  zeltav::CellPool first(kCell), second(kCell);
  void* a = first.Allocate();
  void* b = second.Allocate();
  zeltav::SlotArena firstArena(first);
  {
    zeltav::SlotArena secondArena(second);
    EXPECT_EQ(zeltav::SlotArena::ForVector(a), &firstArena);
    EXPECT_EQ(zeltav::SlotArena::ForVector(b), &secondArena);
    EXPECT_EQ(zeltav::SlotArena::ForSlots(secondArena.Allocate(4)), &secondArena);
  }
  EXPECT_EQ(zeltav::SlotArena::ForVector(b), nullptr);
  EXPECT_EQ(zeltav::SlotArena::ForVector(a), &firstArena);
}

// Past the first commit and several 2 MB steps, arrays stay apart.
TEST(SlotArena, KeepsManyArraysApart) {
  zeltav::CellPool pool(kCell);
  zeltav::SlotArena arena(pool);
  std::vector<void**> arrays;
  for (std::uintptr_t i = 0; i < 300000; ++i) {
    void** a = arena.Allocate(1);
    ASSERT_NE(a, nullptr) << i;
    a[0] = Item(i + 1);
    arrays.push_back(a);
  }
  for (std::uintptr_t i = 0; i < arrays.size(); i += 997) EXPECT_EQ(arrays[i][0], Item(i + 1));
}

#if defined(__SANITIZE_ADDRESS__)
TEST(SlotArenaDeathTest, CatchesAReadOfAFreedArrayUnderTheAddressSanitizer) {
  zeltav::CellPool pool(kCell);
  zeltav::SlotArena arena(pool);
  void** a = arena.Allocate(2);
  arena.Free(a);
  EXPECT_DEATH(static_cast<void>(*static_cast<void* volatile*>(a + 1)), "use-after-poison");
}
#endif
