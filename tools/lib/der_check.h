// The DER check of korvu-asn1 (decode --der, decode --check): walks every
// element of an encoding, including the contents that an ANY keeps without
// looking into them, and lists each departure from DER (X.690 section 10
// and 11) with the offset of its element:
//
//   - indefinite length; a length or identifier in more octets than needed
//   - INTEGER or ENUMERATED contents with a redundant first octet, or none
//   - a constructed BIT STRING, OCTET STRING or character string
//   - SET OF elements out of ascending order of their encodings
//   - BOOLEAN contents other than 00 and FF
//   - BIT STRING unused bits that are not zero
//   - UTCTime and GeneralizedTime not in the DER form (Z, seconds present,
//     no trailing zero in a fraction)
//   - octets after the first encoding
//
// An encoding that breaks (a length running past its container, a missing
// end-of-contents) ends the walk with that fault as the last entry, at the
// octet that breaks it (the first length octet of a length that runs past its
// container), the same offset korvu_asn1_decode_diag and dump give.
#ifndef KORVU_TOOL_DER_CHECK_H
#define KORVU_TOOL_DER_CHECK_H

#include <cstddef>
#include <string>
#include <vector>

namespace korvu::tool {

struct DerDeparture {
  size_t offset;  // first octet of the element (or of the trailing octets; see above for faults)
  std::string what;
};

struct DerReport {
  std::vector<DerDeparture> departures;  // in order of offset, as found
  bool malformed = false;                // the last departure ends the walk
  bool is_der() const { return departures.empty(); }
};

DerReport der_check(const unsigned char *data, size_t size);

}  // namespace korvu::tool

#endif
