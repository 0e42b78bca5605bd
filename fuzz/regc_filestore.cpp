// The settings file parser with arbitrary file contents: it must never crash or read out of
// bounds, and whatever it keeps must be written back and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "regc/regc_filestore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  RegcFileTree tree;
  std::size_t bad_line = 0;
  RegcFileLoadStatus status = RegcFileParse(bytes, &tree, &bad_line);
  if (status == RegcFileLoadStatus::kBadLine && bad_line < 2)
    std::abort();
  if (status == RegcFileLoadStatus::kBadHeader)
    return 0;

  RegcFileTree again;
  if (RegcFileParse(RegcFileFormat(tree), &again, &bad_line) != RegcFileLoadStatus::kOk) {
    std::abort();
  }
  if (!(again == tree))
    std::abort();
  return 0;
}
