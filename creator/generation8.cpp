// The 8-bit generation from the generate button to the saved BitName file, and the
// fallbacks that complete what the include file and the datasheet left empty. Every
// completion changes the tables in place, row by row, so a value an earlier row received
// in a pass is already visible to the later rows of that pass.
#include "creator/generation8.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>

#include "common/text_utils.h"
#include "creator/bnf_file.h"
#include "creator/datasheet8.h"
#include "creator/include_reader.h"
#include "creator/main_form.h"

namespace bnf {

namespace {

constexpr std::u16string_view kShadowMarker = u"_SHAD";

bool IsRegisterDescriptionMissing(std::u16string_view d) {
  return d.empty() || d == u"REGISTER";
}

// A bit number both lookups accept: a whole number from 0 to 7.
bool IsByteBitNumber(std::u16string_view number) {
  int32_t n = 0;
  return TryTextToInt(number, n) && n >= 0 && n <= 7;
}

int32_t StartRow(const DeviceTables& t, int32_t ix) {
  return ix > t.BitCount() || ix < 1 ? 1 : ix;
}

// The nearest row from `start` upward that qualifies, else the nearest below it.
template <typename Qualifies>
std::u16string SearchAround(const DeviceTables& t, int32_t start, Qualifies qualifies) {
  for (int32_t i = start; i < t.BitCount(); ++i) {
    if (qualifies(t.BitTable[i])) return t.BitTable[i].description;
  }
  for (int32_t i = start; i >= 1; --i) {
    if (qualifies(t.BitTable[i])) return t.BitTable[i].description;
  }
  return {};
}

// SearchAround over the candidate rows only (ascending, all rows in use): the same
// answer when every row outside `rows` fails `qualifies`.
template <typename Qualifies>
std::u16string SearchAround(const DeviceTables& t, const std::set<int32_t>* rows, int32_t start,
                            Qualifies qualifies) {
  if (rows == nullptr) return {};
  auto from = rows->lower_bound(start);
  for (auto it = from; it != rows->end(); ++it) {
    if (qualifies(t.BitTable[*it])) return t.BitTable[*it].description;
  }
  for (auto it = std::make_reverse_iterator(from); it != rows->rend(); ++it) {
    if (qualifies(t.BitTable[*it])) return t.BitTable[*it].description;
  }
  return {};
}

std::u16string DigitsToPlaceholder(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) {
    if (c >= u'0' && c <= u'9') c = u'n';
  }
  return out;
}

// The trimmed arguments of LookUpBitdescInReg; nothing when they rule the lookup out.
struct SameRegister {
  std::u16string reg, number;
  bool operator()(const BitRow& row) const {
    return row.owner == reg && row.number == number && !row.description.empty();
  }
};
std::optional<SameRegister> SameRegisterQuery(std::u16string_view sReg, std::u16string_view sBit) {
  SameRegister q{Trim(sReg), Trim(sBit)};
  if (q.reg.empty() || q.number.empty() || !IsByteBitNumber(q.number)) return std::nullopt;
  return q;
}

// The trimmed arguments of LookUpBitdescBitNameNum; nothing when they rule it out.
struct SimilarRegister {
  std::u16string reg, number, name;
  bool operator()(const BitRow& row) const {
    return row.name == name && row.number == number && !row.description.empty() &&
           IsSFRLike(reg, DigitsToPlaceholder(row.owner));
  }
};
std::optional<SimilarRegister> SimilarRegisterQuery(std::u16string_view sReg,
                                                    std::u16string_view sBitName,
                                                    std::u16string_view sBitNum) {
  SimilarRegister q{Trim(sReg), Trim(sBitNum), Trim(sBitName)};
  if (q.reg.empty() || q.number.empty() || q.name.empty() || !IsByteBitNumber(q.number)) {
    return std::nullopt;
  }
  return q;
}

// The rows with a description under a pair of their fields, kept up to date while a pass
// fills descriptions in: the rows a lookup can qualify, without walking the table.
class DescribedBits {
 public:
  using Field = std::u16string BitRow::*;

