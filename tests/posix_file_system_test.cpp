#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text_literal.h"
#include "support/posix_world.h"

namespace zq::platform {
namespace {

using zq::testing::SyscallKind;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  std::unique_ptr<File> Open(std::string_view relative, Access access,
                             Disposition disposition = Disposition::OPEN_EXISTING,
                             Share share = Share::DENY_NONE) {
    return world_.files.Open(world_.Name(relative), access, share, disposition, result_);
  }
  std::vector<std::string> SearchNames(std::string_view relativePattern, std::uint8_t filter) {
    std::vector<DirEntry> found;
    result_ = world_.files.Search(world_.Name(relativePattern), filter, found);
    std::vector<std::string> names;
    for (const DirEntry& entry : found) names.push_back(entry.name.str());
    return names;
  }

  zq::testing::PosixWorld world_;
  int result_ = -1;
};

using Names = std::vector<std::string>;

TEST_F(PosixFileSystemTest, FilesCreatedHereAndElsewhereAreFoundInAnySpelling) {
  // The mapper keeps the directory it read for a missing name and adds the
  // files created here to it; files another station creates must still show.
  auto& tree = world_.tree;
  tree.MakeDirectory("Dane");
  for (const char* name : {"DANE/A.REK", "Dane/B.REK", "dane/c.rek"}) {
    ASSERT_TRUE(Open(name, Access::WRITE, Disposition::CREATE_ALWAYS)) << name;
  }
  tree.WriteFile("Dane/d.rek", "another station's");
  // One made between two of ours must not be taken for missing after ours.
  ASSERT_TRUE(Open("dane/E.rek", Access::WRITE, Disposition::CREATE_ALWAYS));
  tree.WriteFile("Dane/f.rek", "another station's");
  ASSERT_TRUE(Open("dane/G.rek", Access::WRITE, Disposition::CREATE_ALWAYS));
  // While it fills, the kept listing answers first: one that another station
  // made in the meantime is opened, never doubled in another spelling.
  tree.WriteFile("Dane/h.rek", "another station's");
  ASSERT_TRUE(Open("DANE/H.REK", Access::WRITE, Disposition::CREATE_ALWAYS));
  for (const char* name : {"dane/a.rek", "DANE/b.rek", "DANE/C.REK", "DANE/D.REK", "dane/e.REK",
                           "DANE/F.REK", "dane/g.REK", "Dane/H.rek"}) {
    EXPECT_TRUE(Open(name, Access::READ)) << name;
    EXPECT_EQ(SearchNames(name, ATTR_FILES).size(), 1u) << name;
  }
  EXPECT_EQ(SearchNames("DANE/*.*", ATTR_FILES),
            (Names{"A.REK", "B.REK", "c.rek", "d.rek", "E.rek", "f.rek", "G.rek", "h.rek"}));
}

TEST_F(PosixFileSystemTest, WritesReadsSeeksAndSizesAFile) {
  auto file = Open("dane.rek", Access::READ_WRITE, Disposition::CREATE_ALWAYS);
  ASSERT_TRUE(file) << result_;
  std::size_t done = 0;
  EXPECT_EQ(file->Write("0123456789", 10, done), IO_OK);
  EXPECT_EQ(done, 10u);
  std::uint64_t size = 0;
  EXPECT_EQ(file->Size(size), IO_OK);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(file->Seek(7), IO_OK);
  char buffer[8] = {};
  EXPECT_EQ(file->Read(buffer, sizeof buffer, done), IO_OK);
  EXPECT_EQ(std::string(buffer, done), "789");  // short only at the end of the file
  EXPECT_EQ(file->Flush(), IO_OK);
  EXPECT_EQ(file->Close(), IO_OK);
  EXPECT_EQ(file->Read(buffer, 1, done), IO_NOT_OPEN);
  EXPECT_EQ(world_.tree.ReadFile("dane.rek"), "0123456789");

  // Creating an existing file empties it, whatever its size.
  for (const std::string before : {"x", "0123456789"}) {
    world_.tree.WriteFile("dane.rek", before);
    file = Open("DANE.REK", Access::WRITE, Disposition::CREATE_ALWAYS);
    ASSERT_TRUE(file);
    file.reset();
    EXPECT_EQ(world_.tree.ReadFile("dane.rek"), "") << before;
  }
}

TEST_F(PosixFileSystemTest, AnAppendIsOneWriteCallAndWhatItRefusesCallsNothing) {
  world_.tree.WriteFile("zq20-21.log", "old\n");
  auto log = Open("ZQ20-21.LOG", Access::APPEND, Disposition::CREATE_ALWAYS);
  ASSERT_TRUE(log) << result_;
  auto& syscalls = world_.syscalls;
  syscalls.ClearHistory();
  std::size_t done = 0;
  EXPECT_EQ(log->Write("new\n", 4, done), IO_OK);
  EXPECT_EQ(log->Seek(0), IO_NOT_SUPPORTED);
  EXPECT_EQ(log->Lock(0, 4), IO_NOT_SUPPORTED);
  EXPECT_EQ(log->Unlock(0, 4), IO_NOT_SUPPORTED);
  EXPECT_EQ(syscalls.History(), std::vector<SyscallKind>{SyscallKind::WRITE});
  // An append that fails is reported as a write that fails.
  syscalls.FailNth(SyscallKind::WRITE, 1, ENOSPC);
  EXPECT_EQ(log->Write("lost\n", 5, done), IO_WRITE_FAULT);
  EXPECT_EQ(log->Close(), IO_OK);
  EXPECT_EQ(world_.tree.ReadFile("zq20-21.log"), "old\nnew\n");
}

TEST_F(PosixFileSystemTest, OpenFailuresAnswerTheirIoResults) {
  world_.tree.MakeDirectory("katalog");
  world_.tree.WriteFile("plik.txt", "x");
  EXPECT_FALSE(Open("brak.txt", Access::READ));
  EXPECT_EQ(result_, IO_FILE_NOT_FOUND);
  EXPECT_FALSE(Open("brak/plik.txt", Access::READ));
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
  EXPECT_FALSE(Open("brak/plik.txt", Access::WRITE, Disposition::CREATE_ALWAYS));
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
  EXPECT_FALSE(Open("plik.txt/x", Access::READ));
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
  EXPECT_FALSE(Open("katalog", Access::READ));  // a directory is not a file
  EXPECT_EQ(result_, IO_ACCESS_DENIED);
  EXPECT_FALSE(Open("katalog", Access::WRITE));
  EXPECT_EQ(result_, IO_ACCESS_DENIED);
  EXPECT_FALSE(Open("a*.txt", Access::READ));
  EXPECT_EQ(result_, IO_BAD_NAME);
  std::string longName;
  for (int i = 0; i < 90; ++i) longName += "─";  // 90 bytes in CP852, 270 on disk
  EXPECT_FALSE(Open(longName, Access::WRITE, Disposition::CREATE_ALWAYS));
  EXPECT_EQ(result_, IO_BAD_NAME);
}

TEST_F(PosixFileSystemTest, SearchListsMatchesSortedWithDosAttributesAndFilter) {
  auto& tree = world_.tree;
  tree.MakeDirectory("firma/Podkatalog");
  tree.MakeDirectory("firma/.ukryty");
  tree.WriteFile("firma/2021D501.REK", "12345");
  tree.WriteFile("firma/2021d502.rek", "");
  tree.WriteFile("firma/.2021D503.REK", "");
  tree.WriteFile("firma/2021D601.REK", "");
  tree.WriteFile("firma/Zażółć.txt", "abc");
  tree.WriteFile("firma/tylko.txt", "");
  chmod(tree.Path("firma/tylko.txt").c_str(), 0444);

  EXPECT_EQ(SearchNames("firma/2021D5??.*", ATTR_FILES), (Names{"2021D501.REK", "2021d502.rek"}));
  EXPECT_EQ(result_, IO_OK);
  EXPECT_EQ(SearchNames("firma/*.rek", ATTR_FILES),
            (Names{".2021D503.REK", "2021D501.REK", "2021d502.rek", "2021D601.REK"}));
  EXPECT_EQ(SearchNames("firma/*.rek", ATTR_READ_ONLY | ATTR_ARCHIVE),
            (Names{"2021D501.REK", "2021d502.rek", "2021D601.REK"}));  // hidden only when asked
  EXPECT_EQ(SearchNames("FIRMA\\*.*", ATTR_FILES),
            (Names{".2021D503.REK", "2021D501.REK", "2021d502.rek", "2021D601.REK", "tylko.txt",
                   "Zażółć.txt"_pl.str()}));
  EXPECT_EQ(SearchNames("FIRMA\\*.*", ATTR_ANY),
            (Names{".2021D503.REK", ".ukryty", "2021D501.REK", "2021d502.rek", "2021D601.REK",
                   "Podkatalog", "tylko.txt", "Zażółć.txt"_pl.str()}));
  // As in DOS, a filter adds kinds to the plain files; it never takes them away.
  EXPECT_EQ(SearchNames("firma/*", ATTR_DIRECTORY),
            (Names{"2021D501.REK", "2021d502.rek", "2021D601.REK", "Podkatalog", "tylko.txt",
                   "Zażółć.txt"_pl.str()}));

  std::vector<DirEntry> found;
  EXPECT_EQ(world_.files.Search(world_.Name("firma/ZAŻÓŁĆ.TXT"), ATTR_FILES, found), IO_OK);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "Zażółć.txt"_pl);
  EXPECT_EQ(found[0].attributes, ATTR_ARCHIVE);
  EXPECT_EQ(found[0].size, 3u);
  EXPECT_EQ(world_.files.Search(world_.Name("firma/tylko.txt"), ATTR_FILES, found), IO_OK);
  EXPECT_EQ(found[0].attributes, ATTR_ARCHIVE | ATTR_READ_ONLY);
  EXPECT_EQ(world_.files.Search(world_.Name("firma/podkatalog"), ATTR_ANY, found), IO_OK);
  EXPECT_EQ(found[0].attributes, ATTR_DIRECTORY);
  EXPECT_EQ(found[0].name, "Podkatalog"_pl);

