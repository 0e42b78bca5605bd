// BINRES: layouts written byte for byte, the status of every operation, and hand-built bad
// containers that must give a status rather than a crash.
#include "binres/binres.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "support/filebytes.h"

using namespace testfiles;

namespace {

class BinResTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (BinResIsOpen())
      BinResClose();
  }

  // Host bytes of a given length, with a pattern that is nowhere zero except at 57..60.
  static std::string Host(long len) {
    std::string b(static_cast<std::size_t>(len), '\0');
    for (long i = 0; i < len; ++i)
      b[static_cast<std::size_t>(i)] = static_cast<char>(1 + i % 250);
    for (long p = 57; p <= 60 && p <= len; ++p)
      b[static_cast<std::size_t>(p - 1)] = 0;
    return b;
  }

  void ExpectStatus(int code, const std::string& msg) {
    EXPECT_EQ(BinResErr, code);
    EXPECT_EQ(BinResErrMsg, msg);
  }

  void ExpectOk() {
    ExpectStatus(0, "");
  }

  // Builds a container with the given resources and closes it.
  void Build(const std::string& path, std::int16_t cap,
             std::initializer_list<std::pair<std::string, std::string>> resources) {
    BuildContainer(path, cap, std::vector<std::pair<std::string, std::string>>(resources));
  }

  ScratchDir dir_;
};

TEST(BinResPacking, LittleEndianByteByByte) {
  unsigned char b[4];
  binres::Le16Pack(b, 4200);
  EXPECT_EQ(b[0], 0x68);
  EXPECT_EQ(b[1], 0x10);
  binres::Le16Pack(b, -1);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0xFF);
  EXPECT_EQ(binres::Le16Unpack(b), -1);
  binres::Le32Pack(b, 0x12345678);
  EXPECT_EQ(b[0], 0x78);
  EXPECT_EQ(b[3], 0x12);
  std::int32_t v = 0;
  ASSERT_TRUE(binres::Le32Unpack(b, &v));
  EXPECT_EQ(v, 0x12345678);
  binres::Le32Pack(b, -2);  // two's complement bit pattern FE FF FF FF
  EXPECT_EQ(b[0], 0xFE);
  EXPECT_EQ(b[3], 0xFF);
  v = 7;
  EXPECT_FALSE(binres::Le32Unpack(b, &v));  // top byte 0x80 or more is rejected
  EXPECT_EQ(v, 7);
  const unsigned char max[4] = {0xFF, 0xFF, 0xFF, 0x7F};
  ASSERT_TRUE(binres::Le32Unpack(max, &v));
  EXPECT_EQ(v, 2147483647);
}

TEST_F(BinResTest, EmptyNewFileWithCapacity4200) {
  std::string path = dir_.Path("new.res");
  BinResOpen(path, 4200);
  ExpectOk();
  EXPECT_EQ(BinResMaxEntsLen(), 4200);
  EXPECT_EQ(BinResUsedLen(), 0);
  BinResAppend("a", "xyz");
  BinResClose();
  ExpectOk();
  std::string b = ReadFile(path);
  ASSERT_EQ(b.size(), 4272u + 3);
  EXPECT_EQ(CountByte(b, 1, 56, 0), 56);                   // gap before the pointer
  EXPECT_EQ(U32At(b, 57), 65u);                            // IdxPos
  EXPECT_EQ(CountByte(b, 61, 64, 0), 4);                   // gap after the pointer
  EXPECT_EQ(U16At(b, 65), 4200);                           // MaxEntsLen
  EXPECT_EQ(U16At(b, 67), 10);                             // used length: one entry of 9 + 1
  EXPECT_EQ(U32At(b, 69), 4273u);                          // entry 1 data position = data start
  EXPECT_EQ(U32At(b, 73), 3u);                             // entry 1 data length
  EXPECT_EQ(ByteAt(b, 77), 1u);                            // entry 1 IdLen
  EXPECT_EQ(ByteAt(b, 78), unsigned('a'));                 // entry 1 identifier
  EXPECT_EQ(CountByte(b, 79, 4272, 0xFF), 4272 - 79 + 1);  // rest of the index area
  EXPECT_EQ(b.substr(4272), "xyz");                        // data area from 4273
}

