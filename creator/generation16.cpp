// The 16-bit road: the existing-file question, the datasheet, the KDX file, the scan,
// the file's lines in RegisterList order, and the saves into the user's folder and the
// IDE's. Bit lines come in bit-number order through the sorted BitWorkList; the file's
// lines are collected in WorkList with its sorting off; however the run ends, it is
// emptied and its sorting switched on again, because the include reader relies on a
// sorted WorkList (and empties it first: the lines' order is read by nobody).
#include "creator/generation16.h"

#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/text_utils.h"
#include "creator/bnf_file.h"
#include "creator/datasheet16.h"
#include "creator/kdx_reader.h"
#include "creator/main_form.h"
#include "creator/name_tables.h"

namespace bnf {

namespace {

constexpr std::u16string_view kRegisterSeparator = u"\u00FF";
constexpr std::u16string_view kBitSeparator = u"\u00FE";

// One BitWorkList entry, split.
struct BitEntry {
  std::u16string owner;
  std::u16string number;
  std::u16string name;
  std::u16string description;
};

std::u16string JoinBitEntry(const BitRow& bit) {
  std::u16string entry;
  entry.reserve(bit.owner.size() + bit.number.size() + bit.name.size() + bit.description.size() +
                4);
  for (const std::u16string* part : {&bit.owner, &bit.number, &bit.name, &bit.description}) {
    entry += *part;
    entry += kBitSeparator;
  }
  return entry;
}

// Splitting a joined entry gives back its row's fields unless one of them holds the
// separator.
bool SplitsBack(const BitRow& bit) {
  for (const std::u16string* part : {&bit.owner, &bit.number, &bit.name, &bit.description}) {
    if (part->find(kBitSeparator) != std::u16string::npos) return false;
  }
  return true;
}

// The file writes bit numbers without the scanner's leading zero (07 becomes 7).
std::u16string DropLeadingZero(std::u16string number) {
  if (!number.empty() && number.front() == u'0') number.erase(0, 1);
  return number;
}

std::u16string Candidate(std::u16string_view name, std::size_t at, char16_t placeholder) {
  std::u16string candidate(name);
  candidate[at] = placeholder;
  return UpperCase(candidate);
}

// FindGenericRegisterInBit's candidates in their order, each asked of `find` (a first
// row for an upper-cased owner, or -1).
template <typename FindOwner>
int32_t FindGeneric(std::u16string_view sAReg, FindOwner find) {
  for (std::size_t at = 0; at < sAReg.size(); ++at) {
    if (sAReg[at] < u'0' || sAReg[at] > u'9') continue;
    for (char16_t placeholder : {u'X', u'Y'}) {
      int32_t row = find(Candidate(sAReg, at, placeholder));
      if (row > 0) return row;
    }
  }
  return -1;
}

int32_t FindOwnerUpperCase(const DeviceTables& tables, std::u16string_view upperName) {
  for (int32_t i = 1; i <= tables.BitCount(); ++i) {
    if (UpperCase(tables.BitTable[i].owner) == upperName) return i;
  }
  return -1;
}

// The first BitTable row of each upper-cased owner, for the writer, which asks for many
// registers while the tables stay as they are.
class UpperCaseOwners {
 public:
  explicit UpperCaseOwners(const DeviceTables& t) : bitCount_(t.BitCount()) {
    for (int32_t i = 1; i < t.BitCount(); ++i)
      first_.try_emplace(UpperCase(t.BitTable[i].owner), i);
  }
  // As FindOwnerUpperCase, whose walk ends at the empty row at the counter.
  int32_t Find(const std::u16string& upperName) const {
    auto found = first_.find(upperName);
    if (found != first_.end()) return found->second;
    return upperName.empty() ? bitCount_ : -1;
  }

 private:
  int32_t bitCount_;
  std::unordered_map<std::u16string, int32_t> first_;
};

class Writer {
 public:
  Writer(CreatorState& s, Dialogs& dialogs)
      : s_(s), t_(s.tables), dialogs_(dialogs), out_(s.WorkList) {}

  // True when the lines hold a register line.
  bool Run() {
    out_.Clear();
    out_.SetSorted(false);
    out_.Add(std::u16string(kBnfHeader));
    out_.Add(u"");
    for (const std::u16string& entry : s_.RegisterList) RegisterBlock(entry);
    return registerLine_;
  }

 private:
  void RegisterBlock(const std::u16string& entry) {
    s_.TokenPos = 1;
    std::u16string name = NextToken(entry, s_.TokenPos, kRegisterSeparator);
    std::u16string address = NextToken(entry, s_.TokenPos, kRegisterSeparator);
    bool wrote = RegisterPart(name, address);
    if (OwnBits(name)) wrote = true;
    if (wrote) out_.Add(u"");
  }

