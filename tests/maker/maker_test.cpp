// The description maker, run on fixture manuals and on generated inputs; standard output and
// standard error are captured and compared whole.
#include "maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(FILE* f) {
  std::string s;
  rewind(f);
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0)
    s.append(buf, n);
  return s;
}

std::string ReadFile(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) {
    ADD_FAILURE() << "cannot open " << path;
    return "";
  }
  std::string s = ReadAll(f);
  fclose(f);
  return s;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

// A sanitizer report must not vanish into a captured stream (declared weak: absent in builds
// without sanitizers).
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

void SendSanitizerReportsTo(int fd) {
  if (__sanitizer_set_report_fd)
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
}

// Runs fn with file descriptors 1 and 2 sent to temporary files (or stdout to outPath).
Result Capture(const std::function<int()>& fn, const char* outPath = nullptr) {
  fflush(stdout);
  fflush(stderr);
  FILE* out = tmpfile();
  FILE* err = tmpfile();
  int savedOut = dup(1);
  int savedErr = dup(2);
  int outFd = outPath ? open(outPath, O_WRONLY) : fileno(out);
  dup2(outFd, 1);
  dup2(fileno(err), 2);
  SendSanitizerReportsTo(savedErr);
  Result r;
  r.status = fn();
  fflush(stdout);
  fflush(stderr);
  clearerr(stdout);
  dup2(savedOut, 1);
  dup2(savedErr, 2);
  SendSanitizerReportsTo(2);
  close(savedOut);
  close(savedErr);
  if (outPath)
    close(outFd);
  r.out = ReadAll(out);
  r.err = ReadAll(err);
  fclose(out);
  fclose(err);
  return r;
}

// Converts a fixture manual, named as it is in its folder (so messages hold the bare name).
Result MakeFromFixture(const char* name, int mode) {
  char cwd[4096];
  EXPECT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(chdir(MAKER_FIXTURES), 0);
  Result r = Capture([&] { return MakeDescriptions(name, mode); });
  EXPECT_EQ(chdir(cwd), 0);
  return r;
}

std::string Golden(const std::string& name) {
  return ReadFile(std::string(MAKER_GOLDEN) + "/" + name);
}

// Writes the bytes to a file named after the running test and converts it.
Result MakeFromBytes(const std::string& bytes, int mode, std::string* path = nullptr) {
  std::string name = std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     (mode == MakerPalm ? ".palm.in" : ".text.in");
  WriteFile(name, bytes);
  if (path)
    *path = name;
  Result r = Capture([&] { return MakeDescriptions(name.c_str(), mode); });
  remove(name.c_str());
  return r;
}

std::string Counts(int records, const std::string& path, int descriptions) {
  return "Processed " + std::to_string(records) + " records on file '" + path + "'.\n" +
         std::to_string(descriptions) + " descriptions written to stdout.\n";
}

// Converts the bytes and checks the whole outcome of a conversion that finishes.
void ExpectMade(const std::string& input, int mode, const std::string& out, int records,
                int descriptions) {
  std::string path;
  Result r = MakeFromBytes(input, mode, &path);
  EXPECT_EQ(r.status, 0) << "mode " << mode;
  EXPECT_EQ(r.out, out) << "mode " << mode;
  EXPECT_EQ(r.err, Counts(records, path, descriptions)) << "mode " << mode;
}

void ExpectGolden(const char* fixture, int mode, const std::string& golden) {
  Result r = MakeFromFixture(fixture, mode);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, Golden(golden + ".out"));
  EXPECT_EQ(r.err, Golden(golden + ".err"));
}

const char* const kPalmHead = "Zarvex ZIZ Codes,Value,Name,CC,RC,DI\nDI,1,Version,";

// --- Fixture manuals ---------------------------------------------------------------------

// Preamble with comment, list and comma lines; completion codes with titles (one at -1, one
// with a trailing space); reason codes with page heads and the line after them, form feeds,
// page feet, list items, sub-items, corrective actions, an empty line, a text line holding
// " X'" that is taken as a header; lines after the end mark.
TEST(MakerManual, TextMode) {
  ExpectGolden("manual.txt", MakerText, "manual.text");
}
TEST(MakerManual, PalmMode) {
  ExpectGolden("manual.txt", MakerPalm, "manual.palm");
}

