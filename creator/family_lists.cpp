// The family click: the family's device files are collected from the assembler folders
// (8-bit) or the IDE's device-file folder (16-bit), reduced to one copy per file name,
// and turned into the device types of the type list, with counts in the log pane.
#include "creator/family_lists.h"

#include <initializer_list>

#include "common/errors.h"
#include "common/file_utils.h"
#include "common/text_utils.h"
#include "creator/include_reader.h"
#include "creator/main_form.h"

namespace bnf {

namespace {

constexpr char16_t kMergeMark = u'\u00FF';

}  // namespace

int32_t FamilyNumber(std::u16string_view familyOrType) {
  std::u16string head = Head(familyOrType, 2);
  int32_t number = 0;
  if (!TryTextToInt(head, number)) throw BnfError(u"'" + head + u"' is not a valid integer value");
  return number;
}

bool Is8BitFamily(int32_t familyNumber) {
  return familyNumber == 10 || familyNumber == 12 || familyNumber == 16 || familyNumber == 18;
}

void DeleteNonFam(std::u16string_view family, SortedStringList& list) {
  const std::u16string find = u"\\P" + std::u16string(family);
  for (std::size_t i = list.Count(); i-- > 0;) {
    if (!Holds(UpperCase(list[i]), find)) list.Delete(i);
  }
}

std::u16string MergeEntry(std::u16string_view listingLine) {
  const int32_t slash = LastPos(u"\\", listingLine);
  return Tail(listingLine, slash + 1) + kMergeMark + Head(listingLine, slash);
}

MergeParts SplitMergeEntry(std::u16string_view entry) {
  MergeParts parts;
  const std::size_t tab = entry.find(u'\t');
  parts.name = std::u16string(entry.substr(0, tab));
  if (tab != std::u16string_view::npos) {
    const std::size_t next = entry.find(u'\t', tab + 1);
    parts.date = std::u16string(
        entry.substr(tab + 1, next == std::u16string_view::npos ? next : next - tab - 1));
  }
  const int32_t mark = Pos(std::u16string_view(&kMergeMark, 1), entry);
  if (mark > 0) parts.directory = Tail(entry, mark + 1);
  return parts;
}

void RemoveOlderCopies(SortedStringList& merged) {
  if (merged.Count() < 2) return;
  MergeParts next = SplitMergeEntry(merged[merged.Count() - 1]);
  for (std::size_t i = merged.Count() - 1; i-- > 0;) {
    MergeParts current = SplitMergeEntry(merged[i]);
    // Dates are compared as the texts the listing wrote, not as points in time.
    if (current.name == next.name && !(current.date > next.date)) merged.Delete(i);
    next = std::move(current);
  }
}

std::optional<std::u16string> TypeText(std::u16string_view file, std::u16string_view family,
                                       bool eightBit) {
  const std::u16string name = Tail(file, LastPos(u"\\", file) + 1);
  if (name.empty() || (name[0] != u'P' && name[0] != u'p')) return std::nullopt;
  // The fourth character keeps the flash (F) and low-voltage flash (L) parts only.
  if (eightBit && (name.size() < 4 ||
                   std::u16string_view(u"FLfl").find(name[3]) == std::u16string_view::npos)) {
    return std::nullopt;
  }
  if (Pos(family, name) != 2) return std::nullopt;
  const std::size_t dot = name.find(u'.');
  return UpperCase(
      std::u16string_view(name).substr(1, dot == std::u16string::npos ? dot : dot - 1));
}

std::u16string NoIncludeFilesMessage(const Directories& dirs) {
  return u"The tool could not find any include files for this family.\r\n"
         u"The following four directories were searched (some may not exist on your machine "
         u"and show up empty): \r\n"
         u"MPLab 8.xx    - " +
         dirs.Mplab8Dir + u"\r\nMPLabX XP     - " + dirs.MplabXXpDir + u"\r\nMPLabX 32 bit - " +
         dirs.MplabX32Dir + u"\r\nMPLabX 64 bit - " + dirs.MplabX64Dir;
}

std::u16string NoKdxFilesMessage(const Directories& dirs) {
  return u"The tool could not find include files for this family.\r\n"
         u"The following directory was searched: \r\n"
         u"Korvan IDE - " +
         dirs.KdxDir + u"\r\n";
}

void TfBNF::lbFamClick() {
  const std::u16string family = svc_.view.SelectedFamily();
  // A click beside the items with nothing selected names no family.
  if (family.empty()) return;
  svc_.view.ClearTypes();
  s_.FileList.Clear();
  s_.req.Is8Bit = Is8BitFamily(FamilyNumber(family));
  const bool listed = s_.req.Is8Bit ? ListIncludes(family) : ListKdxs(family);
  if (!listed) return;
  FillTypes(family, s_.req.Is8Bit);
  MainView& view = svc_.view;
  view.AddLogLine(u"");
  view.AddLogLine(u"Selected family " + family);
  view.AddLogLine(u"");
  view.AddLogLine(u"Number of includes found after filtering: " + IntToText(view.TypeCount()));
  view.AddLogLine(u"");
}

bool TfBNF::ListIncludes(std::u16string_view family) {
  svc_.view.AddLogLine(u"");
  GetIncludes(family);
  svc_.view.AddLogLine(u"Number of includes found : " +
                       IntToText(static_cast<int64_t>(s_.FileList.Count())));
  svc_.view.AddLogLine(u"");
  s_.FileList.SetSorted(true);
  return !s_.FileList.Empty() || LocateMpasmDir(family);
}

bool TfBNF::ListKdxs(std::u16string_view family) {
  GetKDXs(family);
  s_.FileList.SetSorted(true);
  if (!s_.FileList.Empty()) return true;
  svc_.dialogs.ShowMessage(NoKdxFilesMessage(s_.dirs));
  return false;
}

bool TfBNF::LocateMpasmDir(std::u16string_view family) {
  Directories& dirs = s_.dirs;
  svc_.dialogs.ShowMessage(NoIncludeFilesMessage(dirs));
  if (AskOkCancel(svc_.dialogs, u"Locate MPAsm directory", 3) != 1) return false;
  while (s_.FileList.Empty()) {
    FolderOptions options;
    options.instruction = u"Location of MPAsm";
    options.showFiles = true;
    options.preselected = dirs.MPAsmDir;
    std::optional<std::u16string> folder = svc_.dialogs.ChooseFolder(options);
    if (!folder) return false;
    dirs.MPAsmDir = *folder;
    s_.toSave.MPAsmDir = true;
    s_.FileList.SetSorted(false);
    GetIncludes(family);
    s_.FileList.SetSorted(true);
    if (s_.FileList.Empty()) {
      svc_.dialogs.ShowMessage(u"No include files found, try again");
    } else {
      dirs.ActiveMpasmDir = dirs.MPAsmDir;
    }
  }
  return true;
}

void TfBNF::GetIncludes(std::u16string_view family) {
  SortedStringList merged(svc_.collator, /*sorted=*/false);
  for (const std::u16string& folder : IncludeFolders(s_.dirs)) {
    SortedStringList listing(svc_.collator, /*sorted=*/false);
    ListFiles(svc_.folders, folder + std::u16string(kIncludeMask), kAllAttributes, false, listing);
    DeleteNonFam(family, listing);
    svc_.view.AddLogLine(folder + u" : " + IntToText(static_cast<int64_t>(listing.Count())));
    for (const std::u16string& line : listing) merged.Add(MergeEntry(line));
  }
  merged.SetSorted(true);
  if (merged.Empty()) return;
  RemoveOlderCopies(merged);
  FillFileList(merged);
}

void TfBNF::GetKDXs(std::u16string_view family) {
  SortedStringList listing(svc_.collator, /*sorted=*/false);
  if (!s_.dirs.ActiveMpasmDir.empty()) {
    ListFiles(svc_.folders, s_.dirs.KdxDir + std::u16string(kKdxMask), kAllAttributes, false,
              listing);
    DeleteNonFam(family, listing);
  }
  SortedStringList merged(svc_.collator, /*sorted=*/false);
  for (const std::u16string& line : listing) merged.Add(MergeEntry(line));
  merged.SetSorted(true);
  FillFileList(merged);
}

void TfBNF::FillFileList(const SortedStringList& merged) {
  s_.FileList.Clear();
  for (const std::u16string& entry : merged) {
    MergeParts parts = SplitMergeEntry(entry);
    s_.FileList.Add(parts.directory + parts.name);
  }
  s_.FileList.SetSorted(true);
}

void TfBNF::FillTypes(std::u16string_view family, bool eightBit) {
  for (const std::u16string& file : s_.FileList) {
    if (IsBlank(file)) continue;
    std::optional<std::u16string> type = TypeText(file, family, eightBit);
    if (type) svc_.view.AddType(*type);
  }
}

}  // namespace bnf