  DescribedBits(const DeviceTables& t, Field first, Field second) : first_(first), second_(second) {
    for (int32_t i = 1; i < t.BitCount(); ++i) Filled(t.BitTable[i], i);
  }
  // Records row i once its description is set.
  void Filled(const BitRow& bit, int32_t i) {
    if (!bit.description.empty()) rows_[{bit.*first_, bit.*second_}].insert(i);
  }
  // Null when no described row has these fields.
  const std::set<int32_t>* Rows(const std::u16string& first, const std::u16string& second) const {
    auto found = rows_.find({first, second});
    return found == rows_.end() ? nullptr : &found->second;
  }

 private:
  Field first_;
  Field second_;
  std::map<std::pair<std::u16string, std::u16string>, std::set<int32_t>> rows_;
};

template <typename Lookup, typename Filled>
void FillMissingBits(DeviceTables& t, Lookup lookup, Filled filled) {
  for (int32_t i = 1; i < t.BitCount(); ++i) {
    BitRow& bit = t.BitTable.At(i);
    if (!bit.description.empty()) continue;
    std::u16string d = lookup(bit, i);
    if (d.empty()) continue;
    bit.description = std::move(d);
    filled(bit, i);
  }
}

// What IsSFRLike reads out of a datasheet name: the text before and after the first run
// of the placeholder (n, else x), or, without one, the name to be equal to.
struct SfrPattern {
  bool generic = false;
  std::u16string prefix;  // the whole name when not generic
  std::u16string suffix;  // at most kMaxTail characters, as every tail is taken
};

SfrPattern PatternOf(std::u16string_view sSFRPDF) {
  char16_t placeholder = Holds(sSFRPDF, u"n") ? u'n' : Holds(sSFRPDF, u"x") ? u'x' : u'\0';
  if (placeholder == u'\0') return {false, std::u16string(sSFRPDF), {}};
  std::size_t runStart = sSFRPDF.find(placeholder);
  std::size_t runEnd = runStart;
  while (runEnd < sSFRPDF.size() && sSFRPDF[runEnd] == placeholder) ++runEnd;
  return {true, std::u16string(sSFRPDF.substr(0, runStart)),
          Tail(sSFRPDF, static_cast<int32_t>(runEnd) + 1)};
}

bool Fits(std::u16string_view name, const SfrPattern& p) {
  if (!p.generic) return name == p.prefix;
  return name.starts_with(p.prefix) && name.ends_with(p.suffix);
}

struct ViewHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view s) const {
    return std::hash<std::u16string_view>{}(s);
  }
};
template <typename Value>
using TextMap = std::unordered_map<std::u16string, Value, ViewHash, std::equal_to<>>;

// The NotFound rows by pattern, so a register name is matched against the prefixes and
// suffixes it has rather than against every row.
class GenericHeadings {
 public:
  explicit GenericHeadings(const DeviceTables& t) {
    // Later rows overwrite earlier ones: of several that fit, the last one decides.
    for (int32_t j = 1; j < t.NotFoundCount(); ++j) {
      SfrPattern p = PatternOf(t.NotFound[j].name);
      if (!p.generic) {
        exact_[p.prefix] = j;
        continue;
      }
      prefixLengths_.insert(p.prefix.size());
      Bucket& bucket = byPrefix_[p.prefix];
      bucket.suffixLengths.insert(p.suffix.size());
      bucket.bySuffix[p.suffix] = j;
    }
  }

  // The last row whose name the register name fits (IsSFRLike); -1 when none.
  int32_t LastFit(std::u16string_view name) const {
    int32_t last = -1;
    if (auto e = exact_.find(name); e != exact_.end()) last = e->second;
    for (std::size_t k : prefixLengths_) {
      if (k > name.size()) break;
      auto bucket = byPrefix_.find(name.substr(0, k));
      if (bucket == byPrefix_.end()) continue;
      for (std::size_t m : bucket->second.suffixLengths) {
        if (m > name.size()) break;
        auto row = bucket->second.bySuffix.find(name.substr(name.size() - m));
        if (row != bucket->second.bySuffix.end()) last = std::max(last, row->second);
      }
    }
    return last;
  }

