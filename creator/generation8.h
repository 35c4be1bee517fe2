// The 8-bit generation's completion steps and the matches both roads share. After the
// include reader and the datasheet scanner, descriptions and pages still missing are
// taken from the name tables and from other rows of the device's own tables.
// TfBNF::Doe8Bit, CheckOriginal, OpenconvertedPDF1Click and ReloadPrivateClick are
// defined beside these (generation8.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "creator/device_tables.h"
#include "creator/name_tables.h"

namespace bnf {

// Whether the concrete register name fits the generic one, whose placeholder is the first
// run of lower-case n (else of lower-case x): the name must begin with the text before
// the run and end with the text after it. Without a placeholder, exact equality.
bool IsSFRLike(std::u16string_view sSFRInc, std::u16string_view sSFRPDF);

// The page of the first register in use at exactly this address that has a page; empty
// when there is none.
std::u16string FindRegSameAddressWithPage(const DeviceTables& t, std::u16string_view sAddr);

// The description of another bit of the same register and number (a second name of the
// same bit): the nearest such row from `ix` upward, else the nearest below it. Empty for
// a blank argument or a bit number outside 0 to 7. `ix` outside the rows starts at 1.
std::u16string LookUpBitdescInReg(const DeviceTables& t, std::u16string_view sReg,
                                  std::u16string_view sBit, int32_t ix);

// The description of the bit of the same name and number in a register of the same kind
// (the owner's digits as n placeholders fit `sReg`), searched as LookUpBitdescInReg.
std::u16string LookUpBitdescBitNameNum(const DeviceTables& t, std::u16string_view sReg,
                                       std::u16string_view sBitName, std::u16string_view sBitNum,
                                       int32_t ix);

// Default descriptions for registers whose description is empty or "REGISTER"; a shadow
// register (name holding "_SHAD") takes its original's, marked " Shadow register".
void CompleteRegisterDescriptions(DeviceTables& t, const NameTables& names);

// The three passes over bits without a description, each over all rows before the next:
// the name tables, another name of the same bit, the same bit of a similar register.
void CompleteBitDescriptions(DeviceTables& t, const NameTables& names);

// Pages for registers without one: from a register at the same address, else from the
// last generic datasheet heading (NotFound) that the name fits.
void CompletePages(DeviceTables& t);

}  // namespace bnf