  // Directories only for a filter that asks for them; no match, a missing
  // directory and a pattern ending with a separator.
  EXPECT_EQ(SearchNames("firma/podkatalog", ATTR_FILES), Names{});
  EXPECT_EQ(result_, IO_NO_MORE_FILES);
  EXPECT_EQ(SearchNames("firma/*.xyz", ATTR_ANY), Names{});
  EXPECT_EQ(result_, IO_NO_MORE_FILES);
  EXPECT_EQ(SearchNames("brak/*.*", ATTR_ANY), Names{});
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
  EXPECT_EQ(SearchNames("brak/plik", ATTR_ANY), Names{});
  EXPECT_EQ(result_, IO_PATH_NOT_FOUND);
  EXPECT_EQ(SearchNames("firma/", ATTR_ANY), Names{});
  EXPECT_EQ(result_, IO_NO_MORE_FILES);
  EXPECT_EQ(SearchNames("firma/..", ATTR_ANY), Names{});
}

TEST_F(PosixFileSystemTest, DiskNamesOutsideTheCodePageAreListedWithQuestionMarks) {
  world_.tree.WriteFile("\xE2\x82\xAC-raport.txt", "");  // "€-raport.txt"
  EXPECT_EQ(SearchNames("*.txt", ATTR_FILES), (Names{"?-raport.txt"}));
  EXPECT_FALSE(Open("?-raport.txt", Access::READ));
  EXPECT_EQ(result_, IO_BAD_NAME);
}

