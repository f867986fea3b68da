#pragma once
// What the record files share for the whole run: the file system, the
// toolkit through which they ask the operator, the clock of their waits, the
// temporary files and the run-time file mode. The start-up builds one.

#include "fileaccess/file_modes.h"
#include "fileaccess/temp_files.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "ui/toolkit.h"

namespace zq::fileaccess {

struct SharedFileAccess {
  platform::FileSystem& files;
  ui::Toolkit& toolkit;
  platform::Clock& clock;
  TempFiles& tempFiles;
  FileModes modes;
};

}  // namespace zq::fileaccess
