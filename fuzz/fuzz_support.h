// What the fuzz targets share (they include it for the core's common headers too): the
// native services made once per process, an in-memory file system (no disk in the loop,
// so each input costs microseconds), silent view and dialogs, the examples' files and
// state, and a check that crashes the run when an invariant of the tool breaks, so
// libFuzzer keeps the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "creator/creator_state.h"
#include "creator/include_reader.h"
#include "creator/kdx_reader.h"
#include "creator/main_view.h"
#include "creator/name_tables.h"
#include "platform/platform.h"
#include "tests/support/silent_services.h"

namespace bnf::fuzz {

// Ends the run as a crash: libFuzzer then saves the input that broke `what`.
inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// The platform services that hold no per-input state, made once.
struct Platform {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::unique_ptr<Collator> collator = MakeCollator();
  std::unique_ptr<Folders> folders = MakeFolders();  // asked for nothing on the disk

  static const Platform& Get() {
    static const Platform platform;
    return platform;
  }
};

// Files by Windows path, letter case not counting, held in memory; `written` holds the
// upper-cased paths of the files the tool wrote.
class MemoryFiles : public FileSystem {
 public:
  void Put(std::u16string_view path, std::string bytes) { files_[UpperCase(path)] = bytes; }

  bool FileExists(std::u16string_view path) const override {
    return files_.count(UpperCase(path)) != 0;
  }
  std::string ReadFile(std::u16string_view path) const override {
    auto found = files_.find(UpperCase(path));
    if (found == files_.end()) throw FileError(u"Cannot open " + std::u16string(path));
    return found->second;
  }
  void ReplaceFile(std::u16string_view path, std::string_view bytes) override {
    Put(path, std::string(bytes));
    written.insert(UpperCase(path));
  }
  std::set<std::u16string> written;

 private:
  std::map<std::u16string, std::string> files_;
};

// A file of the repository (relative path with '/') as bytes.
inline std::string SourceFile(const char* relative) {
  std::ifstream in(std::string(BNF_SOURCE_DIR) + "/" + relative, std::ios::binary);
  Check(static_cast<bool>(in), relative);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline std::string Bytes(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A state as start-up and the device-file reader leave it: the examples' standard name
// tables, and the example device `type`'s include or KDX file read (none for "").
inline CreatorState ExampleState(std::u16string_view type) {
  MemoryFiles files;
  files.Put(u"C:\\tool\\StandardSFR.txt", SourceFile("examples/tool/StandardSFR.txt"));
  files.Put(u"C:\\tool\\StandardBIT.txt", SourceFile("examples/tool/StandardBIT.txt"));
  files.Put(u"C:\\dev\\P16F1938.inc", SourceFile("examples/mpasm/P16F1938.inc"));
  files.Put(u"C:\\dev\\P24FJ64GA002.KDX", SourceFile("examples/kdx/P24FJ64GA002.KDX"));
  TextFiles text(files, *Platform::Get().codec);
  CreatorState s(*Platform::Get().collator);
  s.dirs.ToolDir = u"C:\\tool\\";
  s.dirs.Mplab8Dir = s.dirs.KdxDir = u"C:\\dev\\";
  test::SilentDialogs dialogs;
  ReadSFR_BITFiles(s.names, s.dirs, text, /*Standard=*/true, dialogs);
  if (type == u"16F1938") GetInc(s, text, type);
  if (type == u"24FJ64GA002") GetTheKDX(s, text, type);
  Check(type.empty() || s.tables.RegCount() > 1, "the example's device file is read");
  return s;
}

}  // namespace bnf::fuzz
