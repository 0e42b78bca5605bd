#include "prefs/closing.h"

void LoadingClose::BeginLoad() {
  ++depth_;
}

// Only the outermost load carries out a held close: an inner one still runs inside it.
bool LoadingClose::EndLoad() {
  if (depth_ > 0)
    --depth_;
  if (depth_ > 0 || !held_)
    return false;
  held_ = false;
  return true;
}

bool LoadingClose::RequestClose() {
  if (depth_ == 0)
    return true;
  held_ = true;
  return false;
}
