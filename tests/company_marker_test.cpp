// The mark of an unfinished company when its file cannot be erased (the file
// layer's calls failing, so on POSIX only).

#include "conversion/company_marker.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/manual_clock.h"
#include "platform/text_literal.h"
#include "support/posix_world.h"

namespace zq::conversion {
namespace {

TEST(CompanyMarker, AMarkerThatCannotBeErasedSaysSoAndStays) {
  testing::PosixWorld world;
  platform::ManualClock clock;
  world.tree.MakeDirectory("DAZ_2021/PIEKARN");
  CompanyMarker marker(world.files, clock, "stacja TEST"_pl);
  ASSERT_NE(marker.Claim(world.Name("DAZ_2021/PIEKARN")).state, MarkerState::HELD);
  ASSERT_TRUE(world.tree.Exists("DAZ_2021/PIEKARN/ZQ20-21.NKN"));
  // Refused while held, and again once let go.
  world.syscalls.FailNth(testing::SyscallKind::UNLINK, 1, EACCES, 2);
  EXPECT_FALSE(marker.Finish());
  EXPECT_TRUE(world.tree.Exists("DAZ_2021/PIEKARN/ZQ20-21.NKN"));
  // Not held any more: the next run finds it unfinished.
  EXPECT_EQ(LookAtMarker(world.files, world.Name("DAZ_2021/PIEKARN")).state,
            MarkerState::UNFINISHED);
}

}  // namespace
}  // namespace zq::conversion