TEST_F(BinResTest, EmptyNewFileWithCapacity64) {
  std::string path = dir_.Path("new.res");
  Build(path, 64, {});
  std::string b = ReadFile(path);
  ASSERT_EQ(b.size(), 144u);     // data start 145
  EXPECT_EQ(U32At(b, 57), 65u);  // IdxPos
  EXPECT_EQ(U16At(b, 65), 64);   // MaxEntsLen
  EXPECT_EQ(U16At(b, 67), 0);    // used length
  EXPECT_EQ(CountByte(b, 69, 144, 0xFF), 144 - 69 + 1);
}

TEST_F(BinResTest, HostsOf110592And110593BytesShareIdxPos) {
  for (long len : {110592L, 110593L}) {
    SCOPED_TRACE(len);
    std::string path = dir_.Path("host" + std::to_string(len));
    std::string host = Host(len);
    WriteFile(path, host);
    Build(path, 4200, {{"r", "data"}});
    std::string b = ReadFile(path);
    EXPECT_EQ(b.substr(0, 56), host.substr(0, 56));  // host before the pointer
    EXPECT_EQ(U32At(b, 57), 110609u);                // IdxPos
    EXPECT_EQ(b.substr(60, static_cast<std::size_t>(len - 60)), host.substr(60));  // host after
    EXPECT_EQ(CountByte(b, len + 1, 110608, 0), 110608 - len);                     // gap of zeros
    EXPECT_EQ(U16At(b, 110609), 4200);                                             // MaxEntsLen
    EXPECT_EQ(U32At(b, 110613), 114817u);  // data position = data start
    EXPECT_EQ(ByteAt(b, 114816), 0xFFu);   // last fill byte
    EXPECT_EQ(b.substr(114816), "data");
  }
}

TEST_F(BinResTest, SixtyFourByteHostGetsIdxPos81) {
  std::string path = dir_.Path("host64");
  WriteFile(path, Host(64));
  Build(path, 64, {});
  std::string b = ReadFile(path);
  EXPECT_EQ(U32At(b, 57), 81u);  // IdxPos after 16 gap bytes
  EXPECT_EQ(CountByte(b, 65, 80, 0), 16);
  EXPECT_EQ(U16At(b, 81), 64);  // MaxEntsLen
  EXPECT_EQ(b.size(), 160u);    // data start ((81 + 4 + 64) OR 15) + 2 = 161
}

TEST_F(BinResTest, IdxPosAndDataStartAroundTheSixtyFourByteLimit) {
  // Host length, IdxPos, data start for capacity 4200 (the file ends at the byte before).
  const long cases[][3] = {{1, 65, 4273},  {47, 65, 4273}, {48, 65, 4273}, {63, 65, 4273},
                           {65, 81, 4289}, {79, 81, 4289}, {80, 97, 4305}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    std::string path = dir_.Path("host" + std::to_string(c[0]));
    std::string host = Host(c[0]);
    WriteFile(path, host);
    Build(path, 4200, {});
    std::string b = ReadFile(path);
    ASSERT_EQ(static_cast<long>(b.size()), c[2] - 1);
    EXPECT_EQ(U32At(b, 57), static_cast<unsigned long>(c[1]));
    EXPECT_EQ(U16At(b, c[1]), 4200);
    EXPECT_EQ(U16At(b, c[1] + 2), 0);
    EXPECT_EQ(CountByte(b, c[1] + 4, c[2] - 1, 0xFF), c[2] - 1 - c[1] - 3);
    // The host's own bytes stay, except the pointer; the gap up to IdxPos is zero.
    for (long p = 1; p < c[1]; ++p) {
      if (p >= 57 && p <= 60)
        continue;
      ASSERT_EQ(ByteAt(b, p), p <= c[0] ? ByteAt(host, p) : 0u) << p;
    }
  }
}

TEST_F(BinResTest, ShortHostIsExtendedAndPointerLiesInGap) {
  std::string path = dir_.Path("short");
  WriteFile(path, "host");
  Build(path, 64, {{"k", "v"}});
  std::string b = ReadFile(path);
  EXPECT_EQ(b.substr(0, 4), "host");
  EXPECT_EQ(CountByte(b, 5, 56, 0), 52);
  EXPECT_EQ(U32At(b, 57), 65u);
  BinResOpen(path, 0);
  ExpectOk();
  EXPECT_EQ(BinResGet("k"), "v");
}

