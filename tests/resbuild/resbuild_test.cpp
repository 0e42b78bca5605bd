// Resource builder: whole logs of Make and Dump against golden files, the resources written,
// the failure paths, and that a failed Make never touches the resource file.
#include "resbuild/resbuild.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "binres/binres.h"
#include "support/filebytes.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace testfiles;

namespace {

const std::string kFixtures = TAVLO_RESBUILD_FIXTURES;
const std::string kGolden = TAVLO_RESBUILD_GOLDEN;

ResBuildTime At(int year, int month, int day, int hour, int minute, int second) {
  ResBuildTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

ResBuildTime Fixed() {
  return At(2026, 12, 6, 14, 5, 9);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) {
    s.replace(at, from.size(), to);
  }
  return s;
}

std::string ErrorLine(int err) {
  return "Error " + std::to_string(err) + ": " + std::strerror(err);
}

// Records the window operations in order.
class RecordingWindow : public ResBuildView {
 public:
  void SetBusyPointer(bool busy) override {
    calls.push_back(busy ? "busy" : "normal");
  }
  void ShowLog(const std::string& log) override {
    calls.push_back("show");
    shown.push_back(log);
  }
  void ProcessEvents() override {
    calls.push_back("events");
  }
  void FocusLog() override {
    calls.push_back("focus");
  }
  std::vector<std::string> calls;
  std::vector<std::string> shown;
};

class ResBuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    res_ = dir_.Path("tavlo.exe");
    WriteFile(res_, ReadFile(kFixtures + "/host.bin"));
  }
  void TearDown() override {
    EXPECT_FALSE(BinResIsOpen()) << "a Make or Dump left the container open";
    if (BinResIsOpen())
      BinResClose();
    EXPECT_FALSE(Exists(res_ + ".mkres")) << "the build copy was left behind";
  }

  std::string Make(const std::string& dataPath, ResBuildView* w = nullptr,
                   bool* complete = nullptr) {
    return MakeBinaryResource(res_, dataPath, Fixed, w, complete);
  }

  std::string MakeText(const std::string& text, bool* complete = nullptr) {
    std::string data = dir_.Path("data.txt");
    WriteFile(data, text);
    return Make(data, nullptr, complete);
  }

  // The log of a Make up to and including the "Processing Data File: " line.
  std::string MakeHead(const std::string& dataPath) const {
    return "Making Binary Resource as at 14:05:09 06 December 2026\r\nBinary Resource File: " +
           res_ + "\r\nBinResOpen OK\r\nProcessing Data File: " + dataPath + "\r\n";
  }

  std::string Get(const std::string& id) {
    BinResOpen(res_, 0);
    EXPECT_EQ(BinResErr, 0) << BinResErrMsg;
    std::string v = BinResGet(id);
    EXPECT_EQ(BinResErr, 0) << BinResErrMsg;
    BinResClose();
    return v;
  }

  void ExpectGolden(const std::string& name, const std::string& actual,
                    const std::string& dataPath) {
    std::string want =
        Replace(Replace(ReadFile(kGolden + "/" + name), "@RES@", res_), "@DATA@", dataPath);
    EXPECT_EQ(actual, want) << name;
    if (actual != want)
      WriteFile(name + ".actual", actual);
  }

  // Version section and n reason-code sections 2001..2000+n, then "[end]".
  static std::string Codes(int n) {
    std::string s = "[DI1,Version]\nGenerated set\n";
    for (int i = 1; i <= n; ++i) {
      s += "[" + std::to_string(2000 + i) + ",KXRC_CODE_" + std::to_string(i) + "]\nText " +
           std::to_string(i) + " \n";
    }
    return s + "[end]\n";
  }

  ScratchDir dir_;
  std::string res_;
};

