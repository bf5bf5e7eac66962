// Table storage: zeroed at every size, on either side of the 2 MB threshold.
#include <gtest/gtest.h>

#include <cstdint>

#include "collections/TableMemory.h"

namespace {

struct Slot {
  const void* node;
  std::uint32_t value;
};

void ExpectZeroedAndWritable(std::size_t n) {
  Slot* slots = zeltav::NewTable<Slot>(n);
  ASSERT_NE(slots, nullptr) << n;
  for (std::size_t i = 0; i < n; i += 997) EXPECT_EQ(slots[i].value, 0u) << i;
  EXPECT_EQ(slots[n - 1].node, nullptr);
  for (std::size_t i = 0; i < n; ++i) slots[i].value = static_cast<std::uint32_t>(i);
  EXPECT_EQ(slots[n - 1].value, n - 1);
  zeltav::DeleteTable(slots, n);
}

}  // namespace

TEST(TableMemory, TablesOfEverySizeComeZeroedAndHoldTheirLastItem) {
  ExpectZeroedAndWritable(1);
  ExpectZeroedAndWritable(256);
  ExpectZeroedAndWritable((std::size_t{2} << 20) / sizeof(Slot) - 1);
  ExpectZeroedAndWritable((std::size_t{2} << 20) / sizeof(Slot));
  ExpectZeroedAndWritable((std::size_t{5} << 20) / sizeof(Slot) + 3);
}

TEST(TableMemory, AnImpossibleSizeGivesNull) {
  EXPECT_EQ(zeltav::NewTable<Slot>(static_cast<std::size_t>(-1) / 8), nullptr);
  zeltav::DeleteTable<Slot>(nullptr, 0);
}

// Grown across the 2 MB threshold and past it: the items kept, the new
// ones zero.
TEST(TableMemory, AGrownTableKeepsItsItemsAndZeroesTheRest) {
  std::size_t n = 1000;
  Slot* slots = zeltav::NewTable<Slot>(n);
  for (std::size_t i = 0; i < n; ++i) slots[i].value = static_cast<std::uint32_t>(i + 1);
  for (const std::size_t grown : {std::size_t{4000}, std::size_t{200000}, std::size_t{900000}}) {
    slots = zeltav::GrowTable(slots, n, grown);
    ASSERT_NE(slots, nullptr) << grown;
    for (std::size_t i = 0; i < n; i += 7) EXPECT_EQ(slots[i].value, i + 1) << grown << " " << i;
    for (std::size_t i = n; i < grown; i += 13) EXPECT_EQ(slots[i].value, 0u) << grown << " " << i;
    EXPECT_EQ(slots[grown - 1].node, nullptr);
    for (std::size_t i = n; i < grown; ++i) slots[i].value = static_cast<std::uint32_t>(i + 1);
    n = grown;
  }
  zeltav::DeleteTable(slots, n);
}
