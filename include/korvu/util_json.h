/* Part of the KORVU utility library; included by korvu/util.h. */
#ifndef KORVU_UTIL_JSON_H
#define KORVU_UTIL_JSON_H
#include "korvu/util.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
