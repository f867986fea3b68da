#pragma once
// The temporary directory, chosen once at start-up from the environment, and
// names of temporary files that no other station uses at the same moment.

#include <cstdint>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/pascal_random.h"
#include "platform/process.h"
#include "platform/short_string.h"

namespace zq::fileaccess {

inline constexpr std::size_t TEMP_DIR_MAX_LENGTH = 116;

// The path with the platform separator appended, unless it is empty or
// already ends with a separator.
ShortString AddBackslash(const ShortString& path);

// directory + "~zq" + n as eight upper-case hexadecimal digits + extension.
ShortString FormatTempName(const ShortString& directory, std::uint32_t n,
                           std::string_view extension);

class TempFiles {
 public:
  TempFiles(platform::FileSystem& files, const platform::Process& process, platform::Clock& clock,
            platform::PascalRandom& random)
      : files_(files), process_(process), clock_(clock), random_(random) {}

  // Chooses the temporary directory: the first of zqTEMP, KPRBOX, TEMP and TMP
  // that names an existing directory, otherwise the current directory.
  void InitTempDir();
  const ShortString& TempDir() const { return tempDir_; }

  // The value of the variable when it names an existing directory (found as a
  // directory entry, so a value ending with a separator or naming a root does
  // not count), otherwise empty.
  ShortString EnvDirectory(std::string_view name) const;

  // A name of a file that does not exist yet, in `directory` or (when it is
  // empty) in the temporary directory. The file is not created.
  ShortString TempFileName(std::string_view extension, const ShortString& directory);
  ShortString TempFileNameTmp(const ShortString& directory);

 private:
  bool Exists(const ShortString& name) const;

  platform::FileSystem& files_;
  const platform::Process& process_;
  platform::Clock& clock_;
  platform::PascalRandom& random_;
  ShortString tempDir_;
};

}  // namespace zq::fileaccess
