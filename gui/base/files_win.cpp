// The Windows half of the file helpers (files.h): the link count of a file, which the C
// library of this platform does not report.
#include <windows.h>

#include "base/files.h"

bool IsSoleLinkPlainFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool sole = GetFileInformationByHandle(file, &info) && info.nNumberOfLinks == 1;
  CloseHandle(file);
  return sole;
}
