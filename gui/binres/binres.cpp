// BINRES: the resource container. Layout, operations and status codes are listed in binres.h.
//
// Every length and position read from the file is treated as hostile: the index is checked
// against the file's length when it is opened, and every resource against it when it is read,
// so no input makes the module read outside the file or allocate more than the file holds.
#include "binres.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

std::int16_t BinResErr = 0;
std::string BinResErrMsg;

namespace binres {

long long IdxPosFor(long long len) {
  long long pos = (len | 15) + 2;
  return pos < kMinIdxPos ? kMinIdxPos : pos;
}

long long DataStartFor(long long idxPos, int maxEntsLen) {
  return ((idxPos + kHdrSize + maxEntsLen) | 15) + 2;
}

void le16Pack(unsigned char* p, std::int16_t v) {
  unsigned u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<unsigned char>(u & 0xFF);
  p[1] = static_cast<unsigned char>((u >> 8) & 0xFF);
}

std::int16_t le16Unpack(const unsigned char* p) {
  long v = static_cast<long>(p[0]) | (static_cast<long>(p[1]) << 8);
  if (v >= 0x8000)
    v -= 0x10000;
  return static_cast<std::int16_t>(v);
}

void le32Pack(unsigned char* p, std::int32_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);  // the two's-complement bit pattern
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<unsigned char>((u >> (8 * i)) & 0xFF);
}

bool le32Unpack(const unsigned char* p, std::int32_t* v) {
  if (p[3] >= 0x80)
    return false;
  *v = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
  return true;
}

}  // namespace binres

using namespace binres;

