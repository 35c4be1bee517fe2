// The 8-bit generation from the generate button to the saved BitName file, and the
// fallbacks that complete what the include file and the datasheet left empty. Every
// completion changes the tables in place, row by row, so a value an earlier row received
// in a pass is already visible to the later rows of that pass.
#include "creator/generation8.h"

#include <optional>

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

std::u16string DigitsToPlaceholder(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) {
    if (c >= u'0' && c <= u'9') c = u'n';
  }
  return out;
}

template <typename Lookup>
void FillMissingBits(DeviceTables& t, Lookup lookup) {
  for (int32_t i = 1; i < t.BitCount(); ++i) {
    BitRow& bit = t.BitTable.At(i);
    if (!bit.description.empty()) continue;
    std::u16string d = lookup(bit, i);
    if (!d.empty()) bit.description = std::move(d);
  }
}

// "P" + type + ".inc", as the include reader names the file it looks for.
std::u16string IncludeFileName(std::u16string_view deviceType) {
  std::u16string n = UpperCase(Trim(deviceType));
  return (n.starts_with(u'P') ? n : u"P" + n) + u".inc";
}

}  // namespace

bool IsSFRLike(std::u16string_view sSFRInc, std::u16string_view sSFRPDF) {
  char16_t placeholder = Holds(sSFRPDF, u"n") ? u'n' : Holds(sSFRPDF, u"x") ? u'x' : u'\0';
  if (placeholder == u'\0') return sSFRInc == sSFRPDF;
  std::size_t runStart = sSFRPDF.find(placeholder);
  std::size_t runEnd = runStart;
  while (runEnd < sSFRPDF.size() && sSFRPDF[runEnd] == placeholder) ++runEnd;
  std::u16string_view prefix = sSFRPDF.substr(0, runStart);
  std::u16string suffix = Tail(sSFRPDF, static_cast<int32_t>(runEnd) + 1);
  return sSFRInc.starts_with(prefix) && sSFRInc.ends_with(suffix);
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
  std::u16string r = Trim(sReg);
  std::u16string b = Trim(sBit);
  if (r.empty() || b.empty() || !IsByteBitNumber(b)) return {};
  return SearchAround(t, StartRow(t, ix), [&](const BitRow& row) {
    return row.owner == r && row.number == b && !row.description.empty();
  });
}

std::u16string LookUpBitdescBitNameNum(const DeviceTables& t, std::u16string_view sReg,
                                       std::u16string_view sBitName, std::u16string_view sBitNum,
                                       int32_t ix) {
  std::u16string r = Trim(sReg);
  std::u16string b = Trim(sBitNum);
  std::u16string m = Trim(sBitName);
  if (r.empty() || b.empty() || m.empty() || !IsByteBitNumber(b)) return {};
  return SearchAround(t, StartRow(t, ix), [&](const BitRow& row) {
    return row.name == m && row.number == b && !row.description.empty() &&
           IsSFRLike(r, DigitsToPlaceholder(row.owner));
  });
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

void CompleteBitDescriptions(DeviceTables& t, const NameTables& names) {
  FillMissingBits(t, [&](const BitRow& bit, int32_t) { return GetDefaultBit(names, bit.name); });
  FillMissingBits(t, [&](const BitRow& bit, int32_t ix) {
    return LookUpBitdescInReg(t, bit.owner, bit.number, ix);
  });
  FillMissingBits(t, [&](const BitRow& bit, int32_t ix) {
    return LookUpBitdescBitNameNum(t, bit.owner, bit.name, bit.number, ix);
  });
}

void CompletePages(DeviceTables& t) {
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    RegRow& reg = t.RegTable.At(i);
    if (!reg.page.empty()) continue;
    reg.page = FindRegSameAddressWithPage(t, reg.address);
    if (!reg.page.empty()) continue;
    // No early exit: of several generic headings the name fits, the last one decides.
    for (int32_t j = 1; j < t.NotFoundCount(); ++j) {
      const NotFoundRow& generic = t.NotFound[j];
      if (IsSFRLike(reg.name, generic.name)) reg.page = generic.page;
    }
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
  if (FindIncludeFile(s_, files_, req.DeviceType).empty()) {
    svc_.dialogs.ShowMessage(u"No include file was found for " + req.DeviceType + u" (" +
                             IncludeFileName(req.DeviceType) + u").\r" +
                             u"No BitName file was written.");
    return;
  }
  GetInc(s_, files_, req.DeviceType);
  ReadThePDF8(s_, files_, svc_.view);

  CompleteRegisterDescriptions(s_.tables, s_.names);
  CompleteBitDescriptions(s_.tables, s_.names);
  CompletePages(s_.tables);

  s_.Memo1 = Write8BitLines(s_.tables);
  svc_.view.SetCaption(Ctl::Button1, u"Done");
  svc_.view.SetCaption(Ctl::Panel1, u"Done");
  svc_.view.SetEnabled(Ctl::Button1, false);
  files_.WriteLines(req.OutFile, s_.Memo1);
  svc_.dialogs.ShowMessage(u"The BitName file is saved as " + req.OutFile + u"\r\r" +
                           u"To become effective you must copy it to the Plugin\\CompilerBitnames "
                           u"directory");
}

}  // namespace bnf
