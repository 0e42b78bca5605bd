// Windows half of the load's file operations (see mainwin_files.h).
#include <windows.h>

#include "mainwin/mainwin_files.h"

int CacheFiles::Stat(const std::string& path, FileFacts* facts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return static_cast<int>(GetLastError());
  facts->size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts->write_time = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
  return 0;
}

bool CacheFiles::IsMissing(int error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// CopyFile gives the copy the last-write time of its source.
int CacheFiles::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) ? 0 : static_cast<int>(GetLastError());
}

int CacheFiles::Replace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)
             ? 0
             : static_cast<int>(GetLastError());
}

bool CacheFiles::IsInUse(int error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

int CacheFiles::Remove(const std::string& path) {
  return DeleteFileA(path.c_str()) ? 0 : static_cast<int>(GetLastError());
}

std::string CacheFiles::TempName(const std::string& path) {
  return path + "." + std::to_string(GetCurrentProcessId()) + ".new";
}

std::string CacheFiles::ErrorText(int error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string out = n > 0 && text != nullptr ? std::string(text, n) : std::string();
  if (text != nullptr)
    LocalFree(text);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' '))
    out.pop_back();
  if (out.empty())
    out = "Error " + std::to_string(error);
  return out;
}

CacheFiles& PlatformFiles() {
  static CacheFiles files;
  return files;
}