  // The register line, from the register's own row, its generic register or the name
  // tables. True when a line that needs the block's closing empty line was added.
  bool RegisterPart(const std::u16string& name, const std::u16string& address) {
    int32_t row = t_.FindRegister(name);
    if (row < 1) return false;
    const RegRow& reg = t_.RegTable[row];
    if (!reg.description.empty()) {
      AddRegisterLine(RegisterLine(name, reg.description, address, true, reg.page));
      return true;
    }
    if (!reg.page.empty()) return false;
    int32_t generic = FindGeneric(name, [this](const std::u16string& upper) {
      if (!owners_) owners_.emplace(t_);
      return owners_->Find(upper);
    });
    if (generic > 0) return GenericPart(name, address, generic);
    std::u16string standard = GetDefaultSFR(s_.names, name);
    if (!standard.empty()) {
      // Brings its own empty line: the block may end here without bits.
      AddRegisterLine(RegisterLine(name, standard, address, true, u""));
      out_.Add(u"");
    }
    return false;
  }

  // The generic register's description (without its page) and its bits, written as
  // the register's own.
  bool GenericPart(const std::u16string& name, const std::u16string& address, int32_t first) {
    bool wrote = false;
    const std::u16string generic = t_.BitTable[first].owner;
    int32_t row = t_.FindRegister(generic);
    if (row > 0) {
      AddRegisterLine(RegisterLine(name, t_.RegTable[row].description, address, true, u""));
      wrote = true;
    }
    for (BitEntry& bit : SortedBlock(first, generic, /*withPlaceholder=*/false)) {
      std::u16string number = DropLeadingZero(std::move(bit.number));
      if (IsBlank(bit.description)) dialogs_.ShowMessage(name + u": " + number);
      out_.Add(BitLine(bit.name, name, number, bit.description));
      wrote = true;
    }
    return wrote;
  }

  void AddRegisterLine(std::u16string line) {
    out_.Add(std::move(line));
    registerLine_ = true;
  }

  bool OwnBits(const std::u16string& name) {
    int32_t first = t_.FindRegisterInBit(name);
    if (first < 1) return false;
    bool wrote = false;
    for (BitEntry& bit : SortedBlock(first, name, /*withPlaceholder=*/true)) {
      if (bit.name.empty()) continue;
      out_.Add(
          BitLine(bit.name, bit.owner, DropLeadingZero(std::move(bit.number)), bit.description));
      wrote = true;
    }
    return wrote;
  }

  // The block of `owner` from row `first`, in BitWorkList's order: ordered by number,
  // then name and description, records equal but for letter case given once.
  std::vector<BitEntry> SortedBlock(int32_t first, const std::u16string& owner,
                                    bool withPlaceholder) {
    std::vector<const BitRow*> rows;
    std::vector<std::u16string> joined;
    bool splitsBack = true;
    for (int32_t i = first; i < t_.BitCount() && t_.BitTable[i].owner == owner; ++i) {
      const BitRow& bit = t_.BitTable[i];
      if (!withPlaceholder && bit.number.empty()) continue;
      rows.push_back(&bit);
      joined.push_back(JoinBitEntry(bit));
      splitsBack = splitsBack && SplitsBack(bit);
    }
    SortedStringList& list = s_.BitWorkList;
    list.Clear();
    if (!splitsBack) return SplitEntries(list, std::move(joined));
    // The list's order of the joined texts, taken from the rows themselves.
    std::vector<BitEntry> entries;
    for (std::size_t index : list.BatchOrder(joined)) {
      const BitRow& bit = *rows[index];
      entries.push_back(BitEntry{bit.owner, bit.number, bit.name, bit.description});
    }
    return entries;
  }

  std::vector<BitEntry> SplitEntries(SortedStringList& list, std::vector<std::u16string> joined) {
    list.AddAll(std::move(joined));
    std::vector<BitEntry> entries;
    for (const std::u16string& entry : list) {
      s_.TokenPos = 1;
      BitEntry bit;
      bit.owner = NextToken(entry, s_.TokenPos, kBitSeparator);
      bit.number = NextToken(entry, s_.TokenPos, kBitSeparator);
      bit.name = NextToken(entry, s_.TokenPos, kBitSeparator);
      bit.description = NextToken(entry, s_.TokenPos, kBitSeparator);
      entries.push_back(std::move(bit));
    }
    return entries;
  }

