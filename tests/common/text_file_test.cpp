// Text files as the tool reads and writes them, on the platform's real files and code
// page: every line end the Windows reader accepts, no byte-order mark recognised or
// written, CR LF after every written line, and bytes that come back unchanged.
#include "common/text_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using namespace std::string_literals;

TEST(SplitLines, EndsLinesAtCrLfLoneLfAndLoneCr) {
  struct Case {
    std::u16string text;
    Lines expected;
  };
  const Case cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},
      {u"a\r\nb\r\n", {u"a", u"b"}},
      {u"a\nb", {u"a", u"b"}},
      {u"a\rb\r", {u"a", u"b"}},
      {u"a\r\r\nb\n\rc", {u"a", u"", u"b", u"", u"c"}},
      {u"\r\n", {u""}},
      {u"\n\n", {u"", u""}},
      {u"a\n\r\n", {u"a", u""}},
      {u" a \t", {u" a \t"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(c.expected, SplitLines(c.text));
  }
}

class TextFilesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  TextFiles text{*files, *codec};
};

TEST_F(TextFilesTest, WritesCrLfAfterEveryLineAndNoByteOrderMark) {
  text.WriteLines(dir.File(u"out.txt"), {u"** BITNAMES **", u"", u"\u00AE\u00E9\u20AC"});
  EXPECT_EQ("** BITNAMES **\r\n\r\n\xAE\xE9\x80\r\n", test::ReadBytes(dir.native() / "out.txt"));
  text.WriteLines(dir.File(u"none.txt"), {});
  EXPECT_EQ("", test::ReadBytes(dir.native() / "none.txt"));
}

TEST_F(TextFilesTest, ReadsMixedLineEndsAndKeepsByteOrderMarkAsText) {
  test::WriteBytes(dir.native() / "in.txt",
                   "\xEF\xBB\xBF"
                   "first\r\nsecond\nthird\rlast");
  EXPECT_EQ((Lines{u"\u00EF\u00BB\u00BFfirst", u"second", u"third", u"last"}),
            text.ReadLines(dir.File(u"IN.TXT")));
  test::WriteBytes(dir.native() / "empty.txt", "");
  EXPECT_EQ(Lines{}, text.ReadLines(dir.File(u"empty.txt")));
}

TEST_F(TextFilesTest, ReadAndWrittenBytesComeBackUnchanged) {
  std::string bytes = "\x80\x81\x8D\x8F\x90\x9D\x9F\xAE\xE9 \x01\x7F\r\n"s;
  bytes += std::string(100000, 'L') + "\r\n";
  test::WriteBytes(dir.native() / "in.txt", bytes);

  Lines lines = text.ReadLines(dir.File(u"in.txt"));
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00AE\u00E9 \x01\x7F"s, lines[0]);
  EXPECT_EQ(100000u, lines[1].size());
  text.WriteLines(dir.File(u"out.txt"), lines);
  EXPECT_EQ(bytes, test::ReadBytes(dir.native() / "out.txt"));
}

}  // namespace
}  // namespace bnf
