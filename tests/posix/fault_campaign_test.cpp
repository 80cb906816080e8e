// The fault campaign: copies killed at random moments, full disks, races for
// the destination, and hostile input through the whole conversion run. Every
// part counts what it tried and what it found; the last line sums it up.
// TOLVANE_CAMPAIGN_SEED repeats a run's random choices.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <map>
#include <set>
#include <thread>

#include "app/main_app.h"
#include "app/main_dlg.h"
#include "convert/target_names.h"
#include "framework/services.h"
#include "platform/posix/copy_file_posix.h"
#include "tests/posix/copy_test_support.h"
#include "tests/support/scripted_window_system.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using namespace copy_test;

namespace {

struct Tally {
  int trials = 0;
  int partialFiles = 0;
  int sourcesChanged = 0;
  int hangs = 0;
};
Tally tally;

unsigned Seed() {
  static const unsigned seed = [] {
    const char* given = std::getenv("TOLVANE_CAMPAIGN_SEED");
    return given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
  }();
  return seed;
}

// A source is changed when its checksum moved; counted once per check.
void CheckSource(const fs::path& source, std::optional<std::uint64_t> sum) {
  if (Checksum(source) != sum) {
    ++tally.sourcesChanged;
    ADD_FAILURE() << "source changed: " << source;
  }
}

void CountPartial(bool partial, const std::string& what) {
  if (partial) {
    ++tally.partialFiles;
    ADD_FAILURE() << "partial or foreign file: " << what;
  }
}

// --- Crash safety ---

struct CrashFigures {
  int absent = 0;
  int old = 0;
  int complete = 0;
  int leftovers = 0;
};

// Kills a copy at a random moment, over and over, and looks at what is left.
CrashFigures KillCopies(bool replace, int trials, std::mt19937& random) {
  TempDir dir;
  const fs::path source = dir / "source.bin";
  const fs::path destination = dir / "destination.txt";
  WritePattern(source, std::uint64_t{8} << 20, 11);
  const auto sourceSum = Checksum(source);

  // How long one copy takes here, so that the kills land all over it:
  // before it starts, while it streams, syncs and renames, and after it is done.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CopyFile(Text(source), Text(destination), true), ERROR_SUCCESS);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  std::uniform_int_distribution<long> delay(0, took.count() * 3 / 2 + 1000);

  CrashFigures figures;
  for (int trial = 0; trial < trials; ++trial) {
    fs::remove(destination);
    std::optional<std::uint64_t> oldSum;
    if (replace) {
      WritePattern(destination, std::uint64_t{1} << 20, 1000 + static_cast<std::uint64_t>(trial));
      oldSum = Checksum(destination);
    }
    Child child([&] { return CopyFile(Text(source), Text(destination), !replace); });
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    child.Kill();
    child.Wait();
    ++tally.trials;

    const auto now = Checksum(destination);
    const bool absent = !Exists(destination);
    if (absent) ++figures.absent;
    if (!absent && now == oldSum) ++figures.old;
    if (now == sourceSum) ++figures.complete;
    CountPartial(replace ? now != oldSum && now != sourceSum : !absent && now != sourceSum,
                 "trial " + std::to_string(trial) + (replace ? " (replacement)" : " (new file)"));
    CountPartial(NamesWithoutTemps(dir.path()) != (absent ? std::vector<std::string>{"source.bin"}
                                                          : std::vector<std::string>{"destination.txt", "source.bin"}),
                 "an unrecognisable leftover after trial " + std::to_string(trial));
    for (const std::string& temp : TempNames(dir.path())) {
      ++figures.leftovers;
      fs::remove(dir / temp);
    }
    CheckSource(source, sourceSum);
  }
  return figures;
}

TEST(FaultCampaign, CopiesKilledAtRandomMomentsLeaveNothingPartial) {
  std::mt19937 random(Seed());
  for (bool replace : {false, true}) {
    const CrashFigures f = KillCopies(replace, 30, random);
    std::printf("crash trials (%s): 30 -> absent=%d old=%d new=%d recognisable_leftovers_removed=%d\n",
                replace ? "replacement" : "new file", f.absent, f.old, f.complete, f.leftovers);
  }
}

// --- The conversion run ---

// The main dialog, ready to convert the listed sources into folder with the
// typed extension; the overwrite question is answered as told.
struct ConversionRun {
  ScriptedWindowSystem ws;
  CMainApp app;
  CMainDlg dlg;

