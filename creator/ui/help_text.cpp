// The help text. Several sentences are shown the way users of earlier versions know
// them (spelling included), and some of them run over two memo lines; keep the line
// breaks where they are.
#include "creator/ui/help_text.h"

#include <initializer_list>

namespace bnf {

namespace {

using Lines = std::initializer_list<const char16_t*>;

void Append(std::vector<std::u16string>& out, Lines lines) {
  for (const char16_t* line : lines) out.emplace_back(line);
}

// A heading, its underline, the body and the `gap` empty lines that close it.
void Section(std::vector<std::u16string>& out, const char16_t* heading, Lines body, int gap = 1) {
  Append(out, {heading, u"="});
  Append(out, body);
  for (int i = 0; i < gap; ++i) out.emplace_back();
}

void Introduction(std::vector<std::u16string>& out) {
  Section(out, u"Introduction.",
          {u"The Korvan\u00AE IDE can show every special function register of a device together "
           u"with its bit names and their meaning.",
           u"Click the + in front of the device in the navigator of the IDE to see them. The IDE "
           u"reads this information from the files of its CompilerBitname plug-in.",
           u"Not every device comes with a Bitname file (.bnf), and for the 16 bit devices none "
           u"has turned up so far.",
           u"",
           u"This tool provides in generating missing BitName files and this version now also "
           u"supports the 16 bit ",
           u"families.", u"",
           u"For the 8 bit family it uses the corresponding Include file (.inc) supplied by "
           u"MicroChip\u00AE to determine SFR ",
           u"names and bitnames.",
           u"For the 16 bit family it uses the .KDX files since not every user will have the ASM30 "
           u"toolsuite installed.",
           u"Neither kind of file explains what the bits mean: that is found in the datasheet of "
           u"the device."});
}

void Requirements(std::vector<std::u16string>& out) {
  Section(out, u"Requirements.",
          {u"In order to create a Bitname file you'll have to:",
           u"- have the pdf for the device somewhere on disk",
           u"- have converted that pdf to text with the 'Save as text' menu option of your PDF "
           u"reader.",
           u"",
           u"Alternatively, use the plug-in of the IDE that downloads the datasheet of a device: "
           u"it lets you save the datasheet to disk and start this tool from the plug-in, and the "
           u"Bitname file is then created straight away."});
}

void ExistingFile(std::vector<std::u16string>& out) {
  Section(out, u"Existing Bitname file.",
          {u"The program checks if a Bitname file already exists for the selected devide in the "
           u"Plugin",
           u"\\CompilerBitnames directory.",
           u"If it does exist you will be informed and asked if you want to continue anyway "
           u"(might save some time if",
           u"you do)."});
}

void Location(std::vector<std::u16string>& out) {
  Section(out, u"Location of the created BitName files.",
          {u"You can select the location where the BitName files must be stored.",
           u"You'll be automatically asked to select a location the first time you run it.",
           u"If you want to change it, use the Settings>Directory for BitName files... menu "
           u"item. This will show the",
           u"current location in [].",
           u"Avoid a location that needs administrator rights (Vista, Win7, ...): the BitName "
           u"files can most likely not be written there.",
           u"",
           u"After the tool has generated the BitName file you'll be reminded that you'll have to "
           u"copy it to the",
           u"directory where the Korvan\u00AE IDE will look for them.",
           u"That directory is \"xxx\\KorvanIDE\\Plugin\\CompilerBitname\", where xxx stands for "
           u"the directory in which the Korvan\u00AE IDE was installed (usually Program Files or "
           u"Program Files (x86))."});
}

void PrivateNames(std::vector<std::u16string>& out) {
  Section(out, u"Private SFR Names and Bitnames",
          {u"The menu entries Settings>Private SFRNames and Settings>Private BitNames allow you "
           u"to select files",
           u"that extend the SFR and BIT names covered in the tool.",
           u"You can edit the files that contain your own SFR names and Bitnames.",
           u"If you click the menuitem, your default editor for .txt files will be launched.",
           u"Note that the internal SFR names and Bitname names have precedence.", u"",
           u"A line of the private SFR file reads SFRName=description, a line of the private bit "
           u"file BITname=description.",
           u"Both files are kept in your roaming user profile.", u"",
           u"After you've edited one of these files, use the 'Reload' menu option to reload them.",
           u"Note that the number of SFR and BITNames is not unlimited.",
           u"At this moment you'll have approximately room for 4000 SFRNames and 65000 BITNames."});
}

void StandAlone(std::vector<std::u16string>& out) {
  Section(out, u"Use as a stand-alone tool.",
          {u"If/when the pdf has been converted to .txt you can start this tool.",
           u"First select the family and device.",
           u"The device comes first because the name of the converted PDF file need not contain "
           u"the device type.",
           u"When you've done this there will be a check if a Bitname file for that device is "
           u"already present.",
           u"Now click 'File>Open converted PDF...'",
           u"Select the .txt file that holds the converted PDF.",
           u"Press the button. When the process is complete you'll be notified of the location "
           u"and name of the",
           u"generated file(s).",
           u"For the 16 bit family the file will be stored in both the selected directory and in "
           u"the ZMV directory.",
           u"The 8 bit file you'll have to copy to the Plugin\\CompilerBitnames yourself."});
}

void FromPlugIn(std::vector<std::u16string>& out) {
  Section(out, u"Use from the datasheet download plug-in of the IDE.",
          {u"Once the plug-in has downloaded the datasheet, select all text in the PDF window "
           u"(Ctrl-A) and copy it to the clipboard (Ctrl-C).",
           u"That enables the plug-in's items in the Tools menu of the IDE: the first saves the "
           u"clipboard as a PDF text file, the second starts this tool.",
           u"When the process is complete you'll be notified of the location and name of the "
           u"generated file.",
           u"You'll have to copy it to the Plugin\\CompilerBitnames yourself."});
}

void Differences(std::vector<std::u16string>& out) {
  Section(out, u"Differences between the 8 bit and 16 bit functionality.",
          {u"The order for the SFRs in the 8 bit BitNameFile is based on the order in the include "
           u"file.",
           u"The order for the SFRs in the 16 bit BitNameFile is alphabetical."});
}

void Viewer(std::vector<std::u16string>& out) {
  Section(
      out, u"The Viewer.",
      {u"The Korvan\u00AE IDE shows only the lower 8 bits of a BitName file, so a separate viewer "
       u"for BitName files was made.",
       u"It works only as a plug-in of the IDE and is not part of this tool.",
       u"The viewer gets the device type and its core from the IDE and tells 16 bit devices by "
       u"their core.",
       u"Click an SFR to see all of its bits with their descriptions in a popup. The 'Copy to "
       u"clipboard' button copies the name and description of the SFR, and of every named bit "
       u"that has a description, ready to be pasted into your source.",
       u"",
       u"Some 16 bit registers differ only in a number (AD1CON1 and AD1CON2, for example) and "
       u"have similar bits. Their bit symbols then carry the register name as a prefix "
       u"(AD1CON1_bitname).",
       u"A checkbox governs this. It is ticked where such similar names occur, and you are "
       u"advised to leave it ticked."},
      /*gap=*/3);
}

void Note(std::vector<std::u16string>& out) {
  Section(out, u"Note.",
          {u"Please note that even though the meanings of the SFR's and bitnames are derived from "
           u"the datasheet",
           u"this does not mean that the datasheet is no longer needed.", u"",
           u"NO programmer can do WITHOUT the datasheet."});
}

void Limitations(std::vector<std::u16string>& out) {
  Section(
      out, u"Limitations.",
      {u"The information read from the Include or KDX file can not always be found in the "
       u"converted PDF.",
       u"This is due to differences in naming between the Include or KDX file and the PDF.", u"",
       u"Names can differ between the include file and the PDF. For the 18F242, for example, the "
       u"conversion status bit of ADCON0 is called 'GO_DONE' in the include file and 'GO/DONE' "
       u"in the PDF.",
       u"", u"Aliased SFRs: the include file holds a name that the PDF does not use.", u"",
       u"Older datasheets that cover several devices can hold more than one entry for the same "
       u"register, one per device. An attempt has been made to detect this, but errors may "
       u"occur. The risk is small, as most of these devices already have a BitName file.",
       u"",
       u"Bit fields of more than one bit. The datasheet shows this as either 'bit 2-0', "
       u"'bitname2:bitname0' or 'bitname<2:0>'. I found a situation that looks like this 'bit "
       u"15,13'. In cases like these only two bits are generated.",
       u"",
       u"A KDX file sometimes holds more than one entry for the same bit. Only the bits that are "
       u"found in the converted datasheet show up."});
}

}  // namespace

std::vector<std::u16string> HelpTextLines() {
  std::vector<std::u16string> out;
  Append(out, {u"Korvan\u00AE BitName file creator", u""});
  Introduction(out);
  Requirements(out);
  ExistingFile(out);
  Location(out);
  PrivateNames(out);
  StandAlone(out);
  FromPlugIn(out);
  Differences(out);
  Viewer(out);
  Note(out);
  Limitations(out);
  return out;
}

}  // namespace bnf
