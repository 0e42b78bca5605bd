// RESBUILD: Make and Dump of the maintenance window, without the window (see resbuild.h).
#include "resbuild/resbuild.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

#include "binres/binres.h"
#include "base/files.h"
#include "contents/contents.h"
#include "base/text.h"

namespace {

const char* const kBinResError = "Binary Resource Error: ";

// Window operations when the caller has no window: none.
class NoWindow : public ResBuildView {
 public:
  void SetBusyPointer(bool /*busy*/) override {}
  void ShowLog(const std::string& /*log*/) override {}
  void ProcessEvents() override {}
  void FocusLog() override {}
};
NoWindow NoWindowInstance;

std::string StatusLine() {
  return "Error=" + FormatDecimal(BinResErr) + " " + BinResErrMsg + kCrLf;
}

// The platform's error number when the last append failed to write its data, else 0. A
// failed write is an unexpected failure of the Make, not an append the container refused.
int AppendWriteError() {
  return BinResErr > 0 && BinResErr < binres::kNotFound ? BinResErr : 0;
}

// Reads a text file line by line; a line ends at CR LF, CR or LF, and a last line without a
// line end still counts.
class LineReader {
 public:
  explicit LineReader(std::FILE* f) : f_(f) {}

  // 1 with a line in *line, 0 at the end of the file, -1 on a read error (errno in *err).
  int Next(std::string* line, int* err) {
    line->clear();
    errno = 0;
    int c = std::getc(f_);
    if (c == EOF)
      return EndOrError(err, 0);
    while (c != EOF && c != '\r' && c != '\n') {
      *line += static_cast<char>(c);
      c = std::getc(f_);
    }
    if (c == EOF)
      return EndOrError(err, 1);
    if (c == '\r') {
      int next = std::getc(f_);
      if (next == EOF)
        return EndOrError(err, 1);
      if (next != '\n')
        std::ungetc(next, f_);
    }
    return 1;
  }

 private:
  int EndOrError(int* err, int at_end) {
    if (std::ferror(f_)) {
      *err = errno ? errno : EIO;
      return -1;
    }
    return at_end;
  }

  std::FILE* f_;
};

// A header's value field: the whole text is a decimal integer with an optional sign that fits
// in 32 bits. Returns 0, or the error number of the failure (EINVAL: not a number, ERANGE: too
// large).
int ReadWholeInt32(const std::string& text, std::int32_t* value) {
  long long v = 0;
  switch (ReadWholeDecimal(text, INT32_MIN, INT32_MAX, &v)) {
    case kDecimalOk:
      *value = static_cast<std::int32_t>(v);
      return 0;
    case kDecimalNotNumber:
      return EINVAL;
    default:
      return ERANGE;
  }
}

// Removes what a failed copy left at path: a file, never whatever else stood in its way.
void RemovePartialCopy(const std::string& path) {
  if (IsPlainFile(path))
    RemoveFile(path);
}

// One run of the Make.
class Make {
 public:
  Make(const std::string& resource_file, const std::string& data_path, ResBuildView& window)
      : resource_file_(resource_file),
        target_(resource_file),
        build_file_(resource_file + ".mkres"),
        data_path_(data_path),
        window_(window) {}

  void Run(const ResBuildTime& now) {
    log_ = "Making Binary Resource as at " + ResBuildTimeStamp(now) + kCrLf;
    log_ += "Binary Resource File: " + resource_file_ + kCrLf;
    if (!OpenContainer())
      return;
    log_ += std::string("BinResOpen OK") + kCrLf;
    log_ += "Processing Data File: " + data_path_ + kCrLf;
    window_.ShowLog(log_);
    if (!ReadDataFile())
      return;
    bool keys_ok = false;
    if (BinResErr == 0) {
      int err = AppendKeys(&keys_ok);
      if (err != 0) {
        Fail(err);
        return;
      }
    }
    BinResClose();
    container_open_ = false;
    if (BinResErr != 0) {
      log_ += std::string(kBinResError) + "Can't close." + kCrLf + StatusLine();
      keys_ok = false;
    } else {
      log_ += std::string("BinResClose OK") + kCrLf;
    }
    if (keys_ok && LoadableOrLogged()) {
      ReplaceResourceFile();
    } else {
      // The log above already names the failure; the program file keeps its old container.
      RemoveFile(build_file_);
    }
  }

