// What the fuzz targets share: the native codec and collator made once per process, an
// in-memory file system (no disk in the loop, so each input costs microseconds), silent
// view and dialogs, the examples' files, and a check that crashes the run when an
// invariant of the tool breaks, so libFuzzer keeps the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "common/text_file.h"
#include "creator/creator_state.h"
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

  static const Platform& Get() {
    static const Platform platform;
    return platform;
  }
};

// Files by Windows path, letter case not counting, held in memory.
class MemoryFiles : public FileSystem {
 public:
  void Put(std::u16string_view path, std::string bytes) { files_[Fold(path)] = std::move(bytes); }

  bool FileExists(std::u16string_view path) const override { return files_.count(Fold(path)) != 0; }
  std::string ReadFile(std::u16string_view path) const override {
    auto found = files_.find(Fold(path));
    if (found == files_.end()) throw FileError(u"Cannot open " + std::u16string(path));
    return found->second;
  }
  void ReplaceFile(std::u16string_view path, std::string_view bytes) override {
    files_[Fold(path)] = std::string(bytes);
  }

 private:
  static std::u16string Fold(std::u16string_view path) {
    std::u16string folded(path);
    for (char16_t& c : folded) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return folded;
  }
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

// The examples' standard name tables, read into `state` as start-up reads them, from
// `files` (which then holds them under C:\tool\).
inline void ReadExampleNames(MemoryFiles& files, CreatorState& state) {
  files.Put(u"C:\\tool\\StandardSFR.txt", SourceFile("examples/tool/StandardSFR.txt"));
  files.Put(u"C:\\tool\\StandardBIT.txt", SourceFile("examples/tool/StandardBIT.txt"));
  TextFiles text(files, *Platform::Get().codec);
  test::SilentDialogs dialogs;
  state.dirs.ToolDir = u"C:\\tool\\";
  ReadSFR_BITFiles(state.names, state.dirs, text, /*Standard=*/true, dialogs);
}

}  // namespace bnf::fuzz
