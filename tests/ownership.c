/* Ownership as a C caller relies on it: every component a record points to is
 * a value of its own, whatever built the record. Each idiom (detach, detach
 * into a taking constructor, replace, free and replace a blob's bytes, swap,
 * BOOLEAN replace) runs on records of several families built six ways; under
 * AddressSanitizer a component that is not its own value shows as a bad free
 * or a use after free. */
#define _POSIX_C_SOURCE 200809L
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "korvu/asn1.h"
#include "korvu/asn1_json.h"
#include "korvu/asn1_stream.h"
#include "korvu/util_json.h"

#define NONE ((size_t)-1)

static int failures = 0;
#define CHECK(cond, what)                                                      \
  do {                                                                         \
    if (!(cond)) {                                                             \
      fprintf(stderr, "ownership: %s: %s (%s, %s)\n", what, #cond, fam->name, way_names[way]); \
      failures++;                                                              \
    }                                                                          \
  } while (0)

typedef struct family {
  const char *name;
  uint32_t type;
  const unsigned char *der;
  uint32_t length;
  size_t integer, oid, time, boolean; /* offsets of components of these types, or NONE */
  void *(*construct)(const void *decoded);
} family;

/* ---- records -------------------------------------------------------------- */
static const unsigned char kExtension[] = {0x30, 0x0C, 0x06, 0x03, 0x55, 0x1D, 0x13, 0x01,
                                           0x01, 0xFF, 0x04, 0x02, 0x30, 0x00};
static const unsigned char kExtensionNotCritical[] = {0x30, 0x09, 0x06, 0x03, 0x55, 0x1D,
                                                      0x13, 0x04, 0x02, 0x30, 0x00};
static const unsigned char kCrlEntry[] = {0x30, 0x20, 0x02, 0x01, 0x05, 0x17, 0x0D, 0x32, 0x35, 0x30, 0x31,
                                          0x30, 0x31, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x5A, 0x30, 0x0C,
                                          0x30, 0x0A, 0x06, 0x03, 0x55, 0x1D, 0x15, 0x04, 0x03, 0x0A, 0x01, 0x01};
static const unsigned char kCertId[] = {0x30, 0x15, 0x30, 0x07, 0x06, 0x05, 0x2B, 0x0E, 0x03, 0x02, 0x1A, 0x04,
                                        0x02, 0xAA, 0xBB, 0x04, 0x02, 0xCC, 0xDD, 0x02, 0x02, 0x01, 0x00};
static const unsigned char kTstInfo[] = {
    0x30, 0x2E, 0x02, 0x01, 0x01, 0x06, 0x03, 0x2A, 0x03, 0x04, 0x30, 0x0D, 0x30, 0x07, 0x06, 0x05,
    0x2B, 0x0E, 0x03, 0x02, 0x1A, 0x04, 0x02, 0x11, 0x22, 0x02, 0x01, 0x07, 0x18, 0x0F, 0x32, 0x30,
    0x32, 0x35, 0x30, 0x31, 0x30, 0x31, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x5A, 0x01, 0x01, 0xFF};
static const unsigned char kSignedData[] = {
    0x30, 0x21, 0x02, 0x01, 0x01, 0x31, 0x0D, 0x30, 0x0B, 0x06, 0x09, 0x60, 0x86, 0x48,
    0x01, 0x65, 0x03, 0x04, 0x02, 0x01, 0x30, 0x0B, 0x06, 0x09, 0x2A, 0x86, 0x48, 0x86,
    0xF7, 0x0D, 0x01, 0x07, 0x01, 0x31, 0x00};

static void *new_extension(const void *d) {
  const KORVU_X509_EXTENSION *e = d;
  return korvu_x509extension_new(e->extnID, e->critical, e->extnValue);
}
static void *new_crl_entry(const void *d) {
  const KORVU_X509_REVCERT *e = d;
  return korvu_x509revcertinfo_new(e->userCertificate, e->revocationDate,
                                   e->hasExtensions ? e->crlEntryExtensions : NULL);
}
static void *new_certid(const void *d) {
  const KORVU_OCSP_CERTID *c = d;
  return korvu_ocsp_certid_new(c->hashAlgorithm, c->issuerNameHash, c->issuerKeyHash, c->serialNumber);
}
static void *new_tstinfo(const void *d) {
  const KORVU_TSP_TSTINFO *t = d;
  return korvu_tsp_tstinfo_new(t->version, t->policy, t->messageImprint, t->serialNumber, t->genTime, t->accuracy,
                               t->ordering, t->nonce, t->tsa, t->extensions);
}
static void *new_signeddata(const void *d) {
  const KORVU_PKCS7_SIGNEDDATA *s = d;
  return korvu_pkcs7signeddata_new(s->version, s->digestAlgorithms, s->contentInfo,
                                   s->hasCertificates ? s->certificates : NULL, s->hasCrls ? s->crls : NULL,
                                   s->signerInfos);
}

static const family families[] = {
    {"Extension", KORVU_TYPE_EXTENSION, kExtension, sizeof kExtension, NONE,
     offsetof(KORVU_X509_EXTENSION, extnID), NONE, offsetof(KORVU_X509_EXTENSION, critical), new_extension},
    {"Extension, critical absent", KORVU_TYPE_EXTENSION, kExtensionNotCritical, sizeof kExtensionNotCritical, NONE,
     NONE, NONE, offsetof(KORVU_X509_EXTENSION, critical), new_extension},
    {"CRL entry", KORVU_TYPE_REVOKED_CERTIFICATE_ENTRY, kCrlEntry, sizeof kCrlEntry,
     offsetof(KORVU_X509_REVCERT, userCertificate), NONE, offsetof(KORVU_X509_REVCERT, revocationDate), NONE,
     new_crl_entry},
    {"CertID", KORVU_TYPE_CERTID, kCertId, sizeof kCertId, offsetof(KORVU_OCSP_CERTID, serialNumber), NONE, NONE,
     NONE, new_certid},
    {"TSTInfo", KORVU_TYPE_TSTINFO, kTstInfo, sizeof kTstInfo, offsetof(KORVU_TSP_TSTINFO, serialNumber),
     offsetof(KORVU_TSP_TSTINFO, policy), offsetof(KORVU_TSP_TSTINFO, genTime),
     offsetof(KORVU_TSP_TSTINFO, ordering), new_tstinfo},
    {"SignedData", KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM, kSignedData, sizeof kSignedData,
     offsetof(KORVU_PKCS7_SIGNEDDATA, version), NONE, NONE, NONE, new_signeddata},
};

/* ---- the six ways a record is built -------------------------------------------- */
enum { MEMORY, FILE_STREAM, CONSTRUCTOR, DUPOBJECT, JSON_ENCODE, PUSH, WAYS };
static const char *const way_names[WAYS] = {"memory", "file stream", "constructor", "dupobject", "JSON", "push"};

static void *from_memory(const family *f) {
  void *v = NULL;
  return korvu_asn1_mem_decode(f->der, (int32_t)f->length, f->type, &v) == f->length ? v : NULL;
}

static void *build(const family *f, int way) {
  void *v = NULL, *d = NULL;
  switch (way) {
    case MEMORY:
      return from_memory(f);
    case FILE_STREAM: {
      char path[] = "/tmp/korvu_ownership_XXXXXX";
      const int fd = mkstemp(path);
      if (fd < 0 || write(fd, f->der, f->length) != (ssize_t)f->length) return NULL;
      close(fd);
      KORVU_STREAM *s = korvu_stream_new_file(path, "rb");
      if (korvu_asn1_decode(s, f->type, &v, NULL, NULL) != 1) v = NULL;
      korvu_stream_free(s);
      unlink(path);
      return v;
    }
    case CONSTRUCTOR:
    case DUPOBJECT:
      d = from_memory(f);
      v = d == NULL ? NULL : way == CONSTRUCTOR ? f->construct(d) : korvu_asn1_dupobject(f->type, d, NULL);
      korvu_asn1_value_free(f->type, d);
      return v;
    case JSON_ENCODE: {
      KORVU_JSON *tree = korvu_asn1_tojson(f->der, (int32_t)f->length);
      KORVU_DATA_BLOB *der = korvu_asn1_encodejson(tree);
      korvu_json_free(tree);
      if (der != NULL && korvu_asn1_mem_decode(der->data, (int32_t)der->length, f->type, &v) != der->length) v = NULL;
      korvu_data_blob_free(der);
      return v;
    }
    case PUSH: {
      KORVU_ASN1_DECODE_ANY_CTX *p = korvu_asn1_decode_any_ctx_new();
      uint32_t left = 0;
      for (uint32_t at = 0; at < f->length; at += 5) {
        const uint32_t n = f->length - at < 5 ? f->length - at : 5;
        korvu_asn1_decode_any_update(p, f->der + at, (int32_t)n, &left);
      }
      if (korvu_asn1_decode_any_ctx_toobject(p, f->type, &v, NULL) != 1) v = NULL;
      korvu_asn1_decode_any_ctx_free(p);
      return v;
    }
  }
  return NULL;
}

/* ---- helpers -------------------------------------------------------------- */
static void **slot(void *record, size_t offset) { return (void **)((char *)record + offset); }

/* 1 when the DER of `type`/`value` equals the octets (length n). */
static int encodes_as(uint32_t type, const void *value, const unsigned char *der, uint32_t n) {
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(type, value);
  const int same = b != NULL && b->length == n && memcmp(b->data, der, n) == 0;
  korvu_data_blob_free(b);
  return same;
}

/* 1 when the record encodes and its encoding holds the octets. */
static int encoding_holds(uint32_t type, const void *record, const unsigned char *part, uint32_t n) {
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(type, record);
  int found = 0;
  for (uint32_t i = 0; b != NULL && !found && i + n <= b->length; i++) found = memcmp(b->data + i, part, n) == 0;
  korvu_data_blob_free(b);
  return found;
}

/* A fresh value of a component type, and its DER. */
static void *fresh(uint32_t type, unsigned char *der, uint32_t *n) {
  static const unsigned char serial[] = {0x01, 0x00};
  void *v = type == KORVU_TYPE_INTEGER            ? (void *)korvu_asn1_integer_new(serial, 2)
            : type == KORVU_TYPE_OBJECT_IDENTIFIER ? (void *)korvu_asn1_oid_new("2.5.29.24")
            : type == KORVU_TYPE_BOOLEAN           ? (void *)korvu_asn1_boolean_true()
                                                   : (void *)korvu_asn1_gentime_new(2030, 6, 1, 12, 0, 0, 0);
  KORVU_DATA_BLOB *b = korvu_asn1_mem_encode(type == KORVU_TYPE_TIME ? KORVU_TYPE_TIME : type, v);
  *n = b ? b->length : 0;
  if (b) memcpy(der, b->data, b->length);
  korvu_data_blob_free(b);
  return v;
}

/* ---- the idioms ------------------------------------------------------------- */
static void idioms(const family *fam, int way) {
  const size_t offsets[4] = {fam->integer, fam->oid, fam->time, fam->boolean};
  const uint32_t types[4] = {KORVU_TYPE_INTEGER, KORVU_TYPE_OBJECT_IDENTIFIER, KORVU_TYPE_TIME, KORVU_TYPE_BOOLEAN};
  for (int k = 0; k < 4; k++) {
    if (offsets[k] == NONE) continue;
    /* detach: take the component, free the record, use the component. */
    void *r = build(fam, way);
    CHECK(r != NULL, "built");
    if (r == NULL) return;
    void *c = *slot(r, offsets[k]);
    KORVU_DATA_BLOB *before = korvu_asn1_mem_encode(types[k], c);
    *slot(r, offsets[k]) = NULL;
    korvu_asn1_value_free(fam->type, r);
    CHECK(before != NULL && encodes_as(types[k], c, before->data, before->length), "detached component");
    korvu_data_blob_free(before);
    korvu_asn1_value_free(types[k], c);

    /* replace (BOOLEAN too): free the component, put a new one there. */
    unsigned char der[64];
    uint32_t n = 0;
    r = build(fam, way);
    korvu_asn1_value_free(types[k], *slot(r, offsets[k]));
    *slot(r, offsets[k]) = fresh(types[k], der, &n);
    CHECK(encoding_holds(fam->type, r, der, n), "replaced component written");
    korvu_asn1_value_free(fam->type, r);
  }
  if (fam->boolean != NONE) { /* BOOLEAN replace by FALSE, as a caller drops criticality */
    void *r = build(fam, way);
    korvu_asn1_value_free(KORVU_TYPE_BOOLEAN, *slot(r, fam->boolean));
    *slot(r, fam->boolean) = korvu_asn1_boolean_false();
    CHECK(korvu_asn1_boolean_istrue(*slot(r, fam->boolean)) == 0, "FALSE put in place");
    korvu_asn1_value_free(fam->type, r);
  }
  if (fam->integer != NONE) {
    /* a blob's own bytes: free them and give it new ones. */
    void *r = build(fam, way);
    KORVU_ASN1_INTEGER *i = *slot(r, fam->integer);
    korvu_free(i->data);
    i->data = korvu_malloc(2, __FILE__, __LINE__);
    i->data[0] = 0x01;
    i->data[1] = 0x02;
    i->length = 2;
    static const unsigned char kNew[] = {0x02, 0x02, 0x01, 0x02};
    CHECK(encoding_holds(fam->type, r, kNew, sizeof kNew), "new bytes written");
    korvu_asn1_value_free(fam->type, r);

    /* swap the contents of the record's INTEGER and a constructed one. */
    r = build(fam, way);
    unsigned char der[64];
    uint32_t n = 0;
    KORVU_ASN1_INTEGER *other = fresh(KORVU_TYPE_INTEGER, der, &n);
    KORVU_DATA_BLOB *mine = korvu_asn1_mem_encode(KORVU_TYPE_INTEGER, *slot(r, fam->integer));
    KORVU_ASN1_INTEGER t = *(KORVU_ASN1_INTEGER *)*slot(r, fam->integer);
    *(KORVU_ASN1_INTEGER *)*slot(r, fam->integer) = *other;
    *other = t;
    CHECK(encoding_holds(fam->type, r, der, n), "swapped-in value written");
    CHECK(mine != NULL && encodes_as(KORVU_TYPE_INTEGER, other, mine->data, mine->length), "swapped-out value");
    korvu_data_blob_free(mine);
    korvu_asn1_value_free(fam->type, r);
    korvu_asn1_value_free(KORVU_TYPE_INTEGER, other);
  }
  if (fam->type == KORVU_TYPE_SIGNEDDATA_PKCS_7_FORM) {
    /* detach every component into a constructor that takes them over. */
    KORVU_PKCS7_SIGNEDDATA *s = build(fam, way);
    KORVU_PKCS7_SIGNEDDATA *t = korvu_pkcs7signeddata_new0(
        s->version, s->digestAlgorithms, s->contentInfo, s->hasCertificates ? s->certificates : NULL,
        s->hasCrls ? s->crls : NULL, s->signerInfos);
    CHECK(t != NULL, "taking constructor");
    if (t != NULL) {
      s->version = NULL, s->digestAlgorithms = NULL, s->contentInfo = NULL, s->signerInfos = NULL;
      if (s->hasCertificates) s->certificates = NULL, s->hasCertificates = 0;
      if (s->hasCrls) s->crls = NULL, s->hasCrls = 0;
    }
    korvu_asn1_value_free(fam->type, s);
    CHECK(t != NULL && encodes_as(fam->type, t, fam->der, fam->length), "taken values written");
    korvu_asn1_value_free(fam->type, t);
  }
}

int main(void) {
  for (size_t i = 0; i < sizeof families / sizeof families[0]; i++)
    for (int way = 0; way < WAYS; way++) {
      const family *fam = &families[i];
      void *r = build(fam, way);
      CHECK(r != NULL && encodes_as(fam->type, r, fam->der, fam->length), "record built and written back");
      korvu_asn1_value_free(fam->type, r);
      if (r != NULL) idioms(fam, way);
    }
  if (failures == 0) printf("ownership: all idioms on %zu records x %d ways\n", sizeof families / sizeof families[0], WAYS);
  return failures == 0 ? 0 : 1;
}