  // Ends an unexpected failure: its line is the log's last, and nothing stays open.
  void Fail(int err) {
    if (data_)
      std::fclose(data_);
    data_ = nullptr;
    if (container_open_) {
      BinResClose();
      container_open_ = false;
      RemoveFile(build_file_);
    }
    log_ += BinResErrorText(err);
  }

  const std::string& Log() const {
    return log_;
  }
  bool Complete() const {
    return complete_;
  }

 private:
  void CantOpen() {
    log_ += std::string(kBinResError) + "Can't open to append." + kCrLf;
  }

  // The main window's load refuses a container without the version notice, without a code, or
  // with a resource it reads that is longer than a get returns; such a build is not put in
  // place, so the program keeps descriptions it can read. True when the load will accept it,
  // otherwise false with each reason logged.
  bool LoadableOrLogged() {
    std::string reasons;
    if (!has_version_)
      reasons += "no version section [DI1,Version] in data file";
    if (records_ == 0)
      reasons += std::string(reasons.empty() ? "" : "; ") + "no code in data file";
    if (!too_long_id_.empty()) {
      reasons += std::string(reasons.empty() ? "" : "; ") + "Key=" + too_long_id_ +
                 " is longer than a get returns (length " + FormatDecimal(too_long_len_) + ")";
    }
    if (reasons.empty())
      return true;
    log_ += std::string(kBinResError) + "Not put in place: " + reasons + "." + kCrLf +
            "The resource file is left as it was." + kCrLf;
    return false;
  }

  // Notes the first appended resource that the load reads and could not get back.
  void NoteLength(const std::string& id, const std::string& data) {
    if (too_long_id_.empty() && data.size() > static_cast<std::size_t>(binres::kMaxGetLength)) {
      too_long_id_ = id;
      too_long_len_ = static_cast<long long>(data.size());
    }
  }

  void CantOpenPlatform(int err) {
    CantOpen();
    log_ += "Error=" + FormatDecimal(err) + " BinResOpen: " + BinResErrorText(err) + kCrLf;
  }

  // Copies the file the resource path names (through any links) for building: beside it, or
  // in the temporary folder when its folder cannot take the copy. False with the log written
  // (each failed copy named) when neither works.
  bool CopyTarget() {
    target_ = ResolvedPath(resource_file_);
    build_file_ = target_ + ".mkres";
    build_beside_ = true;
    int err = CopyFileBytes(target_, build_file_);
    if (err == 0)
      return true;
    RemovePartialCopy(build_file_);
    std::string beside_line = "Error=" + FormatDecimal(err) + " Copy to " + build_file_ + ": " +
                              BinResErrorText(err) + kCrLf;
    int temp_err = 0;
    std::string name = FileNameOf(target_) + ".mkres";
    build_file_ = TempFolderFile(name, &temp_err);
    build_beside_ = false;
    std::string temp_line;
    if (build_file_.empty()) {
      temp_line = "Error=" + FormatDecimal(temp_err) +
                  " Temporary folder: " + BinResErrorText(temp_err) + kCrLf;
    } else if ((err = CopyFileBytes(target_, build_file_)) != 0) {
      RemovePartialCopy(build_file_);
      temp_line = "Error=" + FormatDecimal(err) + " Copy to " + build_file_ + ": " +
                  BinResErrorText(err) + kCrLf;
    } else {
      return true;
    }
    build_file_.clear();
    CantOpen();
    log_ += beside_line + temp_line;
    return false;
  }

  // Opens a copy of the resource file for building. The resource file itself must be
  // writable, so that the copy can be put into it at the end.
  bool OpenContainer() {
    if (BinResIsOpen()) {
      // Another Make or Dump is running: the container refuses and stays as it is.
      BinResOpen(resource_file_, kResBuildIndexLen);
      CantOpen();
      log_ += StatusLine();
      return false;
    }
    errno = 0;
    std::FILE* probe = OpenFile(resource_file_, "r+b");
    int err = errno;
    if (probe) {
      std::fclose(probe);
      if (!CopyTarget())
        return false;
    } else if (err == ENOENT) {
      RemoveFile(build_file_);  // a new resource file starts empty
    } else {
      CantOpenPlatform(err);
      return false;
    }
    BinResOpen(build_file_, kResBuildIndexLen);
    if (BinResErr != 0) {
      CantOpen();
      log_ += StatusLine();
      RemoveFile(build_file_);
      return false;
    }
    container_open_ = true;
    return true;
  }