 private:
  struct Bucket {
    std::set<std::size_t> suffixLengths;
    TextMap<int32_t> bySuffix;
  };
  TextMap<int32_t> exact_;
  std::set<std::size_t> prefixLengths_;
  TextMap<Bucket> byPrefix_;
};

// The first register row with a page at each address, kept up to date as pages are given.
class PagedByAddress {
 public:
  explicit PagedByAddress(const DeviceTables& t) {
    for (int32_t i = 1; i < t.RegCount(); ++i) Paged(t.RegTable[i], i);
  }
  void Paged(const RegRow& reg, int32_t i) {
    if (reg.page.empty()) return;
    auto [at, added] = first_.try_emplace(reg.address, i);
    if (!added) at->second = std::min(at->second, i);
  }
  int32_t First(std::u16string_view address) const {
    auto found = first_.find(address);
    return found == first_.end() ? -1 : found->second;
  }

 private:
  TextMap<int32_t> first_;
};

// "P" + type + ".inc", as the include reader names the file it looks for.
std::u16string IncludeFileName(std::u16string_view deviceType) {
  std::u16string n = UpperCase(Trim(deviceType));
  return (n.starts_with(u'P') ? n : u"P" + n) + u".inc";
}

}  // namespace

bool IsSFRLike(std::u16string_view sSFRInc, std::u16string_view sSFRPDF) {
  return Fits(sSFRInc, PatternOf(sSFRPDF));
}

std::u16string FindRegSameAddressWithPage(const DeviceTables& t, std::u16string_view sAddr) {
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    const RegRow& reg = t.RegTable[i];
    if (reg.address == sAddr && !reg.page.empty()) return reg.page;
  }
  return {};
}

std::u16string LookUpBitdescInReg(const DeviceTables& t, std::u16string_view sReg,
                                  std::u16string_view sBit, int32_t ix) {
  std::optional<SameRegister> q = SameRegisterQuery(sReg, sBit);
  if (!q) return {};
  return SearchAround(t, StartRow(t, ix), *q);
}

std::u16string LookUpBitdescBitNameNum(const DeviceTables& t, std::u16string_view sReg,
                                       std::u16string_view sBitName, std::u16string_view sBitNum,
                                       int32_t ix) {
  std::optional<SimilarRegister> q = SimilarRegisterQuery(sReg, sBitName, sBitNum);
  if (!q) return {};
  return SearchAround(t, StartRow(t, ix), *q);
}

void CompleteRegisterDescriptions(DeviceTables& t, const NameTables& names) {
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    RegRow& reg = t.RegTable.At(i);
    if (!IsRegisterDescriptionMissing(reg.description)) continue;
    int32_t shadow = Pos(kShadowMarker, reg.name);
    std::u16string d = GetDefaultSFR(names, shadow > 0 ? Head(reg.name, shadow - 1) : reg.name);
    if (d.empty()) continue;
    if (shadow > 0) d += u" Shadow register";
    reg.description = std::move(d);
  }
}

// The first pass answers as GetDefaultBit, the second and third as LookUpBitdescInReg and
// LookUpBitdescBitNameNum would, but search only the described rows that share the looked-up
// fields.
void CompleteBitDescriptions(DeviceTables& t, const NameTables& names) {
  const DefaultBits defaults(names);
  FillMissingBits(
      t, [&](const BitRow& bit, int32_t) { return defaults.Find(bit.name); },
      [](const BitRow&, int32_t) {});

  DescribedBits byOwner(t, &BitRow::owner, &BitRow::number);
  FillMissingBits(
      t,
      [&](const BitRow& bit, int32_t ix) -> std::u16string {
        std::optional<SameRegister> q = SameRegisterQuery(bit.owner, bit.number);
        if (!q) return {};
        return SearchAround(t, byOwner.Rows(q->reg, q->number), StartRow(t, ix), *q);
      },
      [&](const BitRow& bit, int32_t i) { byOwner.Filled(bit, i); });

  DescribedBits byName(t, &BitRow::name, &BitRow::number);
  FillMissingBits(
      t,
      [&](const BitRow& bit, int32_t ix) -> std::u16string {
        std::optional<SimilarRegister> q = SimilarRegisterQuery(bit.owner, bit.name, bit.number);
        if (!q) return {};
        return SearchAround(t, byName.Rows(q->name, q->number), StartRow(t, ix), *q);
      },
      [&](const BitRow& bit, int32_t i) { byName.Filled(bit, i); });
}

