// The POSIX file copy against real files in a temporary folder.
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "framework/services.h"
#include "platform/posix/copy_file_posix.h"
#include "tests/posix/copy_test_support.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using namespace copy_test;

namespace {

struct stat Lstat(const fs::path& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status;
}

struct stat Stat(const fs::path& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return status;
}

// What an existing entry looks like, to show that a failed copy left it
// exactly as it was: the same inode, contents and link target.
struct EntryState {
  bool exists;
  ino_t inode;
  mode_t mode;
  std::optional<std::uint64_t> sum;
  std::string linkTarget;
  bool operator==(const EntryState&) const = default;
};

EntryState StateOf(const fs::path& path) {
  const bool exists = Exists(path);
  const struct stat status = Lstat(path);
  std::error_code error;
  return {exists, exists ? status.st_ino : 0, exists ? status.st_mode : 0, S_ISREG(status.st_mode) ? Checksum(path) : std::nullopt,
          S_ISLNK(status.st_mode) ? fs::read_symlink(path, error).string() : std::string()};
}

std::string OctalName(mode_t mode) {
  char text[16];
  std::snprintf(text, sizeof text, "mode_%04o", static_cast<unsigned>(mode));
  return text;
}

void ClearHook() { posix_copy::SetBeforePublishHook(nullptr); }

class CopyFileTest : public ::testing::Test {
 protected:
  ~CopyFileTest() override { ClearHook(); }

  fs::path Make(const std::string& name, const std::string& contents) {
    WriteFile(dir_ / name, contents);
    return dir_ / name;
  }
  DWORD Copy(const fs::path& from, const fs::path& to, bool failIfExists) {
    return CopyFile(Text(from), Text(to), failIfExists);
  }
  void ExpectNoTempFiles() { EXPECT_EQ(TempNames(dir_.path()), std::vector<std::string>{}); }

  TempDir dir_;
};

// --- Contents ---

struct SizeCase {
  const char* name;
  std::uint64_t size;
};
void PrintTo(const SizeCase& c, std::ostream* out) { *out << c.name; }

class IdenticalBytes : public CopyFileTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(IdenticalBytes, NewAndReplacedCopiesMatchTheSourceWhichStaysAsItWas) {
  const fs::path source = dir_ / "source.bin";
  WritePattern(source, GetParam().size, GetParam().size + 1);
  const auto sourceSum = Checksum(source);
  // A source read long ago: reading it the ordinary way would move its access time.
  const timespec old[2] = {{946684800, 0}, {978307200, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), old, 0), 0);

  ASSERT_EQ(Copy(source, dir_ / "new.bin", true), ERROR_SUCCESS);
  Make("old.bin", "old contents, longer than some of the new ones");
  ASSERT_EQ(Copy(source, dir_ / "old.bin", false), ERROR_SUCCESS);

  EXPECT_EQ(Checksum(dir_ / "new.bin"), sourceSum);
  EXPECT_EQ(Checksum(dir_ / "old.bin"), sourceSum);
  EXPECT_EQ(fs::file_size(dir_ / "old.bin"), GetParam().size);
  EXPECT_EQ(Stat(source).st_atim.tv_sec, old[0].tv_sec);
  EXPECT_EQ(Checksum(source), sourceSum);
  ExpectNoTempFiles();
}

