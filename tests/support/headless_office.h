#pragma once
// The default sample office in a headless platform's tree, with the converter
// installed in its 2021 tree and the path settings beside it naming the trees
// relative to the office folder, where the converter starts (as `make demo`
// does). Run the converter inside a WorkingDirectory of the tree's root.

#include <vector>

#include "sample/sample_office.h"
#include "support/headless_platform.h"

namespace zq::testing {

inline std::vector<sample::CompanyPlan> WriteConvertibleOffice(
    HeadlessPlatform& p, const sample::SampleOfficeOptions& options = {}) {
  const ShortString root = p.world.Name("");
  std::vector<sample::CompanyPlan> plan = sample::WriteSampleOffice(
      p.world.files, ShortString(root.view().substr(0, root.size() - 1)), options);
  p.world.tree.WriteFile("DAZ_2021/zq20-21.PTH",
                         "[PATHS]\r\nDAZ_2020=DAZ_2020\r\nDAZ_2021=DAZ_2021\r\n");
  p.world.process.SetExecutablePath(p.world.Name("DAZ_2021/zq20-21"));
  p.world.process.SetCurrentDirectory(p.world.Name(""));
  return plan;
}

}  // namespace zq::testing
