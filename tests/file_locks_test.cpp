#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host_world.h"
#include "platform/files.h"
#include "support/lock_holder_client.h"

namespace zq::platform {
namespace {

using zq::testing::LockHolder;

constexpr std::uint64_t WHOLE_FILE = 0x7FFFFFFF;

class FileLocksTest : public ::testing::Test {
 protected:
  void SetUp() override { world_.tree.WriteFile("SPISFIRM.DAT", std::string(103 * 3, 'r')); }
  std::unique_ptr<File> Open(Access access, Share share) {
    return world_.files.Open(world_.Name("SPISFIRM.DAT"), access, share, Disposition::OPEN_EXISTING,
                             result_);
  }
  std::string HostFile() const { return world_.tree.Path("SPISFIRM.DAT"); }

  zq::testing::HostWorld world_;
  int result_ = -1;
};

TEST_F(FileLocksTest, ALockOfAnotherStationIsRefusedUntilItIsReleased) {
  LockHolder station(HostFile());
  ASSERT_EQ(station.Greeting(), "READY");
  auto file = Open(Access::READ_WRITE, Share::DENY_NONE);
  ASSERT_TRUE(file) << result_;

  ASSERT_EQ(station.Send("lock 103 103"), "OK");  // the second record
  EXPECT_EQ(file->Lock(103, 103), IO_LOCK_VIOLATION);
  EXPECT_EQ(file->Lock(0, WHOLE_FILE), IO_LOCK_VIOLATION);
  EXPECT_EQ(file->Lock(0, 103), IO_OK);  // the first record is free
  EXPECT_EQ(station.Send("lock 0 103"), "ERROR 33");
  EXPECT_EQ(file->Unlock(0, 103), IO_OK);

  ASSERT_EQ(station.Send("unlock 103 103"), "OK");
  EXPECT_EQ(file->Lock(0, WHOLE_FILE), IO_OK);
  EXPECT_EQ(file->Lock(0, WHOLE_FILE), IO_OK);  // a handle does not block itself
  EXPECT_EQ(station.Send("lock 0x7FFFFFFE 1"), "ERROR 33");
  EXPECT_EQ(file->Unlock(0, WHOLE_FILE), IO_OK);

  // A lock goes with the handle that closes.
  ASSERT_EQ(station.Send("lock 0 0x7FFFFFFF"), "OK");
  EXPECT_EQ(file->Lock(206, 103), IO_LOCK_VIOLATION);
  ASSERT_EQ(station.Send("close"), "OK");
  EXPECT_EQ(file->Lock(206, 103), IO_OK);
}

TEST_F(FileLocksTest, LocksWorkOnReadOnlyHandlesAndBetweenTwoHandlesOfOneProcess) {
  auto reader = Open(Access::READ, Share::DENY_NONE);
  auto writer = Open(Access::READ_WRITE, Share::DENY_NONE);
  ASSERT_TRUE(reader && writer);
  EXPECT_EQ(reader->Lock(0, WHOLE_FILE), IO_OK);
  EXPECT_EQ(writer->Lock(0, 1), IO_LOCK_VIOLATION);
  LockHolder station(HostFile(), "read", "deny-none");
  ASSERT_EQ(station.Greeting(), "READY");
  EXPECT_EQ(station.Send("lock 5 1"), "ERROR 33");
  EXPECT_EQ(reader->Unlock(0, WHOLE_FILE), IO_OK);
  EXPECT_EQ(station.Send("lock 5 1"), "OK");
  EXPECT_EQ(reader->Lock(5, 1), IO_LOCK_VIOLATION);
  EXPECT_EQ(writer->Lock(0, 5), IO_OK);
  // A range beyond what the record offsets can reach is not for locking.
  EXPECT_EQ(writer->Lock(0x4000000000000000, 1), IO_LOCK_VIOLATION);
  EXPECT_EQ(writer->Lock(10, 0), IO_OK);  // zero bytes: nothing to lock
}

TEST_F(FileLocksTest, SharingModesHoldBetweenStationsBothWays) {
  {
    LockHolder station(HostFile(), "read", "deny-none");
    ASSERT_EQ(station.Greeting(), "READY");
    EXPECT_FALSE(Open(Access::READ_WRITE, Share::DENY_ALL));
    EXPECT_EQ(result_, IO_SHARING_VIOLATION);
    EXPECT_FALSE(Open(Access::READ, Share::DENY_READ));
    EXPECT_EQ(result_, IO_SHARING_VIOLATION);
    auto sharedReader = Open(Access::READ, Share::DENY_WRITE);  // the station only reads
    EXPECT_TRUE(sharedReader) << result_;
    EXPECT_EQ(station.Send("open read-write deny-none"), "ERROR 32");  // we deny writing now
    sharedReader.reset();
    EXPECT_EQ(station.Send("close"), "ERROR 103");  // its reopen failed, nothing is open
  }
  auto exclusive = Open(Access::READ_WRITE, Share::DENY_ALL);
  ASSERT_TRUE(exclusive) << result_;
  LockHolder station(HostFile(), "read", "deny-none");
  EXPECT_EQ(station.Greeting(), "ERROR 32");
  EXPECT_EQ(station.Send("open-deny-all"), "ERROR 32");
  // Two handles of one process share the same way.
  EXPECT_FALSE(Open(Access::READ, Share::DENY_NONE));
  EXPECT_EQ(result_, IO_SHARING_VIOLATION);
  // A refused creation does not empty the file.
  EXPECT_FALSE(world_.files.Open(world_.Name("spisfirm.dat"), Access::WRITE, Share::DENY_NONE,
                                 Disposition::CREATE_ALWAYS, result_));
  EXPECT_EQ(result_, IO_SHARING_VIOLATION);
  exclusive.reset();  // (on Windows the test cannot read it before)
  EXPECT_EQ(world_.tree.ReadFile("SPISFIRM.DAT").size(), 309u);
  EXPECT_EQ(station.Send("open-deny-all"), "OK");
  EXPECT_FALSE(Open(Access::READ, Share::DENY_NONE));
  EXPECT_EQ(result_, IO_SHARING_VIOLATION);
  EXPECT_EQ(station.Send("close"), "OK");
  EXPECT_TRUE(Open(Access::READ, Share::DENY_NONE));
}

}  // namespace
}  // namespace zq::platform
