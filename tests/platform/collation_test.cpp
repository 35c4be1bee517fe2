// The orders every build's locale comparison must give: the Windows orders
// (CompareStringW, en-US, letter case ignored) for the kinds of texts the tool keeps in
// sorted lists. Runs against the native ICU comparison and, under Wine, the Win32 one.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/platform.h"

namespace bnf {
namespace {

using namespace std::string_view_literals;

struct Case {
  std::u16string_view a, b;
  int expected;  // sign of Compare(a, b)
};

const Case kCases[] = {
    // Empty texts without data, embedded NULs.
    {std::u16string_view(), std::u16string_view(), 0},
    {std::u16string_view(), u"a", -1},
    {u"a\0b"sv, u"a\0c"sv, -1},
    // Letter case never counts; accents do, after the letter.
    {u"PORTA", u"PORTa", 0},
    {u"\u00E9", u"e", 1},
    {u"\u00E9", u"f", -1},
    // Punctuation before digits before letters.
    {u";", u"_", -1},
    {u"-", u"_", -1},
    {u"_", u"0", -1},
    {u"0", u"a", -1},
    {u"A_B", u"A0B", -1},
    {u"A0B", u"AAB", -1},
    {u"T1_CON", u"T10CON", -1},
    {u"T10CON", u"T1CON", -1},
    {u"T1CON", u"T2CON", -1},
    {u"RB_0", u"RB0", -1},
    {u"NOT_PD", u"NOTPD", -1},
    {u"a.b", u"a;b", -1},
    {u"A\\B", u"A.B", 1},
    {u"a b", u"a\tb", -1},
    // Hyphen and apostrophe count only when all else is equal.
    {u"co-op", u"coop", 1},
    {u"co-op", u"cop", -1},
    {u"co-op", u"coo-p", 1},
    {u"coop-", u"co-op", -1},
    {u"a'b", u"a-b", -1},
    {u"a'-b", u"a-'b", -1},
    {u"co'op", u"coop", 1},
    {u"co'op", u"cop", -1},
    {u"co'op", u"coo'p", 1},
    {u"coop'", u"co'op", -1},
    {u"can''t", u"can't", 1},
    {u"a--b", u"a-b", 1},
    {u"a-b", u"a_b", 1},
    {u"Co-op", u"cO-OP", 0},
    // Thorn is "th"; y with diaeresis is y with an accent.
    {u"\u00FE", u"th", 0},
    {u"\u00FE", u"\u00DE", 0},
    {u"A\u00FE", u"A0", 1},
    {u"A\u00FE", u"AZ", -1},
    {u"U1MODE\u00FE", u"U1MODE2\u00FE", 1},
    {u"U1MODE\u00FEA", u"U1MODEA\u00FE", 1},
    {u"\u00FF", u"y", 1},
    {u"\u00FF", u"z", -1},
    {u"\u00FF", u"\u0178", 0},
    // WorkList entries: register;bit number;bit name.
    {u"STATUS;3;NOT_PD", u"STATUS;3;PD", -1},
    {u"T1CON;0;TMR1ON", u"T1CON;1;TMR1CS", -1},
    {u"T1CON;0;TMR1ON", u"T1CON_X;0;A", -1},
    {u"PIR1;4;TXIF", u"PIR10;0;A", -1},
    {u"status;3;not_pd", u"STATUS;3;NOT_PD", 0},
    // RegisterList entries: name, y with diaeresis, address, y with diaeresis.
    {u"ADC1BUF0\u00FF0300\u00FF", u"ADC1\u00FF0300\u00FF", -1},
    {u"PORTA\u00FF0005\u00FF", u"PORTB\u00FF0006\u00FF", -1},
    {u"PORTA\u00FF0005\u00FF", u"PORTAB\u00FF0006\u00FF", 1},
    {u"porta\u00FF0005\u00FF", u"PORTA\u00FF0005\u00FF", 0},
    // BitWorkList entries: owner, bit number, bit name and description between thorns.
    {u"INTCON\u00FE06\u00FEPEIE\u00FEPeripheral\u00FE",
     u"INTCON\u00FE07\u00FEGIE\u00FEGlobal\u00FE", -1},
    {u"INTCON\u00FE07\u00FEGIE\u00FEx\u00FE", u"INTCON2\u00FE07\u00FERBPU\u00FEx\u00FE", 1},
    {u"U1MODE\u00FE15\u00FEUARTEN\u00FEUART enable\u00FE",
     u"U1MODE\u00FE15\u00FEUARTEN\u00FEUART-enable\u00FE", -1},
    // File names and listing lines (path, tab, date, tab, size).
    {u"C:\\x\\P16F877A.INC", u"c:\\x\\p16f877a.inc", 0},
    {u"C:\\x\\P16F84.INC", u"C:\\x\\P16F84A.INC", -1},
    {u"C:\\x\\P16F84.INC", u"C:\\x\\P16F84_A.INC", -1},
    {u"C:\\x\\P16F84.INC\t3/5/2021\t12", u"C:\\x\\P16F84.INC.OLD\t3/5/2021\t12", -1},
    {u"C:\\Program Files\\x", u"C:\\Program Files (x86)\\x", 1},
};

TEST(Collation, OrdersTheToolsTextsAsWindowsDoes) {
  std::unique_ptr<Collator> collator = MakeCollator();
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.a)) + " vs " +
                 testing::PrintToString(std::u16string(c.b)));
    const int ab = collator->Compare(c.a, c.b), ba = collator->Compare(c.b, c.a);
    EXPECT_EQ(c.expected, (ab > 0) - (ab < 0));
    EXPECT_EQ(-c.expected, (ba > 0) - (ba < 0));
  }
}

}  // namespace
}  // namespace bnf
