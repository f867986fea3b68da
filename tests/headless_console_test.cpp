#include <gtest/gtest.h>

#include <array>
#include <span>

#include "platform/headless_console.h"
#include "platform/manual_clock.h"

namespace zq::platform {
namespace {

TEST(HeadlessConsole, KeepsTheScreenAndClipsWritesAtTheEdges) {
  ManualClock clock;
  HeadlessConsole console(clock);
  const Cell cells[] = {{0xA5, 0x1F}, {'b', 0x1F}, {'c', 0x4F}};
  console.WriteCells(78, 24, cells);  // the last cell falls off the row
  console.WriteCells(0, 25, cells);   // below the screen: ignored
  EXPECT_EQ(console.Text(77, 24, 3), " ąb");
  EXPECT_EQ(console.CellAt(79, 24).attribute, 0x1F);
  EXPECT_EQ(console.RowText(0), std::string(80, ' '));
}

// The clipping every console applies to a run of cells.
TEST(Console, ARunOfCellsIsCutToTheScreen) {
  std::array<Cell, 100> run{};
  for (std::size_t i = 0; i < run.size(); ++i) run[i].character = static_cast<std::uint8_t>(i);
  struct Case {
    int row;
    int column;
    std::size_t cells;
    int landsAt;
    std::size_t kept;
    std::uint8_t first;  // the first cell kept
  };
  for (const Case& c : {
           Case{0, 0, 80, 0, 80, 0},
           Case{24, 78, 3, 78, 2, 0},
           Case{3, -2, 5, 0, 3, 2},
           Case{3, -7, 5, 0, 0, 0},
           Case{3, -10, 100, 0, 80, 10},
           Case{3, 80, 5, 80, 0, 0},
           Case{25, 0, 5, 0, 0, 0},
           Case{-1, 0, 5, 0, 0, 0},
       }) {
    SCOPED_TRACE(::testing::Message() << c.row << "," << c.column << "," << c.cells);
    int column = c.column;
    const std::span<const Cell> kept = CellsOnScreen(c.row, column, std::span(run).first(c.cells));
    EXPECT_EQ(kept.size(), c.kept);
    if (kept.empty()) continue;
    EXPECT_EQ(column, c.landsAt);
    EXPECT_EQ(kept.front().character, c.first);
  }
}

TEST(HeadlessConsole, ScriptedInputPausesAndRunningOut) {
  ManualClock clock;
  HeadlessConsole console(clock);
  console.PushKey(0x011B);
  console.PushPause();
  console.PushMouse(MOUSE_LEFT, 3, 4);

  InputRecord record;
  ASSERT_TRUE(console.WaitForInput(64));
  ASSERT_TRUE(console.ReadInput(record));
  EXPECT_EQ(record, InputRecord::Key(0x011B, STATE_NUM_LOCK));
  EXPECT_FALSE(console.ReadInput(record));  // a pause holds the queue
  EXPECT_FALSE(console.WaitForInput(64));
  EXPECT_EQ(clock.Elapsed(), 64u);
  ASSERT_TRUE(console.ReadInput(record));
  EXPECT_EQ(record, InputRecord::Mouse(MOUSE_LEFT, 3, 4));
  EXPECT_THROW(console.WaitForInput(64), HeadlessInputExhausted);

  int runs = 0;
  console.PushAction([&] { ++runs; });
  console.PushKey(0x1C0D);
  EXPECT_EQ(runs, 0);
  ASSERT_TRUE(console.PeekInput(record));  // the action runs when input is looked for
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(record.key.code, 0x1C0D);
}

}  // namespace
}  // namespace zq::platform
