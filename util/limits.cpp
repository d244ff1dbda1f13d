// The recursion limit of the decoders.
#include "korvu/util.h"
#include "limits_impl.h"

extern "C" {

// Recursive decoders (constructed strings, nested ANY values, structures
// holding structures) descend one C++ frame per nesting level and stop at this
// depth. Real PKI data nests a few tens of levels at most (a CMS message
// carrying certificates with extensions stays well under 30), while 64
// recursive frames of a few hundred bytes each are small on any thread stack,
// so hostile input cannot exhaust the stack. It is a constant on purpose: a
// process-wide setter would be shared mutable state between threads.
int korvu_get_recursive_level(void) { return korvu::kRecursiveLevel; }

}  // extern "C"