INSTANTIATE_TEST_SUITE_P(Sizes, IdenticalBytes,
                         ::testing::Values(SizeCase{"empty", 0}, SizeCase{"one_byte", 1}, SizeCase{"page", 4096},
                                           SizeCase{"odd_small", 12345},
                                           SizeCase{"over_buffer", (std::uint64_t{128} << 10) + 7},
                                           SizeCase{"multi_mib", (std::uint64_t{5} << 20) + 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyFileTest, FileThatClaimsToBeEmptyButReadsAsTextIsCopiedWhole) {
  // /proc files report size 0; the kernel's own copy gives nothing for them.
  ASSERT_EQ(Stat("/proc/self/status").st_size, 0);
  ASSERT_EQ(CopyFile("/proc/self/status", Text(dir_ / "status"), true), ERROR_SUCCESS);
  EXPECT_NE(ReadFile(dir_ / "status").find("Name:"), std::string::npos);
}

// --- An existing destination ---

struct ExistingCase {
  const char* name;
  std::function<void(const fs::path& dir, const fs::path& destination)> make;
};
void PrintTo(const ExistingCase& c, std::ostream* out) { *out << c.name; }

std::vector<ExistingCase> ExistingDestinations() {
  return {
      {"regular_file", [](const fs::path&, const fs::path& d) { WriteFile(d, "theirs"); }},
      {"read_only_file",
       [](const fs::path&, const fs::path& d) {
         WriteFile(d, "theirs");
         fs::permissions(d, fs::perms::owner_read);
       }},
      {"empty_file", [](const fs::path&, const fs::path& d) { WriteFile(d, ""); }},
      {"symlink_to_file",
       [](const fs::path& dir, const fs::path& d) {
         WriteFile(dir / "target", "target");
         fs::create_symlink(dir / "target", d);
       }},
      {"dangling_symlink", [](const fs::path& dir, const fs::path& d) { fs::create_symlink(dir / "nowhere", d); }},
      {"fifo", [](const fs::path&, const fs::path& d) { mkfifo(d.c_str(), 0644); }},
  };
}

class ExistingDestination : public CopyFileTest, public ::testing::WithParamInterface<ExistingCase> {};

TEST_P(ExistingDestination, FailingIfExistsLeavesItAsItWasAndSaysSo) {
  const fs::path source = Make("source", "new contents");
  const fs::path destination = dir_ / "destination";
  GetParam().make(dir_.path(), destination);
  const EntryState before = StateOf(destination);
  const auto others = Snapshot(dir_.path());

  EXPECT_EQ(Copy(source, destination, true), ERROR_FILE_EXISTS);
  EXPECT_EQ(StateOf(destination), before);
  EXPECT_FALSE(Exists(dir_ / "nowhere"));
  EXPECT_EQ(Snapshot(dir_.path()), others);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExistingDestination, ::testing::ValuesIn(ExistingDestinations()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReplaceCase {
  const char* name;
  std::function<void(const fs::path& dir, const fs::path& destination)> make;
  const char* untouched;  // a file the replacement must not reach through the old entry
};
void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.name; }

class Replacement : public CopyFileTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(Replacement, PutsARegularFileWithTheNewContentsInPlaceOfTheEntry) {
  const fs::path source = Make("source", "new contents");
  const fs::path destination = dir_ / "destination";
  GetParam().make(dir_.path(), destination);
  const fs::path untouched = dir_ / GetParam().untouched;
  const EntryState untouchedBefore = StateOf(untouched);

  ASSERT_EQ(Copy(source, destination, false), ERROR_SUCCESS);
  EXPECT_TRUE(S_ISREG(Lstat(destination).st_mode));
  EXPECT_EQ(ReadFile(destination), "new contents");
  EXPECT_EQ(StateOf(untouched), untouchedBefore);
  ExpectNoTempFiles();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Replacement,
    ::testing::Values(
        ReplaceCase{"regular_file", [](const fs::path&, const fs::path& d) { WriteFile(d, "old, and longer than the new"); },
                    "source"},
        ReplaceCase{"symlink_to_file",
                    [](const fs::path& dir, const fs::path& d) {
                      WriteFile(dir / "target", "target");
                      fs::create_symlink(dir / "target", d);
                    },
                    "target"},
        ReplaceCase{"dangling_symlink",
                    [](const fs::path& dir, const fs::path& d) { fs::create_symlink(dir / "nowhere", d); }, "nowhere"},
        // Another name of the same file must keep the old contents.
        ReplaceCase{"hard_linked_file",
                    [](const fs::path& dir, const fs::path& d) {
                      WriteFile(dir / "other_name", "old");
                      fs::create_hard_link(dir / "other_name", d);
                    },
                    "other_name"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The destination is the source ---

struct SpellingCase {
  const char* name;
  std::function<fs::path(const fs::path& dir)> destination;  // the source is dir/sub/file
};
void PrintTo(const SpellingCase& c, std::ostream* out) { *out << c.name; }

class SelfCopy : public CopyFileTest, public ::testing::WithParamInterface<SpellingCase> {};

TEST_P(SelfCopy, NeverTouchesTheFileInEitherMode) {
  fs::create_directory(dir_ / "sub");
  const fs::path source = Make("sub/file", "precious contents");
  const fs::path destination = GetParam().destination(dir_.path());
  const EntryState sourceBefore = StateOf(source);
  const EntryState destinationBefore = StateOf(destination);
  const timespec mtime = Stat(source).st_mtim;

  EXPECT_EQ(Copy(source, destination, true), ERROR_FILE_EXISTS);
  const DWORD replaced = Copy(source, destination, false);
  EXPECT_NE(replaced, ERROR_SUCCESS);
  EXPECT_NE(replaced, ERROR_FILE_EXISTS);

  EXPECT_EQ(StateOf(source), sourceBefore);
  EXPECT_EQ(StateOf(destination), destinationBefore);
  EXPECT_EQ(Stat(source).st_mtim.tv_nsec, mtime.tv_nsec);
  EXPECT_EQ(TempNames(dir_ / "sub"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, SelfCopy,
    ::testing::Values(SpellingCase{"same_text", [](const fs::path& d) { return d / "sub/file"; }},
                      SpellingCase{"dot", [](const fs::path& d) { return d / "sub/./file"; }},
                      SpellingCase{"dot_dot", [](const fs::path& d) { return d / "sub/../sub/file"; }},
                      SpellingCase{"double_slash", [](const fs::path& d) { return fs::path(d.string() + "/sub//file"); }},
                      SpellingCase{"hard_link",
                                   [](const fs::path& d) {
                                     fs::create_hard_link(d / "sub/file", d / "link");
                                     return d / "link";
                                   }},
                      SpellingCase{"symlink",
                                   [](const fs::path& d) {
                                     fs::create_symlink(d / "sub/file", d / "link");
                                     return d / "link";
                                   }},
                      SpellingCase{"symlinked_folder",
                                   [](const fs::path& d) {
                                     fs::create_directory_symlink(d / "sub", d / "alias");
                                     return d / "alias/file";
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Sources that are not regular files ---

struct SourceCase {
  const char* name;
  std::function<fs::path(const fs::path& dir)> make;
};
void PrintTo(const SourceCase& c, std::ostream* out) { *out << c.name; }

fs::path MakeSocket(const fs::path& dir) {
  const fs::path path = dir / "socket";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(fd, 1);  // left open: a listening socket is the worst case
  return path;
}

std::vector<SourceCase> SpecialSources() {
  return {
      {"directory",
       [](const fs::path& d) {
         fs::create_directory(d / "folder");
         return d / "folder";
       }},
      {"fifo_without_writer",
       [](const fs::path& d) {
         mkfifo((d / "fifo").c_str(), 0644);
         return d / "fifo";
       }},
      {"dev_zero", [](const fs::path&) { return fs::path("/dev/zero"); }},
      {"dev_urandom", [](const fs::path&) { return fs::path("/dev/urandom"); }},
      {"symlink_to_dev_zero",
       [](const fs::path& d) {
         fs::create_symlink("/dev/zero", d / "zero");
         return d / "zero";
       }},
      {"socket", MakeSocket},
  };
}

class SpecialSource : public CopyFileTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(SpecialSource, FailsAtOnceAndCreatesNothing) {
  const fs::path source = GetParam().make(dir_.path());
  const fs::path destination = dir_ / "destination";
  for (bool failIfExists : {true, false}) {
    const auto result = RunInChild([&] { return CopyFile(Text(source), Text(destination), failIfExists); },
                                   std::chrono::seconds(20));
    ASSERT_TRUE(result.has_value()) << "the copy hung or died";
    EXPECT_NE(*result, ERROR_SUCCESS);
    EXPECT_NE(*result, ERROR_FILE_EXISTS);
    EXPECT_FALSE(Exists(destination));
    ExpectNoTempFiles();
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialSource, ::testing::ValuesIn(SpecialSources()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Destinations that must not be replaced ---

class ReadOnlyDestination : public CopyFileTest, public ::testing::WithParamInterface<fs::perms> {};

// Also as root, who could write it: the owner took the write bit away on purpose.
TEST_P(ReadOnlyDestination, IsNotReplaced) {
  const fs::path source = Make("source", "new contents");
  const fs::path destination = Make("destination", "kept");
  fs::permissions(destination, GetParam());
  const EntryState before = StateOf(destination);

  EXPECT_EQ(Copy(source, destination, false), ERROR_ACCESS_DENIED);
  EXPECT_EQ(StateOf(destination), before);
  ExpectNoTempFiles();
}

INSTANTIATE_TEST_SUITE_P(Modes, ReadOnlyDestination,
                         ::testing::Values(fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                                           fs::perms::owner_read, fs::perms::none,
                                           fs::perms::owner_read | fs::perms::group_write | fs::perms::others_write),
                         [](const auto& info) { return OctalName(static_cast<mode_t>(info.param)); });

TEST_F(CopyFileTest, DestinationFolderIsNeverReplacedInEitherMode) {
  const fs::path source = Make("source", "new contents");
  fs::create_directory(dir_ / "folder");
  Make("folder/inside", "inside");
  const auto before = Snapshot(dir_.path());
  for (bool failIfExists : {true, false}) {
    EXPECT_EQ(Copy(source, dir_ / "folder", failIfExists), ERROR_DIRECTORY);
    EXPECT_EQ(CopyFile(Text(source), Text(dir_.path()) + "/folder/", failIfExists), ERROR_DIRECTORY);
  }
  EXPECT_EQ(Snapshot(dir_.path()), before);
}

// --- Paths that cannot work ---

struct BadPathCase {
  const char* name;
  std::string source;       // relative to the folder, "" for the good source
  std::string destination;  // relative to the folder
  DWORD error;
};
void PrintTo(const BadPathCase& c, std::ostream* out) { *out << c.name; }

class BadPath : public CopyFileTest, public ::testing::WithParamInterface<BadPathCase> {};

TEST_P(BadPath, FailsWithItsReasonAndCreatesNothing) {
  Make("source", "contents");
  Make("plain_file", "not a folder");
  const auto before = Snapshot(dir_.path());
  const std::string folder = dir_.path().string() + "/";
  const CString source(folder + (GetParam().source.empty() ? "source" : GetParam().source));
  const CString destination(GetParam().destination.empty() ? std::string() : folder + GetParam().destination);
  for (bool failIfExists : {true, false}) {
    EXPECT_EQ(CopyFile(source, destination, failIfExists), GetParam().error);
  }
  EXPECT_EQ(Snapshot(dir_.path()), before);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(
    Cases, BadPath,
    ::testing::Values(BadPathCase{"missing_source", "missing", "out", ERROR_FILE_NOT_FOUND},
                      BadPathCase{"source_in_missing_folder", "missing/source", "out", ERROR_PATH_NOT_FOUND},
                      BadPathCase{"missing_destination_folder", "", "missing/out", ERROR_PATH_NOT_FOUND},
                      BadPathCase{"destination_folder_is_a_file", "", "plain_file/out", ERROR_PATH_NOT_FOUND},
                      BadPathCase{"name_too_long", "", std::string(300, 'n'), ERROR_FILENAME_EXCED_RANGE},
                      // A NUL would cut the path short and name another file.
                      BadPathCase{"nul_in_destination", "", "out\0.evil"s, ERROR_INVALID_NAME},
                      BadPathCase{"nul_in_source", "source\0.x"s, "out", ERROR_INVALID_NAME}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyFileTest, EmptyDestinationPathFails) {
  const fs::path source = Make("source", "contents");
  EXPECT_EQ(CopyFile(Text(source), CString(""), true), ERROR_PATH_NOT_FOUND);
}

// --- Attributes ---

class Attributes : public CopyFileTest, public ::testing::WithParamInterface<mode_t> {};

TEST_P(Attributes, PermissionBitsAndModificationTimeAreCarriedOver) {
  const fs::path source = Make("source", "contents");
  ASSERT_EQ(chmod(source.c_str(), GetParam()), 0);
  const timespec times[2] = {{1000000000, 0}, {1234567890, 123456789}};
  ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
  Make("old", "old");

  ASSERT_EQ(Copy(source, dir_ / "new", true), ERROR_SUCCESS);
  ASSERT_EQ(Copy(source, dir_ / "old", false), ERROR_SUCCESS);
  for (const char* name : {"new", "old"}) {
    const struct stat copy = Stat(dir_ / name);
    EXPECT_EQ(copy.st_mode & 07777, GetParam() & 0777) << name;
    EXPECT_EQ(copy.st_mtim.tv_sec, times[1].tv_sec) << name;
    EXPECT_EQ(copy.st_mtim.tv_nsec, times[1].tv_nsec) << name;
  }
}

// Set-user-id and friends are not handed on to a copy.
INSTANTIATE_TEST_SUITE_P(Modes, Attributes, ::testing::Values(0644, 0600, 0755, 0444, 0640, 04755, 02750),
                         [](const auto& info) { return OctalName(info.param); });

// --- Disk full ---

TEST_F(CopyFileTest, DiskFullLeavesNoPartialFileAndTheOldDestinationWhole) {
  const fs::path source = dir_ / "source";
  WritePattern(source, std::uint64_t{1} << 20, 7);
  const fs::path old = dir_ / "old";
  WritePattern(old, 1000, 8);
  const auto oldBefore = StateOf(old);

  for (bool failIfExists : {true, false}) {
    const fs::path destination = failIfExists ? dir_ / "new" : old;
    const auto result = RunInChild([&] {
      LimitFileSize(std::uint64_t{256} << 10);
      return CopyFile(Text(source), Text(destination), failIfExists);
    });
    EXPECT_EQ(result, ERROR_DISK_FULL);
  }
  EXPECT_FALSE(Exists(dir_ / "new"));
  EXPECT_EQ(StateOf(old), oldBefore);
  ExpectNoTempFiles();
}

// --- A crash in the middle ---

TEST_F(CopyFileTest, KilledReplacementLeavesTheOldOrTheNewFileWhole) {
  const fs::path source = dir_ / "source";
  WritePattern(source, std::uint64_t{256} << 20, 1);
  const fs::path destination = dir_ / "destination";
  const auto sourceSum = Checksum(source);
  const unsigned seed = std::random_device{}();
  std::printf("seed=%u\n", seed);
  std::mt19937 random(seed);

  for (int trial = 0; trial < 3; ++trial) {
    WritePattern(destination, std::uint64_t{3} << 20, 100 + trial);
    const auto oldSum = Checksum(destination);
    Child child([&] { return CopyFile(Text(source), Text(destination), false); });
    std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 300)(random)));
    child.Kill();
    child.Wait();

    const auto now = Checksum(destination);
    EXPECT_TRUE(now == oldSum || now == sourceSum) << "trial " << trial;
    EXPECT_EQ(NamesWithoutTemps(dir_.path()), (std::vector<std::string>{"destination", "source"}));
    for (const std::string& temp : TempNames(dir_.path())) fs::remove(dir_ / temp);
  }
  EXPECT_EQ(Checksum(source), sourceSum);
}

// --- Races ---

struct LateEntryCase {
  const char* name;
  std::function<void(const fs::path& destination)> make;
};
void PrintTo(const LateEntryCase& c, std::ostream* out) { *out << c.name; }

class LateDestination : public CopyFileTest, public ::testing::WithParamInterface<LateEntryCase> {};

// The destination appears after every check, just before the new file is
// put in place.
TEST_P(LateDestination, IsNeverOverwrittenWhenFailingIfExists) {
  const fs::path source = Make("source", "new contents");
  const fs::path destination = dir_ / "destination";
  posix_copy::SetBeforePublishHook([&](const char*) { GetParam().make(destination); });
  EXPECT_EQ(Copy(source, destination, true), ERROR_FILE_EXISTS);
  ClearHook();

  const EntryState after = StateOf(destination);
  EXPECT_TRUE(after.exists);
  EXPECT_NE(after.sum, Checksum(source));
  EXPECT_EQ(NamesWithoutTemps(dir_.path()), (std::vector<std::string>{"destination", "source"}));
  ExpectNoTempFiles();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LateDestination,
    ::testing::Values(LateEntryCase{"regular_file", [](const fs::path& d) { WriteFile(d, "theirs"); }},
                      LateEntryCase{"dangling_symlink", [](const fs::path& d) { fs::create_symlink("nowhere", d); }},
                      LateEntryCase{"directory", [](const fs::path& d) { fs::create_directory(d); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyFileTest, ReplacementMeetingAFolderThatAppearedLateFailsAndLeavesIt) {
  const fs::path source = Make("source", "new contents");
  const fs::path destination = Make("destination", "old");
  posix_copy::SetBeforePublishHook([&](const char*) {
    fs::remove(destination);
    fs::create_directory(destination);
    WriteFile(destination / "inside", "inside");
  });
  EXPECT_NE(Copy(source, destination, false), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(destination / "inside"), "inside");
  ExpectNoTempFiles();
}

}  // namespace
