// Failure codes that name the right component: a failing list element, a
// primitive [0] in a certification request info, and an element after a
// SignedData's signerInfos.
#include <algorithm>
#include <string>
#include <vector>

#include "korvu/asn1.h"
#include "korvu/holder.hpp"
#include "test_util.h"

namespace {

using korvu_test::Bytes;
using korvu_test::hex;

constexpr uint32_t kIncorrectItem = 0x1020A;
constexpr uint32_t kIncorrectLength = 0x1020B;
constexpr uint32_t kPcBit = 0x1026A;

// Each row: a type, an input, the codes that must appear in this order (not
// necessarily next to each other; none: the input decodes whole), and a code
// that must not appear at all.
TEST(Fidelity, FailureCodesNameTheFailingComponent) {
  const struct {
    uint32_t type;
    const char *input;
    std::vector<uint32_t> in_order;
    uint32_t absent;
  } kRows[] = {
      // A revoked-certificate entry without its revocationDate: the entry's
      // decode code, then the list's, once.
      {KORVU_TYPE_REVOKED_CERTIFICATE_LIST, "30 05 30 03 02 01 05", {0x1025B, 0x1025D}, 0},
      // A primitive [0] after the key is no attributes element: "incorrect item".
      {KORVU_TYPE_CERTIFICATIONREQUESTINFO, "30 11 02 01 00 30 00 30 08 30 03 06 01 2A 03 01 00 80 00",
       {kIncorrectItem}, kPcBit},
      {KORVU_TYPE_CERTIFICATIONREQUESTINFO, "30 11 02 01 00 30 00 30 08 30 03 06 01 2A 03 01 00 A0 00", {}, 0},
      // An element after signerInfos in a definite length: "incorrect length".
      {KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM,
       "30 16 02 01 01 31 00 30 0B 06 09 2A 86 48 86 F7 0D 01 07 01 31 00 05 00", {kIncorrectLength},
       kIncorrectItem},
      {KORVU_TYPE_SIGNEDDATA_CMS_FORM,
       "30 16 02 01 01 31 00 30 0B 06 09 2A 86 48 86 F7 0D 01 07 01 31 00 05 00", {kIncorrectLength},
       kIncorrectItem},
      {KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, "30 14 02 01 01 31 00 30 0B 06 09 2A 86 48 86 F7 0D 01 07 01 31 00", {}, 0},
  };
  for (const auto &row : kRows) {
    const Bytes in = hex(row.input);
    korvu_test::ErrCtx ctx;
    korvu::Value value(row.type);
    uint32_t consumed = 0;
    const int r = korvu_asn1_decode_diag(in.data(), static_cast<uint32_t>(in.size()), row.type, value.out(),
                                         &consumed, nullptr, ctx);
    EXPECT_EQ(r == 1 && consumed == in.size(), row.in_order.empty()) << row.input;
    const std::vector<uint32_t> codes = ctx.codes();
    auto at = codes.begin();
    for (uint32_t code : row.in_order) {
      at = std::find(at, codes.end(), code);
      EXPECT_NE(at, codes.end()) << row.input << ": code " << std::hex << code;
    }
    if (row.in_order.size() > 1) {
      EXPECT_EQ(std::count(codes.begin(), codes.end(), row.in_order.back()), 1) << row.input;
    }
    if (row.absent != 0) {
      EXPECT_FALSE(ctx.has(row.absent)) << row.input;
    }
  }
}

}  // namespace