namespace {

enum class Mode { Closed, Reading, Building };

struct Container {
  std::FILE* file = nullptr;  // FileNo: null when no container is open
  Mode mode = Mode::Closed;
  long long idxPos = kUnset;
  std::int16_t maxEntsLen = 0;
  std::int16_t usedLen = 0;
  std::string idxEntries;  // the entries exactly as in the file
  long long nextDataPos = kUnset;
  bool dirty = false;
  std::string keyIndex;
};

Container g;

void SetOk() {
  BinResErr = 0;
  BinResErrMsg.clear();
}

void SetStatus(std::int16_t code, const char* op, const std::string& text) {
  BinResErr = code;
  BinResErrMsg = op ? std::string(op) + ": " + text : text;
}

void SetPlatformStatus(const char* op, int err) {
  if (err == 0)
    err = EIO;  // a short transfer that left errno unset
  SetStatus(static_cast<std::int16_t>(err), op, BinResErrorText(err));
}

// Forgets the container; the file must already be closed.
void Reset() {
  g.file = nullptr;
  g.mode = Mode::Closed;
  g.idxEntries.clear();
  g.keyIndex.clear();
}

void CloseQuietly() {
  if (g.file)
    std::fclose(g.file);
  Reset();
}

bool SeekTo(long long pos, int* err) {
  if (pos < 1 || pos - 1 > LONG_MAX) {
    *err = EFBIG;
    return false;
  }
  errno = 0;
  if (std::fseek(g.file, static_cast<long>(pos - 1), SEEK_SET) != 0) {
    *err = errno;
    return false;
  }
  return true;
}

// Reads up to n bytes at position pos. Returns the number read (fewer at the end of the file),
// or -1 with the platform error in *err.
long ReadAt(long long pos, unsigned char* buf, std::size_t n, int* err) {
  if (!SeekTo(pos, err))
    return -1;
  errno = 0;
  std::size_t got = std::fread(buf, 1, n, g.file);
  if (got < n && std::ferror(g.file)) {
    *err = errno;
    std::clearerr(g.file);
    return -1;
  }
  return static_cast<long>(got);
}

bool WriteAt(long long pos, const void* buf, std::size_t n, int* err) {
  if (!SeekTo(pos, err))
    return false;
  errno = 0;
  if (std::fwrite(buf, 1, n, g.file) != n || std::fflush(g.file) != 0) {
    *err = errno;
    std::clearerr(g.file);
    return false;
  }
  return true;
}

bool FileLength(long long* len, int* err) {
  errno = 0;
  if (std::fseek(g.file, 0, SEEK_END) != 0) {
    *err = errno;
    return false;
  }
  long end = std::ftell(g.file);
  if (end < 0) {
    *err = errno;
    return false;
  }
  *len = end;
  return true;
}

std::string Num(long long v) {
  return std::to_string(v);
}

// Adds an entry's look-up key: its offset (2 bytes), "[", the identifier, "]".
void AddKey(long offset, const std::string& identifier) {
  unsigned char off[2];
  le16Pack(off, static_cast<std::int16_t>(offset));
  g.keyIndex.append(reinterpret_cast<const char*>(off), 2);
  g.keyIndex += '[';
  g.keyIndex += identifier;
  g.keyIndex += ']';
}

bool HasBracket(const std::string& s) {
  return s.find_first_of("[]") != std::string::npos;
}

// Reads the pointer at 57..60; a file shorter than 60 bytes reads as zero beyond its end.
// Returns false with the status set (and the file closed) on failure.
bool ReadPointer(std::int32_t* ptr) {
  unsigned char b[4] = {0, 0, 0, 0};
  int err = 0;
  if (ReadAt(kPointerPos, b, 4, &err) < 0) {
    CloseQuietly();
    SetPlatformStatus("BinResOpen", err);
    return false;
  }
  if (!le32Unpack(b, ptr)) {
    CloseQuietly();
    SetStatus(kFieldRange, "BinResOpen", "Field out of range at position " + Num(kPointerPos));
    return false;
  }
  return true;
}

// Fails the open with a status and closes the file.
void FailOpen(std::int16_t code, const std::string& text) {
  CloseQuietly();
  SetStatus(code, "BinResOpen", text);
}

void FailOpenPlatform(int err) {
  CloseQuietly();
  SetPlatformStatus("BinResOpen", err);
}

// Opens the file for reading, or for reading and writing (created when missing, never
// truncated), and reads the pointer and the file's length. False with the status set and the
// file closed on failure.
bool OpenFile(const std::string& path, Mode mode, std::int32_t* ptr, long long* len) {
  errno = 0;
  g.file = std::fopen(path.c_str(), mode == Mode::Reading ? "rb" : "r+b");
  if (!g.file && mode == Mode::Building && errno == ENOENT) {
    errno = 0;
    g.file = std::fopen(path.c_str(), "w+b");
  }
  if (!g.file) {
    FailOpenPlatform(errno);
    return false;
  }
  g.mode = mode;
  if (!ReadPointer(ptr))
    return false;
  int err = 0;
  if (!FileLength(len, &err)) {
    FailOpenPlatform(err);
    return false;
  }
  return true;
}

// Reads n index bytes at pos, all of which lie inside the file of length len. False with the
// status set and the file closed when they do not.
bool ReadIndexBytes(long long pos, unsigned char* buf, long n, long long len) {
  int err = 0;
  long got = pos + n - 1 > len ? 0 : ReadAt(pos, buf, static_cast<std::size_t>(n), &err);
  if (got < 0) {
    FailOpenPlatform(err);
    return false;
  }
  if (got < n) {
    FailOpen(kBeyondEnd, "Index extends beyond end of file");
    return false;
  }
  return true;
}

void OpenForReading(const std::string& path) {
  std::int32_t ptr = 0;
  long long len = 0;
  if (!OpenFile(path, Mode::Reading, &ptr, &len))
    return;
  if (ptr < kNoContainerBelow) {
    FailOpen(kNotFound, "Resource is empty");
    return;
  }
  unsigned char hdr[kHdrSize];
  if (!ReadIndexBytes(ptr, hdr, kHdrSize, len))
    return;
  g.idxPos = ptr;
  g.maxEntsLen = le16Unpack(hdr + kHdrMaxEntsLen);
  std::int16_t used = le16Unpack(hdr + kHdrUsedLen);
  if (g.maxEntsLen < kMinBuildIndexLen || used < 0 || used > g.maxEntsLen) {
    FailOpen(kCorruptIndex,
             "Index is corrupt, MaxEntsLen=" + Num(g.maxEntsLen) + ", used length=" + Num(used));
    return;
  }
  g.idxEntries.assign(static_cast<std::size_t>(used), '\0');
  if (used > 0 && !ReadIndexBytes(g.idxPos + kHdrSize,
                                  reinterpret_cast<unsigned char*>(&g.idxEntries[0]), used, len)) {
    return;
  }
  g.usedLen = used;

  // Offsets are 1-based within IdxEntries, as KeyIndex stores them.
  long offset = 1;
  while (offset <= used) {
    long idLenAt = offset + kEntIdLen;  // 1-based
    if (idLenAt > used) {
      FailOpen(kCorruptIndex, "Index is corrupt, entry at offset " + Num(offset) +
                                  " overruns the used length " + Num(used));
      return;
    }
    long n = static_cast<unsigned char>(g.idxEntries[static_cast<std::size_t>(idLenAt - 1)]);
    if (offset + kEntId + n - 1 > used) {
      FailOpen(kCorruptIndex, "Index is corrupt, entry at offset " + Num(offset) +
                                  " overruns the used length " + Num(used));
      return;
    }
    std::string id = g.idxEntries.substr(static_cast<std::size_t>(offset - 1 + kEntId),
                                         static_cast<std::size_t>(n));
    if (n == 0 || HasBracket(id)) {
      FailOpen(kCorruptIndex,
               "Index is corrupt, entry at offset " + Num(offset) + " has an invalid identifier");
      return;
    }
    AddKey(offset, id);
    offset += kEntId + n;
  }
  SetOk();
}

void OpenForBuilding(const std::string& path, std::int16_t indexLen) {
  std::int32_t ptr = 0;
  long long len = 0;
  if (!OpenFile(path, Mode::Building, &ptr, &len))
    return;
  int err = 0;
  long long idxPos = ptr;
  if (ptr < kNoContainerBelow) {
    idxPos = IdxPosFor(len);
    if (idxPos > INT32_MAX) {
      FailOpenPlatform(EFBIG);
      return;
    }
    unsigned char b[4];
    le32Pack(b, static_cast<std::int32_t>(idxPos));
    if (!WriteAt(kPointerPos, b, 4, &err)) {
      FailOpenPlatform(err);
      return;
    }
  } else if (idxPos + kHdrSize - 1 > len) {
    // A pointer this module wrote always lies inside the file; anything else is not ours.
    FailOpen(kBeyondEnd, "Index extends beyond end of file");
    return;
  }
  long long dataStart = DataStartFor(idxPos, indexLen);
  if (dataStart - 1 > INT32_MAX) {
    FailOpenPlatform(EFBIG);
    return;
  }
  std::string area(static_cast<std::size_t>(dataStart - idxPos), '\xFF');
  unsigned char* hdr = reinterpret_cast<unsigned char*>(&area[0]);
  le16Pack(hdr + kHdrMaxEntsLen, indexLen);
  le16Pack(hdr + kHdrUsedLen, 0);
  if (!WriteAt(idxPos, area.data(), area.size(), &err)) {
    FailOpenPlatform(err);
    return;
  }
  g.idxPos = idxPos;
  g.maxEntsLen = indexLen;
  g.usedLen = 0;
  g.nextDataPos = dataStart;
  SetOk();
}

bool RequireOpen(const char* op) {
  if (g.mode != Mode::Closed)
    return true;
  SetStatus(kNotOpen, op, "No container open");
  return false;
}

}  // namespace

