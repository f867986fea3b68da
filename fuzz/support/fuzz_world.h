#pragma once
// One real file tree for the whole run of a fuzz target, made on first use
// and removed when the target ends.

#include "support/posix_world.h"

namespace zq::fuzz {

inline testing::PosixWorld& World() {
  static testing::PosixWorld world;
  return world;
}

}  // namespace zq::fuzz
