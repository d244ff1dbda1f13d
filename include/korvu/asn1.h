/** @file
 * KORVU ASN.1: BER/DER encoding and decoding of ASN.1 values for PKI.
 *
 * The one header callers include: the generic operations (korvu/asn1_base.h)
 * and every family header. A family header includes korvu/asn1_base.h and the
 * family headers whose types it uses, so each compiles alone as well; a new
 * family adds one line below. */
#ifndef KORVU_ASN1_H
#define KORVU_ASN1_H

#include "korvu/asn1_base.h"
#include "korvu/asn1_version.h"

#include "korvu/asn1_strings.h"
#include "korvu/asn1_oid.h"
#include "korvu/asn1_time.h"
#include "korvu/asn1_any.h"
#include "korvu/asn1_stream.h"
#include "korvu/asn1_json.h"
#include "korvu/x509_name.h"
#include "korvu/x509_cert.h"
#include "korvu/x509_attrcert.h"
#include "korvu/x509_extvalues.h"
#include "korvu/ocsp.h"
#include "korvu/tsp.h"
#include "korvu/cms.h"
#include "korvu/cms_enveloped.h"
#include "korvu/cms_gmt.h"
#include "korvu/x509_crl.h"
#include "korvu/x509_req.h"
#include "korvu/keys.h"
#include "korvu/certstore.h"
#include "korvu/seal.h"
#include "korvu/authenticode.h"
#include "korvu/cades.h"
#include "korvu/ers.h"
#include "korvu/scvp.h"
#include "korvu/ldap.h"

#endif /* KORVU_ASN1_H */
