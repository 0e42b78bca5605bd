// FILES, the Windows half: every path goes to the system through its wide-character
// interfaces, converted from UTF-8 here at the edge.
#include <windows.h>

#include "base/files.h"

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty())
    return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  }
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty())
    return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
  }
  return utf8;
}

std::wstring WidenText(const std::string& text) {
  if (text.empty())
    return std::wstring();
  const int size = static_cast<int>(text.size());
  UINT code_page = CP_UTF8;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n <= 0) {
    code_page = CP_ACP;  // not UTF-8: a text written in the ANSI code page
    n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  }
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0)
    MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string DisplayPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (wide.empty())
    return path;
  const int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string shown(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, shown.data(), n, nullptr, nullptr);
  return shown;
}

int FileSystem::Stat(const std::string& path, FileFacts* facts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return static_cast<int>(GetLastError());
  facts->size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  facts->write_time = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
  return 0;
}

bool FileSystem::IsMissing(int error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// CopyFile gives the copy the last-write time of its source.
int FileSystem::Copy(const std::string& from, const std::string& to) {
  return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE)
             ? 0
             : static_cast<int>(GetLastError());
}

int FileSystem::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING)
             ? 0
             : static_cast<int>(GetLastError());
}

bool FileSystem::IsInUse(int error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

int FileSystem::Remove(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) ? 0 : static_cast<int>(GetLastError());
}

std::string FileSystem::TempName(const std::string& path) {
  return path + "." + std::to_string(GetCurrentProcessId()) + ".new";
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

// Asked of the file system itself: the C library of this platform reports one link for every
// file.
bool IsSoleLinkPlainFile(const std::string& path) {
  const std::wstring wide = Widen(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return false;
  }
  HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool sole = GetFileInformationByHandle(file, &info) && info.nNumberOfLinks == 1;
  CloseHandle(file);
  return sole;
}

// In the ANSI code page, as the windows show it.
std::string SystemErrorText(int error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string out = n > 0 && text != nullptr ? std::string(text, n) : std::string();
  if (text != nullptr)
    LocalFree(text);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' '))
    out.pop_back();
  return out;
}