TEST_F(PosixFileSystemTest, MakesRenamesAndErases) {
  auto& tree = world_.tree;
  EXPECT_EQ(world_.files.MakeDirectory(world_.Name("Nowy")), IO_OK);
  EXPECT_EQ(world_.files.MakeDirectory(world_.Name("NOWY")), IO_ACCESS_DENIED);  // exists
  EXPECT_EQ(world_.files.MakeDirectory(world_.Name("brak/nowy")), IO_PATH_NOT_FOUND);

  tree.WriteFile("Nowy/a.txt", "A");
  tree.WriteFile("Nowy/b.txt", "B");
  // Renaming never replaces an existing file; a change of letter case is a
  // rename of its own.
  EXPECT_EQ(world_.files.Rename(world_.Name("nowy/A.TXT"), world_.Name("NOWY/B.txt")),
            IO_ACCESS_DENIED);
  EXPECT_EQ(tree.ReadFile("Nowy/b.txt"), "B");
  EXPECT_EQ(world_.files.Rename(world_.Name("nowy/a.txt"), world_.Name("nowy/A.TXT")), IO_OK);
  EXPECT_EQ(tree.ReadFile("Nowy/A.TXT"), "A");
  EXPECT_FALSE(tree.Exists("Nowy/a.txt"));
  EXPECT_EQ(world_.files.Rename(world_.Name("nowy/A.TXT"), world_.Name("nowy/c.txt")), IO_OK);
  EXPECT_EQ(tree.ReadFile("Nowy/c.txt"), "A");
  EXPECT_EQ(world_.files.Rename(world_.Name("nowy/brak.txt"), world_.Name("nowy/d.txt")),
            IO_FILE_NOT_FOUND);
  EXPECT_EQ(world_.files.Rename(world_.Name("nowy/c.txt"), world_.Name("brak/d.txt")),
            IO_PATH_NOT_FOUND);

  EXPECT_EQ(world_.files.Erase(world_.Name("NOWY/C.TXT")), IO_OK);
  EXPECT_FALSE(tree.Exists("Nowy/c.txt"));
  EXPECT_EQ(world_.files.Erase(world_.Name("nowy/c.txt")), IO_FILE_NOT_FOUND);
  EXPECT_EQ(world_.files.Erase(world_.Name("nowy")), IO_ACCESS_DENIED);  // a directory
}

