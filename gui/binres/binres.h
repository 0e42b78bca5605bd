// BINRES: a container of named byte strings (resources) appended to a host file, the windowed
// program file. One container at a time for the whole process; plain functions over that state.
//
// File layout. Positions are 1-based, as the file stores them (the byte at position p lies at
// offset p - 1). Integers are little-endian and packed byte by byte.
//
//   Position             Size      Field
//   1 .. L               L         host data; untouched except positions 57..60
//   57                   4         IdxPos: signed 32-bit, position of the index header;
//                                  below 65 means the file holds no container
//   L+1 .. IdxPos-1      1..16     gap, zero when the file is extended (a host shorter than
//                                  64 bytes is extended to 64 and the pointer lies in the gap)
//   IdxPos               2         MaxEntsLen: signed 16-bit, capacity of the index area
//   IdxPos+2             2         used length: signed 16-bit, bytes of entries in use
//   IdxPos+4 .. DS-1     DS-IdxPos-4  index area: the entries from its first byte, then 0xFF
//   DS ..                sum       data area: the resources back to back, in append order
//
//   IdxPos = (L OR 15) + 2, at least 65      (L = host length when the container is created)
//   DS     = ((IdxPos + 4 + MaxEntsLen) OR 15) + 2     (data start; offset DS-1 is 16-aligned)
//
// Index entry, 9 + n bytes, offsets within the entry:
//   0    4   data position, 32-bit: position of the resource's first byte; 0 when empty
//   4    4   data length, 32-bit: number of bytes; 0 when empty
//   8    1   IdLen: identifier length n, 1..255
//   9    n   identifier bytes; compared byte for byte; never "[" or "]"
// 32-bit fields hold 0..2147483647; a top byte of 0x80 or more is rejected when read.
//
// KeyIndex (memory only): per entry in index order, the entry's 1-based offset within
// IdxEntries as 2 bytes low first, then "[" + identifier + "]". A look-up finds the earliest
// "[" + identifier + "]" and takes the two bytes in front of it.
//
// Operations (each sets BinResErr and BinResErrMsg; 0 and "" on success):
//   BinResOpen(path, len)     len 0: open for reading; len >= 64: open for building with an
//                             index capacity of len bytes (creates the file, never truncates)
//   BinResAppend(id, data)    building: write data at the next data position, add the entry
//   BinResGet(id)             the bytes of the earliest resource named id, or empty
//   BinResGetIdentifiers()    every identifier in index order, each followed by one NUL byte
//   BinResClose()             write the index back when appended to, close the file
//   BinResIsOpen(), BinResMaxEntsLen(), BinResUsedLen()   read the state of the open container
//
// State: the open file (none when closed), IdxPos, MaxEntsLen, the used length, IdxEntries
// (the entries as in the file), NextDataPos, Dirty (appended since open), KeyIndex, the mode.
//
// Status codes (BinResErr; the message names the operation, "BinResGet: ..."):
//   0      success
//   32001  "Resource is empty" (open: no container) / "Resource identifier not found" (get)
//   32002  "Already open": a container is open; it is left untouched
//   32003  "Resource data length invalid for get string = N": N above 32767
//   32005  "Invalid initial index length" (open, 1..63 or negative) /
//          "Invalid Identifier length N" (append, N outside 1..255) /
//          "Invalid Identifier, contains [ or ]" (append)
//   32006  "Index is full, IdxEntries=U, IdLen=N, MaxEntsLen=M" (append)
//   32007  "Index extends beyond end of file" (open) /
//          "Resource extends beyond end of file" (get)
//   32008  "No container open" (append, get, close)
//   32009  "Container opened for reading" (append)
//   32010  "Index is corrupt, ..." (open): bad header, or an entry that overruns the used
//          length or has an identifier of length 0 or with "[" or "]"
//   32011  "Field out of range at position P" (open, get): 32-bit field with top byte >= 0x80
//   other  the platform's error number: "Error N: text" (open, append, get, close)
#ifndef TAVLO_GUI_BINRES_BINRES_H
#define TAVLO_GUI_BINRES_BINRES_H

#include <cstdint>
#include <string>

// Status of the last operation, shared by every caller.
extern std::int16_t BinResErr;
extern std::string BinResErrMsg;

void BinResOpen(const std::string& path, std::int16_t initial_index_len);
void BinResAppend(const std::string& identifier, const std::string& data);
std::string BinResGet(const std::string& identifier);
std::string BinResGetIdentifiers();
void BinResClose();

bool BinResIsOpen();
std::int16_t BinResMaxEntsLen();
std::int16_t BinResUsedLen();

// "Error N: text" for a platform error number, as the status messages and logs write it.
std::string BinResErrorText(int errnum);

namespace binres {

// Status codes beyond the platform's error numbers.
enum : std::int16_t {
  kNotFound = 32001,      // no container in the file / no such identifier
  kAlreadyOpen = 32002,   // a container is already open
  kBadGetLength = 32003,  // resource too long to get
  kInvalidArg = 32005,    // bad initial index length or identifier
  kIndexFull = 32006,     // the entry does not fit the index area
  kBeyondEnd = 32007,     // index or resource extends beyond the end of the file
  kNotOpen = 32008,       // no container open
  kReadOnly = 32009,      // append on a container opened for reading
  kCorruptIndex = 32010,  // the index header or an entry is inconsistent
  kFieldRange = 32011,    // a 32-bit field has its top byte at 0x80 or more
};

// Named positions of the layout (1-based file positions, 0-based offsets within a record).
constexpr long kPointerPos = 57;        // IdxPos, 4 bytes
constexpr long kNoContainerBelow = 65;  // pointer values below this mean no container
constexpr long kMinIdxPos = 65;
constexpr int kHdrMaxEntsLen = 0;  // offsets from IdxPos
constexpr int kHdrUsedLen = 2;
constexpr int kHdrSize = 4;
constexpr int kEntDataPos = 0;  // offsets within an entry
constexpr int kEntDataLen = 4;
constexpr int kEntIdLen = 8;
constexpr int kEntId = 9;
constexpr int kMinBuildIndexLen = 64;
constexpr std::int32_t kMaxGetLength = 32767;
constexpr long kUnset = -99999999;  // IdxPos and NextDataPos when not set

// IdxPos for a host of length len and the data start for a capacity (64-bit arithmetic).
long long IdxPosFor(long long len);
long long DataStartFor(long long idx_pos, int max_ents_len);

// Byte-by-byte little-endian packing.
void Le16Pack(unsigned char* p, std::int16_t v);
std::int16_t Le16Unpack(const unsigned char* p);
void Le32Pack(unsigned char* p, std::int32_t v);
// False, and *v untouched, when the top byte is 0x80 or more.
bool Le32Unpack(const unsigned char* p, std::int32_t* v);

}  // namespace binres

#endif