  CreatorState& s_;
  const DeviceTables& t_;
  Dialogs& dialogs_;
  SortedStringList& out_;
  // Built at the first generic lookup; the tables do not change while the file is written.
  std::optional<UpperCaseOwners> owners_;
  bool registerLine_ = false;
};

// Empties WorkList and switches its sorting on again when the run ends, a failed save
// included; sorting the file's lines would cost a fifth of the run for nothing.
class SortingRestorer {
 public:
  explicit SortingRestorer(SortedStringList& list) : list_(list) {}
  ~SortingRestorer() {
    list_.Clear();
    list_.SetSorted(true);
  }
  SortingRestorer(const SortingRestorer&) = delete;
  SortingRestorer& operator=(const SortingRestorer&) = delete;

 private:
  SortedStringList& list_;
};

std::u16string NoDeviceFileMessage(KdxOutcome outcome, std::u16string_view deviceType,
                                   std::u16string_view kdxFile) {
  std::u16string where;
  if (!kdxFile.empty()) where = u" (" + std::u16string(kdxFile) + u")";
  std::u16string what =
      outcome == KdxOutcome::NoFile
          ? u"No device file was found for " + std::u16string(deviceType) + where + u"."
          : u"The device file for " + std::u16string(deviceType) + where +
                u" holds no register list.";
  return what + u"\rNo BitName file was written.";
}

std::u16string CopiedMessage(std::u16string_view ideBnfDir, std::u16string_view outFile) {
  return u"The BitName file is copied to the ZMV location " + std::u16string(ideBnfDir) + u"\r\r" +
         u"A copy of the BitName file is saved as " + std::u16string(outFile);
}

std::u16string SavedOnlyMessage(std::u16string_view outFile) {
  return u"The BitName file is saved as " + std::u16string(outFile) + u"\r\r" +
         u"The ZMV location is not known, so the file was not copied there. To become "
         u"effective you must copy it to the Plugin\\CompilerBitnames directory yourself.";
}

}  // namespace

int32_t FindGenericRegisterInBit(const DeviceTables& tables, std::u16string_view sAReg) {
  return FindGeneric(
      sAReg, [&](const std::u16string& upper) { return FindOwnerUpperCase(tables, upper); });
}

bool Write16BitLines(CreatorState& s, Dialogs& dialogs) {
  return Writer(s, dialogs).Run();
}

void TfBNF::Doe16Bit() {
  if (!CheckOriginal()) return;
  if (args_.empty()) OpenconvertedPDF1Click();
  Request& req = s_.req;
  const Directories& dirs = s_.dirs;
  req.OutFile = BnfFileName(dirs.BNFLocation, req.DeviceType);
  KdxOutcome kdx = GetTheKDX(s_, files_, req.DeviceType);
  if (req.PdfTextFile.empty()) return;
  // Without the device's registers (no file, no register section or an empty one) the
  // file would hold the header alone, yet replace a good one in the IDE's folder and be
  // reported as copied.
  if (kdx != KdxOutcome::Read || s_.tables.RegCount() <= 1) {
    svc_.dialogs.ShowMessage(
        NoDeviceFileMessage(kdx, req.DeviceType, KdxFileName(dirs.KdxDir, req.DeviceType)));
    return;
  }
  ReadThePDF16(s_, files_, svc_.view);
  svc_.view.SetCaption(Ctl::Button1, req.DeviceType);
  SortingRestorer restore(s_.WorkList);
  // Registers that nothing describes (another family's file, malformed lines) give a file
  // of the header alone, which would replace good ones and be reported as copied.
  if (!Write16BitLines(s_, svc_.dialogs)) {
    svc_.dialogs.ShowMessage(u"The device file for " + req.DeviceType + u" (" +
                             KdxFileName(dirs.KdxDir, req.DeviceType) +
                             u") gives no register that the datasheet or the name tables "
                             u"describe.\rNo BitName file was written.");
    return;
  }
  svc_.view.SetCaption(Ctl::Button1, u"Done");
  svc_.view.SetEnabled(Ctl::Button1, false);
  const std::string bytes = files_.Encode(s_.WorkList.Items());
  files_.WriteEncoded(req.OutFile, bytes);
  // An unknown IDE folder would make the copy land at the root of the current drive.
  bool ideKnown = !IsBlank(dirs.IdeBnfDir);
  if (ideKnown) {
    req.OutFile = BnfFileName(dirs.IdeBnfDir, req.DeviceType);
    files_.WriteEncoded(req.OutFile, bytes);
  }
  // The IDE's plug-in waits for the copy in the IDE's folder: without it the run failed.
  req.Written = true;
  req.OutFile = BnfFileName(dirs.BNFLocation, req.DeviceType);
  svc_.dialogs.ShowMessage(ideKnown ? CopiedMessage(dirs.IdeBnfDir, req.OutFile)
                                    : SavedOnlyMessage(req.OutFile));
  files_.WriteEncoded(req.OutFile, bytes);
}

}  // namespace bnf
