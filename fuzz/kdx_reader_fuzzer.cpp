// Fuzzes the KDX reader: the input is the device's KDX file. Whatever it holds, the
// reader reads the register section or reports that there is none, and the tables and
// RegisterList agree afterwards.
#include "fuzz/table_checks.h"

using namespace bnf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const fuzz::Platform& platform = fuzz::Platform::Get();
  fuzz::MemoryFiles files;
  files.Put(u"C:\\KDX\\P24FJ64GA002.KDX", fuzz::Bytes(data, size));
  TextFiles text(files, *platform.codec);
  CreatorState s(*platform.collator);
  s.dirs.KdxDir = u"C:\\kdx\\";
  KdxOutcome outcome = KdxOutcome::NoFile;
  try {
    outcome = GetTheKDX(s, text, u"24FJ64GA002");
  } catch (const BnfError&) {  // a full table or UTF-16 text: reported
    outcome = KdxOutcome::Read;
  }
  fuzz::Check(outcome != KdxOutcome::NoFile, "the file is found");
  fuzz::Check(s.RegisterList.Count() <= static_cast<std::size_t>(s.tables.RegCount() - 1),
              "one RegisterList entry at most per register row");
  fuzz::Check(s.tables.BitCount() == 1, "the KDX reader stores no bits");
  fuzz::CheckTables(s.tables);
  return 0;
}
