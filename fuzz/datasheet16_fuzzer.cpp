// Fuzzes the 16-bit datasheet scanner: the input is the converted datasheet, scanned
// against the tables that the KDX reader filled from the example device (examples/kdx).
// The 16-bit writer then runs on what it left.
#include "creator/datasheet16.h"
#include "creator/generation16.h"
#include "fuzz/table_checks.h"

using namespace bnf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const CreatorState example = fuzz::ExampleState(u"24FJ64GA002");
  fuzz::MemoryFiles files;
  files.Put(u"C:\\in\\ds.txt", fuzz::Bytes(data, size));
  TextFiles text(files, *fuzz::Platform::Get().codec);
  CreatorState s = example;
  s.req.PdfTextFile = u"C:\\in\\ds.txt";
  test::SilentView view;
  test::SilentDialogs dialogs;
  try {
    ReadThePDF16(s, text, view);
  } catch (const BnfError&) {
    return 0;  // a table is full, or the file is UTF-16 text: reported, nothing written
  }
  fuzz::CheckTables(s.tables);
  Write16BitLines(s, dialogs);
  s.WorkList.SetSorted(true);
  return 0;
}
