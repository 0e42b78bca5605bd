#include "base/msgbox.h"

#include <cstdio>

namespace {

int StderrBox(const std::string& prompt, unsigned /*style*/, const std::string& title) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), prompt.c_str());
  return kMsgBoxIdOk;
}

MsgBoxHandler current_handler = StderrBox;

}  // namespace

int MsgBox(const std::string& prompt, unsigned style, const std::string& title) {
  return current_handler(prompt, style, title);
}

MsgBoxHandler InstallMsgBox(MsgBoxHandler handler) {
  MsgBoxHandler old = current_handler;
  current_handler = handler != nullptr ? handler : StderrBox;
  return old;
}
