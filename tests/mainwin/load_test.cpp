// The start-up load: its outcomes against containers built by our builder, every failure text,
// the cache refresh by size or time through a temporary name, and the container closed again
// after a failed read.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "binres/binres.h"
#include "code/code.h"
#include "containers.h"
#include "support/globals.h"
#include "support/fake_view.h"
#include "support/filebytes.h"
#include "mainwin/mainwin.h"
#include "base/clock.h"
#include "base/msgbox.h"

using namespace testfiles;

namespace {

std::uint32_t Tick = 0;
std::uint32_t FakeTicks() {
  Tick += 7;
  return Tick;
}

// The platform's files, with the operations counted and single ones made to fail.
class CountingFiles : public FileSystem {
 public:
  int Stat(const std::string& path, FileFacts* facts) override {
    ops.push_back("stat " + path);
    return FileSystem::Stat(path, facts);
  }
  int Copy(const std::string& from, const std::string& to) override {
    ops.push_back("copy " + from + " " + to);
    return copy_error != 0 ? copy_error : FileSystem::Copy(from, to);
  }
  int Replace(const std::string& from, const std::string& to) override {
    ops.push_back("replace " + from + " " + to);
    return replace_error != 0 ? replace_error : FileSystem::Replace(from, to);
  }
  int Remove(const std::string& path) override {
    ops.push_back("remove " + path);
    return FileSystem::Remove(path);
  }
  std::string TempName(const std::string& path) override {
    return path + ".fresh";
  }
  bool IsInUse(int error) override {
    return error == EBUSY || FileSystem::IsInUse(error);
  }
  std::vector<std::string> ops;
  int copy_error = 0;
  int replace_error = 0;
};

// BINRES, with the close made to fail.
class FailingClose : public ResourceReader {
 public:
  void Close() override {
    ResourceReader::Close();
    BinResErr = 9;
    BinResErrMsg = "BinResClose: Error 9: Bad file descriptor";
  }
};

// BINRES, with the cache refused as a file, as when another program holds it without sharing.
class LockedCache : public ResourceReader {
 public:
  void Open(const std::string& path) override {
    if (path != CacheFile)
      return ResourceReader::Open(path);
    BinResErr = 13;
    BinResErrMsg = "BinResOpen: Error 13: Permission denied";
  }
};

class LoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Boxes.clear();
    InstallMsgBox(RecordBox);
    ResourceFile = dir_.Path("tavlo.exe");
    CacheFile = dir_.Path("tavlo_cache.tmp");
    ResetGlobalState();
    if (BinResIsOpen())
      BinResClose();
  }
  void TearDown() override {
    InstallMsgBox(nullptr);
    ResetGlobalState();
    if (BinResIsOpen())
      BinResClose();
  }
  void Load() {
    view_ = FakeMainView();
    window_.LoadBinaryResource();
  }
  // A second file time, one minute off, for the cache.
  void SetTime(const std::string& path, int minutes) {
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(ResourceFile) + std::chrono::minutes(minutes));
  }

  ScratchDir dir_;
  FakeMainView view_;
  CountingFiles files_;
  MainWindow window_{view_, files_};
};

const std::string kCrLf = "\r\n";

TEST_F(LoadTest, ShippedSetLoadsWhole) {
  WriteFile(ResourceFile, ShippedProgram());
  Load();
  EXPECT_EQ(RecordCount, 350);
  EXPECT_EQ(Records.size(), 351u);
  EXPECT_EQ(Records[1].Text.substr(0, 2), "1|");
  EXPECT_EQ(Records[350].Type, 0);  // nothing parsed at start-up
  EXPECT_EQ(VersionText.substr(0, 14), "Zarvex message");
  EXPECT_EQ(NumericKeys.substr(0, 3), "!\"[");
  EXPECT_FALSE(SymbolicKeys.empty());
  EXPECT_EQ(view_.result, "Initialising...");
  EXPECT_EQ(view_.calls, (std::vector<std::string>{"busy", "normal"}));
  EXPECT_EQ(ReadFile(CacheFile), ShippedProgram());
  EXPECT_FALSE(BinResIsOpen());
  EXPECT_TRUE(Boxes.empty());
}

