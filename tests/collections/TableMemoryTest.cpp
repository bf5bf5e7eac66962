// Table storage: zeroed at every size, on either side of the huge-page threshold.
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
