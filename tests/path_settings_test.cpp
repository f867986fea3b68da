#include <gtest/gtest.h>

#include <string>

#include "host_world.h"
#include "platform/text_literal.h"
#include "shell/path_settings.h"

namespace zq::shell {
namespace {

struct PathSettingsTest : ::testing::Test {
  testing::HostWorld world;
  const ShortString baseName = world.Name("zq20-21");

  void ReadBack(ShortString& source, ShortString& target) {
    source = "unchanged"_pl;
    target = "unchanged"_pl;
    ReadPathSettings(world.files, baseName, source, target);
  }
};

TEST_F(PathSettingsTest, PathsOfEveryLengthReadBackAsWritten) {
  for (std::size_t length : {1u, 2u, 50u, 246u, 247u, 248u, 250u, 254u, 255u}) {
    SCOPED_TRACE(length);
    const ShortString source(std::string(length - 1, 's') + platform::PATH_SEPARATOR);
    const ShortString target(std::string(length - 1, 't') + "\\");
    ASSERT_TRUE(WritePathSettings(world.files, baseName, source, target));
    ShortString readSource, readTarget;
    ReadBack(readSource, readTarget);
    EXPECT_EQ(readSource, source);
    EXPECT_EQ(readTarget.view().substr(0, length - 1), target.view().substr(0, length - 1));
    EXPECT_EQ(readTarget.size(), length);
  }
  EXPECT_EQ(world.tree.ReadFile("zq20-21.PTH"), "[PATHS]\r\nDAZ_2020=" + std::string(254, 's') +
                                                    "\r\nDAZ_2021=" + std::string(254, 't') +
                                                    "\r\n");
}

TEST_F(PathSettingsTest, APathTheFileCannotGiveBackIsRefusedAndTheFileKept) {
  ASSERT_TRUE(WritePathSettings(world.files, baseName, "/a/"_pl, "/b/"_pl));
  const std::string kept = world.tree.ReadFile("zq20-21.PTH");
  const struct {
    const char* what;
    ShortString source, target;
  } refused[] = {
      {"line feed in the source", "/a\nDAZ_2021=/x/"_pl, "/b/"_pl},
      {"line feed in the target", "/a/"_pl, "/b\n/"_pl},
      {"255 characters without a closing separator", "/a/"_pl, ShortString(std::string(255, 'x'))},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(WritePathSettings(world.files, baseName, c.source, c.target));
    EXPECT_EQ(world.tree.ReadFile("zq20-21.PTH"), kept);
  }
  // A lone carriage return is part of the line and reads back.
  ASSERT_TRUE(WritePathSettings(world.files, baseName, "/a\r/"_pl, "/b/"_pl));
  ShortString source, target;
  ReadBack(source, target);
  EXPECT_EQ(source, "/a\r"_pl + platform::PATH_SEPARATOR);
}

TEST_F(PathSettingsTest, ALineTooLongForAPathIsIgnored) {
  world.tree.WriteFile("zq20-21.PTH", "DAZ_2020=/first\r\nDAZ_2020=" + std::string(255, 'x') +
                                          "\r\nDAZ_2021=" + std::string(254, 'y') + "\r\n");
  ShortString source, target;
  ReadBack(source, target);
  EXPECT_EQ(source, "/first"_pl + platform::PATH_SEPARATOR);
  EXPECT_EQ(target, ShortString(std::string(254, 'y') + platform::PATH_SEPARATOR));
}

}  // namespace
}  // namespace zq::shell
