// The platform's code page, and text files as the tool reads and writes them on real
// files: every line end the Windows reader accepts, also where a 64 KB block is cut, no
// byte-order mark recognised or written, CR LF after every line, bytes kept unchanged.
#include "common/text_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using namespace std::string_literals;

// The ANSI code page (Windows-1252) as both builds must convert it: the Windows table
// for 0x80-0x9F including its five unassigned bytes, best fit or '?' on encoding.
TEST(AnsiCodec, EveryByteSurvivesARoundTripThroughTheWindowsTable) {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = codec->Decode(all);
  ASSERT_EQ(256u, text.size());
  for (int b = 0; b < 256; ++b) EXPECT_TRUE((b >= 0x80 && b <= 0x9F) || text[b] == b) << b;
  EXPECT_EQ(
      u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
      u"\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
      u"\u0153\u009D\u017E\u0178",
      text.substr(128, 32));
  EXPECT_EQ(all, codec->Encode(text));
}

TEST(AnsiCodec, EncodesUnmappedCharactersAsBestFitOrQuestionMark) {
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {{u"\uFF21\uFF42", "Ab"},  // fullwidth letters
               {u"x\u4E00y", "x?y"},     // no fit in the code page
               {u"\xD800"s, "?"}};       // lone surrogate
  for (const auto& c : cases) EXPECT_EQ(c.bytes, MakeAnsiCodec()->Encode(c.text)) << c.bytes;
}

TEST(TextFiles, SplitsAtCrLfLoneLfAndLoneCr) {
  const struct {
    std::u16string text;
    Lines lines;
  } cases[] = {
      {u"", {}},
      {u"a\nb\rc\r", {u"a", u"b", u"c"}},
      {u"a\r\r\nb\n\rc", {u"a", u"", u"b", u"", u"c"}},
      {u"\r\n\r", {u"", u""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(c.lines, SplitLines(c.text));
  }
}

// Reading a block at a time gives the lines of the whole decoded text.
TEST(TextFiles, LineReaderGivesTheLinesOfTheWholeText) {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  for (std::size_t lead : {65533, 65534, 65535, 65536, 65537, 196607}) {
    for (std::string end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n", "\n\n", ""}) {
      std::string bytes = std::string(lead, 'a') + end + "b\xE9\r\n" + std::string(lead, 'c');
      LineReader reader(bytes, *codec);
      Lines read;
      for (std::u16string_view line; reader.Next(line);) read.emplace_back(line);
      EXPECT_EQ(SplitLines(codec->Decode(bytes)), read) << lead << " " << end.size();
    }
  }
}

TEST(TextFiles, BytesComeBackUnchangedWithCrLfAfterEveryLine) {
  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  TextFiles text{*files, *codec};
  const std::string bytes =
      "\xEF\xBB\xBF\x80\x81\x9F\xE9 nul:\0:\x7F\r\n\r\n"s + std::string(100000, 'L') + "\r\n";
  test::WriteBytes(dir.native() / "in.txt", bytes + "x\ry\nz");

  const Lines lines = text.ReadLines(dir.File(u"IN.TXT"));
  ASSERT_EQ(6u, lines.size());
  // A NUL is dropped: the IDE would read the line only up to it.
  EXPECT_EQ(u"\u00EF\u00BB\u00BF\u20AC\u0081\u0178\u00E9 nul::\x7F"s, lines[0]);
  EXPECT_EQ((Lines{u"", std::u16string(100000, u'L'), u"x", u"y", u"z"}),
            Lines(lines.begin() + 1, lines.end()));
  text.WriteLines(dir.File(u"out.txt"), Lines(lines.begin(), lines.begin() + 3));
  std::string written = bytes;
  std::erase(written, '\0');
  EXPECT_EQ(written, test::ReadBytes(dir.native() / "out.txt"));
  text.WriteLines(dir.File(u"none.txt"), {});
  EXPECT_EQ("", test::ReadBytes(dir.native() / "none.txt"));
}

}  // namespace
}  // namespace bnf