  ConversionRun(const std::vector<CString>& sources, const CString& extension, const fs::path& folder) {
    ws.Open(dlg);
    ws.Type(dlg, IDC_EXT_EDIT, extension);
    dlg.m_strExtInput = extension;
    ws.Control(dlg, IDC_FILE_LIST).items = sources;
    dlg.m_strDestDir = Text(folder);
  }
};

// Failures seen inside a child, as bits of its result.
enum ChildFinding : std::uint32_t {
  kOldChanged = 1,
  kPartialOrTemp = 2,
  kNextEntryNotCopied = 4,
  kWrongBoxes = 8,
  kSourceChanged = 16,
  kListNotEmptied = 32,
  kSkipped = 1u << 30,
};

// A run over [big (its destination exists, the user says replace), huge (a
// new destination), small] in a folder that has no room for big or huge:
// both fail leaving no trace, the old file stays whole, small is copied.
std::uint32_t RunOnFullDisk(const fs::path& sources, const fs::path& folder) {
  const auto bigSum = Checksum(sources / "big.bin");
  const auto smallSum = Checksum(sources / "small.bin");
  const auto oldSum = Checksum(folder / "big.txt");
  ConversionRun run({Text(sources / "big.bin"), Text(sources / "huge.bin"), Text(sources / "small.bin")}, "txt", folder);
  run.ws.AnswerMessageBox(IDYES);
  run.dlg.RunConversion();

  std::uint32_t findings = 0;
  if (Checksum(folder / "big.txt") != oldSum) findings |= kOldChanged;
  if (Names(folder) != std::vector<std::string>{"big.txt", "small.txt"}) findings |= kPartialOrTemp;
  if (Checksum(folder / "small.txt") != smallSum) findings |= kNextEntryNotCopied;
  const std::vector<CString> expected{
      CString(u8"すでにファイルbig.txtがディレクトリ内に存在します。\n 上書きしますか？"),
      CString(u8"ファイルsmallの変換が完了しました。")};
  if (run.ws.MessageBoxTexts() != expected) findings |= kWrongBoxes;
  if (Checksum(sources / "big.bin") != bigSum || Checksum(sources / "small.bin") != smallSum) findings |= kSourceChanged;
  if (!run.ws.Items(run.dlg, IDC_FILE_LIST).empty()) findings |= kListNotEmptied;
  return findings;
}

void MakeFullDiskSources(const fs::path& sources) {
  fs::create_directories(sources);
  WritePattern(sources / "big.bin", std::uint64_t{2} << 20, 21);
  WritePattern(sources / "huge.bin", std::uint64_t{3} << 20, 22);
  WritePattern(sources / "small.bin", 10000, 23);
}

void ReportFullDisk(const char* how, std::optional<std::uint32_t> findings) {
  ++tally.trials;
  ASSERT_TRUE(findings.has_value()) << how << ": the run died or hung";
  if (*findings & kSkipped) {
    std::printf("disk full (%s): skipped, not permitted here\n", how);
    --tally.trials;
    return;
  }
  if (*findings & (kOldChanged | kPartialOrTemp)) ++tally.partialFiles;
  if (*findings & kSourceChanged) ++tally.sourcesChanged;
  EXPECT_EQ(*findings, 0u) << how << ": findings " << *findings
                           << " (1 old changed, 2 partial, 4 next not copied, 8 boxes, 16 source, 32 list)";
  std::printf("disk full (%s): findings=%u\n", how, *findings);
}

TEST(FaultCampaign, FullDiskInTheRunLeavesNoPartialFileAndGoesOn) {
  TempDir dir;
  MakeFullDiskSources(dir / "sources");

  // A file-size limit, which works for anyone.
  fs::create_directory(dir / "limited");
  WritePattern(dir / "limited/big.txt", 100000, 24);
  ReportFullDisk("file-size limit", RunInChild([&] {
                   LimitFileSize(std::uint64_t{1} << 20);
                   return RunOnFullDisk(dir / "sources", dir / "limited");
                 }));

  // A real, tiny file system, mounted in a mount namespace of the child's own
  // so that it goes when the child does.
  fs::create_directory(dir / "tiny");
  ReportFullDisk("1 MiB tmpfs", RunInChild([&]() -> std::uint32_t {
                   if (unshare(CLONE_NEWNS) != 0) return kSkipped;
                   if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return kSkipped;
                   if (mount("tolvane-tiny", (dir / "tiny").c_str(), "tmpfs", 0, "size=1m") != 0) return kSkipped;
                   WritePattern(dir / "tiny/big.txt", 300000, 25);
                   return RunOnFullDisk(dir / "sources", dir / "tiny");
                 }));
}

// --- Races ---

TEST(FaultCampaign, DestinationCreatedDuringTheCopyIsNeverOverwritten) {
  TempDir dir;
  const fs::path source = dir / "source.bin";
  const fs::path destination = dir / "destination.txt";
  WritePattern(source, std::uint64_t{256} << 10, 31);
  const auto sourceSum = Checksum(source);
  const std::string theirs = "a file someone else made";

  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(CopyFile(Text(source), Text(destination), true), ERROR_SUCCESS);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  std::mt19937 random(Seed() + 1);
  std::uniform_int_distribution<long> delay(0, took.count() + 200);

  // Each round, the copy and another writer both try to make the destination;
  // exactly one may win, and the loser must find the winner's file intact.
  constexpr int kRounds = 200;
  int oursWon = 0;
  int theirsWon = 0;
  for (int round = 0; round < kRounds; ++round) {
    fs::remove(destination);
    std::atomic<bool> go{false};
    bool theyCreated = false;
    std::thread other([&] {
      while (!go.load()) {
      }
      std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
      const int fd = open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd >= 0) {
        theyCreated = true;
        [[maybe_unused]] ssize_t written = write(fd, theirs.data(), theirs.size());
        close(fd);
      }
    });
    go = true;
    const DWORD result = CopyFile(Text(source), Text(destination), true);
    other.join();
    ++tally.trials;

    const bool weCreated = result == ERROR_SUCCESS;
    if (weCreated) ++oursWon;
    if (theyCreated) ++theirsWon;
    EXPECT_NE(weCreated, theyCreated) << "round " << round << ": result " << result;
    EXPECT_TRUE(weCreated || result == ERROR_FILE_EXISTS) << "round " << round << ": result " << result;
    if (theyCreated) {
      CountPartial(ReadFile(destination) != theirs, "their file was overwritten in round " + std::to_string(round));
    } else {
      CountPartial(Checksum(destination) != sourceSum, "our copy is not whole in round " + std::to_string(round));
    }
    CountPartial(!TempNames(dir.path()).empty(), "a temporary file was left in round " + std::to_string(round));
  }
  CheckSource(source, sourceSum);
  std::printf("race rounds: %d -> copy won=%d other writer won=%d\n", kRounds, oursWon, theirsWon);
}

