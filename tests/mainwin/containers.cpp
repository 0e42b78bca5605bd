#include "containers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "binres/binres.h"
#include "support/filebytes.h"
#include "resbuild/resbuild.h"

using namespace testfiles;

namespace {

// Test programs run side by side: each has names of its own.
std::string Scratch(const std::string& name) {
  static const std::string tag = std::to_string(std::random_device{}());
  return (std::filesystem::temp_directory_path() / ("tavlo-mainwin-" + tag + "-" + name)).string();
}

}  // namespace

const std::string& HostBytes() {
  static const std::string host = ReadFile(TAVLO_MAINWIN_HOST);
  return host;
}

const std::string& ShippedProgram() {
  static const std::string program = [] {
    std::string path = Scratch("shipped.exe");
    WriteFile(path, HostBytes());
    bool complete = false;
    ResBuildTime fixed;
    MakeBinaryResource(
        path, TAVLO_MAINWIN_DESCRIPTIONS, [fixed] { return fixed; }, nullptr, &complete);
    EXPECT_TRUE(complete) << "the shipped set did not build";
    std::string bytes = ReadFile(path);
    std::filesystem::remove(path);
    return bytes;
  }();
  return program;
}

const Resources& ShippedResources() {
  static const Resources resources = [] {
    std::string path = Scratch("resources.exe");
    WriteFile(path, ShippedProgram());
    Resources out;
    BinResOpen(path, 0);
    std::string ids = BinResGetIdentifiers();
    for (std::size_t at = 0; at < ids.size();) {
      std::size_t end = ids.find('\0', at);
      std::string id = ids.substr(at, end - at);
      out.emplace_back(id, BinResGet(id));
      at = end + 1;
    }
    BinResClose();
    std::filesystem::remove(path);
    return out;
  }();
  return resources;
}

void WriteContainer(const std::string& path, const Resources& resources) {
  WriteFile(path, HostBytes());
  BuildContainer(path, 8000, resources);
}

Resources With(Resources resources, const std::string& id, const std::string& data, bool remove) {
  for (auto it = resources.begin(); it != resources.end(); ++it) {
    if (it->first == id) {
      if (remove)
        resources.erase(it);
      else
        it->second = data;
      return resources;
    }
  }
  if (!remove)
    resources.emplace_back(id, data);
  return resources;
}
