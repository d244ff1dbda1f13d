/* KORVU ASN.1: Push decoding and streaming encoding. Included by korvu/asn1.h. */
#ifndef KORVU_ASN1_STREAM_H
#define KORVU_ASN1_STREAM_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
