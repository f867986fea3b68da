#pragma once
// The 2020 and 2021 trees, empty, with what the recognition and the company
// loop work through: the shared-file access over a headless toolkit, the
// progress log and the run settings naming both trees.

#include <cstdint>

#include "conversion/run_settings.h"
#include "fileaccess/shared_file_access.h"
#include "fileaccess/temp_files.h"
#include "host_world.h"
#include "platform/pascal_random.h"
#include "support/headless_toolkit.h"
#include "transfer/progress_log.h"

namespace zq::testing {

struct RegisterTrees {
  HostWorld world;
  HeadlessToolkit t;
  platform::PascalRandom random;
  fileaccess::TempFiles tempFiles{world.files, world.process, t.clock, random};
  fileaccess::SharedFileAccess access{world.files, t.toolkit, t.clock, tempFiles, {}};
  std::uint8_t showSlowly = 0;
  transfer::ProgressLog log{t.screen, t.colours, t.clock, showSlowly};
  conversion::RunSettings settings;

  RegisterTrees() {
    world.tree.MakeDirectory("DAZ_2020");
    world.tree.MakeDirectory("DAZ_2021");
    settings.SourcePath = world.Name("DAZ_2020/");
    settings.TargetPath = world.Name("DAZ_2021/");
  }
};

}  // namespace zq::testing
