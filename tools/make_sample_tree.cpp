// Makes a sample pair of data trees for trying the converter out:
//
//     make_sample_tree DIRECTORY
//
// DIRECTORY/DAZ_2020 is the 2020 tree with its company register and company
// folders, DAZ_2021 the empty 2021 tree, where the program is installed with
// a path settings file that points at both.

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool MakeDirectory(const std::string& path) {
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::string root = argv[1];
  const std::string source = root + "/DAZ_2020";
  const std::string target = root + "/DAZ_2021";
  if (!MakeDirectory(root) || !MakeDirectory(source) || !MakeDirectory(target) ||
      !MakeDirectory(source + "/#BIN020")) {
    std::perror(root.c_str());
    return 1;
  }
  if (!WriteFile(target + "/zq20-21.PTH",
                 "[PATHS]\r\nDAZ_2020=" + source + "\r\nDAZ_2021=" + target + "\r\n")) {
    std::perror(target.c_str());
    return 1;
  }
  std::printf("sample trees in %s\n", root.c_str());
  return 0;
}
