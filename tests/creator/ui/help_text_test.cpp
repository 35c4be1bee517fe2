// The help text: the sentences users know word for word (with the line breaks of those
// that run over two lines), the sections in their order with their underlines and gaps,
// and the end.
#include "creator/ui/help_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bnf {
namespace {

// The help text as the memo holds it, each line ended by "\n".
std::u16string Joined(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) text += line + u"\n";
  return text;
}

// A "\n" in a sentence is where its line must end and the next one begin; a sentence
// without one must stand within a single line.
TEST(HelpText, HoldsEverySentenceWordForWordWithItsLineBreaks) {
  const char16_t* sentences[] = {
      u"This tool provides in generating missing BitName files and this version now also "
      u"supports the 16 bit \nfamilies.",
      u"For the 8 bit family it uses the corresponding Include file (.inc) supplied by "
      u"MicroChip\u00AE to determine SFR \nnames and bitnames.",
      u"For the 16 bit family it uses the .KDX files since not every user will have the ASM30 "
      u"toolsuite installed.",
      u"In order to create a Bitname file you'll have to:",
      u"- have the pdf for the device somewhere on disk",
      u"The program checks if a Bitname file already exists for the selected devide in the "
      u"Plugin\n\\CompilerBitnames directory.",
      u"If it does exist you will be informed and asked if you want to continue anyway (might "
      u"save some time if\nyou do).",
      u"You can select the location where the BitName files must be stored.",
      u"You'll be automatically asked to select a location the first time you run it.",
      u"If you want to change it, use the Settings>Directory for BitName files... menu item. "
      u"This will show the\ncurrent location in [].",
      u"After the tool has generated the BitName file you'll be reminded that you'll have to "
      u"copy it to the\ndirectory where the Korvan\u00AE IDE will look for them.",
      u"\"xxx\\KorvanIDE\\Plugin\\CompilerBitname\"",
      u"The menu entries Settings>Private SFRNames and Settings>Private BitNames allow you to "
      u"select files\nthat extend the SFR and BIT names covered in the tool.",
      u"You can edit the files that contain your own SFR names and Bitnames.",
      u"If you click the menuitem, your default editor for .txt files will be launched.",
      u"Note that the internal SFR names and Bitname names have precedence.",
      u"SFRName=description",
      u"BITname=description",
      u"After you've edited one of these files, use the 'Reload' menu option to reload them.",
      u"Note that the number of SFR and BITNames is not unlimited.",
      u"At this moment you'll have approximately room for 4000 SFRNames and 65000 BITNames.",
      u"If/when the pdf has been converted to .txt you can start this tool.",
      u"First select the family and device.",
      u"When you've done this there will be a check if a Bitname file for that device is already "
      u"present.",
      u"Now click 'File>Open converted PDF...'",
      u"Select the .txt file that holds the converted PDF.",
      u"Press the button. When the process is complete you'll be notified of the location and "
      u"name of the\ngenerated file(s).",
      u"For the 16 bit family the file will be stored in both the selected directory and in the "
      u"ZMV directory.",
      u"The 8 bit file you'll have to copy to the Plugin\\CompilerBitnames yourself.",
      u"When the process is complete you'll be notified of the location and name of the generated "
      u"file.",
      u"You'll have to copy it to the Plugin\\CompilerBitnames yourself.",
      u"The order for the SFRs in the 8 bit BitNameFile is based on the order in the include file.",
      u"The order for the SFRs in the 16 bit BitNameFile is alphabetical.",
      // "NO programmer ..." stands alone, one empty line below the rest of its section.
      u"Please note that even though the meanings of the SFR's and bitnames are derived from the "
      u"datasheet\nthis does not mean that the datasheet is no longer needed.\n\n"
      u"NO programmer can do WITHOUT the datasheet.\n",
      u"The information read from the Include or KDX file can not always be found in the "
      u"converted PDF.",
      u"This is due to differences in naming between the Include or KDX file and the PDF.",
      u"An attempt has been made to detect this, but errors may occur.",
      u"The datasheet shows this as either 'bit 2-0', 'bitname2:bitname0' or 'bitname<2:0>'.",
      u"I found a situation that looks like this 'bit 15,13'. In cases like these only two bits "
      u"are generated.",
  };
  const std::u16string text = Joined(HelpTextLines());
  for (const char16_t* sentence : sentences) {
    SCOPED_TRACE(::testing::PrintToString(std::u16string(sentence)));
    EXPECT_NE(std::u16string::npos, text.find(sentence));
  }
}

// Each heading is listed with one "\n" per empty line in front of it: one closes every
// section, three stand before "Note.". Nothing is underlined after "Limitations.".
TEST(HelpText, TitleThenElevenUnderlinedSectionsInOrderAndOneEmptyLineAtTheEnd) {
  const std::vector<std::u16string> expected = {
      u"\nIntroduction.",
      u"\nRequirements.",
      u"\nExisting Bitname file.",
      u"\nLocation of the created BitName files.",
      u"\nPrivate SFR Names and Bitnames",
      u"\nUse as a stand-alone tool.",
      u"\nUse from the datasheet download plug-in of the IDE.",
      u"\nDifferences between the 8 bit and 16 bit functionality.",
      u"\nThe Viewer.",
      u"\n\n\nNote.",
      u"\nLimitations."};
  const std::vector<std::u16string> lines = HelpTextLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(0u, Joined(lines).find(u"Korvan\u00AE BitName file creator\n\nIntroduction.\n=\n"));
  std::vector<std::u16string> headings;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    if (lines[i + 1] != u"=") continue;
    std::size_t empty = 0;
    while (empty < i && lines[i - 1 - empty].empty()) ++empty;
    headings.push_back(std::u16string(empty, u'\n') + lines[i]);
  }
  EXPECT_EQ(expected, headings);
  EXPECT_EQ(u"", lines.back());
  EXPECT_NE(u"", lines[lines.size() - 2]);
}

}  // namespace
}  // namespace bnf
