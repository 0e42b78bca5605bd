// Opens arbitrary bytes as a container and gets every identifier; then builds on the same
// bytes and reads the new resource back. Every path must end with the container closed.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "binres/binres.h"
#include "fuzz/harness.h"

namespace {

using fuzz::Check;

std::string ScratchPath() {
  return "/tmp/fuzz_binres_" + std::to_string(getpid()) + ".bin";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = ScratchPath();
  fuzz::WriteFile(path, std::string(reinterpret_cast<const char*>(data), size));

  BinResOpen(path, 0);
  if (BinResErr == 0) {
    Check(BinResUsedLen() >= 0 && BinResUsedLen() <= BinResMaxEntsLen());
    std::string ids = BinResGetIdentifiers();
    std::size_t from = 0;
    std::size_t nul;
    while ((nul = ids.find('\0', from)) != std::string::npos) {
      std::string got = BinResGet(ids.substr(from, nul - from));
      Check(BinResErr != 0 || got.size() <= 32767);
      from = nul + 1;
    }
    BinResAppend("x", "y");
    Check(BinResErr == 32009);
    BinResClose();
  }
  Check(!BinResIsOpen());

  BinResOpen(path, 64);
  if (BinResErr == 0) {
    BinResAppend("fz", "payload");
    Check(BinResErr == 0);
    BinResClose();
    Check(BinResErr == 0);
    BinResOpen(path, 0);
    Check(BinResErr == 0);
    Check(BinResGet("fz") == "payload");
    BinResClose();
  }
  Check(!BinResIsOpen());
  return 0;
}