// CR LF ends a line as LF does: the manual saved with CR LF gives the same bytes (the counts
// name the file converted). A CR not followed by LF stays text.
TEST(MakerManual, CrLfLineEndsGiveTheSameBytes) {
  std::string crlf;
  for (char ch : ReadFile(std::string(MAKER_FIXTURES) + "/manual.txt")) {
    crlf += ch == '\n' ? "\r\n" : std::string(1, ch);
  }
  for (int mode : {MakerText, MakerPalm}) {
    const std::string golden = mode == MakerText ? "manual.text" : "manual.palm";
    std::string path;
    Result r = MakeFromBytes(crlf, mode, &path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Golden(golden + ".out")) << golden;
    std::string err = Golden(golden + ".err");
    err.replace(err.find("'"), err.find("'.") - err.find("'") + 1, "'" + path + "'");
    EXPECT_EQ(r.err, err) << golden;
  }
  Result lone = MakeFromBytes("Version text\r\rend\r\n", MakerText);
  EXPECT_EQ(lone.out, "[DI1,Version]\nVersion text\r\rend\n\n[end]\n");
}

// Without a line beginning with '|' everything but comments is version text.
TEST(MakerManual, WithoutBarAllIsPreamble) {
  ExpectGolden("no_bar.txt", MakerText, "no_bar.text");
  ExpectGolden("no_bar.txt", MakerPalm, "no_bar.palm");
}

// Without "Reason codes" reason headers, list items, '#' and page heads are plain
// completion-code text.
TEST(MakerManual, WithoutReasonCodesLine) {
  ExpectGolden("no_reason.txt", MakerText, "no_reason.text");
}

// Without '#' the conversion runs to the end; the last line has no line feed and keeps its
// last character. Two completion and three reason codes make 5 descriptions.
TEST(MakerManual, WithoutEndMark) {
  ExpectGolden("no_end.txt", MakerText, "no_end.text");
  ExpectGolden("no_end.txt", MakerPalm, "no_end.palm");
}

// --- Generated inputs --------------------------------------------------------------------

TEST(MakerLines, EmptyInput) {
  ExpectMade("", MakerText, "[DI1,Version]\n\n[end]\n", 0, 0);
  ExpectMade("", MakerPalm, kPalmHead, 0, 0);
}

// Lines far beyond 158 characters are read whole, in every state and both modes.
TEST(MakerLines, LongLinesAreReadWhole) {
  std::string commas(3000, ',');  // the escape's worst case, first, before buffers grow
  std::string preamble, text, paragraph;
  for (int i = 0; i < 500; i++)
    preamble += "edition, ";  // 4,500 characters, 500 commas, a trailing space
  for (int i = 0; i < 30; i++)
    text += " KXGET text";
  for (int i = 0; i < 20000; i++)
    paragraph += i % 100 == 50 ? ", " : "xy";  // 40,000 characters
  auto escape = [](const std::string& s) {
    std::string e;
    for (char ch : s)
      e += ch == ',' ? std::string("\\,") : std::string(1, ch);
    return e;
  };
  // Every line but the first carries one more trailing space, which the maker trims.
  std::string input = commas + "\n" + preamble + " \n|\n2 Call failed (KXCC_FAILED)\n" + text +
                      " \nReason codes\n2035 X'07F3' KXRC_NOT_AUTHORIZED\n" + paragraph + " \nv " +
                      paragraph + " \n";

  ExpectMade(input, MakerText,
             "[DI1,Version]\n" + commas + "\n" + preamble +
                 "\n[2,KXCC_FAILED]\nCall failed (KXCC_FAILED)\n" + text +
                 "\n[2035,KXRC_NOT_AUTHORIZED]\n" + paragraph + " \n\n* " + paragraph +
                 " \n[end]\n",
             9, 2);
  ExpectMade(input, MakerPalm,
             kPalmHead + escape(commas) + "," + escape(preamble) +
                 ",\nCC,2,KXCC_FAILED,Call failed (KXCC_FAILED)," + text +
                 " \nRC,2035,KXRC_NOT_AUTHORIZED," + escape(paragraph) + " ,,* " +
                 escape(paragraph) + " ",
             9, 2);
}

// Only a final line feed is removed: a last line without one keeps all its characters, and a
// file that ends in a lone character is not emptied.
TEST(MakerLines, LastLineWithoutLineFeed) {
  ExpectMade("|\n2 Call failed (KXCC_FAILED)\nX", MakerText,
             "[DI1,Version]\n[2,KXCC_FAILED]\nCall failed (KXCC_FAILED)\nX\n\n[end]\n", 3, 1);
}