std::string BinResErrorText(int errnum) {
  return "Error " + std::to_string(errnum) + ": " + std::strerror(errnum);
}

bool BinResIsOpen() {
  return g.mode != Mode::Closed;
}
std::int16_t BinResMaxEntsLen() {
  return g.maxEntsLen;
}
std::int16_t BinResUsedLen() {
  return g.usedLen;
}

void BinResOpen(const std::string& path, std::int16_t initialIndexLen) {
  if (g.mode != Mode::Closed) {
    SetStatus(kAlreadyOpen, nullptr, "Already open");
    return;
  }
  if (initialIndexLen != 0 && initialIndexLen < kMinBuildIndexLen) {
    SetStatus(kInvalidArg, "BinResOpen", "Invalid initial index length");
    return;
  }
  g.idxPos = kUnset;
  g.nextDataPos = kUnset;
  g.maxEntsLen = 0;
  g.usedLen = 0;
  g.idxEntries.clear();
  g.keyIndex.clear();
  g.dirty = false;
  if (initialIndexLen == 0) {
    OpenForReading(path);
  } else {
    OpenForBuilding(path, initialIndexLen);
  }
}

void BinResAppend(const std::string& identifier, const std::string& data) {
  const char* op = "BinResAppend";
  if (!RequireOpen(op))
    return;
  if (g.mode != Mode::Building) {
    SetStatus(kReadOnly, op, "Container opened for reading");
    return;
  }
  long long n = static_cast<long long>(identifier.size());
  if (n < 1 || n > 255) {
    SetStatus(kInvalidArg, op, "Invalid Identifier length " + Num(n));
    return;
  }
  if (HasBracket(identifier)) {
    SetStatus(kInvalidArg, op, "Invalid Identifier, contains [ or ]");
    return;
  }
  long long used = static_cast<long long>(g.idxEntries.size());
  if (used + kEntId + n > g.maxEntsLen) {
    SetStatus(kIndexFull, op,
              "Index is full, IdxEntries=" + Num(used) + ", IdLen=" + Num(n) +
                  ", MaxEntsLen=" + Num(g.maxEntsLen));
    return;
  }
  long long pos = 0;
  long long len = static_cast<long long>(data.size());
  if (len > 0) {
    int err = 0;
    if (g.nextDataPos + len - 1 > INT32_MAX) {
      SetPlatformStatus(op, EFBIG);
      return;
    }
    if (!WriteAt(g.nextDataPos, data.data(), data.size(), &err)) {
      SetPlatformStatus(op, err);
      return;
    }
    pos = g.nextDataPos;
    g.nextDataPos += len;
  }
  unsigned char fixed[kEntId];
  le32Pack(fixed + kEntDataPos, static_cast<std::int32_t>(pos));
  le32Pack(fixed + kEntDataLen, static_cast<std::int32_t>(len));
  fixed[kEntIdLen] = static_cast<unsigned char>(n);
  AddKey(static_cast<long>(used + 1), identifier);
  g.idxEntries.append(reinterpret_cast<const char*>(fixed), kEntId);
  g.idxEntries += identifier;
  g.usedLen = static_cast<std::int16_t>(g.idxEntries.size());
  g.dirty = true;
  SetOk();
}

