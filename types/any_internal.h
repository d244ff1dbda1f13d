// ANY internals shared with the incremental decoders and the list codec.
#ifndef KORVU_TYPES_ANY_INTERNAL_H
#define KORVU_TYPES_ANY_INTERNAL_H

#include "../core/internal.h"

namespace korvu::any {

// Whether an identifier may start an ANY: any class other than universal is
// accepted; a universal tag number must be 0 to 34 and allow the form read
// (X.690 8.x: e.g. BOOLEAN and INTEGER are primitive only, SEQUENCE and SET
// constructed only, the string types either; 15 and 29 are refused). The
// end-of-contents identifier 00 is allowed here; callers treat it first.
bool identifier_allowed(uint32_t tag_class, int primitive, uint32_t tag);

// Reads the contents of an ANY whose identifier and length are in `h`,
// copying them to `content`: a definite length is copied as it stands (in
// bounded chunks); an indefinite one is walked encoding by encoding, nested
// indefinite levels at depth + 1 and deeper, up to and including the closing
// 00 00. `consumed` counts the contents octets. Records specific errors only.
int read_contents(KORVU_STREAM *s, const Header &h, KORVU_STREAM *content, uint32_t *consumed,
                  KORVU_ERR_CTX *ctx, int depth);

}  // namespace korvu::any

#endif
