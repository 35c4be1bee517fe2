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

TEST(TextFiles, SplitsAtCrLfLoneLfAndLoneCr) {
  const struct {
    std::u16string text;
    Lines lines;
  } cases[] = {{u"", {}},
               {u"a", {u"a"}},
               {u"a\r\nb\r\n", {u"a", u"b"}},
               {u"a\nb\rc\r", {u"a", u"b", u"c"}},
               {u"a\r\r\nb\n\rc", {u"a", u"", u"b", u"", u"c"}},
               {u"\r\n\r", {u"", u""}},
               {u" a \t", {u" a \t"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(c.lines, SplitLines(c.text));
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