// A name without ')' runs to the end of the line; the value is held within int; a title is
// the line from its third character on, whatever the value's width.
TEST(MakerLines, CompletionHeaders) {
  ExpectMade(
      "|\n"
      "3 Odd code KXCC_ODD \n"
      "99999999999 Big (KXCC_BIG)\n"
      "-99999999999 Small (KXCC_SMALL)\n"
      "  7 (KXCC_SEVEN)\n",
      MakerText,
      "[DI1,Version]\n"
      "[3,KXCC_ODD]\nOdd code KXCC_ODD\n"
      "[2147483647,KXCC_BIG]\n999999999 Big (KXCC_BIG)\n"
      "[-2147483648,KXCC_SMALL]\n9999999999 Small (KXCC_SMALL)\n"
      "[7,KXCC_SEVEN]\n7 (KXCC_SEVEN)\n"
      "\n[end]\n",
      5, 4);
}

// Before the first reason code only " X'0" starts one; after it any " X'" does. A line
// without a 'K' gives an empty name. One of two trailing spaces stays in a name.
TEST(MakerLines, ReasonHeaders) {
  std::string input =
      "|\n0 Successful completion (KXCC_OK)\nReason codes\n"
      "Shown as X'hhhh' and dropped\n"
      "6100 X'17D4' KXRC_CF_STRUCTURE_FAILED before the first is dropped\n"
      "900 X'0384' KXRC_APPL_FIRST \n"
      "The value X'0A' is not valid.\n"
      "text, with a comma\n"
      "6100 X'17D4' KXRC_CF_STRUCTURE_FAILED  \n";
  ExpectMade(input, MakerText,
             "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
             "[900,KXRC_APPL_FIRST]\n"
             "\n[The,]\ntext, with a comma "
             "\n[6100,KXRC_CF_STRUCTURE_FAILED ]\n"
             "\n[end]\n",
             9, 4);
  ExpectMade(input, MakerPalm,
             std::string(kPalmHead) +
                 "\nCC,0,KXCC_OK,Successful completion (KXCC_OK),"
                 "\nRC,900,KXRC_APPL_FIRST,"
                 "\nRC,The,,text\\, with a comma "
                 "\nRC,6100,KXRC_CF_STRUCTURE_FAILED ,",
             9, 4);
}

// The markers are prefixes of a fixed length: "Reason codes" (12), "Completion and reason"
// (21) and "Corrective action:" (18, with its colon). Near misses are plain text.
TEST(MakerLines, MarkersArePrefixes) {
  ExpectMade(
      "|\n0 Successful completion (KXCC_OK)\n"
      "Reason code list\n"
      "Reason codes follow here\n"
      "0 X'0000' KXRC_NONE\n"
      "Completion and Reason codes\n"
      "Completion and reasons (continued)\n"
      "1 X'0001' dropped with the page head\n"
      "Corrective action is not a heading\n"
      "Corrective action:none\n",
      MakerText,
      "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
      "Reason code list\n"
      "[0,KXRC_NONE]\n"
      "Completion and Reason codes Corrective action is not a heading "
      "\n\nCorrective action:none "
      "\n[end]\n",
      9, 2);
}

// "v " turns into "* " before the trim, so a bare "v " line is an empty list item; a line that
// already begins with '*' opens a paragraph too; "v" alone, "V " and "-x" do not.
TEST(MakerLines, ListItemsAndSubItems) {
  std::string input =
      "|\n0 Successful completion (KXCC_OK)\nReason codes\n"
      "0 X'0000' KXRC_NONE\n"
      "Holds:\nv \n*star, item\nv\nV upper\n--sub\n-x\n";
  ExpectMade(input, MakerText,
             "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
             "[0,KXRC_NONE]\nHolds: \n\n* \n\n*star, item v V upper \n--sub -x "
             "\n[end]\n",
             11, 2);
  ExpectMade(input, MakerPalm,
             std::string(kPalmHead) +
                 "\nCC,0,KXCC_OK,Successful completion (KXCC_OK),"
                 "\nRC,0,KXRC_NONE,Holds: ,,* ,,*star\\, item v V upper ,--sub -x ",
             11, 2);
}

