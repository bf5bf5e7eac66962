// Cells carved from one reserved range: told apart from other memory by
// address, each with its own tag, handed out again once released.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "collections/CellPool.h"

namespace {

const std::size_t kCell = 160;

}  // namespace

TEST(CellPool, HandsOutDistinctOwnedCellsWhoseTagsStartAtZero) {
  zeltav::CellPool pool(kCell);
  void* a = pool.Allocate();
  void* b = pool.Allocate();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(static_cast<char*>(b) - static_cast<char*>(a), static_cast<std::ptrdiff_t>(kCell));
  EXPECT_TRUE(pool.Owns(a));
  EXPECT_TRUE(pool.Owns(b));
  EXPECT_EQ(pool.Tag(a), 0u);
  pool.Tag(a) = 7;
  EXPECT_EQ(pool.Tag(b), 0u);
  EXPECT_EQ(pool.Tag(a), 7u);
}

TEST(CellPool, OwnsNeitherHeapMemoryNorCellsNotYetHandedOut) {
  zeltav::CellPool pool(kCell);
  EXPECT_FALSE(pool.Owns(nullptr));
  void* a = pool.Allocate();
  auto heap = std::make_unique<char[]>(kCell);
  EXPECT_FALSE(pool.Owns(heap.get()));
  EXPECT_FALSE(pool.Owns(static_cast<char*>(a) + kCell));
  EXPECT_FALSE(pool.Owns(static_cast<char*>(a) - kCell));
  EXPECT_FALSE(pool.Owns(static_cast<char*>(a) - 8));
}

TEST(CellPool, GivesAReleasedCellAgainWithItsTagCleared) {
  zeltav::CellPool pool(kCell);
  void* a = pool.Allocate();
  pool.Tag(a) = 42;
  pool.Release(a);
  EXPECT_TRUE(pool.Owns(a));
  void* again = pool.Allocate();
  EXPECT_EQ(again, a);
  EXPECT_EQ(pool.Tag(again), 0u);
}

TEST(CellPool, VisitsEveryCellEverHandedOutInAddressOrder) {
  zeltav::CellPool pool(kCell);
  std::vector<void*> cells;
  for (int i = 0; i < 5; ++i) cells.push_back(pool.Allocate());
  pool.Release(cells[2]);
  std::vector<void*> seen;
  pool.ForEachCell([&](void* cell, std::uint64_t) { seen.push_back(cell); });
  EXPECT_EQ(seen, cells);
}

// Past the first commit and several 2 MB steps: every cell stays writable
// and keeps its own tag.
TEST(CellPool, KeepsTagsApartAcrossManyCommits) {
  zeltav::CellPool pool(kCell);
  std::vector<void*> cells;
  for (std::uint64_t i = 0; i < 100000; ++i) {
    void* cell = pool.Allocate();
    ASSERT_NE(cell, nullptr) << i;
    pool.Tag(cell) = i + 1;
    cells.push_back(cell);
  }
  for (std::uint64_t i = 0; i < cells.size(); i += 999) EXPECT_EQ(pool.Tag(cells[i]), i + 1) << i;
  EXPECT_EQ(pool.Tag(cells.back()), cells.size());
}

#if defined(__SANITIZE_ADDRESS__)
TEST(CellPoolDeathTest, CatchesAReadOfAReleasedCellUnderTheAddressSanitizer) {
  zeltav::CellPool pool(kCell);
  char* cell = static_cast<char*>(pool.Allocate());
  pool.Release(cell);
  EXPECT_DEATH(static_cast<void>(*static_cast<volatile char*>(cell + 8)), "use-after-poison");
}
#endif
