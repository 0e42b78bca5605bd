// Containers for the main window's tests: the shipped description set built by our builder
// into a small host file (once per test program), its resources, and containers written from
// a list of resources, to build variants with one resource missing or changed; and the boxes
// the window shows meanwhile (RecordBox, installed by the tests, adds "title|style|prompt" to
// Boxes).
#ifndef TAVLO_TESTS_MAINWIN_CONTAINERS_H
#define TAVLO_TESTS_MAINWIN_CONTAINERS_H

#include <string>
#include <utility>
#include <vector>

#include "base/msgbox.h"

using Resources = std::vector<std::pair<std::string, std::string>>;

// The bytes of the host file the containers are appended to.
const std::string& HostBytes();
// The host with the shipped set's container, as the Windows build makes tavlo.exe.
const std::string& ShippedProgram();
// Every resource of the shipped container, in index order.
const Resources& ShippedResources();
// Writes host + a container holding resources to path.
void WriteContainer(const std::string& path, const Resources& resources);
// The resources with the one named id replaced by data (appended when absent), or removed when
// remove is true.
Resources With(Resources resources, const std::string& id, const std::string& data,
               bool remove = false);

inline std::vector<std::string> Boxes;
inline int RecordBox(const std::string& prompt, unsigned style, const std::string& title) {
  Boxes.push_back(title + "|" + std::to_string(style) + "|" + prompt);
  return kMsgBoxIdOk;
}

#endif
