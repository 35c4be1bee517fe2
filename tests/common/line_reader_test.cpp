// Reading lines a block at a time must give SplitLines' lines of the whole decoded text,
// whatever line end stands at or across the 64 KB boundary where a block is cut.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "platform/platform.h"

namespace bnf {
namespace {

TEST(LineReader, GivesTheLinesOfTheWholeText) {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  for (std::size_t lead : {65533, 65534, 65535, 65536, 65537, 196607}) {
    for (std::string end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n", "\n\n", ""}) {
      std::string bytes = std::string(lead, 'a') + end + "b\xE9\r\n" + std::string(lead, 'c');
      LineReader reader(bytes, *codec);
      std::vector<std::u16string> read;
      for (std::u16string_view line; reader.Next(line);) read.emplace_back(line);
      EXPECT_EQ(SplitLines(codec->Decode(bytes)), read) << lead << " " << end.size();
    }
  }
}

}  // namespace
}  // namespace bnf
