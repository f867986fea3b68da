#pragma once
// The host's real file system over a fresh temporary tree: on POSIX the world
// with fault injection between the file layer and the system.

#include "support/posix_world.h"

namespace zq::testing {

using HostWorld = PosixWorld;

}  // namespace zq::testing
