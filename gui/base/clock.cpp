#include "base/clock.h"

#include <chrono>

namespace {

TickSource installed = nullptr;

std::uint32_t SteadyTicks() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

std::uint32_t Ticks() {
  return installed != nullptr ? installed() : SteadyTicks();
}

TickSource InstallClock(TickSource source) {
  TickSource old = installed;
  installed = source;
  return old;
}
