// Runs a Make over arbitrary data files into a small host, then a Dump of what it built.
// A Make either completes or leaves the host as it was, and nothing stays open.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "binres/binres.h"
#include "fuzz/harness.h"
#include "resbuild/resbuild.h"

namespace {

using fuzz::Check;

ResBuildTime Fixed() {
  return ResBuildTime();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string base = "/tmp/fuzz_resbuild_" + std::to_string(getpid());
  static const std::string dataPath = base + ".txt";
  static const std::string resPath = base + ".exe";
  const std::string host = "fuzz host image\n";
  fuzz::WriteFile(dataPath, std::string(reinterpret_cast<const char*>(data), size));
  fuzz::WriteFile(resPath, host);

  bool complete = false;
  std::string log = MakeBinaryResource(resPath, dataPath, Fixed, nullptr, &complete);
  Check(!BinResIsOpen());
  Check(std::fopen((resPath + ".mkres").c_str(), "rb") == nullptr);
  if (!complete) {
    Check(fuzz::ReadFile(resPath) == host);
    return 0;
  }
  Check(log.rfind("Making Binary Resource as at 00:00:00 01 January 2000\r\n", 0) == 0);
  log = DumpBinaryResource(resPath, nullptr, &complete);
  Check(!BinResIsOpen());
  Check(complete || log.find("\r\nError=32003 ") != std::string::npos);
  return 0;
}
