#pragma once
// The mark of a company whose conversion has not finished: a small file
// written first into the company's target directory when its run starts and
// removed when the run ends well. It names the time and the station that
// started the run, and that converter holds a lock on it while it works, so
// a second converter on the same trees tells a company being converted now
// (locked) from one whose run stopped half-way (not locked).

#include <memory>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/short_string.h"

namespace zq::conversion {

inline constexpr std::string_view COMPANY_MARKER = "ZQ20-21.NKN";

enum class MarkerState { ABSENT, UNFINISHED, HELD };

struct MarkerLook {
  MarkerState state = MarkerState::ABSENT;
  // "2021-01-04 09:05:31 " + the station, as the starting converter wrote it.
  ShortString text;
  // Its first ten characters: the day the run started.
  ShortString Day() const { return ShortString(text.view().substr(0, 10)); }
};

// The marker in `directory`, if any, and whether a converter holds it now.
MarkerLook LookAtMarker(platform::FileSystem& files, const ShortString& directory);

class CompanyMarker {
 public:
  // `station` names this computer and its operator for the other converters.
  CompanyMarker(platform::FileSystem& files, platform::Clock& clock, ShortString station)
      : files_(files), clock_(clock), station_(std::move(station)) {}
  ~CompanyMarker() { Release(); }
  CompanyMarker(const CompanyMarker&) = delete;
  CompanyMarker& operator=(const CompanyMarker&) = delete;

  // Writes the marker in `directory` (taking over one left by a stopped run)
  // and holds it. HELD, with the holder's text, when another converter
  // holds it; ABSENT when it cannot be written.
  MarkerLook Claim(const ShortString& directory);
  // The run ended well: the marker goes.
  void Finish();
  // The run stopped: the marker stays for the next run, no longer held.
  void Release();

 private:
  platform::FileSystem& files_;
  platform::Clock& clock_;
  ShortString station_;
  ShortString path_;
  std::unique_ptr<platform::File> held_;
};

}  // namespace zq::conversion