TEST(FaultCampaign, DestinationAppearingAtTheLastMomentInTheRunIsAskedAboutNotOverwritten) {
  TempDir dir;
  WriteFile(dir / "doc.bin", "the source");
  fs::create_directory(dir / "out");
  posix_copy::SetBeforePublishHook([&](const char*) { WriteFile(dir / "out/doc.txt", "theirs"); });
  ConversionRun run({Text(dir / "doc.bin")}, "txt", dir / "out");
  run.ws.AnswerMessageBox(IDNO);
  run.dlg.RunConversion();
  posix_copy::SetBeforePublishHook(nullptr);
  ++tally.trials;

  EXPECT_EQ(run.ws.MessageBoxTexts(),
            std::vector<CString>{CString(u8"すでにファイルdoc.txtがディレクトリ内に存在します。\n 上書きしますか？")});
  CountPartial(ReadFile(dir / "out/doc.txt") != "theirs", "the late destination was overwritten");
  CountPartial(Names(dir / "out") != std::vector<std::string>{"doc.txt"}, "a leftover in the destination folder");
}

// --- Hostile input through the run ---

struct HostileExtension {
  const char* name;
  std::string typed;
  bool copies;  // whether a readable source gets its copy
};
void PrintTo(const HostileExtension& c, std::ostream* out) { *out << c.name; }

