// FILES, the POSIX half: the system's calls with the paths as they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/files.h"

int FileSystem::Stat(const std::string& path, FileFacts* facts) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0)
    return errno;
  facts->size = st.st_size;
  facts->write_time =
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return 0;
}

bool FileSystem::IsMissing(int error) {
  return error == ENOENT || error == ENOTDIR;
}

int FileSystem::Copy(const std::string& from, const std::string& to) {
  int in = open(from.c_str(), O_RDONLY);
  if (in < 0)
    return errno;
  int err = 0;
  struct stat st;
  int out = -1;
  if (fstat(in, &st) != 0) {
    err = errno;
  } else if ((out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) < 0) {
    err = errno;
  }
  char buffer[65536];
  while (err == 0) {
    ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      err = errno;
      break;
    }
    if (got == 0)
      break;
    for (ssize_t done = 0; done < got && err == 0;) {
      ssize_t put = write(out, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno != EINTR)
        err = errno;
      else if (put > 0)
        done += put;
    }
  }
  if (err == 0) {
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (futimens(out, times) != 0)
      err = errno;
  }
  if (out >= 0 && close(out) != 0 && err == 0)
    err = errno;
  close(in);
  return err;
}

int FileSystem::Replace(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool FileSystem::IsInUse(int error) {
  return error == EBUSY || error == ETXTBSY;
}

int FileSystem::Remove(const std::string& path) {
  return unlink(path.c_str()) == 0 ? 0 : errno;
}

std::string FileSystem::TempName(const std::string& path) {
  return path + "." + std::to_string(static_cast<long>(getpid())) + ".new";
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool IsSoleLinkPlainFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec)) || ec)
    return false;
  return std::filesystem::hard_link_count(path, ec) == 1 && !ec;
}

std::string SystemErrorText(int error) {
  return std::strerror(error);
}

// The system takes paths as bytes and the terminal shows UTF-8: nothing to convert.
std::string DisplayPath(const std::string& path) {
  return path;
}
