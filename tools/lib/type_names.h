// Type numbers from what a user types: a number, a catalogue name in any
// case ("Certificate", "sequence of any"), a short name ("crl", "p12") or an
// unambiguous beginning of a name.
#ifndef KORVU_TOOL_TYPE_NAMES_H
#define KORVU_TOOL_TYPE_NAMES_H

#include <cstdint>
#include <string>
#include <vector>

namespace korvu::tool {

struct TypeLookup {
  bool found = false;
  uint32_t type = 0;
  std::vector<uint32_t> candidates;  // when not found: the names it could mean, or that contain it
  std::string error;                 // when not found: why, ready to print
};

// Resolves `word`:
//  1. decimal digits: that number (an error above 449);
//  2. a catalogue name, compared without case, blanks and punctuation
//     ("SEQUENCE OF ANY" = "sequenceofany"); several types sharing the name
//     are ambiguous;
//  3. a short name of the table in type_names.cpp ("crl", "csr", "p12" ...);
//  4. the beginning of exactly one catalogue name ("CertificationReq").
TypeLookup lookup_type(const std::string &word);

// The types whose name or short name contains `word` (without case, blanks
// and punctuation), in number order; every type for an empty word.
std::vector<uint32_t> types_matching(const std::string &word);

// Short names of a type, comma separated ("" when it has none).
std::string short_names(uint32_t type);

}  // namespace korvu::tool

#endif
