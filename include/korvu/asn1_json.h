/* KORVU ASN.1: JSON rendering and encoding. Included by korvu/asn1.h. */
#ifndef KORVU_ASN1_JSON_H
#define KORVU_ASN1_JSON_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
