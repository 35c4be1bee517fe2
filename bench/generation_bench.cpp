// The two generations on generated devices at 1x, 4x, 16x and 48x (bench/inputs.h),
// reading the same datasheet's bytes and decoding them alone (the floor that every
// generation pays and that docs/performance.md compares against), and reading it as
// lines. Each generation runs the steps of its road (TfBNF::Doe8Bit, TfBNF::Doe16Bit)
// without the dialogs, on the real files.
//
// `bnf_bench --peak=8bit` (or 16bit, optionally `--scale=N`, 16 by default) runs one
// generation instead and prints its peak resident size above the program's own.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "bench/inputs.h"
#include "common/text_file.h"
#include "creator/bnf_file.h"
#include "creator/creator_state.h"
#include "creator/datasheet16.h"
#include "creator/datasheet8.h"
#include "creator/generation16.h"
#include "creator/generation8.h"
#include "creator/include_reader.h"
#include "creator/kdx_reader.h"
#include "creator/main_view.h"
#include "creator/name_tables.h"
#include "platform/platform.h"
#include "tests/support/silent_services.h"

namespace bnf::bench {

namespace {

namespace fs = std::filesystem;

std::u16string ToolPath(const fs::path& p) {
  std::u16string s = p.u16string();
  for (char16_t& c : s) {
    if (c == u'/') c = u'\\';
  }
  return s;
}

void Write(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

// The platform and one folder per scale holding that scale's files, made on first use
// and removed at exit.
class Workspace {
 public:
  Workspace()
      : files_(MakeFileSystem()),
        codec_(MakeAnsiCodec()),
        collator_(MakeCollator()),
        text_(*files_, *codec_),
        root_(fs::temp_directory_path() / ("bnf-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(root_);
    Write(root_ / "StandardSFR.txt", StandardSfrText());
    Write(root_ / "StandardBIT.txt", StandardBitText());
    Directories dirs;
    dirs.ToolDir = ToolPath(root_) + u"\\";
    test::SilentDialogs dialogs;
    ReadSFR_BITFiles(names_, dirs, text_, /*Standard=*/true, dialogs);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  static Workspace& Get() {
    static Workspace workspace;
    return workspace;
  }

  const TextFiles& text() const { return text_; }
  const FileSystem& files() const { return *files_; }
  const AnsiCodec& codec() const { return *codec_; }

  // The folder of one scale's files, written on first use.
  std::u16string Folder(int scale) {
    auto found = folders_.find(scale);
    if (found != folders_.end()) return found->second;
    fs::path dir = root_ / ("x" + std::to_string(scale));
    fs::create_directories(dir / "ide");
    Device8 d8 = MakeDevice8(scale);
    Write(dir / ("P" + Narrow(kType8) + ".inc"), d8.include);
    Write(dir / "datasheet8.txt", d8.datasheet);
    Device16 d16 = MakeDevice16(scale);
    Write(dir / ("P" + Narrow(kType16) + ".KDX"), d16.kdx);
    Write(dir / "datasheet16.txt", d16.datasheet);
    sizes_[{scale, true}] = d8.datasheet.size();
    sizes_[{scale, false}] = d16.datasheet.size();
    return folders_[scale] = ToolPath(dir);
  }

  // The size in bytes of one scale's datasheet.
  double DatasheetBytes(int scale, bool is8Bit) {
    Folder(scale);
    return static_cast<double>(sizes_[{scale, is8Bit}]);
  }

  // A fresh state for one request on the files of `scale`, as after start-up.
  std::unique_ptr<CreatorState> Request(int scale, bool is8Bit) {
    std::u16string folder = Folder(scale);
    auto s = std::make_unique<CreatorState>(*collator_);
    s->names = names_;
    s->dirs.Mplab8Dir = folder + u"\\";
    s->dirs.KdxDir = folder + u"\\";
    s->dirs.BNFLocation = folder;
    s->dirs.IdeBnfDir = folder + u"\\ide\\";
    s->req.Is8Bit = is8Bit;
    s->req.DeviceType = is8Bit ? kType8 : kType16;
    s->req.PdfTextFile = folder + (is8Bit ? u"\\datasheet8.txt" : u"\\datasheet16.txt");
    return s;
  }

 private:
  static std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<AnsiCodec> codec_;
  std::unique_ptr<Collator> collator_;
  TextFiles text_;
  fs::path root_;
  NameTables names_;
  std::map<int, std::u16string> folders_;
  std::map<std::pair<int, bool>, std::size_t> sizes_;
};

void Generate8(CreatorState& s, const TextFiles& text, MainView& view) {
  Request& req = s.req;
  req.OutFile = BnfFileName(s.dirs.BNFLocation, req.DeviceType);
  GetInc(s, text, req.DeviceType);
  ReadThePDF8(s, text, view);
  CompleteRegisterDescriptions(s.tables, s.names);
  CompleteBitDescriptions(s.tables, s.names);
  CompletePages(s.tables);
  s.Memo1 = Write8BitLines(s.tables);
  text.WriteLines(req.OutFile, s.Memo1);
}

void Generate16(CreatorState& s, const TextFiles& text, MainView& view, Dialogs& dialogs) {
  Request& req = s.req;
  req.OutFile = BnfFileName(s.dirs.BNFLocation, req.DeviceType);
  if (GetTheKDX(s, text, req.DeviceType) != KdxOutcome::Read) throw std::runtime_error("no KDX");
  ReadThePDF16(s, text, view);
  Write16BitLines(s, dialogs);
  const std::string bytes = text.Encode(s.WorkList.Items());
  text.WriteEncoded(req.OutFile, bytes);
  text.WriteEncoded(BnfFileName(s.dirs.IdeBnfDir, req.DeviceType), bytes);
  text.WriteEncoded(req.OutFile, bytes);
  s.WorkList.Clear();
  s.WorkList.SetSorted(true);
}

void Report(benchmark::State& state, const CreatorState& s, bool is8Bit) {
  double bytes = Workspace::Get().DatasheetBytes(static_cast<int>(state.range(0)), is8Bit);
  state.counters["datasheet_MB"] = bytes / 1e6;
  state.counters["registers"] = s.tables.RegCount() - 1;
  state.counters["bit_rows"] = s.tables.BitCount() - 1;
}

void BM_ReadDatasheet(benchmark::State& state, bool is8Bit) {
  Workspace& w = Workspace::Get();
  auto s = w.Request(static_cast<int>(state.range(0)), is8Bit);
  for (auto _ : state) {
    std::vector<std::u16string> read = w.text().ReadLines(s->req.PdfTextFile);
    benchmark::DoNotOptimize(read.data());
  }
  state.counters["datasheet_MB"] = w.DatasheetBytes(static_cast<int>(state.range(0)), is8Bit) / 1e6;
}

void BM_RawRead(benchmark::State& state, bool is8Bit) {
  Workspace& w = Workspace::Get();
  auto s = w.Request(static_cast<int>(state.range(0)), is8Bit);
  for (auto _ : state) {
    std::u16string text = w.codec().Decode(w.files().ReadFile(s->req.PdfTextFile));
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["datasheet_MB"] = w.DatasheetBytes(static_cast<int>(state.range(0)), is8Bit) / 1e6;
}

void BM_Generation8(benchmark::State& state) {
  Workspace& w = Workspace::Get();
  test::SilentView view;
  std::unique_ptr<CreatorState> s;
  for (auto _ : state) {
    state.PauseTiming();
    s = w.Request(static_cast<int>(state.range(0)), true);
    state.ResumeTiming();
    Generate8(*s, w.text(), view);
  }
  Report(state, *s, true);
}

void BM_Generation16(benchmark::State& state) {
  Workspace& w = Workspace::Get();
  test::SilentView view;
  test::SilentDialogs dialogs;
  std::unique_ptr<CreatorState> s;
  for (auto _ : state) {
    state.PauseTiming();
    s = w.Request(static_cast<int>(state.range(0)), false);
    state.ResumeTiming();
    Generate16(*s, w.text(), view, dialogs);
  }
  Report(state, *s, false);
}

void Scales(benchmark::internal::Benchmark* b) {
  b->Arg(1)->Arg(4)->Arg(16)->Arg(48)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_RawRead, 8bit, true)->Apply(Scales);
BENCHMARK_CAPTURE(BM_ReadDatasheet, 8bit, true)->Apply(Scales);
BENCHMARK(BM_Generation8)->Apply(Scales);
BENCHMARK_CAPTURE(BM_RawRead, 16bit, false)->Apply(Scales);
BENCHMARK_CAPTURE(BM_ReadDatasheet, 16bit, false)->Apply(Scales);
BENCHMARK(BM_Generation16)->Apply(Scales);

// A figure of /proc/self/status in KB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field) && line[std::strlen(field)] == ':') {
      return std::stol(line.substr(std::strlen(field) + 1));
    }
  }
  return -1;
}

// One generation in this process: its peak resident size above what the process held
// before it (the files are made and the name tables read first).
int PeakMode(bool is8Bit, int scale) {
  Workspace& w = Workspace::Get();
  std::unique_ptr<CreatorState> s = w.Request(scale, is8Bit);
  double megabytes = w.DatasheetBytes(scale, is8Bit) / 1e6;
  ::malloc_trim(0);
  long baseline = StatusKb("VmRSS");
  // Writing 5 starts the high-water mark afresh at the present size.
  std::ofstream("/proc/self/clear_refs") << "5";
  test::SilentView view;
  test::SilentDialogs dialogs;
  if (is8Bit) {
    Generate8(*s, w.text(), view);
  } else {
    Generate16(*s, w.text(), view, dialogs);
  }
  long peak = StatusKb("VmHWM");
  double above = static_cast<double>(peak - baseline) / 1000.0;
  std::printf(
      "%s %dx: datasheet %.2f MB, baseline %.1f MB, peak %.1f MB above it (%.2f times the "
      "datasheet)\n",
      is8Bit ? "8-bit" : "16-bit", scale, megabytes, static_cast<double>(baseline) / 1000.0, above,
      above / megabytes);
  return 0;
}

}  // namespace

}  // namespace bnf::bench

int main(int argc, char** argv) {
  std::string_view peak;
  int scale = 16;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--peak=")) peak = arg.substr(7);
    if (arg.starts_with("--scale=")) scale = std::stoi(std::string(arg.substr(8)));
  }
  if (peak == "8bit" || peak == "16bit") return bnf::bench::PeakMode(peak == "8bit", scale);
  // Freed memory stays in the process, so a run pays for its own work rather than for
  // the first touch of pages the allocator happened to hand back to the system: without
  // this, reading the same 5 MB costs 4 ms or 16 ms depending on what ran before.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
