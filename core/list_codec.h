// The SEQUENCE OF / SET OF codec, shared by list types and the structure engine.
#ifndef KORVU_CORE_LIST_CODEC_H
#define KORVU_CORE_LIST_CODEC_H
#include "../types/list_internal.h"
#endif