// In the reason-code part the header test comes first: a page head or an end mark that holds
// " X'" is a header (and the line after such a page head is kept).
TEST(MakerLines, HeaderWinsOverPageHeadAndEndMark) {
  ExpectMade(
      "|\n0 Successful completion (KXCC_OK)\nReason codes\n"
      "0 X'0000' KXRC_NONE\n"
      "Completion and reason codes 2009 X'07D9' KXRC_A\n"
      "kept\n"
      "# 2035 X'07F3' KXRC_B\n"
      "also kept\n",
      MakerText,
      "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
      "[0,KXRC_NONE]\n"
      "\n[Completion,KXRC_A]\nkept "
      "\n[#,KXRC_B]\nalso kept "
      "\n[end]\n",
      8, 4);
}

// Before the first reason code a page head is dropped like any other line: the line after it
// is read as usual, and a header there is taken. In the completion part page breaks, page
// feet, page heads and end marks are all copied.
TEST(MakerLines, PageHeadsOutsideTheReasonPart) {
  ExpectMade(
      "|\n0 Successful completion (KXCC_OK)\n"
      "\x0c\n\xa9 Copyright\nCompletion and reason codes\nnext\n# not the end\n"
      "Reason codes\n"
      "Completion and reason codes\n"
      "0 X'0000' KXRC_NONE\n"
      "Done.\n",
      MakerText,
      "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
      "\x0c\n\xa9 Copyright\nCompletion and reason codes\nnext\n# not the end\n"
      "[0,KXRC_NONE]\nDone. \n[end]\n",
      11, 2);
}

// Commas in the text fields of a header record (title, name, value) are escaped like the
// commas of any other text, so that a record keeps its fields; text mode keeps them as they
// stand.
TEST(MakerLines, HeaderFieldsEscapedInPalmMode) {
  std::string input =
      "|\n1 Warning, partial (KXCC_WARNING)\n2 Failed (KXCC_FAILED,X)\n"
      "Reason codes\n0 X'0000' KXRC_NONE\n"
      "However, X'0A' is not KXGET, KXPUT\n";
  ExpectMade(input, MakerPalm,
             std::string(kPalmHead) +
                 "\nCC,1,KXCC_WARNING,Warning\\, partial (KXCC_WARNING),"
                 "\nCC,2,KXCC_FAILED\\,X,Failed (KXCC_FAILED\\,X),"
                 "\nRC,0,KXRC_NONE,"
                 "\nRC,However\\,,KXGET\\, KXPUT,",
             6, 4);
  ExpectMade(input, MakerText,
             "[DI1,Version]\n[1,KXCC_WARNING]\nWarning, partial (KXCC_WARNING)\n"
             "[2,KXCC_FAILED,X]\nFailed (KXCC_FAILED,X)\n"
             "[0,KXRC_NONE]\n\n[However,,KXGET, KXPUT]\n\n[end]\n",
             6, 4);
}

TEST(MakerLines, PageHeadAtEndOfInput) {
  ExpectMade(
      "|\n0 Successful completion (KXCC_OK)\nReason codes\n"
      "0 X'0000' KXRC_NONE\nDone.\nCompletion and reason codes\n",
      MakerText,
      "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
      "[0,KXRC_NONE]\nDone. \n[end]\n",
      6, 2);
}

// Lines are text: bytes after a NUL on a line are not written; the line still counts.
TEST(MakerLines, NulByteEndsTheLineText) {
  ExpectMade(std::string("Zarvex\0hidden\n|\n", 16), MakerText, "[DI1,Version]\nZarvex\n\n[end]\n",
             2, 0);
}

// --- FixCommas ---------------------------------------------------------------------------

TEST(MakerFixCommas, LineWithoutCommaIsReturnedItself) {
  const char* line = "no comma here";
  char scratch[1];
  EXPECT_EQ(FixCommas(line, scratch), line);
}

TEST(MakerFixCommas, WorstCaseFitsTheSizeGiven) {
  const char* line = ",,,,,";
  // Exactly the size promised, on the heap, so that the sanitizers see any overrun.
  char* scratch = static_cast<char*>(malloc(FixCommasSize(strlen(line))));
  ASSERT_NE(scratch, nullptr);
  EXPECT_STREQ(FixCommas(line, scratch), "\\,\\,\\,\\,\\,");
  EXPECT_STREQ(FixCommas("a,b c,", scratch), "a\\,b c\\,");
  free(scratch);
}

