#include "store_env.h"

#include <filesystem>
#include <random>

#include "regc/regc_filestore.h"

#ifdef _WIN32
#include <windows.h>

#include "regc/regc_registry_win.h"
#endif

namespace {

std::string Unique() {
  std::random_device random;
  return std::to_string(random()) + "-" + std::to_string(random());
}

class FileEnv final : public StoreEnv {
 public:
  FileEnv() : folder_(FreshTempFolder()), store_(folder_ + "/settings") {
    base_ = "Software\\tavlo-tests";
  }
  ~FileEnv() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  RegcStore& store() override {
    return store_;
  }

 private:
  std::string folder_;
  RegcFileStore store_;
};

#ifdef _WIN32
constexpr const char* kRegistryTestRoot = "Software\\tavlo-tests";

class RegistryEnv final : public StoreEnv {
 public:
  RegistryEnv() {
    base_ = std::string(kRegistryTestRoot) + "\\" + Unique();
  }
  ~RegistryEnv() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kRegistryTestRoot);  // only goes when no test holds it
  }
  RegcStore& store() override {
    return RegcRegistryStore();
  }
};
#endif

}  // namespace

std::string FreshTempFolder() {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tavlo-regc-" + Unique());
  std::filesystem::create_directories(folder);
  return folder.string();
}

std::unique_ptr<StoreEnv> MakeStoreEnv(StoreKind kind) {
#ifdef _WIN32
  if (kind == StoreKind::kRegistry)
    return std::make_unique<RegistryEnv>();
#endif
  (void)kind;
  return std::make_unique<FileEnv>();
}

std::vector<StoreKind> AvailableStores() {
#ifdef _WIN32
  return {StoreKind::kFile, StoreKind::kRegistry};
#else
  return {StoreKind::kFile};
#endif
}

std::string StoreName(StoreKind kind) {
  return kind == StoreKind::kFile ? "File" : "Registry";
}

void PrintTo(StoreKind kind, std::ostream* out) {
  *out << StoreName(kind);
}
