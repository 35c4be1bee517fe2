// Fuzzes the name-table reader and the two default-description lookups: the input, split
// at its first NUL into the register-name and bit-name files (both the same without one),
// read as the standard and the private files, then looked up with names old and new.
#include <vector>

#include "fuzz/fuzz_support.h"

using namespace bnf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t nul = input.find('\0');
  std::string sfr = input.substr(0, nul);
  std::string bit = nul == std::string::npos ? input : input.substr(nul + 1);
  fuzz::MemoryFiles files;
  files.Put(u"C:\\tool\\StandardSFR.txt", sfr);
  files.Put(u"C:\\tool\\StandardBIT.txt", bit);
  files.Put(u"C:\\profile\\PrivateSFR.txt", bit);
  files.Put(u"C:\\profile\\PrivateBit.txt", sfr);
  TextFiles text(files, *fuzz::Platform::Get().codec);
  Directories dirs;
  dirs.ToolDir = u"C:\\tool\\";
  dirs.ProfileDir = u"C:\\profile";
  test::SilentDialogs dialogs;
  NameTables names;
  try {
    for (bool standard : {true, false}) {
      ReadSFR_BITFiles(names, dirs, text, standard, dialogs);
      fuzz::Check(names.SfrNameCount() - 1 <= kNameCapacity, "SfrNames within its capacity");
      fuzz::Check(names.BitNameCount() - 1 <= kNameCapacity, "BitNames within its capacity");
      fuzz::Check(names.SfrStdEnd >= 1 && names.SfrStdEnd <= names.SfrNameCount(),
                  "the private register rows follow the standard ones");
      fuzz::Check(names.BitStdEnd >= 1 && names.BitStdEnd <= names.BitNameCount(),
                  "the private bit rows follow the standard ones");
    }
  } catch (const RefusedInputError&) {
    return 0;  // a file saved as UTF-16 text is refused as a whole
  }
  // Looked up: the example's names, and the first lines of the input, whole and before "=".
  std::vector<std::u16string> asked = {u"STATUS",  u"STATUS_SHAD", u"TMR1H",  u"ADRESL",
                                       u"T3CON",   u"FSR0L",       u"INTCON", u"NOT_T3SYNC",
                                       u"T3CKPS1", u"GO_NOT_DONE", u"TMR3ON", u"",
                                       u"   ",     u"=X",          u"A=B"};
  const std::vector<std::u16string> lines = text.ReadLines(u"C:\\tool\\StandardSFR.txt");
  for (std::size_t i = 0; i < lines.size() && i < 8; ++i) {
    asked.push_back(lines[i]);
    asked.push_back(lines[i].substr(0, lines[i].find(u'=')));
  }
  for (const std::u16string& name : asked) {
    GetDefaultSFR(names, name);
    GetDefaultBit(names, name);
  }
  return 0;
}