TEST(ResBuildFormat, TimeStampPercentAndDataPath) {
  EXPECT_EQ(ResBuildTimeStamp(Fixed()), "14:05:09 06 December 2026");
  EXPECT_EQ(ResBuildTimeStamp(At(2003, 1, 31, 23, 59, 0)), "23:59:00 31 January 2003");
  EXPECT_EQ(ResBuildPercent(4124, 4200), "98.19048");
  EXPECT_EQ(ResBuildPercent(4196, 4200), "99.90476");
  EXPECT_EQ(ResBuildPercent(2100, 4200), "50");
  EXPECT_EQ(ResBuildPercent(0, 4200), "0");
  EXPECT_EQ(ResBuildPercent(1, 64), "1.5625");
  EXPECT_EQ(ResBuildPercent(64, 64), "100");
  EXPECT_EQ(ResBuildPercent(100, 300), "33.33333");
  // Single precision: 66.666664 as a float, 66.66667 if computed with more precision.
  EXPECT_EQ(ResBuildPercent(200, 300), "66.66666");
  EXPECT_EQ(ResBuildPercent(1, 32767), "0.003051851");
#ifdef _WIN32
  EXPECT_EQ(ResBuildDataPath("C:\\data", "tavlodata-text.o"), "C:\\data\\tavlodata-text.o");
#else
  EXPECT_EQ(ResBuildDataPath("/data", "tavlodata-text.o"), "/data/tavlodata-text.o");
#endif
}

TEST_F(ResBuildTest, GoldenMakeAndDumpOfSmallSet) {
  std::string data = ResBuildDataPath(kFixtures, "small.txt");
  RecordingWindow w;
  bool complete = false;
  std::string log = Make(data, &w, &complete);
  EXPECT_TRUE(complete);
  ExpectGolden("make-small.log", log, data);
  // Busy pointer, the log shown after the "Processing" line, one event pass per written
  // section (version and seven codes), the normal pointer, the final log.
  std::vector<std::string> calls = {"busy", "show"};
  calls.insert(calls.end(), 8, "events");
  calls.insert(calls.end(), {"normal", "show"});
  EXPECT_EQ(w.calls, calls);
  ASSERT_EQ(w.shown.size(), 2u);
  EXPECT_EQ(w.shown[0], MakeHead(data));
  EXPECT_EQ(w.shown[1], log);

  RecordingWindow dw;
  std::string dump = DumpBinaryResource(res_, &dw, &complete);
  EXPECT_TRUE(complete);
  ExpectGolden("dump-small.log", dump, data);
  EXPECT_EQ(dw.calls, (std::vector<std::string>{"busy", "normal", "show", "focus"}));
}

TEST_F(ResBuildTest, RecordsJoinTextAndSkipBracketLines) {
  MakeText(ReadFile(kFixtures + "/small.txt"));
  EXPECT_EQ(Get("3.1"),
            "Tavlo test description set, edition 1: a version line that runs on past seventy "
            "characters~* Product one");
  EXPECT_EQ(
      Get("1"),
      "1|-1|KXCC_UNKNOWN|Unknown completion (KXCC_UNKNOWN)~The call did not say how it ended.");
  EXPECT_EQ(Get("3"), "1|1|KXCC_WARNING|");  // two consecutive headers
  EXPECT_EQ(Get("6"), "2|10|KXRC_TEN|Ten gets a hexadecimal key too. ~~Corrective action: none. ");
  EXPECT_EQ(Get("KeyCnt"), "7");
}

TEST_F(ResBuildTest, NumericKeysOfSmallAndLargeValues) {
  MakeText(
      "[DI1,Version]\n[-1,KXCC_A]\n[9,KXRC_B]\n[10,KXRC_C]\n[900,KXRC_D]\n[-2147483648,KXRC_E]\n["
      "end]\n");
  EXPECT_EQ(Get("NumericKeys"), "!\"[-1]!#[9]!$[10]!$[A]!%[900]!%[384]!&[-2147483648]");
  EXPECT_EQ(Get("SymbolicKeys"), "!\"[KXCC_A]!#[KXRC_B]!$[KXRC_C]!%[KXRC_D]!&[KXRC_E]");
}

TEST_F(ResBuildTest, LineEndsCrLfCrAndLfGiveTheSameContainer) {
  std::string lf = ReadFile(kFixtures + "/small.txt");
  std::string base = res_;
  std::vector<std::string> built;
  for (const std::string& text :
       {lf, Replace(lf, "\n", "\r\n"), Replace(lf, "\n", "\r"), lf.substr(0, lf.size() - 1)}) {
    bool complete = false;
    std::string log = MakeText(text, &complete);
    EXPECT_TRUE(complete) << log;
    EXPECT_NE(log.find("\r\n21 records, 7 codes in data file.\r\n"), std::string::npos) << log;
    built.push_back(ReadFile(res_));
    WriteFile(res_, ReadFile(kFixtures + "/host.bin"));
  }
  for (std::size_t i = 1; i < built.size(); ++i)
    EXPECT_EQ(built[i], built[0]) << i;
}

