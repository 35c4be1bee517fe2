// Everything a classic single-window program would keep in module-level variables:
// the device tables, the name tables, the shared string lists, the directories and
// the current request. One object per running tool (tests make one per case).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/sorted_string_list.h"
#include "creator/device_tables.h"
#include "creator/name_tables.h"

namespace bnf {

struct Directories {
  std::u16string Mplab8Dir;
  std::u16string MplabXXpDir;
  std::u16string MplabX32Dir;
  std::u16string MplabX64Dir;
  std::u16string ActiveMpasmDir;
  std::u16string MPAsmDir;
  std::u16string IdeBnfDir;
  std::u16string KdxDir;
  std::u16string BNFLocation;
  std::u16string ToolDir;
  std::u16string ProfileDir;
};

struct Request {
  std::u16string DeviceType;    // as listed: upper case, without the leading P
  std::u16string DeviceNumber;  // what the datasheet scanners look for in "(PIC" headings
  std::u16string PdfTextFile;   // the converted datasheet; empty when none was chosen
  std::u16string OutFile;       // the BitName file being written
  bool Is8Bit = false;
  // Set once this run's BitName files (the user's, and the IDE's copy when its folder is
  // known) have been saved.
  bool Written = false;
};

// The settings that closing writes back: those start-up read (all of them at the first
// start, when nothing is stored yet) and those the user changed in this run, so that a
// start-up error never wipes what is stored.
struct SettingsToSave {
  bool Top = false;
  bool Left = false;
  bool BNFLocation = false;
  bool MPAsmDir = false;
  // The window's place before start-up moved it: a move from there is the user's.
  int32_t StartTop = 0;
  int32_t StartLeft = 0;
};

struct CreatorState {
  explicit CreatorState(const Collator& collator)
      : WorkList(collator),
        RegisterList(collator),
        BitWorkList(collator),
        FileList(collator, /*sorted=*/false) {}

  DeviceTables tables;
  NameTables names;
  SortedStringList WorkList;
  SortedStringList RegisterList;
  SortedStringList BitWorkList;
  SortedStringList FileList;
  Directories dirs;
  SettingsToSave toSave;
  Request req;
  // The 8-bit writer's line buffer; holds the last 8-bit file's lines.
  std::vector<std::u16string> Memo1;
  // The shared cursor of NextToken; every caller sets it to 1 before cutting a text.
  int32_t TokenPos = 1;
  bool FirstShow = false;
};

}  // namespace bnf
