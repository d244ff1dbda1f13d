/* Compiled once for every public header, with KORVU_HEADER naming it: each
 * header is a complete translation unit on its own (C99, C11 and C++). */
#include KORVU_HEADER

typedef int korvu_header_alone_unused;