// A file that ends inside the pointer's four bytes has no container, whatever bytes it holds
// there: reading finds none, building extends it to 64 bytes with the pointer in the gap.
TEST_F(BinResTest, FileEndingInsideThePointerHoldsNoContainer) {
  for (std::size_t len : {57u, 58u, 59u}) {
    SCOPED_TRACE(len);
    std::string path = dir_.Path("short-" + std::to_string(len));
    const std::string host(len, 'A');
    WriteFile(path, host);
    BinResOpen(path, 0);
    ExpectStatus(32001, "BinResOpen: Resource is empty");
    EXPECT_FALSE(BinResIsOpen());
    Build(path, 64, {{"k", "v"}});
    std::string b = ReadFile(path);
    EXPECT_EQ(b.substr(0, 56), host.substr(0, 56));
    EXPECT_EQ(U32At(b, 57), 65u);
    EXPECT_EQ(CountByte(b, 61, 64, 0), 4);
    BinResOpen(path, 0);
    ExpectOk();
    EXPECT_EQ(BinResGet("k"), "v");
    BinResClose();
  }
}

TEST_F(BinResTest, FileWithoutContainerIsEmptyAndLeavesModuleClosed) {
  for (long len : {0L, 30L, 58L, 200L}) {
    SCOPED_TRACE(len);
    std::string path = dir_.Path("plain");
    WriteFile(path, Host(len));
    BinResOpen(path, 0);
    ExpectStatus(32001, "BinResOpen: Resource is empty");
    EXPECT_FALSE(BinResIsOpen());
  }
  std::string good = dir_.Path("good");
  Build(good, 64, {});  // a later open succeeds
}

TEST_F(BinResTest, SecondOpenIsRefusedAndFirstStaysUsable) {
  std::string path = dir_.Path("a.res");
  BinResOpen(path, 64);
  ExpectOk();
  BinResOpen(dir_.Path("b.res"), 0);
  ExpectStatus(32002, "Already open");
  EXPECT_FALSE(Exists(dir_.Path("b.res")));
  BinResAppend("x", "1");
  ExpectOk();
  BinResClose();
  BinResOpen(path, 0);
  EXPECT_EQ(BinResGet("x"), "1");
}

TEST_F(BinResTest, InitialIndexLengthBoundaries) {
  std::string path = dir_.Path("c.res");
  for (int len : {63, 1, -1, -32768}) {
    BinResOpen(path, static_cast<std::int16_t>(len));
    ExpectStatus(32005, "BinResOpen: Invalid initial index length");
    EXPECT_FALSE(BinResIsOpen());
    EXPECT_FALSE(Exists(path));
  }
  BinResOpen(path, 64);
  ExpectOk();
}

TEST_F(BinResTest, IdentifierLengths) {
  BinResOpen(dir_.Path("d.res"), 4200);
  BinResAppend(std::string(255, 'i'), "ok");
  ExpectOk();
  BinResAppend(std::string(256, 'i'), "no");
  ExpectStatus(32005, "BinResAppend: Invalid Identifier length 256");
  BinResAppend("", "no");
  ExpectStatus(32005, "BinResAppend: Invalid Identifier length 0");
  BinResAppend("a]b", "no");
  ExpectStatus(32005, "BinResAppend: Invalid Identifier, contains [ or ]");
  EXPECT_EQ(BinResUsedLen(), 9 + 255);
  EXPECT_EQ(BinResGet(std::string(255, 'i')), "ok");
}

TEST_F(BinResTest, FullIndexAcceptsExactFitThenRefuses) {
  std::string path = dir_.Path("e.res");
  BinResOpen(path, 64);
  BinResAppend(std::string(23, 'a'), "1");  // 32 bytes
  BinResAppend(std::string(22, 'b'), "2");  // 31 bytes: 63 used
  ExpectOk();
  BinResAppend("c", "3");  // 10 more would make 73
  ExpectStatus(32006, "BinResAppend: Index is full, IdxEntries=63, IdLen=1, MaxEntsLen=64");
  EXPECT_EQ(BinResUsedLen(), 63);
  BinResClose();
  BinResOpen(dir_.Path("f.res"), 64);
  BinResAppend(std::string(23, 'a'), "");
  BinResAppend(std::string(23, 'b'), "");  // exactly 64
  ExpectOk();
  EXPECT_EQ(BinResUsedLen(), 64);
  BinResAppend("c", "");
  ExpectStatus(32006, "BinResAppend: Index is full, IdxEntries=64, IdLen=1, MaxEntsLen=64");
}

