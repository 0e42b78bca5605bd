// Test helpers: a scratch folder per test, whole files as byte strings, containers built from
// a list of resources, and little-endian
// fields read back at 1-based file positions (written out here, not taken from the module).
#ifndef TAVLO_TESTS_SUPPORT_FILEBYTES_H
#define TAVLO_TESTS_SUPPORT_FILEBYTES_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "binres/binres.h"

namespace testfiles {

// A fresh, empty folder named after the running test; removed when the object goes.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("tavlo-") + info->test_suite_name() + "-" + info->name();
    for (char& c : name) {
      if (c == '/')
        c = '_';
    }
    dir_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const {
    return (dir_ / name).string();
  }
  std::string Dir() const {
    return dir_.string();
  }

 private:
  std::filesystem::path dir_;
};

inline std::string ReadFile(const std::string& path) {
  std::string out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
    return out;
  char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
    out.append(buf, got);
  std::fclose(f);
  return out;
}

// Builds a container of capacity cap at path holding resources (identifier, data), in order.
inline void BuildContainer(const std::string& path, std::int16_t cap,
                           const std::vector<std::pair<std::string, std::string>>& resources) {
  BinResOpen(path, cap);
  ASSERT_EQ(BinResErr, 0) << BinResErrMsg;
  for (const auto& r : resources) {
    BinResAppend(r.first, r.second);
    ASSERT_EQ(BinResErr, 0) << BinResErrMsg;
  }
  BinResClose();
  ASSERT_EQ(BinResErr, 0) << BinResErrMsg;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  ASSERT_EQ(std::fclose(f), 0);
}

inline bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

inline unsigned ByteAt(const std::string& b, long pos) {
  return static_cast<unsigned char>(b.at(static_cast<std::size_t>(pos - 1)));
}

// Little-endian fields at 1-based positions.
inline long U16At(const std::string& b, long pos) {
  return ByteAt(b, pos) | (ByteAt(b, pos + 1) << 8);
}
inline unsigned long U32At(const std::string& b, long pos) {
  return static_cast<unsigned long>(ByteAt(b, pos)) |
         (static_cast<unsigned long>(ByteAt(b, pos + 1)) << 8) |
         (static_cast<unsigned long>(ByteAt(b, pos + 2)) << 16) |
         (static_cast<unsigned long>(ByteAt(b, pos + 3)) << 24);
}

inline void PutU16(std::string& b, long pos, unsigned v) {
  b.at(static_cast<std::size_t>(pos - 1)) = static_cast<char>(v & 0xFF);
  b.at(static_cast<std::size_t>(pos)) = static_cast<char>((v >> 8) & 0xFF);
}
inline void PutU32(std::string& b, long pos, unsigned long v) {
  for (int i = 0; i < 4; ++i)
    b.at(static_cast<std::size_t>(pos - 1 + i)) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Counts the bytes equal to c from position first to last inclusive.
inline long CountByte(const std::string& b, long first, long last, unsigned char c) {
  long n = 0;
  for (long p = first; p <= last; ++p)
    n += ByteAt(b, p) == c;
  return n;
}

}  // namespace testfiles

#endif