TEST_F(ResBuildTest, ReferenceSizedSetAndRecordNumberPairs) {
  std::string log = MakeText(Codes(347));
  EXPECT_NE(log.find("\r\n697 records, 347 codes in data file.\r\n"), std::string::npos);
  std::string sym = Get("SymbolicKeys");
  EXPECT_EQ(sym.substr(0, 18), "!\"[KXRC_CODE_1]!#[");
  EXPECT_NE(sym.find("![[KXRC_CODE_58]"), std::string::npos);
  EXPECT_NE(sym.find("\"![KXRC_CODE_90]"), std::string::npos);
  EXPECT_NE(sym.find("$n[KXRC_CODE_347]"), std::string::npos);
  EXPECT_NE(Get("NumericKeys").find("$n[2347]$n[92B]"), std::string::npos);
  std::string dump = DumpBinaryResource(res_);
  EXPECT_EQ(dump.substr(0, dump.find("\r\n3.1=")),
            "Binary Resource File: " + res_ +
                "\r\nBinResOpen OK, 4124 of 4200 bytes used in index (98.19048% full)");
}

TEST_F(ResBuildTest, FullIndexStopsAtSymbolicKeysAndKeepsTheFile) {
  bool complete = false;
  std::string log = MakeText(Codes(353), &complete);
  EXPECT_TRUE(complete);
  EXPECT_NE(DumpBinaryResource(res_).find("4196 of 4200 bytes used in index (99.90476% full)"),
            std::string::npos);

  std::string before = ReadFile(res_);
  log = MakeText(Codes(354), &complete);
  EXPECT_FALSE(complete);
  std::string tail = "BinResClose OK\r\n";
  std::string fail =
      "Binary Resource Error: Can't append string.\r\nKey=SymbolicKeys\r\n"
      "Error=32006 BinResAppend: Index is full, IdxEntries=4187, IdLen=12, MaxEntsLen=4200\r\n";
  std::size_t at = log.find(fail);
  ASSERT_NE(at, std::string::npos) << log.substr(log.size() - 300);
  EXPECT_NE(
      log.find("\r\n711 records, 354 codes in data file.\r\nKeyCnt=354\r\nNumericKeys= (length "),
      std::string::npos);
  EXPECT_EQ(log.substr(at + fail.size(), 27), "SymbolicKeys= (length 5910)");
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
  EXPECT_EQ(ReadFile(res_), before);
}

// A record that no longer fits the index: its lines, the count line, no key resources, and
// the container closed; the file stays as it was.
TEST_F(ResBuildTest, RecordThatDoesNotFitStopsTheReading) {
  std::string before = ReadFile(res_);
  bool complete = true;
  std::string log = MakeText(Codes(359), &complete);  // 358 records fill the 4200 bytes exactly
  EXPECT_FALSE(complete);
  std::string tail =
      "Binary Resource Error: Can't append string.\r\n"
      "Error=32006 BinResAppend: Index is full, IdxEntries=4200, IdLen=3, MaxEntsLen=4200\r\n"
      "Key=359\r\nData=2|2359|KXRC_CODE_359|Text 359 \r\n"
      "721 records, 359 codes in data file.\r\n"
      "BinResClose OK\r\n";
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
  EXPECT_EQ(ReadFile(res_), before);
}

