// What the libFuzzer harnesses share: a check that ends the run as a finding, whole files
// written and read back, and one scratch file a run that is removed at exit.
#ifndef TAVLO_FUZZ_HARNESS_H
#define TAVLO_FUZZ_HARNESS_H

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace fuzz {

// Ends the run as a finding when ok is false.
inline void Check(bool ok) {
  if (!ok)
    std::abort();
}

// Replaces the file at path by bytes.
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  Check(f != nullptr);
  Check(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  Check(std::fclose(f) == 0);
}

// The whole file at path, which must exist.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Check(in.is_open());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Makes the run's scratch file from a mkstemp template ("...XXXXXX", filled in with its name)
// and returns it open for reading and writing; the file is removed when the run exits.
inline int MakeScratchFile(char* path_template) {
  static const char* made = nullptr;
  int fd = mkstemp(path_template);
  Check(fd >= 0 && made == nullptr);
  made = path_template;
  std::atexit([] { unlink(made); });
  return fd;
}

// Makes the file open as fd hold zeros zero bytes followed by the len bytes of text.
inline void PutAfterZeros(int fd, std::size_t zeros, const char* text, std::size_t len) {
  Check(ftruncate(fd, 0) == 0 && ftruncate(fd, static_cast<off_t>(zeros)) == 0);
  Check(pwrite(fd, text, len, static_cast<off_t>(zeros)) == static_cast<ssize_t>(len));
}

// Bytes split at their first line feed: the line before it and the text after it (all of the
// bytes are the line when there is none).
struct LineAndText {
  std::string line;
  const char* text;
  std::size_t text_len;
};

inline LineAndText SplitAtLineFeed(const char* bytes, std::size_t size) {
  const char* end = bytes + size;
  const char* nl = static_cast<const char*>(std::memchr(bytes, '\n', size));
  const char* text = nl != nullptr ? nl + 1 : end;
  return LineAndText{std::string(bytes, nl != nullptr ? nl : end), text,
                     static_cast<std::size_t>(end - text)};
}

}  // namespace fuzz

#endif
