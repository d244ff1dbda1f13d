/* KORVU ASN.1: X.500 names, attributes and directory attribute values. Included by korvu/asn1.h. */
#ifndef KORVU_X509_NAME_H
#define KORVU_X509_NAME_H
#include "korvu/asn1.h"
#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif
#endif