using namespace std::string_literals;
std::vector<HostileExtension> HostileExtensions() {
  return {
      {"plain", "txt", true},
      {"dotted", ".txt", true},
      {"slash_dot_dot", "/../x", false},
      {"climbing", "a/../../x", false},
      {"climbing_far", "../../../../x", false},
      {"dot_dot", "..", true},
      {"dot", ".", true},
      {"slash", "/", false},
      {"trailing_slash", "txt/", false},
      {"absolute", "/tmp/x", false},
      {"long_300", std::string(300, 'x'), false},
      {"invalid_utf8", "\xFF\xFE\xC0\xAF", true},
      {"overlong_slash", "\xC0\xAF..\xC0\xAFx", true},
      {"control_characters", "\x01\x1B[31m\x7F\n\r\t", true},
      {"cp932_hyou", "\x95\x5C", true},
      // "\" is an ordinary byte in a POSIX file name.
      {"cp932_hyou_climbing", "\x95\x5C..\x95\x5C..\x95\x5Cx", true},
      {"cp932_lead_then_slash", "\x95/../x", false},
      {"nul", "t\0xt"s, false},
      {"nul_then_climbing", "t\0/../x"s, false},
      {"windows_specials", "*?<>|:\"\\", true},
      {"temporary_look_alike", "tolvane-AAAAAA.tmp", true},
  };
}

struct HostileCodePage {
  const char* name;
  CodePage codePage;
};
void PrintTo(const HostileCodePage& c, std::ostream* out) { *out << c.name; }

class HostileRun : public ::testing::TestWithParam<std::tuple<HostileExtension, HostileCodePage>> {};

// The sources: readable files, and everything that is not one.
struct HostileTree {
  TempDir root;
  fs::path sources = root / "sources";
  fs::path folder = root / "outer/inner/out";  // deep enough that climbing stays inside root
  std::vector<CString> entries;
  std::map<std::string, std::uint64_t> sourceSums;
  std::set<std::uint64_t> readableSums;

  HostileTree() {
    fs::create_directories(sources);
    fs::create_directories(folder);
    WritePattern(sources / "a.bin", 5000, 41);
    WritePattern(sources / "vanish.v", 6000, 42);
    WritePattern(sources / "z.dat", 7000, 43);
    WritePattern(sources / "locked.u", 8000, 44);
    fs::permissions(sources / "locked.u", fs::perms::none);
    fs::create_directory(sources / "folder.d");
    mkfifo((sources / "pipe.p").c_str(), 0644);
    fs::create_symlink("/dev/zero", sources / "zero.l");
    for (const char* name : {"a.bin", "vanish.v", "z.dat", "locked.u"}) {
      sourceSums[name] = *Checksum(sources / name);
      readableSums.insert(sourceSums[name]);
    }
    for (const fs::path& path :
         {sources / "a.bin", sources / "gone.bin", sources / "folder.d", sources / "pipe.p", fs::path("/dev/zero"),
          sources / "zero.l", sources / "locked.u", fs::path("/proc/self/mem"), sources / "vanish.v", sources / "z.dat"}) {
      entries.push_back(Text(path));
    }
  }
};