void CompletePages(DeviceTables& t) {
  PagedByAddress paged(t);
  const GenericHeadings generic(t);
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    RegRow& reg = t.RegTable.At(i);
    if (!reg.page.empty()) continue;
    // As FindRegSameAddressWithPage, then the last generic heading the name fits.
    int32_t same = paged.First(reg.address);
    if (same > 0) {
      reg.page = t.RegTable[same].page;
    } else if (int32_t j = generic.LastFit(reg.name); j > 0) {
      reg.page = t.NotFound[j].page;
    }
    paged.Paged(reg, i);
  }
}

bool TfBNF::CheckOriginal() {
  std::u16string existing = s_.dirs.IdeBnfDir + u"P" + s_.req.DeviceType + u".bnf";
  if (!files_.Exists(existing)) return true;
  return svc_.dialogs.AskYesNo(u"The Bitname file for " + s_.req.DeviceType +
                               u" already exists.\r" + u"Continue anyway?");
}

void TfBNF::OpenconvertedPDF1Click() {
  s_.req.PdfTextFile.clear();
  OpenFileOptions options;
  options.filter = u"Converted PDF files (*.txt)|*.txt";
  options.defaultExtension = u"txt";
  options.fileMustExist = true;
  options.hideReadOnly = true;
  options.resizable = true;
  std::optional<std::u16string> chosen = svc_.dialogs.OpenFile(options);
  if (chosen) s_.req.PdfTextFile = *chosen;
}

void TfBNF::ReloadPrivateClick() {
  ReadSFR_BITFiles(s_.names, s_.dirs, files_, /*Standard=*/false, svc_.dialogs);
}

void TfBNF::Doe8Bit() {
  if (!CheckOriginal()) return;
  if (args_.empty()) OpenconvertedPDF1Click();
  Request& req = s_.req;
  if (req.PdfTextFile.empty()) return;
  req.OutFile = BnfFileName(s_.dirs.BNFLocation, req.DeviceType);
  // Without the device's include file the tables would still hold the previous device
  // (or nothing), and a file written from them would be wrong under this device's name.
  const std::u16string include = FindIncludeFile(s_, files_, req.DeviceType);
  if (include.empty()) {
    svc_.dialogs.ShowMessage(u"No include file was found for " + req.DeviceType + u" (" +
                             IncludeFileName(req.DeviceType) + u").\r" +
                             u"No BitName file was written.");
    return;
  }
  GetInc(s_, files_, req.DeviceType);
  // A file without a register part (empty, cut short, not an include file at all) would
  // give a BitName file of the header alone, saved over a good one as if all went well.
  if (s_.tables.RegCount() <= 1) {
    svc_.dialogs.ShowMessage(u"The include file for " + req.DeviceType + u" (" + include +
                             u") holds no register list.\r" + u"No BitName file was written.");
    return;
  }
  ReadThePDF8(s_, files_, svc_.view);

  CompleteRegisterDescriptions(s_.tables, s_.names);
  CompleteBitDescriptions(s_.tables, s_.names);
  CompletePages(s_.tables);

  s_.Memo1 = Write8BitLines(s_.tables);
  svc_.view.SetCaption(Ctl::Button1, u"Done");
  svc_.view.SetCaption(Ctl::Panel1, u"Done");
  svc_.view.SetEnabled(Ctl::Button1, false);
  files_.WriteLines(req.OutFile, s_.Memo1);
  req.Written = true;
  svc_.dialogs.ShowMessage(u"The BitName file is saved as " + req.OutFile + u"\r\r" +
                           u"To become effective you must copy it to the Plugin\\CompilerBitnames "
                           u"directory");
}

}  // namespace bnf