TEST_F(BinResTest, EmptyResourceHasPositionAndLengthZero) {
  std::string path = dir_.Path("g.res");
  Build(path, 64, {{"empty", ""}, {"full", "AB"}});
  std::string b = ReadFile(path);
  EXPECT_EQ(U32At(b, 69), 0u);         // entry 1 data position
  EXPECT_EQ(U32At(b, 73), 0u);         // entry 1 data length
  EXPECT_EQ(U32At(b, 69 + 14), 145u);  // entry 2 data position: the data start, still unused
  BinResOpen(path, 0);
  EXPECT_EQ(BinResGet("empty"), "");
  ExpectOk();
  EXPECT_EQ(BinResGet("full"), "AB");
}

TEST_F(BinResTest, DuplicateIdentifiersGetTheFirstAndListBoth) {
  std::string path = dir_.Path("h.res");
  Build(path, 64, {{"id", "first"}, {"id", "second"}, {"z", ""}});
  BinResOpen(path, 0);
  EXPECT_EQ(BinResGet("id"), "first");
  EXPECT_EQ(BinResGetIdentifiers(), std::string("id\0id\0z\0", 8));
  ExpectOk();
}

TEST_F(BinResTest, ResourceOf32768BytesIsStoredButNotGot) {
  std::string path = dir_.Path("i.res");
  Build(path, 64, {{"big", std::string(32768, 'x')}, {"max", std::string(32767, 'y')}});
  EXPECT_EQ(ReadFile(path).size(), 144u + 32768 + 32767);
  BinResOpen(path, 0);
  EXPECT_EQ(BinResGet("big"), "");
  ExpectStatus(32003, "BinResGet: Resource data length invalid for get string = 32768");
  EXPECT_EQ(BinResGet("max"), std::string(32767, 'y'));
  ExpectOk();
}

TEST_F(BinResTest, UnclosedBuildLeavesEmptyIndexOnDisk) {
  std::string path = dir_.Path("j.res");
  BinResOpen(path, 64);
  BinResAppend("a", "data");
  EXPECT_EQ(BinResGet("a"), "data");  // reading calls work while building
  std::string b = ReadFile(path);
  EXPECT_EQ(U16At(b, 67), 0);  // used length still 0
  EXPECT_EQ(CountByte(b, 69, 144, 0xFF), 144 - 69 + 1);
  EXPECT_EQ(b.substr(144), "data");  // the data is written at once
  BinResClose();
  EXPECT_EQ(U16At(ReadFile(path), 67), 10);
}

TEST_F(BinResTest, ShorterRebuildKeepsPositionAndLength) {
  std::string path = dir_.Path("k.res");
  WriteFile(path, Host(100));
  Build(path, 64, {{"a", std::string(50, 'A')}, {"b", std::string(50, 'B')}});
  std::string before = ReadFile(path);
  Build(path, 64, {{"c", "CC"}});
  std::string after = ReadFile(path);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(U32At(after, 57), 113u);  // IdxPos kept
  EXPECT_EQ(U16At(after, 115), 10);   // used length of the new index
  long dataStart = 193;               // ((113 + 4 + 64) OR 15) + 2
  EXPECT_EQ(after.substr(dataStart - 1, 2), "CC");
  EXPECT_EQ(after.substr(dataStart + 1), before.substr(dataStart + 1));  // old bytes stay
  BinResOpen(path, 0);
  EXPECT_EQ(BinResGetIdentifiers(), std::string("c\0", 2));
}

TEST_F(BinResTest, OffsetBytesEqualToBracketsDoNotConfuseLookups) {
  // Ten 10-byte entries put the tenth at offset 91 ("["); five 23-byte entries put the fifth
  // at offset 93 ("]").
  for (int idLen : {1, 14}) {
    SCOPED_TRACE(idLen);
    std::string path = dir_.Path("l" + std::to_string(idLen));
    int count = idLen == 1 ? 10 : 5;
    BinResOpen(path, 4200);
    std::string expected;
    for (int i = 0; i < count; ++i) {
      std::string id(static_cast<std::size_t>(idLen), static_cast<char>('a' + i));
      BinResAppend(id, id + "!");
      expected += id + '\0';
    }
    BinResClose();
    BinResOpen(path, 0);
    EXPECT_EQ(BinResGetIdentifiers(), expected);
    for (int i = 0; i < count; ++i) {
      std::string id(static_cast<std::size_t>(idLen), static_cast<char>('a' + i));
      EXPECT_EQ(BinResGet(id), id + "!");
    }
    EXPECT_EQ(BinResGet("missing"), "");
    ExpectStatus(32001, "BinResGet: Resource identifier not found");
    BinResClose();
  }
}

