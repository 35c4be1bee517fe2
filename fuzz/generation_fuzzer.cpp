// Fuzzes whole command-line generations (a byte for the road, even: 8-bit; the device file;
// "@@@@"; the datasheet), so every reader and writer sees the input. Checked: the tables'
// capacities and finders; no file but whole BitName files in the two BitName folders;
// success reported only with the user's file written; no exception but the tool's own.
#include <algorithm>
#include <unordered_set>

#include "creator/bnf_file.h"
#include "creator/main_form.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fakes.h"

using namespace bnf;

namespace {

// The first row whose key is `key`, as a walk in row order finds it.
template <typename Row>
int32_t WalkFirst(const Table<Row>& table, std::u16string_view key) {
  for (int32_t i = 1; i <= table.Counter(); ++i)
    if (KeyOf(table[i]) == key) return i;
  return -1;
}

// The rows sampled, where blocks begin and end: the first and the last 32.
int32_t NextSample(int32_t i, int32_t counter) {
  return i == 32 ? std::max(33, counter - 32) : i + 1;
}

void CheckTables(const DeviceTables& t) {
  fuzz::Check(t.RegCount() - 1 <= kRegCapacity, "RegTable within its capacity");
  fuzz::Check(t.BitCount() - 1 <= kBitCapacity, "BitTable within its capacity");
  fuzz::Check(t.NotFoundCount() - 1 <= kNotFoundCapacity, "NotFound within its capacity");
  for (int32_t i = 1; i <= t.RegCount(); i = NextSample(i, t.RegCount())) {
    const std::u16string& name = t.RegTable[i].name;
    const int32_t walked = IsBlank(name) ? -1 : WalkFirst(t.RegTable, name);
    fuzz::Check(t.FindRegister(name) == walked, "FindRegister answers as a walk");
  }
  for (int32_t i = 1; i <= t.BitCount(); i = NextSample(i, t.BitCount())) {
    const std::u16string& owner = t.BitTable[i].owner;
    const int32_t walked = WalkFirst(t.BitTable, owner);
    fuzz::Check(t.FindFirstBit4Reg(owner) == walked, "FindFirstBit4Reg answers as a walk");
    fuzz::Check(t.FindRegisterInBit(owner) == (IsBlank(owner) ? -1 : walked),
                "FindRegisterInBit answers as a walk");
  }
}

// True when a line of `text` is a register line of a register of the tables.
bool HoldsRegisterLine(const DeviceTables& t, const std::u16string& text) {
  std::unordered_set<std::u16string> names;
  for (int32_t i = 1; i < t.RegCount(); ++i) names.insert(t.RegTable[i].name);
  for (const std::u16string& line : SplitLines(text)) {
    for (std::size_t eq = 0; (eq = line.find(u"=\"", eq + 1)) != std::u16string::npos;)
      if (names.count(line.substr(0, eq)) != 0) return true;
  }
  return false;
}

// One command-line generation of the device from its device file and datasheet, checked;
// true when the user's file was written.
bool Generate(bool eightBit, const std::string& device, const std::string& sheet) {
  static const NameTables kNames = fuzz::ExampleNames();
  const fuzz::Platform& platform = fuzz::Platform::Get();
  const std::u16string type = eightBit ? u"16F1938" : u"24FJ64GA002";
  fuzz::MemoryFiles files;
  files.Put(u"C:\\dev\\P" + type + (eightBit ? u".inc" : u".KDX"), device);
  files.Put(u"C:\\in\\ds.txt", sheet);
  test::SilentView view;
  test::ScriptedDialogs dialogs;
  test::FakeRegistry registry;
  test::FakeShell shell;
  TfBNF form(Services{*platform.collator, files, *platform.codec, dialogs, view, *platform.folders,
                      registry, shell},
             {type, u"C:\\in\\ds.txt"});
  CreatorState& s = form.state();
  s.names = kNames;
  s.dirs.Mplab8Dir = s.dirs.KdxDir = u"C:\\dev\\";
  s.dirs.BNFLocation = u"C:\\bnf";
  s.dirs.IdeBnfDir = u"C:\\ide\\";
  s.FirstShow = true;
  try {
    form.FormShow();
  } catch (const BnfError&) {
    // The tool's own errors end a run (Guard shows them); any other escapes as a fault.
  }

  CheckTables(s.tables);
  fuzz::Check(s.RegisterList.Count() <= static_cast<std::size_t>(s.tables.RegCount() - 1),
              "one RegisterList entry at most per register row");
  for (const std::u16string& path : files.written) {
    fuzz::Check(path.starts_with(u"C:\\BNF\\") || path.starts_with(u"C:\\IDE\\"),
                "files are written only in the two BitName folders");
    if (!path.ends_with(u".BNF")) continue;
    const std::u16string text = platform.codec->Decode(files.ReadFile(path));
    fuzz::Check(text.starts_with(kBnfHeader), "every written file starts with its header");
    fuzz::Check(text.find(u'\0') == std::u16string::npos, "no written file holds a NUL");
    fuzz::Check(HoldsRegisterLine(s.tables, text), "every written file holds a register line");
  }
  const bool written = files.written.count(u"C:\\BNF\\P" + UpperCase(type) + u".BNF") != 0;
  for (const std::u16string& text : dialogs.Texts(test::ShownBox::Message)) {
    fuzz::Check(written || !text.starts_with(u"The BitName file is"),
                "success is reported only with the user's file written");
  }
  fuzz::Check(form.ExitCode() == (written ? 0 : 1), "a run that wrote nothing ends with 1");
  return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool kExamplesWrite = Generate(true, fuzz::Example("mpasm/P16F1938.inc"),
                                              fuzz::Example("datasheets/16F1938.txt")) &&
                                     Generate(false, fuzz::Example("kdx/P24FJ64GA002.KDX"),
                                              fuzz::Example("datasheets/24FJ64GA002.txt"));
  fuzz::Check(kExamplesWrite, "the examples' generations write their files");
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t cut = input.find("@@@@");
  Generate(data[0] % 2 == 0, input.substr(0, cut),
           cut == std::string::npos ? "" : input.substr(cut + 4));
  return 0;
}