// Headers are told apart in a fixed order, and a header's name is everything after the first
// comma except the line's last character, whatever that is.
TEST_F(ResBuildTest, LineClassification) {
  bool complete = false;
  MakeText(
      "[DI1,Version]\n[DI7,Version]\n[note] \nv1\n[end] "
      "\n\n[5,KXRC_NO_BRACKET\n\n\n[6,KXCC_SIX]]\nx|y\n"
      "[7,KXRC_A,KXCC_B]\n[end]\n",
      &complete);
  ASSERT_TRUE(complete);
  EXPECT_EQ(Get("3.7"), "v1~");
  EXPECT_EQ(Get("1"), "2|5|KXRC_NO_BRACKE|~");
  EXPECT_EQ(Get("2"), "1|6|KXCC_SIX]|x|y");
  EXPECT_EQ(Get("3"), "2|7|KXRC_A,KXCC_B|");
  EXPECT_EQ(Get("NumericKeys"), "!\"[5]!#[6]!$[7]");

  // A line that starts with "[DI" but names a reason code is a reason-code header, and "DI1"
  // is no value.
  std::string data = dir_.Path("data.txt");
  WriteFile(data, "[DI1,KXRC_X]\n[end]\n");
  EXPECT_EQ(Make(data), MakeHead(data) + ErrorLine(EINVAL));
}

TEST_F(ResBuildTest, ShorterRebuildKeepsTheFileLength) {
  MakeText(Codes(40));
  std::string before = ReadFile(res_);
  bool complete = false;
  MakeText(Codes(2), &complete);
  EXPECT_TRUE(complete);
  std::string after = ReadFile(res_);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(U32At(after, 57), U32At(before, 57));
  EXPECT_EQ(Get("KeyCnt"), "2");
}

#ifndef _WIN32
// A write that fails while resources are appended is an unexpected failure: its error line
// ends the log, and the resource file stays as it was.
TEST_F(ResBuildTest, FailedWriteEndsTheMake) {
  std::string before = ReadFile(res_);
  std::string data = dir_.Path("data.txt");
  WriteFile(data, "[DI1,Version]\n" + std::string(3000, 'v') + "\n[end]\n");
  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit lim = old;
  lim.rlim_cur = 6000;  // room for the index, not for the version text
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
  std::string log = Make(data);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(log, MakeHead(data) + ErrorLine(EFBIG));
  EXPECT_EQ(ReadFile(res_), before);
}
#endif