// Offsets above 23295 have a high byte that can equal "[" (0x5B) or "]" (0x5D) as well.
TEST_F(BinResTest, HighOffsetBytesEqualToBracketsDoNotConfuseLookups) {
  std::string path = dir_.Path("n.res");
  BinResOpen(path, 32767);
  ASSERT_EQ(BinResErr, 0);
  std::vector<std::string> ids;
  long next = 1;  // offset of the next entry
  auto add = [&](const std::string& id) {
    BinResAppend(id, "data of " + id);
    ASSERT_EQ(BinResErr, 0) << BinResErrMsg;
    ids.push_back(id);
    next += 9 + static_cast<long>(id.size());
  };
  // Filler entries up to the given offset, none shorter than 10 bytes.
  auto fillTo = [&](long target, std::string last = "") {
    while (next < target) {
      long remaining = target - next - (last.empty() ? 0 : 9 + static_cast<long>(last.size()));
      long size = remaining <= 264 ? remaining : (remaining - 264 < 10 ? remaining - 10 : 264);
      if (size <= 0)
        break;
      add(std::string(static_cast<std::size_t>(size - 9),
                      static_cast<char>('a' + ids.size() % 26)));
    }
    if (!last.empty())
      add(last);
    ASSERT_EQ(next, target);
  };
  fillTo(0x5B01);  // high byte "["
  add("high-open");
  // The entry before 0x5D5B (low "[", high "]") ends in a NUL, so that the two bytes in
  // front of a "[]" found there would point into its identifier.
  fillTo(0x5D5B, std::string("end\0", 4));
  add("low-open-high-close");
  BinResClose();
  ASSERT_EQ(BinResErr, 0) << BinResErrMsg;

  BinResOpen(path, 0);
  ASSERT_EQ(BinResErr, 0) << BinResErrMsg;
  std::string expected;
  for (const auto& id : ids)
    expected += id + '\0';
  EXPECT_EQ(BinResGetIdentifiers(), expected);
  EXPECT_EQ(BinResGet("high-open"), "data of high-open");
  EXPECT_EQ(BinResGet("low-open-high-close"), "data of low-open-high-close");
  EXPECT_EQ(BinResGet(std::string("end\0", 4)), std::string("data of end\0", 12));
  // No entry has an empty identifier or one with a bracket: such look-ups find nothing.
  for (const std::string& id : {std::string(), std::string("x[low-open-high-close")}) {
    EXPECT_EQ(BinResGet(id), "");
    ExpectStatus(32001, "BinResGet: Resource identifier not found");
  }
}