// Each failure: the container (or its absence), the pane's text, whether it beeps.
TEST_F(LoadTest, FailuresReportExactly) {
  const Resources& shipped = ShippedResources();
  std::string many(40000, 'K');
  struct Case {
    const char* name;
    std::function<void()> make;
    std::function<std::string()> text;
    bool beep;
  };
  auto read_message = [](const std::string& id, const std::string& error) {
    return "Binary Resource Error: Can't get key '" + id + "'." + kCrLf + "File=" + ResourceFile +
           kCrLf + "Error=" + error;
  };
  auto own_failure = [] {
    return "File: " + CacheFile + kCrLf + "Runtime Error 32101: Record count not between 1 and " +
           "32767";
  };
  const Case cases[] = {
      {"no container", [] { WriteFile(ResourceFile, HostBytes()); },
       [] {
         return "Binary Resource Error: Can't open to read." + kCrLf + "File=" + CacheFile + kCrLf +
                "Error=32001 BinResOpen: Resource is empty";
       },
       false},
      {"no SymbolicKeys",
       [&] { WriteContainer(ResourceFile, With(shipped, "SymbolicKeys", "", true)); },
       [&] {
         return read_message("SymbolicKeys", "32001 BinResGet: Resource identifier not found");
       },
       true},
      {"KeyCnt above the records",
       [&] { WriteContainer(ResourceFile, With(shipped, "KeyCnt", "400")); },
       [&] { return read_message("351", "32001 BinResGet: Resource identifier not found"); }, true},
      {"key list too long",
       [&] { WriteContainer(ResourceFile, With(shipped, "NumericKeys", many)); },
       [&] {
         return read_message("NumericKeys",
                             "32003 BinResGet: Resource data length invalid for get string = "
                             "40000");
       },
       true},
      {"record count 0", [&] { WriteContainer(ResourceFile, With(shipped, "KeyCnt", "0")); },
       [&] { return own_failure(); }, true},
      {"record count above 16 bits",
       [&] { WriteContainer(ResourceFile, With(shipped, "KeyCnt", "32768")); },
       [&] { return own_failure(); }, true},
      {"no program file", [] {},
       [] {
         return "File: " + ResourceFile + kCrLf + "Runtime Error " + std::to_string(ENOENT) + ": " +
                std::strerror(ENOENT);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ResourceFile);
    std::filesystem::remove(CacheFile);
    c.make();
    Load();
    EXPECT_EQ(view_.result, c.text());
    EXPECT_EQ(RecordCount, 0);
    EXPECT_TRUE(NumericKeys.empty());
    EXPECT_TRUE(SymbolicKeys.empty());
    EXPECT_EQ(view_.calls.back(), "normal");
    EXPECT_EQ(std::count(view_.calls.begin(), view_.calls.end(), "beep"), c.beep ? 1 : 0);
    EXPECT_FALSE(BinResIsOpen()) << "the container must be closed again";
  }
  // "SymbolicKeys" is read before the notice, which therefore stays empty.
  WriteContainer(ResourceFile, With(shipped, "SymbolicKeys", "", true));
  Load();
  EXPECT_TRUE(VersionText.empty());
}

TEST_F(LoadTest, ReadAndCloseFailuresRunTogether) {
  WriteContainer(ResourceFile, With(ShippedResources(), "NumericKeys", "", true));
  FailingClose reader;
  window_.SetResourceReader(&reader);
  Load();
  EXPECT_EQ(view_.result,
            "Binary Resource Error: Can't get key 'NumericKeys'." + kCrLf + "File=" + ResourceFile +
                kCrLf + "Error=32001 BinResGet: Resource identifier not found" +
                "Binary Resource Error: Can't close." + kCrLf + "File=" + ResourceFile + kCrLf +
                "Error=9 BinResClose: Error 9: Bad file descriptor");
  window_.SetResourceReader(nullptr);
}

// A failure of our own inside the reads used to leave the container open, so that every later
// load failed with "Already open".
TEST_F(LoadTest, AFailedLoadLeavesTheNextOneWorking) {
  WriteContainer(ResourceFile, With(ShippedResources(), "KeyCnt", "0"));
  Load();
  EXPECT_EQ(RecordCount, 0);
  WriteFile(ResourceFile, ShippedProgram());
  Load();
  EXPECT_EQ(RecordCount, 350);
  EXPECT_EQ(view_.result, "Initialising...");
}

// When the cache is refreshed: missing, another size, or the same size at another time.
TEST_F(LoadTest, CacheIsRefreshedBySizeOrTime) {
  std::string program = ShippedProgram();
  std::string same_size = program;
  same_size[same_size.size() - 1] ^= 1;  // a corrected letter in the last record
  struct Case {
    const char* name;
    const char* cache;  // nullptr: no cache file
    int minutes;        // cache time against the program's
    bool copied;
  };
  const Case cases[] = {
      {"missing", nullptr, 0, true},
      {"other size", "short", 0, true},
      {"same size, other time", "same", 5, true},
      {"same size and time", "same", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(ResourceFile, program);
    std::filesystem::remove(CacheFile);
    if (c.cache != nullptr) {
      WriteFile(CacheFile, std::string(c.cache) == "short" ? program.substr(1) : same_size);
      SetTime(CacheFile, c.minutes);
    }
    files_.ops.clear();
    Load();
    std::vector<std::string> expected = {"stat " + ResourceFile, "stat " + CacheFile};
    if (c.copied) {
      expected.push_back("copy " + ResourceFile + " " + CacheFile + ".fresh");
      expected.push_back("replace " + CacheFile + ".fresh " + CacheFile);
    }
    EXPECT_EQ(files_.ops, expected);
    EXPECT_EQ(ReadFile(CacheFile), c.copied ? program : same_size);
    EXPECT_EQ(RecordCount, 350);
  }
  // The copy keeps the program's time, so the next start finds the cache current.
  EXPECT_EQ(std::filesystem::last_write_time(CacheFile),
            std::filesystem::last_write_time(ResourceFile));
}

// Another run holds the cache open: this run loads its own fresh copy and removes it.
TEST_F(LoadTest, CacheInUseLoadsAnOwnCopy) {
  WriteFile(ResourceFile, ShippedProgram());
  WriteFile(CacheFile, "old");
  files_.replace_error = EBUSY;
  Load();
  EXPECT_EQ(RecordCount, 350);
  EXPECT_EQ(files_.ops.back(), "remove " + CacheFile + ".fresh");
  EXPECT_FALSE(Exists(CacheFile + ".fresh"));
  EXPECT_EQ(ReadFile(CacheFile), "old");
}

TEST_F(LoadTest, AFailedCopyLeavesNoHalfCache) {
  WriteFile(ResourceFile, ShippedProgram());
  files_.copy_error = ENOSPC;
  Load();
  EXPECT_EQ(view_.result, "File: " + CacheFile + kCrLf + "Runtime Error " + std::to_string(ENOSPC) +
                              ": " + std::strerror(ENOSPC));
  EXPECT_FALSE(Exists(CacheFile));
  EXPECT_FALSE(Exists(CacheFile + ".fresh"));
}

TEST_F(LoadTest, DebugModeTimesTheLoadButNotAFailedOpen) {
  DebugMode = kTrue;
  InstallClock(FakeTicks);
  WriteFile(ResourceFile, ShippedProgram());
  Load();
  EXPECT_EQ(Boxes, (std::vector<std::string>{"Debug|0|LoadBinaryResource took 7 ms"}));
  Boxes.clear();
  WriteFile(ResourceFile, HostBytes());
  std::filesystem::remove(CacheFile);
  Load();
  EXPECT_TRUE(Boxes.empty());
}

// A failed reload leaves no line of the descriptions it dropped: selecting one would show
// "Record N cannot be read." and hide the load's error.
TEST_F(LoadTest, AFailedReloadEmptiesTheList) {
  struct Case {
    const char* name;
    std::function<void()> damage;
  };
  const Case cases[] = {
      {"no container", [] { WriteFile(ResourceFile, HostBytes()); }},
      {"no version",
       [] { WriteContainer(ResourceFile, With(ShippedResources(), "3.1", "", true)); }},
      {"record count 0",
       [] { WriteContainer(ResourceFile, With(ShippedResources(), "KeyCnt", "0")); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(ResourceFile, ShippedProgram());
    Load();
    view_.search = "2035";
    window_.txtSearch_Change();
    ASSERT_EQ(view_.items.size(), 2u);
    c.damage();
    window_.LoadBinaryResource();
    EXPECT_TRUE(view_.items.empty());
    EXPECT_TRUE(window_.ShownLines().empty());
    EXPECT_EQ(window_.SelectedLine(), -1);
    EXPECT_NE(view_.result, "Initialising...") << "the pane says why";
  }
}

// A current cache that cannot be opened as a file: the load reads a copy of its own, and
// removes it; a failed copy is reported as the load's failure.
TEST_F(LoadTest, ACacheThatCannotBeOpenedIsReadFromAnOwnCopy) {
  LockedCache reader;
  window_.SetResourceReader(&reader);
  WriteFile(ResourceFile, ShippedProgram());
  Load();  // makes the cache current, then cannot open it
  EXPECT_EQ(RecordCount, 350) << view_.result;
  EXPECT_EQ(view_.result, "Initialising...");
  EXPECT_EQ(files_.ops.back(), "remove " + CacheFile + ".fresh");
  EXPECT_FALSE(Exists(CacheFile + ".fresh"));
  EXPECT_EQ(ReadFile(CacheFile), ShippedProgram()) << "the cache itself is left alone";

  files_.copy_error = ENOSPC;
  Load();
  EXPECT_EQ(RecordCount, 0);
  EXPECT_EQ(view_.result, "File: " + CacheFile + kCrLf + "Runtime Error " + std::to_string(ENOSPC) +
                              ": " + std::strerror(ENOSPC));
  EXPECT_FALSE(Exists(CacheFile + ".fresh"));
  window_.SetResourceReader(nullptr);
}

}  // namespace
