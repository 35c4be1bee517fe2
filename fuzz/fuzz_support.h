// What the fuzz targets share: services made once, files in memory (each input costs
// microseconds), and a check that crashes the run, so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/errors.h"
#include "common/text_file.h"
#include "common/text_utils.h"
#include "creator/creator_state.h"
#include "creator/name_tables.h"
#include "platform/platform.h"
#include "tests/support/silent_services.h"
#include "tests/support/test_paths.h"

namespace bnf::fuzz {

inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

struct Platform {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::unique_ptr<Collator> collator = MakeCollator();
  std::unique_ptr<Folders> folders = MakeFolders();  // asked for nothing on the disk

  static const Platform& Get() {
    static const Platform platform;
    return platform;
  }
};

// Files by Windows path, letter case not counting; `written`: the tool's, upper-cased.
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

inline std::string Example(const char* relative) {
  return test::ReadBytes(std::string(BNF_SOURCE_DIR) + "/examples/" + relative);
}

// The examples' standard name tables, as start-up reads them.
inline NameTables ExampleNames() {
  Directories dirs;
  dirs.ToolDir = test::SourcePath("examples/tool") + u"\\";
  NameTables names;
  test::SilentDialogs dialogs;
  ReadSFR_BITFiles(names, dirs, TextFiles(*MakeFileSystem(), *Platform::Get().codec), true,
                   dialogs);
  return names;
}

}  // namespace bnf::fuzz
