// MemSearch, value reading and the wrapping of descriptions to 78 columns.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "store.h"
#include "support/clamped32.h"

namespace {

const char* Find(const std::string& buf, long len, const std::string& pat) {
  return MemSearch(buf.data(), len, pat.data(), static_cast<long>(pat.size()));
}

long FindAt(const std::string& buf, const std::string& pat) {
  const char* p = Find(buf, static_cast<long>(buf.size()), pat);
  return p == nullptr ? -1 : p - buf.data();
}

TEST(MemSearch, NoMatchForEmptyOrTooLongInput) {
  const std::string buf = "[2035,KXRC]";
  EXPECT_EQ(Find(buf, 0, "["), nullptr);
  EXPECT_EQ(Find(buf, -1, "["), nullptr);
  EXPECT_EQ(MemSearch(buf.data(), 5, "[", 0), nullptr);
  EXPECT_EQ(Find(buf, 3, "[203"), nullptr);
}

TEST(MemSearch, FindsTheFirstFullMatch) {
  EXPECT_EQ(FindAt("x[2035,[2035,", "[2035,"), 1);
  EXPECT_EQ(FindAt("aaab", "aab"), 1);  // a partial match right before the real one
  EXPECT_EQ(FindAt("[20,[2035,", "[2035,"), 4);
  EXPECT_EQ(FindAt("abc", "c"), 2);          // one-byte pattern at the last byte
  EXPECT_EQ(FindAt("abcdef", "def"), 3);     // the last candidate position
  EXPECT_EQ(FindAt("abcdef", "abcdef"), 0);  // pattern as long as the buffer
  EXPECT_EQ(FindAt("abcdef", "xyz"), -1);
}

TEST(MemSearch, LooksOnlyAtTheGivenLength) {
  const std::string buf = "....[2035,....";
  EXPECT_EQ(Find(buf, 9, "[2035,"), nullptr);  // the comma lies past the length
  EXPECT_EQ(Find(buf, 10, "[2035,"), buf.data() + 4);
}

TEST(MemSearch, ComparesHighBytesExactly) {
  const std::string buf = "Zarvex\xae and \xae\xff";
  EXPECT_EQ(FindAt(buf, "\xae\xff"), 12);
  EXPECT_EQ(FindAt(buf, "\xff\xae"), -1);
}

int32_t Decimal(const char* s) {
  return ReadDecimalPrefix(s, s + strlen(s));
}

TEST(ReadDecimalPrefix, StopsAtTheFirstNonDigit) {
  EXPECT_EQ(Decimal("2035"), 2035);
  EXPECT_EQ(Decimal("2035abc"), 2035);
  EXPECT_EQ(Decimal("-1"), -1);
  EXPECT_EQ(Decimal("+7"), 7);
  EXPECT_EQ(Decimal("-"), 0);
  EXPECT_EQ(Decimal(""), 0);
  EXPECT_EQ(Decimal("DI1"), 0);
  const char header[] = "2192,KXRC";
  EXPECT_EQ(ReadDecimalPrefix(header, header + 2), 21);  // only the given range is read
}

TEST(ReadDecimalPrefix, SkipsLeadingWhiteSpaceAsTheCLibraryDoes) {
  EXPECT_EQ(Decimal(" 5"), 5);
  EXPECT_EQ(Decimal("\t7"), 7);
  EXPECT_EQ(Decimal(" \t -12"), -12);
  EXPECT_EQ(Decimal("- 5"), 0);  // no blank between sign and digits
  EXPECT_EQ(Decimal("  "), 0);
}

// The block walk near and past 2^31 bytes, where a 32-bit offset overflowed: the last block
// of a store just below 2^31 bytes starts at 32,792 x 65,488 = 2,147,482,496.
TEST(NextBlockOffset, WalksStoresPast2GiB) {
  struct {
    StoreOffset offset, length, next;
  } const cases[] = {
      {0, 0, -1},
      {0, 65488, -1},
      {0, 65489, 65488},
      {2147417008, 2147483039, 2147482496},
      {2147482496, 2147483039, -1},  // 2,147,547,984 lies past the end
      {2147482496, 2147483648, -1},
      {2147482496, 2147547985, 2147547984},
      {INT64_C(4294967296), INT64_C(4295032785), INT64_C(4295032784)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextBlockOffset(c.offset, c.length), c.next) << c.offset << " of " << c.length;
  }
}

// A sparse store of more than 4 GiB is opened and measured (nothing of it is read).
TEST(OpenDescriptions, MeasuresAStorePast4GiB) {
  const char* path = "cli_store_test_sparse.bin";
  const StoreOffset length = INT64_C(4294967296) + 4096 + 39;
  int fd = open(path, O_CREAT | O_TRUNC | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  const bool sized = ftruncate(fd, static_cast<off_t>(length)) == 0;
  close(fd);
  ASSERT_TRUE(sized);
  EXPECT_EQ(OpenDescriptions(path), kStoreOk);
  EXPECT_EQ(DescFileLen, length);
  CloseDescriptions();
  unlink(path);
}

// An ELF header of 64 bytes with its table fields set: class (1 or 2), byte order (1 LE, 2 BE),
// program and section table offsets, entry sizes and counts.
std::string ElfHead(int cls, int order, uint64_t phoff, uint64_t shoff, int phent, int phnum,
                    int shent, int shnum) {
  std::string h(64, '\0');
  memcpy(&h[0],
         "\x7f"
         "ELF",
         4);
  h[4] = static_cast<char>(cls);
  h[5] = static_cast<char>(order);
  auto put = [&h, order](size_t at, int size, uint64_t v) {
    for (int i = 0; i < size; i++) {
      h[at + (order == 2 ? size - 1 - i : i)] = static_cast<char>(v >> (8 * i));
    }
  };
  const bool wide = cls == 2;
  put(wide ? 32 : 28, wide ? 8 : 4, phoff);
  put(wide ? 40 : 32, wide ? 8 : 4, shoff);
  const size_t tables = wide ? 54 : 42;
  put(tables, 2, static_cast<uint64_t>(phent));
  put(tables + 2, 2, static_cast<uint64_t>(phnum));
  put(tables + 4, 2, static_cast<uint64_t>(shent));
  put(tables + 6, 2, static_cast<uint64_t>(shnum));
  return h;
}

TEST(ElfImageEnd, TakesTheEndOfTheHeaderTables) {
  struct Case {
    std::string head;
    StoreOffset length;
    StoreOffset end;
    const char* why;
  } cases[] = {
      {ElfHead(2, 1, 64, 101496, 56, 10, 64, 39), 200000, 103992, "64-bit little-endian"},
      {ElfHead(1, 2, 52, 700000, 32, 6, 40, 30), 800000, 701200, "32-bit big-endian"},
      {ElfHead(1, 1, 52, 9000, 32, 6, 40, 30), 10200, 10200, "image is the whole store"},
      {ElfHead(2, 1, 64, 0, 56, 10, 0, 0), 5000, 624, "no section headers: program headers"},
      {ElfHead(2, 1, 64, 101496, 56, 10, 64, 39), 103991, 0, "tables past the store's end"},
      {ElfHead(2, 2, 64, UINT64_MAX - 10, 56, 10, 64, 39), 200000, 0, "offset near 2^64"},
      {ElfHead(3, 1, 64, 100, 56, 1, 64, 1), 200000, 0, "unknown class"},
      {ElfHead(2, 3, 64, 100, 56, 1, 64, 1), 200000, 0, "unknown byte order"},
      {"[2035,KXRC_NOT_AUTHORIZED]\n" + std::string(40, 'x'), 200000, 0, "a text, no ELF file"},
      {ElfHead(2, 1, 64, 100, 56, 1, 64, 1).substr(0, 63), 200000, 0, "header cut short"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ElfImageEnd(reinterpret_cast<const unsigned char*>(c.head.data()),
                          static_cast<long>(c.head.size()), c.length),
              c.end)
        << c.why;
  }
}

TEST(ReadDecimalPrefix, HoldsValuesAtTheLimitsOf32Bits) {
  for (const Clamped32Case& c : kClamped32Cases)
    EXPECT_EQ(Decimal(c.text), c.value) << c.text;
}

std::string Wrapped(const std::string& text) {
  testing::internal::CaptureStdout();
  PrintDescription(text.c_str());
  return testing::internal::GetCapturedStdout();
}

const std::string k78(78, 'a');

TEST(PrintDescription, KeepsShortLinesAsTheyAre) {
  EXPECT_EQ(Wrapped("A paragraph line. \n\n* An item. \n"), "A paragraph line. \n\n* An item. \n");
  EXPECT_EQ(Wrapped(k78 + "\n"), k78 + "\n");
  EXPECT_EQ(Wrapped("Z\xae\n"), "Z\xae\n");
}

TEST(PrintDescription, DropsWhatFollowsTheLastLineFeed) {
  EXPECT_EQ(Wrapped("one\ntwo\n[2036,KXRC"), "one\ntwo\n");
  EXPECT_EQ(Wrapped("no line feed at all"), "");
}

TEST(PrintDescription, BreaksAtASpaceIn79thPlaceAndDropsIt) {
  EXPECT_EQ(Wrapped(k78 + " next \n"), k78 + "\nnext \n");
  // A paragraph's closing space in 79th place leaves an empty line behind it.
  EXPECT_EQ(Wrapped(k78 + " \n"), k78 + "\n\n");
}

TEST(PrintDescription, MovesTheLastWordToTheNextLine) {
  // A space in 78th place: the line ends before it, the 79th character starts the next.
  const std::string space78 = std::string(77, 'a') + " bc\n";
  EXPECT_EQ(Wrapped(space78), std::string(77, 'a') + "\nbc\n");
  const std::string words = std::string(70, 'w') + " " + std::string(10, 'v') + " end \n";
  EXPECT_EQ(Wrapped(words), std::string(70, 'w') + "\n" + std::string(10, 'v') + " end \n");
  // A space in first place: an empty line, then the rest of the run.
  const std::string lead = " " + std::string(77, 'x') + "yz\n";
  EXPECT_EQ(Wrapped(lead), "\n" + std::string(77, 'x') + "y\nz\n");
}

TEST(PrintDescription, BreaksRunsWithoutSpacesAt78) {
  EXPECT_EQ(Wrapped(k78 + "b\n"), k78 + "\nb\n");
  const std::string run(200, 'r');
  EXPECT_EQ(Wrapped(run + "\n"),
            run.substr(0, 78) + "\n" + run.substr(78, 78) + "\n" + run.substr(156) + "\n");
  // A word moved after a space can itself grow past 78.
  const std::string mixed = "Run: " + run + " end.\n";
  EXPECT_EQ(Wrapped(mixed), "Run:\n" + run.substr(0, 78) + "\n" + run.substr(78, 78) + "\n" +
                                run.substr(156) + " end.\n");
}

}  // namespace