  // Reads the data file and writes each section when the next header or "[end]" arrives.
  // False after an unexpected failure (already logged).
  bool ReadDataFile() {
    errno = 0;
    data_ = OpenFile(data_path_, "rb");
    if (!data_) {
      Fail(errno);
      return false;
    }
    SkipByteOrderMark();
    LineReader reader(data_);
    std::string line;
    long lines = 0;
    int err = 0;
    while (BinResErr == 0) {
      int r = reader.Next(&line, &err);
      if (r < 0) {
        Fail(err);
        return false;
      }
      if (r == 0)
        break;
      ++lines;
      err = ClassifyLine(line);
      if (err != 0) {
        Fail(err);
        return false;
      }
    }
    std::fclose(data_);
    data_ = nullptr;
    log_ += FormatDecimal(lines) + " records, " + FormatDecimal(records_) + " codes in data file." +
            kCrLf;
    return true;
  }

  // A UTF-8 byte-order mark that an editor put before the first line is no text of it: without
  // this the version header would not be seen as a header.
  void SkipByteOrderMark() {
    unsigned char head[3] = {0, 0, 0};
    std::size_t got = std::fread(head, 1, sizeof head, data_);
    if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
      return;
    std::clearerr(data_);
    std::rewind(data_);
  }

  // Returns 0, or the error number of an unexpected failure.
  int ClassifyLine(const std::string& line) {
    char code_type = 0;
    if (StartsWith(line, "[") && line.find(",KXRC_") != std::string::npos) {
      code_type = '2';
    } else if (StartsWith(line, "[") && line.find(",KXCC_") != std::string::npos) {
      code_type = '1';
    }
    if (code_type != 0) {
      if (int err = WritePending())
        return err;
      std::size_t c = line.find(',');
      int err = ReadWholeInt32(line.substr(1, c - 1), &value_);
      if (err != 0)
        return err;
      name_ = line.substr(c + 1, line.size() - c - 2);
      pending_ = code_type;
      text_.clear();
    } else if (StartsWith(line, "[DI")) {
      if (int err = WritePending())
        return err;
      std::size_t c = line.find(',');
      if (c == std::string::npos)
        return EINVAL;
      int err = ReadWholeInt32(line.substr(3, c - 3), &value_);
      if (err != 0)
        return err;
      pending_ = '3';
      text_.clear();
    } else if (line == "[end]") {
      return WritePending();
    } else if (!StartsWith(line, "[")) {
      text_ += '~';
      text_ += line;
    }
    return 0;
  }

  // Writes the pending section; it stays pending until the next header replaces it.
  // Returns 0, or the error number of a failed write.
  int WritePending() {
    if (pending_ == 0)
      return 0;
    std::string joined = text_.empty() ? std::string() : text_.substr(1);
    std::string id;
    std::string data;
    if (pending_ == '3') {
      id = VersionResourceId(value_);
      data = joined;
    } else {
      ++records_;
      id = RecordResourceId(records_);
      data = EncodeRecord(pending_ - '0', value_, name_, joined);
    }
    BinResAppend(id, data);
    if (int err = AppendWriteError())
      return err;
    if (BinResErr != 0) {
      log_ += std::string(kBinResError) + "Can't append string." + kCrLf + StatusLine() +
              "Key=" + id + kCrLf + "Data=" + data + kCrLf;
      return 0;
    }
    if (pending_ == '3') {
      if (id == kResVersion) {
        has_version_ = true;
        NoteLength(id, data);
      }
    } else {
      NoteLength(id, data);
      numeric_keys_ += KeyListEntry(records_, FormatDecimal(value_));
      if (value_ > 9)
        numeric_keys_ += KeyListEntry(records_, FormatUpperHex(value_));
      symbolic_keys_ += KeyListEntry(records_, name_);
    }
    window_.ProcessEvents();
    return 0;
  }