TEST_P(HostileRun, StaysInTheFolderLeavesSourcesAloneAndEnds) {
  const auto& [extension, codePage] = GetParam();
  ScopedCodePage scopedCodePage(codePage.codePage);
  HostileTree tree;
  // Should the name's first part be taken as a folder, let it exist, so that
  // a run that climbs out really gets out.
  const std::string firstPart = "a" + NormalizeExtension(CString(extension.typed)).bytes();
  const std::size_t slash = firstPart.find('/');
  if (slash != std::string::npos && slash > 0) fs::create_directories(tree.folder / firstPart.substr(0, slash));
  const auto before = Snapshot(tree.root.path(), {tree.folder, tree.sources / "vanish.v"});

  const auto ran = RunInChild([&]() -> std::uint32_t {
    ConversionRun run(tree.entries, CString(extension.typed), tree.folder);
    // The first box gives the user time to take a source away.
    run.ws.AnswerMessageBox([&](const ScriptedWindowSystem::MessageBoxCall&) {
      fs::remove(tree.sources / "vanish.v");
      return IDOK;
    });
    run.dlg.RunConversion();
    return run.ws.Items(run.dlg, IDC_FILE_LIST).empty() ? 0u : std::uint32_t{kListNotEmptied};
  }, std::chrono::seconds(10));
  ++tally.trials;
  if (!ran) ++tally.hangs;
  ASSERT_TRUE(ran.has_value()) << "the run hung or died";
  EXPECT_EQ(*ran, 0u) << "the list was not emptied";

  EXPECT_EQ(Snapshot(tree.root.path(), {tree.folder, tree.sources / "vanish.v"}), before);
  for (const char* name : {"a.bin", "z.dat", "locked.u"}) {
    if (Checksum(tree.sources / name) != tree.sourceSums[name]) {
      ++tally.sourcesChanged;
      ADD_FAILURE() << "source changed: " << name;
    }
  }
  if (extension.copies) {
    // The run went on past the failures to the last entry, and the source
    // taken away while the first box was up was not copied.
    const std::string ending = NormalizeExtension(CString(extension.typed)).bytes();
    for (const char* base : {"a", "locked", "z"}) EXPECT_TRUE(Exists(tree.folder / (base + ending))) << base;
    EXPECT_FALSE(Exists(tree.folder / ("vanish" + ending)));
  } else {
    for (auto it = fs::recursive_directory_iterator(tree.folder); it != fs::recursive_directory_iterator(); ++it) {
      EXPECT_TRUE(it->is_directory()) << "made though every copy should fail: " << it->path();
    }
  }
  // In the folder: whole copies of readable sources, and the folders made above.
  for (auto it = fs::recursive_directory_iterator(tree.folder); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_directory() && !it->is_symlink()) continue;
    const std::string name = it->path().filename().string();
    const bool whole = it->is_regular_file() && !IsCopyTempName(name) &&
                       tree.readableSums.count(Checksum(it->path()).value_or(0)) != 0;
    CountPartial(!whole, it->path().string());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileRun,
    ::testing::Combine(::testing::ValuesIn(HostileExtensions()),
                       ::testing::Values(HostileCodePage{"cp932", CodePage::ShiftJis()},
                                         HostileCodePage{"utf8", CodePage::Utf8()})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

class CampaignSummary : public ::testing::Environment {
 public:
  void SetUp() override { std::printf("fault campaign seed=%u (TOLVANE_CAMPAIGN_SEED repeats it)\n", Seed()); }
  void TearDown() override {
    std::printf("fault campaign: trials=%d partial_files=%d sources_changed=%d hangs=%d\n", tally.trials,
                tally.partialFiles, tally.sourcesChanged, tally.hangs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new CampaignSummary);
  return RUN_ALL_TESTS();
}
