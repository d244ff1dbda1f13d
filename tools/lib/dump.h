// korvu-asn1 dump: an indented tree of the elements of a BER/DER encoding,
// one line each:
//
//   offset hl length: [indent]TAG value
//
// where offset is the element's first octet, hl the count of its
// identifier and length octets, length its contents length ("inf" for the
// indefinite form, whose end-of-contents gets a line of its own). Universal
// tags print by name, other classes as [n], [APPLICATION n], [PRIVATE n].
// Primitive values are decoded: BOOLEAN, INTEGER (decimal up to 8 octets,
// hexadecimal beyond), OBJECT IDENTIFIER with the name of a well-known one,
// strings and times as quoted text, BIT STRING with its unused bits. An
// OCTET STRING or BIT STRING whose contents are one complete encoding shows
// it nested; other long contents print as hexadecimal lines. Non-minimal
// identifier and length octets are marked.
#ifndef KORVU_TOOL_DUMP_H
#define KORVU_TOOL_DUMP_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvu::tool {

struct DumpResult {
  bool ok = true;
  size_t error_offset = 0;  // the octet where reading stopped, when !ok
  std::string error;        // why, when !ok
};

// Appends the tree of every element of data[0, size) to `out`. On malformed
// input the lines up to the bad element are kept and the result says where
// and why reading stopped.
DumpResult dump(const unsigned char *data, size_t size, std::string &out);

// The name of a well-known object identifier (dotted text), or null: the
// library's table (korvu_asn1_oid_name), then, when Debian's dumpasn1 is
// installed, the some 2,600 names of /etc/dumpasn1/dumpasn1.cfg.
const char *oid_name(const char *dotted);

}  // namespace korvu::tool

#endif
