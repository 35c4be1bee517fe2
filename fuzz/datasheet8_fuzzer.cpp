// Fuzzes the 8-bit datasheet scanner: the input is the converted datasheet, scanned
// against the tables that the include reader filled from the example device
// (examples/mpasm). The completions and the 8-bit writer then run on what it left.
#include "creator/bnf_file.h"
#include "creator/datasheet8.h"
#include "creator/generation8.h"
#include "fuzz/table_checks.h"

using namespace bnf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const CreatorState example = fuzz::ExampleState(u"16F1938");
  fuzz::MemoryFiles files;
  files.Put(u"C:\\in\\ds.txt", fuzz::Bytes(data, size));
  TextFiles text(files, *fuzz::Platform::Get().codec);
  CreatorState s = example;
  s.req.PdfTextFile = u"C:\\in\\ds.txt";
  test::SilentView view;
  try {
    ReadThePDF8(s, text, view);
  } catch (const BnfError&) {
    return 0;  // more generic headings than NotFound holds, or UTF-16 text: reported
  }
  fuzz::Check(s.tables.RegCount() == example.tables.RegCount(), "the 8-bit scan adds no registers");
  fuzz::Check(s.tables.BitCount() == example.tables.BitCount(), "the 8-bit scan adds no bits");
  CompleteRegisterDescriptions(s.tables, s.names);
  CompleteBitDescriptions(s.tables, s.names);
  CompletePages(s.tables);
  fuzz::CheckTables(s.tables);
  Write8BitLines(s.tables);
  return 0;
}