TEST_F(BinResTest, CallsWithoutContainerOrOnReadingContainerGiveStatus) {
  BinResAppend("a", "b");
  ExpectStatus(32008, "BinResAppend: No container open");
  EXPECT_EQ(BinResGet("a"), "");
  ExpectStatus(32008, "BinResGet: No container open");
  BinResClose();
  ExpectStatus(32008, "BinResClose: No container open");
  BinResErr = 1;
  EXPECT_EQ(BinResGetIdentifiers(), "");
  ExpectOk();
  std::string path = dir_.Path("m.res");
  Build(path, 64, {{"a", "1"}});
  std::string before = ReadFile(path);
  BinResOpen(path, 0);
  BinResAppend("b", "2");
  ExpectStatus(32009, "BinResAppend: Container opened for reading");
  BinResClose();
  ExpectOk();
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(BinResTest, PlatformErrorsNameNumberAndText) {
  BinResOpen(dir_.Path("missing.res"), 0);
  ExpectStatus(ENOENT,
               "BinResOpen: Error " + std::to_string(ENOENT) + ": " + std::strerror(ENOENT));
  EXPECT_FALSE(BinResIsOpen());
  BinResOpen(dir_.Path("no-such-dir/x.res"), 64);
  ExpectStatus(ENOENT,
               "BinResOpen: Error " + std::to_string(ENOENT) + ": " + std::strerror(ENOENT));
  BinResOpen(dir_.Dir(), 64);
  EXPECT_GT(BinResErr, 0);
  EXPECT_LT(BinResErr, 32000);
  EXPECT_EQ(BinResErrMsg.rfind("BinResOpen: Error " + std::to_string(BinResErr) + ": ", 0), 0u);
  EXPECT_FALSE(BinResIsOpen());
}

// Hand-built bad containers. Each starts from a valid one: IdxPos 65, capacity 64, entry 1
// "a" (data 145..147 "AAA"), entry 2 "bb" (data 148..149), used length 21, file length 149.
class BinResCorruptTest : public BinResTest {
 protected:
  void SetUp() override {
    path_ = dir_.Path("bad.res");
    Build(path_, 64, {{"a", "AAA"}, {"bb", "BB"}});
    good_ = ReadFile(path_);
    ASSERT_EQ(good_.size(), 149u);
  }

  void OpenBad(const std::string& bytes) {
    WriteFile(path_, bytes);
    BinResOpen(path_, 0);
  }

  std::string path_;
  std::string good_;
};

TEST_F(BinResCorruptTest, PointerProblems) {
  std::string b = good_;
  PutU32(b, 57, 147);  // header would end past the file
  OpenBad(b);
  ExpectStatus(32007, "BinResOpen: Index extends beyond end of file");
  EXPECT_FALSE(BinResIsOpen());
  PutU32(b, 57, 0x80000041UL);  // top byte 0x80
  OpenBad(b);
  ExpectStatus(32011, "BinResOpen: Field out of range at position 57");
  EXPECT_FALSE(BinResIsOpen());
  BinResOpen(path_, 64);  // building never writes through such a pointer
  ExpectStatus(32011, "BinResOpen: Field out of range at position 57");
  PutU32(b, 57, 5000);
  WriteFile(path_, b);
  BinResOpen(path_, 64);
  ExpectStatus(32007, "BinResOpen: Index extends beyond end of file");
  EXPECT_EQ(ReadFile(path_), b);
}

TEST_F(BinResCorruptTest, HeaderProblems) {
  std::string b = good_;
  PutU16(b, 67, 100);  // used length above capacity
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, MaxEntsLen=64, used length=100");
  b = good_;
  PutU16(b, 67, 0xFFFF);
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, MaxEntsLen=64, used length=-1");
  b = good_;
  PutU16(b, 65, 0);
  PutU16(b, 67, 0);
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, MaxEntsLen=0, used length=0");
  b = good_.substr(0, 80);  // entries cut by the end of the file
  OpenBad(b);
  ExpectStatus(32007, "BinResOpen: Index extends beyond end of file");
  EXPECT_FALSE(BinResIsOpen());
}

TEST_F(BinResCorruptTest, EntryProblems) {
  std::string b = good_;
  PutU16(b, 67, 12);  // entry 2 starts at offset 11 and needs 11 bytes
  OpenBad(b);
  ExpectStatus(32010,
               "BinResOpen: Index is corrupt, entry at offset 11 overruns the used length 12");
  b = good_;
  PutU16(b, 67, 5);  // not even the fixed part of entry 1
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, entry at offset 1 overruns the used length 5");
  b = good_;
  b[76] = 0;  // IdLen of entry 1 (position 77)
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, entry at offset 1 has an invalid identifier");
  b = good_;
  b[77] = '[';  // identifier of entry 1
  OpenBad(b);
  ExpectStatus(32010, "BinResOpen: Index is corrupt, entry at offset 1 has an invalid identifier");
  EXPECT_FALSE(BinResIsOpen());
}

TEST_F(BinResCorruptTest, ResourceProblemsAtGet) {
  OpenBad(good_.substr(0, 148));  // "bb" ends one byte past the end
  ExpectOk();
  EXPECT_EQ(BinResGet("a"), "AAA");
  EXPECT_EQ(BinResGet("bb"), "");
  ExpectStatus(32007, "BinResGet: Resource extends beyond end of file");
  BinResClose();

  std::string b = good_;
  PutU32(b, 69, 0);  // entry 1: position 0 with length 3
  OpenBad(b);
  EXPECT_EQ(BinResGet("a"), "");
  ExpectStatus(32007, "BinResGet: Resource extends beyond end of file");
  BinResClose();

  b = good_;
  PutU32(b, 73, 0x80000003UL);  // entry 1 data length, top byte 0x80
  OpenBad(b);
  EXPECT_EQ(BinResGet("a"), "");
  ExpectStatus(32011, "BinResGet: Field out of range at position 73");
  BinResClose();

  b = good_;
  PutU32(b, 69 + 10, 0xFF000000UL);  // entry 2 data position
  OpenBad(b);
  EXPECT_EQ(BinResGet("bb"), "");
  ExpectStatus(32011, "BinResGet: Field out of range at position 79");
  EXPECT_EQ(BinResGet("a"), "AAA");
  ExpectOk();
}

}  // namespace
