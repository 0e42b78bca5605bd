#include "files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

int CopyFileBytes(const std::string& from, const std::string& to) {
  errno = 0;
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (!in)
    return errno;
  errno = 0;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  if (!out) {
    int err = errno;
    std::fclose(in);
    return err;
  }
  int err = 0;
  static char buf[65536];
  std::size_t got;
  while (err == 0 && (got = std::fread(buf, 1, sizeof buf, in)) > 0) {
    if (std::fwrite(buf, 1, got, out) != got)
      err = errno ? errno : EIO;
  }
  if (err == 0 && std::ferror(in))
    err = errno ? errno : EIO;
  std::fclose(in);
  if (std::fclose(out) != 0 && err == 0)
    err = errno ? errno : EIO;
  if (err == 0) {
    // An executable stays executable in its copy.
    std::error_code ec;
    auto perms = std::filesystem::status(from, ec).permissions();
    if (!ec)
      std::filesystem::permissions(to, perms, ec);
  }
  return err;
}

std::error_code ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return ec;
}
