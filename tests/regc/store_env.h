// A store for one test, with a key path below HKEY_CURRENT_USER that the test owns and that is
// removed afterwards: a file store in a fresh temporary folder, or (Windows) the registry.
#ifndef TAVLO_TESTS_REGC_STORE_ENV_H
#define TAVLO_TESTS_REGC_STORE_ENV_H

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "regc/regc_store.h"

enum class StoreKind { kFile, kRegistry };

class StoreEnv {
 public:
  virtual ~StoreEnv() = default;
  virtual RegcStore& store() = 0;
  const std::string& base() const {
    return base_;
  }

 protected:
  std::string base_;
};

std::unique_ptr<StoreEnv> MakeStoreEnv(StoreKind kind);
// The stores this build can test: the file store everywhere, the registry on Windows.
std::vector<StoreKind> AvailableStores();
std::string StoreName(StoreKind kind);
// Shown by GoogleTest, also in the test names that CTest lists.
void PrintTo(StoreKind kind, std::ostream* out);
// A fresh empty folder for one test (removed by the caller).
std::string FreshTempFolder();

#endif
