// FILES, the portable part: the builder's operations over the C library and std::filesystem.
#include "base/files.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>

namespace {

// std::filesystem's path from a UTF-8 path and back, the same bytes on POSIX.
std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string PathText(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace

std::string FileSystem::ErrorText(int error) {
  std::string text = SystemErrorText(error);
  return text.empty() ? "Error " + std::to_string(error) : text;
}

FileSystem& PlatformFiles() {
  static FileSystem files;
  return files;
}

int CopyFileBytes(const std::string& from, const std::string& to) {
  errno = 0;
  std::FILE* in = OpenFile(from.c_str(), "rb");
  if (!in)
    return errno;
  errno = 0;
  std::FILE* out = OpenFile(to.c_str(), "wb");
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
    auto perms = std::filesystem::status(FsPath(from), ec).permissions();
    if (!ec)
      std::filesystem::permissions(FsPath(to), perms, ec);
  }
  return err;
}

int ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::rename(FsPath(from), FsPath(to), ec);
  return ec.value();
}

namespace {

// The whole file in *bytes; 0 or the error number.
int ReadWhole(const std::string& path, std::string* bytes) {
  errno = 0;
  std::FILE* f = OpenFile(path.c_str(), "rb");
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
  std::FILE* f = OpenFile(to.c_str(), "r+b");
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
      std::filesystem::resize_file(FsPath(to), old.size(), ec);
    if (ec && *restore_err == 0)
      *restore_err = ec.value();
    return err;
  }
  if (fresh.size() < old.size()) {
    std::filesystem::resize_file(FsPath(to), fresh.size(), ec);
    if (ec)
      return ec.value();
  }
  return 0;
}

void RemoveFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(FsPath(path), ec);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(FsPath(path), ec);
}

bool IsPlainFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::symlink_status(FsPath(path), ec));
}

std::string FileNameOf(const std::string& path) {
  return PathText(FsPath(path).filename());
}

void MakeParentFolders(const std::string& path) {
  std::filesystem::path target = FsPath(path);
  std::error_code ec;
  if (target.has_parent_path())
    std::filesystem::create_directories(target.parent_path(), ec);
}

std::string ResolvedPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path resolved = std::filesystem::canonical(FsPath(path), ec);
  return ec ? path : PathText(resolved);
}

std::string TempFolderFile(const std::string& name, int* err) {
  static std::atomic<unsigned> counter{0};
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
  *err = ec.value();
  if (ec)
    return std::string();
  // Unique within the run by the counter, across runs by the clock.
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return PathText(folder /
                  FsPath(std::to_string(ticks) + "-" + std::to_string(counter++) + "-" + name));
}
