// Fuzzes the MPASM include reader: the input is the device's include file. The reader
// must stop at the end of any file, store what it read, report a full table as an error,
// and leave tables whose finders still answer as a walk; the 8-bit writer then runs on them.
#include "creator/bnf_file.h"
#include "creator/include_reader.h"
#include "fuzz/table_checks.h"

using namespace bnf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const fuzz::Platform& platform = fuzz::Platform::Get();
  fuzz::MemoryFiles files;
  files.Put(u"C:\\MPASM\\P16F1938.INC", fuzz::Bytes(data, size));
  TextFiles text(files, *platform.codec);
  CreatorState s(*platform.collator);
  s.dirs.Mplab8Dir = u"C:\\mpasm\\";
  try {
    GetInc(s, text, u"16F1938");
  } catch (const BnfError&) {
    // More rows than the tables hold, or UTF-16 text: the user is told, nothing is written.
  }
  fuzz::Check(s.WorkList.Empty(), "WorkList empty after GetInc");
  fuzz::Check(s.req.DeviceNumber == u"1938", "DeviceNumber set");
  fuzz::CheckTables(s.tables);
  std::vector<std::u16string> lines = Write8BitLines(s.tables);
  fuzz::Check(!lines.empty() && lines.front() == kBnfHeader, "the file starts with its header");
  return 0;
}
