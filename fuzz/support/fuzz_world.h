#pragma once
// One real file tree for the whole run of a fuzz target, made on first use
// (in memory where the system has it) and removed when the target ends.

#include "support/posix_world.h"

namespace zq::fuzz {

inline testing::PosixWorld& World() {
  static testing::PosixWorld world{testing::TempTree::InMemory()};
  return world;
}

}  // namespace zq::fuzz
