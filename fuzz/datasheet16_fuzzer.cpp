// Fuzzes the 16-bit datasheet scanner: the input is the converted datasheet, scanned
// against the tables that the KDX reader filled from the example device (examples/kdx).
// The 16-bit writer then runs on what it left.
#include <cstddef>
#include <cstdint>

#include "common/text_file.h"
#include "creator/creator_state.h"
#include "creator/datasheet16.h"
#include "creator/generation16.h"
#include "creator/kdx_reader.h"
#include "creator/name_tables.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/table_checks.h"

using namespace bnf;

namespace {

constexpr std::u16string_view kDatasheet = u"C:\\data\\datasheet.txt";

struct Example {
  CreatorState state{*fuzz::Platform::Get().collator};

  Example() {
    fuzz::MemoryFiles files;
    fuzz::ReadExampleNames(files, state);
    files.Put(u"C:\\kdx\\P24FJ64GA002.KDX", fuzz::SourceFile("examples/kdx/P24FJ64GA002.KDX"));
    TextFiles text(files, *fuzz::Platform::Get().codec);
    state.dirs.KdxDir = u"C:\\kdx\\";
    fuzz::Check(GetTheKDX(state, text, u"24FJ64GA002") == KdxOutcome::Read,
                "the example's KDX file is read");
    state.req.PdfTextFile = std::u16string(kDatasheet);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const Example example;
  fuzz::MemoryFiles files;
  files.Put(kDatasheet, fuzz::Bytes(data, size));
  TextFiles text(files, *fuzz::Platform::Get().codec);
  CreatorState s = example.state;
  test::SilentView view;
  test::SilentDialogs dialogs;
  try {
    ReadThePDF16(s, text, view);
  } catch (const CapacityError&) {
    return 0;  // a table is full: reported, nothing written
  }
  fuzz::CheckTables(s.tables);
  Write16BitLines(s, dialogs);
  s.WorkList.SetSorted(true);
  return 0;
}