  // Returns 0, or the error number of a failed write; *ok false when the append was refused.
  int AppendKey(const char* id, const std::string& data, bool* ok) {
    BinResAppend(id, data);
    if (int err = AppendWriteError())
      return err;
    if (BinResErr == 0) {
      NoteLength(id, data);
      return 0;
    }
    log_ += std::string(kBinResError) + "Can't append string." + kCrLf + "Key=" + id + kCrLf +
            StatusLine();
    *ok = false;
    return 0;
  }

  // The three key resources, each tried whatever became of the one before. Returns 0, or the
  // error number of a failed write; *ok true when all three were appended.
  int AppendKeys(bool* ok) {
    *ok = true;
    if (int err = AppendKey(kResKeyCount, FormatDecimal(records_), ok))
      return err;
    log_ += std::string(kResKeyCount) + "=" + FormatDecimal(records_) + kCrLf;
    if (int err = AppendKey(kResNumericKeys, numeric_keys_, ok))
      return err;
    log_ += std::string(kResNumericKeys) + "= (length " +
            FormatDecimal(static_cast<long long>(numeric_keys_.size())) + ")" + kCrLf +
            numeric_keys_ + kCrLf;
    if (int err = AppendKey(kResSymbolicKeys, symbolic_keys_, ok))
      return err;
    log_ += std::string(kResSymbolicKeys) + "= (length " +
            FormatDecimal(static_cast<long long>(symbolic_keys_.size())) + ")" + kCrLf +
            symbolic_keys_ + kCrLf;
    return 0;
  }

  // Puts the finished copy in place. A rename is atomic, but replaces only a directory entry:
  // it is used when the copy lies beside the file and the file is a plain file with one name
  // (or new). Otherwise (a copy in the temporary folder, a file with further hard links) the
  // copy is written back into the file itself, which restores its old bytes if that fails.
  // Symbolic links were resolved before the copy was made, so they stay links either way.
  void ReplaceResourceFile() {
    if (build_beside_ && (!FileExists(target_) || IsSoleLinkPlainFile(target_))) {
      if (int err = ReplaceFile(build_file_, target_)) {
        RemoveFile(build_file_);
        log_ += std::string(kBinResError) + "Can't replace the resource file." + kCrLf +
                BinResErrorText(err) + kCrLf;
        return;
      }
      complete_ = true;
      return;
    }
    int restore_err = 0;
    int err = WriteBackFile(build_file_, target_, &restore_err);
    RemoveFile(build_file_);
    if (err != 0) {
      log_ += std::string(kBinResError) + "Can't replace the resource file." + kCrLf +
              "Error=" + FormatDecimal(err) + " Write back to " + target_ + ": " +
              BinResErrorText(err) + kCrLf;
      if (restore_err != 0) {
        log_ += "Error=" + FormatDecimal(restore_err) + " Restore of " + target_ + ": " +
                BinResErrorText(restore_err) + kCrLf;
      }
      return;
    }
    complete_ = true;
  }

  std::string resource_file_;
  std::string target_;      // the file the resource path names, links resolved
  std::string build_file_;  // the copy the container is built in
  bool build_beside_ = true;
  std::string data_path_;
  ResBuildView& window_;
  std::string log_;
  std::FILE* data_ = nullptr;
  bool container_open_ = false;
  bool complete_ = false;
  char pending_ = 0;  // 0 none, '1' completion code, '2' reason code, '3' version
  std::int32_t value_ = 0;
  std::string name_;
  std::string text_;          // "~" + line for every description line
  long records_ = 0;          // K
  bool has_version_ = false;  // kResVersion was appended
  std::string too_long_id_;   // the first resource the load reads that a get refuses
  long long too_long_len_ = 0;
  std::string numeric_keys_;
  std::string symbolic_keys_;
};

const char* const kMonths[12] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};

}  // namespace

std::string ResBuildDataPath(const std::string& dir, const std::string& file) {
#ifdef _WIN32
  return dir + "\\" + file;
#else
  return dir + "/" + file;
#endif
}

