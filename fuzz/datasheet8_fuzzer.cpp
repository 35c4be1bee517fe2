// Fuzzes the 8-bit datasheet scanner: the input is the converted datasheet, scanned
// against the tables that the include reader filled from the example device
// (examples/mpasm). The completions and the 8-bit writer then run on what it left.
#include <cstddef>
#include <cstdint>

#include "common/text_file.h"
#include "creator/bnf_file.h"
#include "creator/creator_state.h"
#include "creator/datasheet8.h"
#include "creator/generation8.h"
#include "creator/include_reader.h"
#include "creator/name_tables.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/table_checks.h"

using namespace bnf;

namespace {

constexpr std::u16string_view kDatasheet = u"C:\\data\\datasheet.txt";

// The example device's files, and its state once the include file and the name
// tables are read; each input starts from a copy.
struct Example {
  fuzz::MemoryFiles files;
  CreatorState state{*fuzz::Platform::Get().collator};

  Example() {
    fuzz::ReadExampleNames(files, state);
    files.Put(u"C:\\mpasm\\P16F1938.inc", fuzz::SourceFile("examples/mpasm/P16F1938.inc"));
    TextFiles text(files, *fuzz::Platform::Get().codec);
    state.dirs.Mplab8Dir = u"C:\\mpasm\\";
    GetInc(state, text, u"16F1938");
    state.req.PdfTextFile = std::u16string(kDatasheet);
    fuzz::Check(state.tables.BitCount() > 1, "the example's bits are read");
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
  try {
    ReadThePDF8(s, text, view);
  } catch (const CapacityError&) {
    return 0;  // more generic headings than NotFound holds: reported, nothing written
  }
  fuzz::Check(s.tables.RegCount() == example.state.tables.RegCount(),
              "the 8-bit scan adds no registers");
  fuzz::Check(s.tables.BitCount() == example.state.tables.BitCount(),
              "the 8-bit scan adds no bits");
  CompleteRegisterDescriptions(s.tables, s.names);
  CompleteBitDescriptions(s.tables, s.names);
  CompletePages(s.tables);
  fuzz::CheckTables(s.tables);
  Write8BitLines(s.tables);
  return 0;
}
