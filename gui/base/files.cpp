#include "base/files.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
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

namespace {

// The whole file in *bytes; 0 or the error number.
int ReadWhole(const std::string& path, std::string* bytes) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
    return errno ? errno : EIO;
  bytes->clear();
  static char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
    bytes->append(buf, got);
  int err = std::ferror(f) ? (errno ? errno : EIO) : 0;
  std::fclose(f);
  return err;
}

int WriteAt(std::FILE* f, std::size_t at, const char* data, std::size_t n) {
  if (n == 0)
    return 0;
  if (at > static_cast<std::size_t>(LONG_MAX))
    return EFBIG;
  errno = 0;
  if (std::fseek(f, static_cast<long>(at), SEEK_SET) != 0 || std::fwrite(data, 1, n, f) != n ||
      std::fflush(f) != 0) {
    int err = errno ? errno : EIO;
    std::clearerr(f);
    return err;
  }
  return 0;
}

}  // namespace

int WriteBackFile(const std::string& from, const std::string& to, int* restore_err) {
  *restore_err = 0;
  std::string fresh;
  std::string old;
  if (int err = ReadWhole(from, &fresh))
    return err;
  if (int err = ReadWhole(to, &old))
    return err;
  errno = 0;
  std::FILE* f = std::fopen(to.c_str(), "r+b");
  if (!f)
    return errno ? errno : EIO;
  const std::size_t common = fresh.size() < old.size() ? fresh.size() : old.size();
  std::size_t first = 0;
  while (first < common && fresh[first] == old[first])
    ++first;
  // The growth first: when the disk is full, no old byte has changed yet.
  int err = 0;
  if (fresh.size() > old.size())
    err = WriteAt(f, old.size(), fresh.data() + old.size(), fresh.size() - old.size());
  if (err == 0)
    err = WriteAt(f, first, fresh.data() + first, common - first);
  if (err != 0) {
    *restore_err = WriteAt(f, first, old.data() + first, old.size() - first);
  }
  errno = 0;
  if (std::fclose(f) != 0 && err == 0)
    err = errno ? errno : EIO;
  std::error_code ec;
  if (err != 0) {
    if (fresh.size() > old.size())
      std::filesystem::resize_file(to, old.size(), ec);
    if (ec && *restore_err == 0)
      *restore_err = ec.value();
    return err;
  }
  if (fresh.size() < old.size()) {
    std::filesystem::resize_file(to, fresh.size(), ec);
    if (ec)
      return ec.value();
  }
  return 0;
}

std::string ResolvedPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path resolved = std::filesystem::canonical(path, ec);
  return ec ? path : resolved.string();
}

#ifndef _WIN32
// The Windows half (files_win.cpp) asks the file system itself: the C library there reports
// one link for every file.
bool IsSoleLinkPlainFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec)) || ec)
    return false;
  return std::filesystem::hard_link_count(path, ec) == 1 && !ec;
}
#endif

std::string TempFolderFile(const std::string& name, std::error_code* err) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path folder = std::filesystem::temp_directory_path(*err);
  if (*err)
    return std::string();
  // Unique within the run by the counter, across runs by the clock.
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return (folder / (std::to_string(ticks) + "-" + std::to_string(counter++) + "-" + name)).string();
}