ResBuildTime ResBuildLocalClock() {
  std::time_t now = std::time(nullptr);
  ResBuildTime t;
  if (const std::tm* tm = std::localtime(&now)) {
    t.year = tm->tm_year + 1900;
    t.month = tm->tm_mon + 1;
    t.day = tm->tm_mday;
    t.hour = tm->tm_hour;
    t.minute = tm->tm_min;
    t.second = tm->tm_sec;
  }
  return t;
}

std::string ResBuildTimeStamp(const ResBuildTime& t) {
  char buf[64];
  const char* month = (t.month >= 1 && t.month <= 12) ? kMonths[t.month - 1] : "?";
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d %02d %s %04d", t.hour, t.minute, t.second, t.day,
                month, t.year);
  return buf;
}

std::string ResBuildPercent(long used, long capacity) {
  // Stored through a volatile so that an x87 build rounds the quotient to single precision.
  volatile float percent = static_cast<float>(used * 100) / static_cast<float>(capacity);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(percent));
  return buf;
}

std::string MakeBinaryResource(const std::string& resource_file, const std::string& data_path,
                               const ResBuildClock& clock, ResBuildView* window, bool* complete) {
  ResBuildView& w = window ? *window : NoWindowInstance;
  w.SetBusyPointer(true);
  Make make(resource_file, data_path, w);
  try {
    make.Run(clock ? clock() : ResBuildLocalClock());
  } catch (const std::bad_alloc&) {
    make.Fail(ENOMEM);
  }
  w.SetBusyPointer(false);
  w.ShowLog(make.Log());
  if (complete)
    *complete = make.Complete();
  return make.Log();
}

namespace {

// One resource as the dump lists it: a record with its lines broken at the "~" markers,
// anything else cut to 70 characters.
std::string DumpLine(const std::string& id, const std::string& data) {
  std::string line = id + "=";
  if (StartsWith(data, "1")) {
    for (char c : data) {
      if (c == '~') {
        line += kCrLf;
      } else {
        line += c;
      }
    }
  } else {
    line.append(data, 0, 70);
  }
  return line + kCrLf;
}

// Every resource of the open container, in index order, into *log; false when one cannot be
// read (the log says which).
bool DumpEntries(std::string* log) {
  std::string ids = BinResGetIdentifiers();
  if (BinResErr != 0) {
    *log += std::string(kBinResError) + "Can't get identifiers." + kCrLf + StatusLine();
    return false;
  }
  std::size_t from = 0;
  std::size_t nul;
  while ((nul = ids.find('\0', from)) != std::string::npos) {
    std::string id = ids.substr(from, nul - from);
    from = nul + 1;
    std::string data = BinResGet(id);
    if (BinResErr != 0) {
      *log += std::string(kBinResError) + "Can't get string." + kCrLf + "Key=" + id + kCrLf +
              StatusLine();
      return false;
    }
    *log += DumpLine(id, data);
  }
  return true;
}

}  // namespace

std::string DumpBinaryResource(const std::string& resource_file, ResBuildView* window,
                               bool* complete) {
  ResBuildView& w = window ? *window : NoWindowInstance;
  w.SetBusyPointer(true);
  std::string log = "Binary Resource File: " + resource_file + kCrLf;
  bool ok = false;
  bool opened = false;
  try {
    BinResOpen(resource_file, 0);
    if (BinResErr != 0) {
      log += std::string(kBinResError) + "Can't open to read." + kCrLf + StatusLine();
    } else {
      opened = true;
      log += "BinResOpen OK, " + FormatDecimal(BinResUsedLen()) + " of " +
             FormatDecimal(BinResMaxEntsLen()) + " bytes used in index (" +
             ResBuildPercent(BinResUsedLen(), BinResMaxEntsLen()) + "% full)" + kCrLf;
      ok = DumpEntries(&log);
      opened = false;
      BinResClose();
      if (BinResErr != 0) {
        log += std::string(kBinResError) + "Can't close." + kCrLf + StatusLine();
        ok = false;
      } else {
        log += std::string("BinResClose OK") + kCrLf;
      }
    }
  } catch (const std::bad_alloc&) {
    if (opened)
      BinResClose();
    ok = false;
    log += BinResErrorText(ENOMEM);
  }
  w.SetBusyPointer(false);
  w.ShowLog(log);
  w.FocusLog();
  if (complete)
    *complete = ok;
  return log;
}
