// The text of the help window: one entry per memo line, in the order shown. It lives in
// portable code so it can be checked without a window; the help window converts it
// when it opens. Sections are a heading, a line "=", the body and an empty line.
#pragma once

#include <string>
#include <vector>

namespace bnf {

// The help text's lines, without line ends.
std::vector<std::u16string> HelpTextLines();

}  // namespace bnf
