// The file-backed settings store: its file, restarts, interrupted writes and damaged files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "regc/regc_filestore.h"
#include "store_env.h"

namespace {

constexpr const char* kHeaderLine = "tavlo-settings 1\n";

class RegcFileStoreTest : public ::testing::Test {
 protected:
  RegcFileStoreTest() : folder_(FreshTempFolder()), path_(folder_ + "/settings") {}
  ~RegcFileStoreTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::string FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void WriteFile(const std::string& bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  static uint32_t Create(RegcFileStore& store, const std::string& path) {
    uint32_t key = 0;
    EXPECT_EQ(
        store.RegCreateKeyExA(kRegcCurrentUser, path, "REG_DWORD", 0, kRegcKeyAllAccess, &key),
        kRegcSuccess);
    return key;
  }
  static uint32_t Open(RegcFileStore& store, const std::string& path, uint32_t access) {
    uint32_t key = 0;
    store.RegOpenKeyExA(kRegcCurrentUser, path, 0, access, &key);
    return key;
  }
  static int32_t Set(RegcFileStore& store, uint32_t key, const std::string& name,
                     const std::string& data, uint32_t type = kRegcSz) {
    return store.RegSetValueExA(key, name, type,
                                reinterpret_cast<const unsigned char*>(data.data()),
                                static_cast<uint32_t>(data.size()));
  }
  static std::string Get(RegcFileStore& store, uint32_t key, const std::string& name,
                         int32_t* rc = nullptr) {
    unsigned char data[1024];
    uint32_t type = 0, len = sizeof data;
    int32_t result = store.RegQueryValueExA(key, name, &type, data, &len);
    if (rc != nullptr)
      *rc = result;
    return result == kRegcSuccess ? std::string(reinterpret_cast<char*>(data), len) : "";
  }

  std::string folder_;
  std::string path_;
};

TEST_F(RegcFileStoreTest, FileHoldsEveryKeyAndValueInItsLayout) {
  RegcFileStore store(path_);
  EXPECT_EQ(store.LoadStatus(), RegcFileLoadStatus::kMissing);
  uint32_t key = Create(store, "Software\\Harbex\\Zarvex Veltis Utilities\\Pindle");
  Set(store, key, "MainWindow", "1200,900,9600,7200");
  Set(store, key, "Debug", std::string("\x01\x00\x00\x00", 4), kRegcDword);
  Set(store, key, "Odd \"name\" 100%", std::string("a\r\nb\0\xff", 6));
  EXPECT_EQ(FileBytes(), std::string(kHeaderLine) +
                             "key \"\"\n"
                             "key \"Software\"\n"
                             "key \"Software\\Harbex\"\n"
                             "key \"Software\\Harbex\\Zarvex Veltis Utilities\"\n"
                             "key \"Software\\Harbex\\Zarvex Veltis Utilities\\Pindle\"\n"
                             "value 4 \"Debug\" \"%01%00%00%00\"\n"
                             "value 1 \"MainWindow\" \"1200,900,9600,7200\"\n"
                             "value 1 \"Odd %22name%22 100%25\" \"a%0D%0Ab%00%FF\"\n");
}

TEST_F(RegcFileStoreTest, ValuesSurviveARestart) {
  {
    RegcFileStore store(path_);
    uint32_t key = Create(store, "Software\\Harbex");
    Set(store, key, "LastSearch", "2035");
    Set(store, key, "Odd", std::string("\0\"%\n", 4));
  }
  RegcFileStore again(path_);
  EXPECT_EQ(again.LoadStatus(), RegcFileLoadStatus::kOk);
  uint32_t key = Open(again, "software\\HARBEX", kRegcKeyRead);
  ASSERT_NE(key, 0u);
  EXPECT_EQ(Get(again, key, "lastsearch"), "2035");
  EXPECT_EQ(Get(again, key, "Odd"), std::string("\0\"%\n", 4));
}

TEST_F(RegcFileStoreTest, AnOpenSeesWhatAnotherRunWrote) {
  RegcFileStore first(path_), second(path_);
  uint32_t key = Create(first, "Software\\Harbex");
  Set(first, key, "Ruler", "3000");
  uint32_t other = Open(second, "Software\\Harbex", kRegcKeyRead);
  ASSERT_NE(other, 0u);
  EXPECT_EQ(Get(second, other, "Ruler"), "3000");
}

TEST_F(RegcFileStoreTest, TheFirstSpellingOfANameIsKept) {
  RegcFileStore store(path_);
  uint32_t key = Create(store, "Software\\Harbex");
  Create(store, "SOFTWARE\\HARBEX\\Sub");
  Set(store, key, "Value", "1");
  EXPECT_NE(FileBytes().find("key \"Software\\Harbex\\Sub\"\n"), std::string::npos);
  EXPECT_EQ(FileBytes().find("HARBEX"), std::string::npos);
}

TEST_F(RegcFileStoreTest, HandlesAreCheckedAndReadHandlesCannotWrite) {
  RegcFileStore store(path_);
  uint32_t key = Create(store, "Software\\Harbex");
  uint32_t reader = Open(store, "Software\\Harbex", kRegcKeyRead);
  EXPECT_EQ(Set(store, reader, "Ruler", "1"), kRegcAccessDenied);
  EXPECT_EQ(Set(store, 0, "Ruler", "1"), kRegcBadHandle);
  EXPECT_EQ(store.RegFlushKey(0), kRegcBadHandle);
  EXPECT_EQ(store.RegCloseKey(key), kRegcSuccess);
  EXPECT_EQ(store.RegCloseKey(key), kRegcBadHandle);
  int32_t rc = 0;
  Get(store, key, "Ruler", &rc);
  EXPECT_EQ(rc, kRegcBadHandle);
}

TEST_F(RegcFileStoreTest, KeysOpenRelativeToAnOpenKey) {
  RegcFileStore store(path_);
  uint32_t top = Create(store, "Software");
  uint32_t sub = 0;
  ASSERT_EQ(store.RegCreateKeyExA(top, "Harbex\\Pindle", "", 0, kRegcKeyAllAccess, &sub),
            kRegcSuccess);
  Set(store, sub, "X", "y");
  EXPECT_EQ(Get(store, Open(store, "Software\\Harbex\\Pindle", kRegcKeyRead), "X"), "y");
}

TEST_F(RegcFileStoreTest, ALeftoverPartialWriteIsIgnoredAndReplaced) {
  {
    RegcFileStore store(path_);
    Set(store, Create(store, "Software"), "Kept", "yes");
  }
  std::ofstream(path_ + ".new", std::ios::binary) << "tavlo-settings 1\nkey \"Soft";
  RegcFileStore store(path_);
  uint32_t key = Open(store, "Software", kRegcKeyAllAccess);
  EXPECT_EQ(Get(store, key, "Kept"), "yes");
  EXPECT_EQ(Set(store, key, "More", "too"), kRegcSuccess);
  EXPECT_FALSE(std::filesystem::exists(path_ + ".new"));
}

TEST_F(RegcFileStoreTest, AFailedWriteKeepsTheOldFileAndTheOldValue) {
  RegcFileStore store(path_);
  uint32_t key = Create(store, "Software");
  Set(store, key, "Ruler", "1");
  std::string before = FileBytes();
  std::filesystem::create_directory(path_ + ".new");  // the temporary file cannot be made
  EXPECT_EQ(Set(store, key, "Ruler", "2"), kRegcIoFailed);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(Get(store, key, "Ruler"), "1");
  uint32_t created = 0;
  EXPECT_EQ(store.RegCreateKeyExA(kRegcCurrentUser, "Other", "", 0, kRegcKeyAllAccess, &created),
            kRegcIoFailed);
  EXPECT_EQ(created, 0u);
  EXPECT_EQ(Open(store, "Other", kRegcKeyRead), 0u);
}

TEST_F(RegcFileStoreTest, AForeignFileIsNeverOverwritten) {
  WriteFile("not a settings file\nkey \"Software\"\n");
  RegcFileStore store(path_);
  EXPECT_EQ(store.LoadStatus(), RegcFileLoadStatus::kBadHeader);
  uint32_t key = 0;
  EXPECT_EQ(store.RegOpenKeyExA(kRegcCurrentUser, "Software", 0, kRegcKeyRead, &key),
            kRegcNotFound);
  EXPECT_EQ(store.RegCreateKeyExA(kRegcCurrentUser, "Software", "", 0, kRegcKeyAllAccess, &key),
            kRegcIoFailed);
  EXPECT_EQ(FileBytes(), "not a settings file\nkey \"Software\"\n");
}

TEST_F(RegcFileStoreTest, FormatMessageDescribesTheCodesTheStoreGives) {
  RegcFileStore store(path_);
  char buffer[256];
  for (int32_t code : {kRegcSuccess, kRegcNotFound, kRegcAccessDenied, kRegcBadHandle,
                       kRegcMoreData, kRegcIoFailed}) {
    uint32_t n = store.FormatMessageA(kRegcFormatFromSystem, code, buffer, sizeof buffer);
    ASSERT_GT(n, 2u) << code;
    EXPECT_EQ(std::string(buffer + n - 2, 3), std::string("\r\n\0", 3)) << code;
  }
  EXPECT_EQ(store.FormatMessageA(kRegcFormatFromSystem, 31, buffer, sizeof buffer), 0u);
  EXPECT_EQ(store.FormatMessageA(kRegcFormatFromSystem, 2, buffer, 8), 0u);  // no room
}

// --- parsing damaged files ---------------------------------------------------------------

RegcFileLoadStatus Parse(const std::string& bytes, RegcFileTree* tree, std::size_t* line) {
  return RegcFileParse(bytes, tree, line);
}

TEST(RegcFileParse, KeepsTheGoodLinesAndNamesTheFirstBadOne) {
  RegcFileTree tree;
  std::size_t line = 0;
  EXPECT_EQ(Parse(std::string(kHeaderLine) + "key \"A\"\n"
                                             "value 1 \"One\" \"1\"\n"
                                             "value x \"Two\" \"2\"\n"  // line 4: type not a number
                                             "value 1 \"Three\" \"3%4\"\n"  // bad escape
                                             "\n"
                                             "value 1 \"Four\" \"4\"\r\n",  // CR LF is tolerated
                  &tree, &line),
            RegcFileLoadStatus::kBadLine);
  EXPECT_EQ(line, 4u);
  const auto& values = tree.keys.at("a").values;
  EXPECT_EQ(values.size(), 2u);
  EXPECT_EQ(values.at("one").data, "1");
  EXPECT_EQ(values.at("four").data, "4");
}

TEST(RegcFileParse, ValuesAfterADamagedKeyLineBelongToNoKey) {
  RegcFileTree tree;
  std::size_t line = 0;
  EXPECT_EQ(Parse(std::string(kHeaderLine) + "key \"A\"\n"
                                             "value 1 \"One\" \"1\"\n"
                                             "key \"B\n"  // line 4: unterminated path
                                             "value 1 \"Lost\" \"2\"\n"
                                             "key \"C\"\n"
                                             "value 1 \"Three\" \"3\"\n",
                  &tree, &line),
            RegcFileLoadStatus::kBadLine);
  EXPECT_EQ(line, 4u);
  EXPECT_EQ(tree.keys.at("a").values.size(), 1u);
  EXPECT_EQ(tree.keys.at("a").values.count("lost"), 0u);
  EXPECT_EQ(tree.keys.at("c").values.at("three").data, "3");
  EXPECT_EQ(tree.keys.size(), 3u);  // the root, A and C
}

TEST(RegcFileParse, RejectsMalformedLines) {
  const char* bad[] = {
      "value 1 \"v\" \"1\"",          // before any key
      "key Software",                 // unquoted
      "key \"Soft",                   // unterminated
      "key \"A\" trailing",           // text after the path
      "key \"A\tB\"",                 // raw control byte
      "value 1 \"v\"",                // data missing
      "value 4294967296 \"v\" \"\"",  // type beyond 32 bits
      "value  1 \"v\" \"\"",          // doubled space
      "value 1 \"v\" \"%G0\"",        // not hex
      "value 1 \"v\" \"%0\"",         // escape cut short
      "keys \"A\"",
  };
  for (const char* line : bad) {
    RegcFileTree tree;
    std::size_t number = 0;
    EXPECT_EQ(Parse(std::string(kHeaderLine) + line + "\n", &tree, &number),
              RegcFileLoadStatus::kBadLine)
        << line;
    EXPECT_EQ(number, 2u) << line;
    EXPECT_EQ(tree.keys.size(), 1u) << line;  // the root alone
  }
}

TEST(RegcFileParse, ALastLineWithoutLineEndIsATruncatedFile) {
  RegcFileTree tree;
  std::size_t line = 0;
  EXPECT_EQ(Parse(std::string(kHeaderLine) + "key \"A\"\nvalue 1 \"v\" \"20", &tree, &line),
            RegcFileLoadStatus::kTruncated);
  EXPECT_EQ(tree.keys.at("a").values.size(), 0u);
  EXPECT_EQ(Parse("tavlo-settings 1", &tree, &line), RegcFileLoadStatus::kBadHeader);
}

TEST(RegcFileParse, AnEmptyFileIsAnEmptyStore) {
  RegcFileTree tree;
  std::size_t line = 0;
  EXPECT_EQ(Parse("", &tree, &line), RegcFileLoadStatus::kOk);
  EXPECT_EQ(tree.keys.size(), 1u);
}

TEST(RegcFileParse, PathsAreNormalisedAndParentsAdded) {
  RegcFileTree tree;
  std::size_t line = 0;
  EXPECT_EQ(Parse(std::string(kHeaderLine) + "key \"\\A\\\\B\\\"\n", &tree, &line),
            RegcFileLoadStatus::kOk);
  EXPECT_EQ(tree.keys.count("a"), 1u);
  EXPECT_EQ(tree.keys.at("a\\b").path, "A\\B");
}

TEST(RegcFileParse, FormatReadsBackAsTheSameTree) {
  RegcFileTree tree;
  std::size_t line = 0;
  Parse(std::string(kHeaderLine) + "key \"A\\B\"\nvalue 7 \"%00\" \"%FF%0A\"\nkey \"C\"\n", &tree,
        &line);
  RegcFileTree again;
  EXPECT_EQ(Parse(RegcFileFormat(tree), &again, &line), RegcFileLoadStatus::kOk);
  EXPECT_TRUE(again == tree);
}

}  // namespace
