// DEFAULT comparisons of the structure engine (X.690 11.5: DER leaves out a
// component whose value equals its default). Each rule is named in the
// component's table row.
#ifndef KORVU_CORE_DEFAULT_RULES_H
#define KORVU_CORE_DEFAULT_RULES_H

#include "struct.h"

namespace korvu::st::rules {

// True when `value` (a value of `type`) equals the default `def` (DER of the
// untagged type) under `rule`.
bool equals(DefaultRule rule, uint32_t type, const unsigned char *def, uint32_t def_len, const void *value);

}  // namespace korvu::st::rules

#endif
