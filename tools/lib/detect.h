// What an input is: its PEM blocks and, for each, the top-level PKI types
// of the catalogue that decode it whole.
#ifndef KORVU_TOOL_DETECT_H
#define KORVU_TOOL_DETECT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input.h"

namespace korvu::tool {

// The top-level types detection tries, in the order it reports them. Types
// this build has no codec for are skipped when trying, so types whose
// modules land later are picked up without edits here.
const std::vector<uint32_t> &top_level_types();

// The type a PEM label names (RFC 7468 and the labels openssl writes), or
// KORVU_TYPE_COUNT when it names none.
uint32_t pem_label_type(const std::string &label);

// The types of top_level_types() (the one the PEM label names first, when
// there is one) that this build has a codec for and that decode exactly the
// `size` octets at `data`.
std::vector<uint32_t> detect_types(const unsigned char *data, size_t size, const std::string &pem_label);

// Every PEM block of a text input, in order (an input without a complete
// block gives none). Each holds its label and decoded octets.
std::vector<LoadedInput> pem_blocks(const unsigned char *data, size_t size);

}  // namespace korvu::tool

#endif