TEST_F(ResBuildTest, ValueThatIsNotANumberEndsTheMakeAndClosesEverything) {
  std::string before = ReadFile(res_);
  std::string data = dir_.Path("data.txt");
  for (const char* header : {"[1x,KXRC_BAD]", "[,KXRC_BAD]", "[DIx,Version]", "[DI1]"}) {
    WriteFile(data, std::string("[0,KXCC_OK]\ntext\n") + header + "\nmore\n[end]\n");
    bool complete = true;
    std::string log = Make(data, nullptr, &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(log, MakeHead(data) + ErrorLine(EINVAL)) << header;
    EXPECT_EQ(ReadFile(res_), before);
  }
  WriteFile(data, "[2147483648,KXRC_BIG]\n[end]\n");
  EXPECT_EQ(Make(data), MakeHead(data) + ErrorLine(ERANGE));
  // Nothing stayed open: the next Make and Dump work.
  bool complete = false;
  MakeText("[DI1,Version]\n[0,KXCC_OK]\n[end]\n", &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(Get("1"), "1|0|KXCC_OK|");
}

// A container the main window's load would refuse is built and closed, but never put in
// place: the log says why, and the program file keeps the descriptions it can read.
TEST_F(ResBuildTest, ContainerTheLoadWouldRefuseLeavesTheFile) {
  const std::string kLeft = ".\r\nThe resource file is left as it was.\r\n";
  std::string random(200000, '\0');
  unsigned seed = 26;
  for (char& c : random) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  struct Case {
    std::string data;
    std::string reasons;
    const char* why;
  } cases[] = {
      {"", "no version section [DI1,Version] in data file; no code in data file", "empty file"},
      {random, "no version section [DI1,Version] in data file; no code in data file",
       "random bytes"},
      {"[0,KXCC_OK]\n[end]\n", "no version section [DI1,Version] in data file", "no version"},
      {"[DI2,Version]\nv\n[0,KXCC_OK]\n[end]\n", "no version section [DI1,Version] in data file",
       "only another version's section"},
      {"\xEF\xBB[DI1,Version]\n[0,KXCC_OK]\n[end]\n",
       "no version section [DI1,Version] in data file", "half a byte-order mark is text"},
      {"[DI1,Version]\nv\n[end]\n", "no code in data file", "version only"},
      {"[DI1,Version]\n[0,KXCC_OK]\n" + std::string(32756, 'x') + "\n[end]\n",
       "Key=1 is longer than a get returns (length 32768)", "record one byte too long"},
      {"[DI1,Version]\n" + std::string(40000, 'v') + "\n[0,KXCC_OK]\n[end]\n",
       "Key=3.1 is longer than a get returns (length 40000)", "version notice too long"},
  };
  std::string before = ReadFile(res_);
  for (const Case& c : cases) {
    bool complete = true;
    std::string log = MakeText(c.data, &complete);
    std::string tail =
        "BinResClose OK\r\nBinary Resource Error: Not put in place: " + c.reasons + kLeft;
    EXPECT_FALSE(complete) << c.why;
    ASSERT_GE(log.size(), tail.size()) << c.why;
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << c.why;
    EXPECT_EQ(ReadFile(res_), before) << c.why;
  }
  // The longest record a get returns still goes in.
  bool complete = false;
  MakeText("[DI1,Version]\n[0,KXCC_OK]\n" + std::string(32755, 'x') + "\n[end]\n", &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(Get("1").size(), 32767u);
}

// A byte-order mark before the first line is no text: the set builds as it does without one.
TEST_F(ResBuildTest, ByteOrderMarkBeforeTheFirstLineIsSkipped) {
  std::string plain = ReadFile(kFixtures + "/small.txt");
  MakeText(plain);
  std::string without = ReadFile(res_);
  WriteFile(res_, ReadFile(kFixtures + "/host.bin"));
  bool complete = false;
  std::string log = MakeText("\xEF\xBB\xBF" + plain, &complete);
  EXPECT_TRUE(complete) << log;
  EXPECT_NE(log.find("\r\n21 records, 7 codes in data file.\r\n"), std::string::npos) << log;
  EXPECT_EQ(ReadFile(res_), without);
}

TEST_F(ResBuildTest, MissingDataFileEndsAfterProcessingLine) {
  std::string before = ReadFile(res_);
  std::string data = ResBuildDataPath(dir_.Dir(), "tavlodata-text.o");
  EXPECT_EQ(Make(data), MakeHead(data) + ErrorLine(ENOENT));
  EXPECT_EQ(ReadFile(res_), before);
}

TEST_F(ResBuildTest, SectionsAroundTheEndLine) {
  // Without "[end]" the last section is never written.
  std::string log = MakeText("[DI1,Version]\n[0,KXCC_OK]\na\n[1,KXCC_WARNING]\nb\n");
  EXPECT_NE(log.find("\r\n5 records, 1 codes in data file.\r\n"), std::string::npos);
  EXPECT_EQ(Get("KeyCnt"), "1");
  // Lines after "[end]" go on into the pending section, which the next "[end]" writes again.
  MakeText("[DI1,Version]\n[0,KXCC_OK]\na\n[end]\nb\n[end]\n");
  EXPECT_EQ(Get("1"), "1|0|KXCC_OK|a");
  EXPECT_EQ(Get("2"), "1|0|KXCC_OK|a~b");
  EXPECT_EQ(Get("SymbolicKeys"), "!\"[KXCC_OK]!#[KXCC_OK]");
}

TEST_F(ResBuildTest, ResourceFileThatCannotBeWritten) {
  std::string head =
      "Making Binary Resource as at 14:05:09 06 December 2026\r\nBinary Resource File: ";
  std::string data = kFixtures + "/small.txt";
  for (const std::string& target : {dir_.Dir(), dir_.Path("no-such-dir/tavlo.exe")}) {
#ifdef _WIN32
    const int dir_err = EACCES;  // the C library there opens no folder, for any purpose
#else
    const int dir_err = EISDIR;
#endif
    int err = target == dir_.Dir() ? dir_err : ENOENT;
    bool complete = true;
    std::string log = MakeBinaryResource(target, data, Fixed, nullptr, &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(log, head + target + "\r\nBinary Resource Error: Can't open to append.\r\nError=" +
                       std::to_string(err) + " BinResOpen: " + ErrorLine(err) + "\r\n");
    EXPECT_FALSE(Exists(target + ".mkres"));
  }
}

// A Make through a symbolic link or one of two hard links builds into the file they name: the
// link stays a link, every name sees the new container, and a failed Make leaves every name
// byte for byte as it was.
TEST_F(ResBuildTest, MakeThroughLinksBuildsIntoTheFileTheyName) {
  namespace fs = std::filesystem;
  const struct {
    const char* kind;
    bool symbolic;
  } rows[] = {{"symbolic link", true}, {"hard link", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    WriteFile(res_, ReadFile(kFixtures + "/host.bin"));
    const std::string host = ReadFile(res_);
    const std::string link = dir_.Path("link.exe");
    std::error_code ec;
    if (row.symbolic) {
      fs::create_symlink(res_, link, ec);
    } else {
      fs::create_hard_link(res_, link, ec);
    }
    if (ec) {
      std::printf("no %s here: %s\n", row.kind, ec.message().c_str());
      continue;
    }
    const std::string data = dir_.Path("data.txt");
    WriteFile(data, Codes(354));  // fails at "SymbolicKeys"
    bool complete = true;
    MakeBinaryResource(link, data, Fixed, nullptr, &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(ReadFile(res_), host);
    EXPECT_EQ(ReadFile(link), host);
    WriteFile(data, Codes(2));
    MakeBinaryResource(link, data, Fixed, nullptr, &complete);
    EXPECT_TRUE(complete);
    EXPECT_EQ(fs::is_symlink(fs::symlink_status(link)), row.symbolic);
    EXPECT_EQ(Get("KeyCnt"), "2");
    // Still one file under two names: what is written through one name shows through the other.
    if (std::FILE* f = std::fopen(res_.c_str(), "ab")) {
      std::fputc('!', f);
      std::fclose(f);
    }
    EXPECT_EQ(ReadFile(link), ReadFile(res_));
    EXPECT_FALSE(Exists(link + ".mkres"));
    fs::remove(link);
  }
}

// Sets the variables that name the temporary folder for the life of the object.
class TempFolderOverride {
 public:
  explicit TempFolderOverride(const std::string& folder) {
    for (const char* name : kNames) {
      const char* old = std::getenv(name);
      saved_.push_back(old ? std::string("=") + old : std::string());
      Set(name, folder);
    }
  }
  ~TempFolderOverride() {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      Set(kNames[i], saved_[i].empty() ? std::string() : saved_[i].substr(1));
    }
  }

 private:
  static void Set(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    if (value.empty()) {
      unsetenv(name);
    } else {
      setenv(name, value.c_str(), 1);
    }
#endif
  }
  static constexpr const char* kNames[] = {"TMPDIR", "TMP", "TEMP"};
  std::vector<std::string> saved_;
};

// A file whose folder cannot take the build copy (a folder stands in the copy's name here, as
// a folder the user may not write to would refuse it) is built through a copy in the
// temporary folder. Without a temporary folder either, the log names each failed copy and the
// file stays as it was.
TEST_F(ResBuildTest, CopyInTheTemporaryFolderWhenTheFilesFolderRefusesIt) {
  namespace fs = std::filesystem;
  fs::create_directory(res_ + ".mkres");
  bool complete = false;
  std::string log = MakeText(Codes(2), &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(log.find("Error"), std::string::npos) << log;
  EXPECT_EQ(Get("KeyCnt"), "2");
  const std::string built = ReadFile(res_);
  {
    TempFolderOverride no_temp(dir_.Path("no-such-folder"));
    log = MakeText(Codes(3), &complete);
  }
  EXPECT_FALSE(complete);
  EXPECT_NE(log.find("\r\nBinary Resource Error: Can't open to append.\r\nError="),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(" Copy to " + res_ + ".mkres: Error "), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
  EXPECT_EQ(ReadFile(res_), built);
  fs::remove(res_ + ".mkres");
}

TEST_F(ResBuildTest, NewResourceFileIsCreated) {
  std::filesystem::remove(res_);
  bool complete = false;
  MakeText("[DI1,Version]\n[0,KXCC_OK]\n[end]\n", &complete);
  EXPECT_TRUE(complete);
  std::string b = ReadFile(res_);
  EXPECT_EQ(U32At(b, 57), 65u);  // IdxPos of an empty new file
}

#ifndef _WIN32
TEST_F(ResBuildTest, RebuiltProgramFileStaysExecutable) {
  namespace fs = std::filesystem;
  fs::permissions(res_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  MakeText("[DI1,Version]\n[0,KXCC_OK]\n[end]\n");
  EXPECT_EQ(fs::status(res_).permissions(),
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}
#endif

TEST_F(ResBuildTest, OpenContainerRefusesMakeAndDump) {
  std::string other = dir_.Path("other.res");
  BinResOpen(other, 64);
  ASSERT_EQ(BinResErr, 0);
  std::string before = ReadFile(res_);
  std::string log = MakeBinaryResource(res_, kFixtures + "/small.txt", Fixed);
  EXPECT_EQ(log.substr(log.find("\r\nBinary Resource Error")),
            "\r\nBinary Resource Error: Can't open to append.\r\nError=32002 Already open\r\n");
  EXPECT_EQ(DumpBinaryResource(res_),
            "Binary Resource File: " + res_ +
                "\r\nBinary Resource Error: Can't open to read.\r\nError=32002 Already open\r\n");
  EXPECT_EQ(ReadFile(res_), before);
  BinResAppend("still", "open");  // the open container was not touched
  EXPECT_EQ(BinResErr, 0);
  BinResClose();
}

// A Dump started while the Make lets the window process events is refused, and the shared
// status then ends the Make's reading: no key resources, the file stays as it was.
TEST_F(ResBuildTest, DumpDuringMakeEndsTheMake) {
  class DumpOnEvents : public RecordingWindow {
   public:
    explicit DumpOnEvents(const std::string& res) : res_(res) {}
    void ProcessEvents() override {
      if (nested.empty())
        nested = DumpBinaryResource(res_);
    }
    std::string nested;

   private:
    std::string res_;
  } w(res_);
  std::string before = ReadFile(res_);
  std::string data = kFixtures + "/small.txt";
  bool complete = true;
  std::string log = Make(data, &w, &complete);
  EXPECT_FALSE(complete);
  EXPECT_EQ(w.nested,
            "Binary Resource File: " + res_ +
                "\r\nBinary Resource Error: Can't open to read.\r\nError=32002 Already open\r\n");
  EXPECT_EQ(log, MakeHead(data) + "4 records, 0 codes in data file.\r\nBinResClose OK\r\n");
  EXPECT_EQ(ReadFile(res_), before);
}

TEST_F(ResBuildTest, DumpFailures) {
  std::string head = "Binary Resource File: " + res_ + "\r\n";
  bool complete = true;
  EXPECT_EQ(DumpBinaryResource(res_, nullptr, &complete),
            head +
                "Binary Resource Error: Can't open to read.\r\nError=32001 BinResOpen: Resource is "
                "empty\r\n");
  EXPECT_FALSE(complete);

  BinResOpen(res_, 64);
  BinResAppend("small", "1~2");
  BinResAppend("huge", std::string(32768, 'h'));
  BinResAppend("after", "x");
  BinResClose();
  EXPECT_EQ(DumpBinaryResource(res_, nullptr, &complete),
            head +
                "BinResOpen OK, 41 of 64 bytes used in index (64.0625% full)\r\nsmall=1\r\n2\r\n"
                "Binary Resource Error: Can't get string.\r\nKey=huge\r\n"
                "Error=32003 BinResGet: Resource data length invalid for get string = 32768\r\n"
                "BinResClose OK\r\n");
  EXPECT_FALSE(complete);
}

// Records are printed whole when their data begins with "1", whatever their identifier;
// everything else is cut to 70 bytes.
TEST_F(ResBuildTest, DumpBreaksDataThatBeginsWithOne) {
  BinResOpen(res_, 64);
  BinResAppend("v", "1st~~line");
  BinResAppend("w", "2nd~line");
  BinResAppend("x", std::string(70, 'x') + "~");
  BinResAppend("y", "1");
  BinResClose();
  ASSERT_EQ(BinResErr, 0);
  EXPECT_EQ(DumpBinaryResource(res_),
            "Binary Resource File: " + res_ +
                "\r\nBinResOpen OK, 40 of 64 bytes used in index (62.5% full)\r\n"
                "v=1st\r\n\r\nline\r\nw=2nd~line\r\nx=" +
                std::string(70, 'x') + "\r\ny=1\r\nBinResClose OK\r\n");
}

}  // namespace
