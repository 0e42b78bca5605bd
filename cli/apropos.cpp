// apropos: word search over the sections that the store's walk hands over, ranked by the rank
// module.
#include "apropos.h"

#include <cstring>
#include <new>

#include "error.h"
#include "store.h"

namespace {

struct Collector {
  std::vector<WordFinder> finders;  // longest first: a long word rules a section out soonest
  std::vector<CodeEntry>* out;
  long sections = 0;
  long code_sections = 0;
  bool out_of_memory = false;
  bool text_cut = false;  // a description too long to search was met (and reported)
};

void Collect(const StoreSection& s, void* context) {
  Collector& c = *static_cast<Collector*>(context);
  const long order = c.sections++;
  if (s.kind != 'C' && s.kind != 'R') {
    return;  // the version section is no code
  }
  c.code_sections++;
  if (s.text_cut && !c.finders.empty()) {
    // Its words cannot be judged; it is reported once, as tavlo reports it, and passed over.
    PrintError(kNoErrno, "Can't find end of description: Hdr='%.*s' MaxLen=%ld", s.header_len,
               s.header, kDescWindowSize);
    c.text_cut = true;
    return;
  }
  const int rank = SectionRank(c.finders, s.name, s.name_len, s.text, s.text_len, '\n');
  if (rank < 0 || c.out_of_memory) {
    return;
  }
  CodeEntry e;
  e.rank = rank;
  e.value = s.value;
  e.order = order;
  e.name_len = s.name_len < static_cast<int>(sizeof e.name) ? s.name_len : sizeof e.name;
  memcpy(e.name, s.name, static_cast<size_t>(e.name_len));
  try {
    c.out->push_back(e);
  } catch (const std::bad_alloc&) {
    c.out_of_memory = true;
  }
}

}  // namespace

int CollectCodes(const std::vector<std::string>& words, std::vector<CodeEntry>* out,
                 long* code_sections) {
  Collector c;
  c.out = out;
  c.finders = SectionFinders(words);
  int status = WalkSections(Collect, &c);
  *code_sections = c.code_sections;
  if (status == kStoreOk && c.out_of_memory) {
    PrintError(kNoErrno, "Unable to allocate memory for the list of codes");
    status = kStoreNoMemory;
  }
  if (status == kStoreOk && c.text_cut) {
    status = kStoreDescEndMissing;
  }
  return status;
}

void SortCodes(std::vector<CodeEntry>* codes) {
  SortByRank(codes);
}
