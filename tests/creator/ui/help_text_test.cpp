// The help text: the sentences users know word for word, the sentences that run over
// two lines, the sections in their order with their underlines and gaps, and the end.
#include "creator/ui/help_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bnf {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

bool AnyLineHolds(const std::vector<std::u16string>& lines, std::u16string_view text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::u16string& line) {
    return line.find(text) != std::u16string::npos;
  });
}

TEST(HelpText, HoldsEverySentenceWordForWord) {
  const char16_t* sentences[] = {
      u"For the 16 bit family it uses the .KDX files since not every user will have the ASM30 "
      u"toolsuite installed.",
      u"In order to create a Bitname file you'll have to:",
      u"- have the pdf for the device somewhere on disk",
      u"You can select the location where the BitName files must be stored.",
      u"You'll be automatically asked to select a location the first time you run it.",
      u"\"xxx\\KorvanIDE\\Plugin\\CompilerBitname\"",
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
      u"For the 16 bit family the file will be stored in both the selected directory and in the "
      u"ZMV directory.",
      u"The 8 bit file you'll have to copy to the Plugin\\CompilerBitnames yourself.",
      u"When the process is complete you'll be notified of the location and name of the generated "
      u"file.",
      u"You'll have to copy it to the Plugin\\CompilerBitnames yourself.",
      u"The order for the SFRs in the 8 bit BitNameFile is based on the order in the include file.",
      u"The order for the SFRs in the 16 bit BitNameFile is alphabetical.",
      u"NO programmer can do WITHOUT the datasheet.",
      u"The information read from the Include or KDX file can not always be found in the "
      u"converted PDF.",
      u"This is due to differences in naming between the Include or KDX file and the PDF.",
      u"An attempt has been made to detect this, but errors may occur.",
      u"The datasheet shows this as either 'bit 2-0', 'bitname2:bitname0' or 'bitname<2:0>'.",
      u"I found a situation that looks like this 'bit 15,13'. In cases like these only two bits "
      u"are generated.",
  };
  const std::vector<std::u16string> lines = HelpTextLines();
  for (const char16_t* sentence : sentences) {
    SCOPED_TRACE(Narrow(sentence));
    EXPECT_TRUE(AnyLineHolds(lines, sentence));
  }
}

// A sentence over two lines: the first line ends where its first part ends, the next
// line starts with the second part.
TEST(HelpText, SentencesOverTwoLinesBreakWhereTheyAlwaysDid) {
  const std::pair<const char16_t*, const char16_t*> pairs[] = {
      {u"This tool provides in generating missing BitName files and this version now also "
       u"supports the 16 bit ",
       u"families."},
      {u"For the 8 bit family it uses the corresponding Include file (.inc) supplied by "
       u"MicroChip\u00AE to determine SFR ",
       u"names and bitnames."},
      {u"The program checks if a Bitname file already exists for the selected devide in the "
       u"Plugin",
       u"\\CompilerBitnames directory."},
      {u"If it does exist you will be informed and asked if you want to continue anyway (might "
       u"save some time if",
       u"you do)."},
      {u"If you want to change it, use the Settings>Directory for BitName files... menu item. "
       u"This will show the",
       u"current location in []."},
      {u"After the tool has generated the BitName file you'll be reminded that you'll have to "
       u"copy it to the",
       u"directory where the Korvan\u00AE IDE will look for them."},
      {u"The menu entries Settings>Private SFRNames and Settings>Private BitNames allow you to "
       u"select files",
       u"that extend the SFR and BIT names covered in the tool."},
      {u"Press the button. When the process is complete you'll be notified of the location and "
       u"name of the",
       u"generated file(s)."},
      {u"Please note that even though the meanings of the SFR's and bitnames are derived from the "
       u"datasheet",
       u"this does not mean that the datasheet is no longer needed."},
  };
  const std::vector<std::u16string> lines = HelpTextLines();
  for (const auto& [first, second] : pairs) {
    SCOPED_TRACE(Narrow(first));
    const std::u16string_view head = first;
    auto at = std::find_if(lines.begin(), lines.end(), [&](const std::u16string& line) {
      return line.size() >= head.size() &&
             line.compare(line.size() - head.size(), head.size(), head) == 0;
    });
    ASSERT_NE(lines.end(), at);
    ASSERT_NE(lines.end(), at + 1);
    EXPECT_EQ(0u, (at + 1)->rfind(second, 0)) << Narrow(*(at + 1));
  }
}

TEST(HelpText, TitleThenElevenUnderlinedSectionsInOrder) {
  const std::vector<std::u16string> headings = {
      u"Introduction.",
      u"Requirements.",
      u"Existing Bitname file.",
      u"Location of the created BitName files.",
      u"Private SFR Names and Bitnames",
      u"Use as a stand-alone tool.",
      u"Use from the datasheet download plug-in of the IDE.",
      u"Differences between the 8 bit and 16 bit functionality.",
      u"The Viewer.",
      u"Note.",
      u"Limitations.",
  };
  const std::vector<std::u16string> lines = HelpTextLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(u"Korvan\u00AE BitName file creator", lines[0]);
  EXPECT_EQ(u"", lines[1]);

  std::vector<std::u16string> found;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    if (lines[i + 1] == u"=") found.push_back(lines[i]);
  }
  EXPECT_EQ(headings, found);

  for (const std::u16string& heading : headings) {
    SCOPED_TRACE(Narrow(heading));
    auto at = std::find(lines.begin(), lines.end(), heading);
    ASSERT_NE(lines.end(), at);
    // One empty line closes every section; three stand before "Note.".
    const std::ptrdiff_t gap = heading == u"Note." ? 3 : 1;
    ASSERT_GT(at - lines.begin(), gap);
    for (std::ptrdiff_t k = 1; k <= gap; ++k) EXPECT_EQ(u"", *(at - k));
    EXPECT_NE(u"", *(at - gap - 1));
  }
}

TEST(HelpText, EndsWithTheLimitationsAndOneEmptyLine) {
  const std::vector<std::u16string> lines = HelpTextLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(u"", lines.back());
  EXPECT_NE(u"", lines[lines.size() - 2]);
  auto limitations = std::find(lines.begin(), lines.end(), u"Limitations.");
  auto note = std::find(lines.begin(), lines.end(), u"Note.");
  ASSERT_NE(lines.end(), limitations);
  EXPECT_LT(note, limitations);
  EXPECT_EQ(lines.end(), std::find(limitations + 2, lines.end(), u"="));
  // "NO programmer ..." stands one empty line below the rest of its section.
  auto no = std::find(lines.begin(), lines.end(), u"NO programmer can do WITHOUT the datasheet.");
  ASSERT_NE(lines.end(), no);
  EXPECT_EQ(u"", *(no - 1));
  EXPECT_EQ(u"this does not mean that the datasheet is no longer needed.", *(no - 2));
}

}  // namespace
}  // namespace bnf