TEST_F(PosixFileSystemTest, FailedSystemCallsComeBackAsIoResults) {
  world_.tree.WriteFile("dane.rek", std::string(100, 'x'));
  auto& syscalls = world_.syscalls;
  char buffer[10];
  std::size_t done = 0;

  auto file = Open("dane.rek", Access::READ_WRITE);
  ASSERT_TRUE(file);
  syscalls.FailNth(SyscallKind::READ, 2, EIO);
  EXPECT_EQ(file->Read(buffer, sizeof buffer, done), IO_OK);
  EXPECT_EQ(file->Read(buffer, sizeof buffer, done), IO_READ_FAULT);
  EXPECT_EQ(file->Read(buffer, sizeof buffer, done), IO_OK);

  syscalls.FailNth(SyscallKind::WRITE, 1, ENOSPC);
  EXPECT_EQ(file->Write("abc", 3, done), IO_WRITE_FAULT);
  syscalls.FailNth(SyscallKind::WRITE, 1, EIO);
  EXPECT_EQ(file->Write("abc", 3, done), IO_WRITE_FAULT);
  syscalls.FailNth(SyscallKind::SYNC, 1, EIO);
  EXPECT_EQ(file->Flush(), IO_WRITE_FAULT);
  syscalls.FailNth(SyscallKind::LOCK, 1, ENOLCK);
  EXPECT_EQ(file->Lock(0, 10), IO_LOCK_VIOLATION);
  syscalls.FailNth(SyscallKind::CLOSE, 1, EIO);
  EXPECT_EQ(file->Close(), IO_WRITE_FAULT);  // a write lost at close is reported
  EXPECT_EQ(file->Close(), IO_NOT_OPEN);

  syscalls.FailNth(SyscallKind::OPEN, 1, EMFILE);
  EXPECT_FALSE(Open("dane.rek", Access::READ_WRITE));
  EXPECT_EQ(result_, IO_TOO_MANY_OPEN_FILES);
  syscalls.FailNth(SyscallKind::OPEN, 1, EACCES);
  EXPECT_FALSE(Open("dane.rek", Access::READ_WRITE));
  EXPECT_EQ(result_, IO_ACCESS_DENIED);
  // The sharing locks are part of the open.
  syscalls.FailNth(SyscallKind::LOCK, 1, ENOLCK);
  EXPECT_FALSE(Open("dane.rek", Access::READ_WRITE));
  EXPECT_EQ(result_, IO_ACCESS_DENIED);
  syscalls.FailNth(SyscallKind::LIST, 1, EACCES);
  EXPECT_EQ(SearchNames("*.rek", ATTR_FILES), Names{});
  EXPECT_EQ(result_, IO_ACCESS_DENIED);
  syscalls.FailNth(SyscallKind::MAKE_DIRECTORY, 1, ENOSPC);
  EXPECT_EQ(world_.files.MakeDirectory(world_.Name("nowy")), IO_WRITE_FAULT);
  // A refused open or creation leaves the file as it was.
  syscalls.FailNth(SyscallKind::TRUNCATE, 1, EIO);
  EXPECT_FALSE(Open("dane.rek", Access::READ_WRITE, Disposition::CREATE_ALWAYS));
  EXPECT_EQ(result_, IO_WRITE_FAULT);
  EXPECT_EQ(world_.tree.ReadFile("dane.rek"), "xxxxxxxxxx" + std::string(90, 'x'));
}

}  // namespace
}  // namespace zq::platform