// --- Failures ----------------------------------------------------------------------------

TEST(MakerFailures, OpenFailure) {
  Result r = Capture([] { return MakeDescriptions("no-such-manual.txt", MakerText); });
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Error: Can't open file 'no-such-manual.txt' to read: (2) No such file or "
            "directory\n");
}

// A directory opens for reading but cannot be read: the first record fails; what was written
// stays, without the terminator.
TEST(MakerFailures, ReadFailureOnDirectory) {
  Result r = Capture([] { return MakeDescriptions(".", MakerText); });
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "[DI1,Version]\n");
  EXPECT_EQ(r.err, "Error: Can't read file '.' record 1: (21) Is a directory\n");

  r = Capture([] { return MakeDescriptions(".", MakerPalm); });
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, kPalmHead);
  EXPECT_EQ(r.err, "Error: Can't read file '.' record 1: (21) Is a directory\n");
}

// A stream that delivers its bytes up to a point and then fails with EIO.
struct FailingSource {
  std::string bytes;
  size_t pos;
};

ssize_t FailingRead(void* cookie, char* buf, size_t size) {
  auto* src = static_cast<FailingSource*>(cookie);
  size_t n = std::min(size, src->bytes.size() - src->pos);
  if (n == 0) {
    errno = EIO;
    return -1;
  }
  memcpy(buf, src->bytes.data() + src->pos, n);
  src->pos += n;
  return static_cast<ssize_t>(n);
}

int FailingClose(void*) {
  return 0;
}

Result MakeFromFailingSource(const std::string& bytes, int mode) {
  FailingSource src{bytes, 0};
  cookie_io_functions_t io{FailingRead, nullptr, nullptr, FailingClose};
  return Capture([&] {
    FILE* in = fopencookie(&src, "r", io);
    return in ? MakeDescriptionsFrom(in, "manual", mode) : -1;
  });
}

TEST(MakerFailures, ReadFailureMidFileKeepsOutput) {
  Result r = MakeFromFailingSource("Edition 12\n|\n0 Successful completion (KXCC_OK)\nThe call co",
                                   MakerText);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "[DI1,Version]\nEdition 12\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n");
  EXPECT_EQ(r.err, "Error: Can't read file 'manual' record 4: (5) Input/output error\n");
}

// The line after a page head is read, not counted; its read failure is reported all the same.
TEST(MakerFailures, ReadFailureAfterPageHead) {
  Result r = MakeFromFailingSource(
      "|\n0 Successful completion (KXCC_OK)\nReason codes\n"
      "0 X'0000' KXRC_NONE\nAll done.\nCompletion and reason codes\n",
      MakerPalm);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, std::string(kPalmHead) +
                       "\nCC,0,KXCC_OK,Successful completion (KXCC_OK),"
                       "\nRC,0,KXRC_NONE,All done. ");
  EXPECT_EQ(r.err, "Error: Can't read file 'manual' record 7: (5) Input/output error\n");
}

// A real close failure: the descriptor under the stream is closed after the stream has
// buffered the whole input, which ends at the end mark, so nothing more is read from it.
TEST(MakerFailures, CloseFailure) {
  std::string path = "close-failure.in";
  WriteFile(path, "|\n0 Successful completion (KXCC_OK)\nReason codes\n0 X'0000' KXRC_NONE\n#\n");
  Result r = Capture([&] {
    FILE* in = fopen(path.c_str(), "r");
    if (!in)
      return -1;
    ungetc(getc(in), in);  // fills the stream's buffer
    close(fileno(in));
    return MakeDescriptionsFrom(in, path.c_str(), MakerText);
  });
  remove(path.c_str());
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out,
            "[DI1,Version]\n[0,KXCC_OK]\nSuccessful completion (KXCC_OK)\n"
            "[0,KXRC_NONE]\n\n[end]\n");
  EXPECT_EQ(r.err, "Error: Can't close file 'close-failure.in': (9) Bad file descriptor\n");
}

// Output that cannot be written is a failure, not a finished conversion.
TEST(MakerFailures, WriteFailure) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(MAKER_FIXTURES), 0);
  Result r = Capture([] { return MakeDescriptions("manual.txt", MakerText); }, "/dev/full");
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.err, "Error: Can't write to stdout: (28) No space left on device\n");
}

}  // namespace
