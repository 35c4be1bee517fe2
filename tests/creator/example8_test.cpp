// The example 8-bit device end to end through the include reader and the 8-bit writer:
// the saved file must equal examples/expected/P16F1938.include-only.bnf byte for byte.
// The include file is copied into a folder under a lower-case name, as some MPASM
// installations store them.
#include <gtest/gtest.h>

#include <string>

#include "creator/bnf_file.h"
#include "creator/include_reader.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

TEST(Example8Bit, IncludeOnlyFileMatchesTheExpectedBytes) {
  test::Rig rig;
  test::TempDir mpasm;
  test::TempDir out;
  test::WriteBytes(
      test::ToHostPath(mpasm.File(u"p16f1938.inc")),
      test::ReadBytes(test::ToHostPath(test::SourcePath("examples/mpasm/P16F1938.inc"))));
  rig.s().dirs.MplabX64Dir = mpasm.path() + u"\\";

  GetInc(rig.s(), rig.text, u"16F1938");
  ASSERT_EQ(u"1938", rig.s().req.DeviceNumber);
  const std::u16string file = BnfFileName(out.path(), u"16F1938");
  rig.text.WriteLines(file, Write8BitLines(rig.s().tables));

  EXPECT_EQ(test::ReadBytes(
                test::ToHostPath(test::SourcePath("examples/expected/P16F1938.include-only.bnf"))),
            test::ReadBytes(test::ToHostPath(file)));
}

}  // namespace
}  // namespace bnf
