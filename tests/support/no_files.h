#pragma once
// A file system with no files at all, for tests whose code only needs one to
// exist (the colour table starts from its built-in colours).

#include "platform/files.h"

namespace zq::testing {

struct NoFiles : platform::FileSystem {
  std::unique_ptr<platform::File> Open(const ShortString&, platform::Access, platform::Share,
                                       platform::Disposition, int& result) override {
    result = platform::IO_FILE_NOT_FOUND;
    return nullptr;
  }
  int Search(const ShortString&, std::uint8_t, std::vector<platform::DirEntry>&) override {
    return platform::IO_PATH_NOT_FOUND;
  }
  int MakeDirectory(const ShortString&) override { return platform::IO_ACCESS_DENIED; }
  int Rename(const ShortString&, const ShortString&) override { return platform::IO_ACCESS_DENIED; }
  int Erase(const ShortString&) override { return platform::IO_ACCESS_DENIED; }
};

}  // namespace zq::testing