std::string BinResGet(const std::string& identifier) {
  const char* op = "BinResGet";
  if (!RequireOpen(op))
    return std::string();
  // No entry has an empty identifier or one with a bracket. Searching for one could match
  // offset bytes that equal "[" or "]" and read a field from the middle of an entry.
  std::size_t at = identifier.empty() || HasBracket(identifier)
                       ? std::string::npos
                       : g.keyIndex.find("[" + identifier + "]");
  if (at == std::string::npos || at < 2) {
    SetStatus(kNotFound, op, "Resource identifier not found");
    return std::string();
  }
  long o = le16Unpack(reinterpret_cast<const unsigned char*>(g.keyIndex.data() + at - 2));
  if (o < 1 || o + kEntIdLen > static_cast<long>(g.idxEntries.size())) {
    SetStatus(kNotFound, op, "Resource identifier not found");  // unreachable: keys are ours
    return std::string();
  }
  const unsigned char* entry = reinterpret_cast<const unsigned char*>(g.idxEntries.data()) + o - 1;
  // File position of a field of this entry, for messages.
  long long entryPos = g.idxPos + kHdrSize + o - 1;
  std::int32_t len = 0;
  if (!le32Unpack(entry + kEntDataLen, &len)) {
    SetStatus(kFieldRange, op, "Field out of range at position " + Num(entryPos + kEntDataLen));
    return std::string();
  }
  if (len > kMaxGetLength) {
    SetStatus(kBadGetLength, op, "Resource data length invalid for get string = " + Num(len));
    return std::string();
  }
  if (len == 0) {
    SetOk();
    return std::string();
  }
  std::int32_t pos = 0;
  if (!le32Unpack(entry + kEntDataPos, &pos)) {
    SetStatus(kFieldRange, op, "Field out of range at position " + Num(entryPos + kEntDataPos));
    return std::string();
  }
  int err = 0;
  long long fileLen = 0;
  if (!FileLength(&fileLen, &err)) {
    SetPlatformStatus(op, err);
    return std::string();
  }
  if (pos < 1 || static_cast<long long>(pos) + len - 1 > fileLen) {
    SetStatus(kBeyondEnd, op, "Resource extends beyond end of file");
    return std::string();
  }
  std::string out(static_cast<std::size_t>(len), '\0');
  long got = ReadAt(pos, reinterpret_cast<unsigned char*>(&out[0]), out.size(), &err);
  if (got < 0) {
    SetPlatformStatus(op, err);
    return std::string();
  }
  if (got < len) {
    SetStatus(kBeyondEnd, op, "Resource extends beyond end of file");
    return std::string();
  }
  SetOk();
  return out;
}

std::string BinResGetIdentifiers() {
  std::string out;
  const std::string& k = g.keyIndex;
  std::size_t from = 2;  // behind the first entry's two offset bytes
  while (from < k.size()) {
    std::size_t open = k.find('[', from);
    if (open == std::string::npos)
      break;
    std::size_t close = k.find(']', open + 1);
    if (close == std::string::npos)
      break;
    out.append(k, open + 1, close - open - 1);
    out += '\0';
    from = close + 3;
  }
  SetOk();
  return out;
}

void BinResClose() {
  const char* op = "BinResClose";
  if (!RequireOpen(op)) {
    Reset();
    return;
  }
  int err = 0;
  bool ok = true;
  if (g.dirty && g.mode == Mode::Building) {
    unsigned char used[2];
    le16Pack(used, g.usedLen);
    ok = WriteAt(g.idxPos + kHdrUsedLen, used, 2, &err) &&
         (g.idxEntries.empty() ||
          WriteAt(g.idxPos + kHdrSize, g.idxEntries.data(), g.idxEntries.size(), &err));
  }
  errno = 0;
  if (std::fclose(g.file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  Reset();
  if (ok) {
    SetOk();
  } else {
    SetPlatformStatus(op, err);
  }
}
