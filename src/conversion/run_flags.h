#pragma once
// The flags of the conversion that the company run, the annual settings and
// the converters share. One instance for the whole program, passed by
// reference; the company run clears AnnualFrom2021 at the start of each
// company, AlwaysTake2021 lasts until the program ends.

#include <cstddef>
#include <string_view>

#include "platform/short_string.h"

namespace zq::conversion {

inline constexpr std::size_t PREVIOUS_DATA_PATH_LENGTH = 40;

struct RunFlags {
  // The annual settings were taken from the source tree's 2021 file: the
  // company already works in 2021 inside the source tree.
  bool AnnualFrom2021 = false;
  // The operator asked to take the 2021 annual file for every company.
  bool AlwaysTake2021 = false;
  // The PID-5 or PIT-28 target is built from the 2020 file.
  bool FromPreviousYear = false;
  // The source tree path and company directory, cut to 40 characters.
  ShortString PreviousDataPath;

  void SetPreviousDataPath(std::string_view path) {
    PreviousDataPath = path.substr(0, PREVIOUS_DATA_PATH_LENGTH);
  }
};

}  // namespace zq::conversion
