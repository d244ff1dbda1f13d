/* The public headers used from C11: build INTEGER values, encode them to
 * memory, decode them back and compare octets and values. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "korvu/asn1.h"
#include "korvu/util.h"

struct integer_case {
  int32_t value;
  unsigned char der[6];
  uint32_t der_length;
  int fits; /* korvu_asn1_integer_getlong gives the value back */
};

static const struct integer_case cases[] = {
    {0, {0x02, 0x01, 0x00}, 3, 1},
    {127, {0x02, 0x01, 0x7F}, 3, 1},
    {128, {0x02, 0x02, 0x00, 0x80}, 4, 1},
    {-1, {0x02, 0x01, 0xFF}, 3, 1},
    {-128, {0x02, 0x01, 0x80}, 3, 1},
    {-129, {0x02, 0x02, 0xFF, 0x7F}, 4, 1},
    {65535, {0x02, 0x03, 0x00, 0xFF, 0xFF}, 5, 1},
    {INT32_MAX, {0x02, 0x04, 0x7F, 0xFF, 0xFF, 0xFF}, 6, 1},
    /* -2^31 has four octets but lies outside what getlong converts. */
    {INT32_MIN, {0x02, 0x04, 0x80, 0x00, 0x00, 0x00}, 6, 0},
};

static int failures = 0;

static void fail(const char *what, int32_t value) {
  fprintf(stderr, "c_api: %s (value %ld)\n", what, (long)value);
  failures++;
}

static void check_case(const struct integer_case *c) {
  KORVU_ASN1_INTEGER *integer = korvu_asn1_integer_value(c->value);
  if (integer == NULL) {
    fail("korvu_asn1_integer_value returned null", c->value);
    return;
  }
  KORVU_DATA_BLOB *blob = korvu_asn1_mem_encode(KORVU_TYPE_INTEGER, integer);
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, integer);
  if (blob == NULL) {
    fail("korvu_asn1_mem_encode returned null", c->value);
    return;
  }
  if (blob->length != c->der_length || memcmp(blob->data, c->der, c->der_length) != 0) {
    fail("encoding differs from the expected DER", c->value);
  }

  /* Trailing octets are not part of the value and not counted. */
  unsigned char input[16];
  memcpy(input, blob->data, blob->length);
  input[blob->length] = 0x05;
  input[blob->length + 1] = 0x00;
  void *decoded = NULL;
  uint32_t consumed = korvu_asn1_mem_decode(input, (int32_t)(blob->length + 2), KORVU_TYPE_INTEGER, &decoded);
  if (consumed != blob->length || decoded == NULL) {
    fail("korvu_asn1_mem_decode did not take exactly the encoding", c->value);
  } else {
    int32_t back = 0;
    int r = korvu_asn1_integer_getlong((const KORVU_ASN1_INTEGER *)decoded, &back);
    if (c->fits && (r != 1 || back != c->value)) fail("decoded value differs", c->value);
    if (!c->fits && r == 1) fail("getlong accepted a value outside its range", c->value);
    if (korvu_asn1_length(KORVU_TYPE_INTEGER, decoded) != c->der_length) fail("korvu_asn1_length differs", c->value);
  }
  korvu_asn1_value_free(KORVU_TYPE_INTEGER, decoded);
  korvu_data_blob_free(blob);
}

static void check_errors(void) {
  /* A BOOLEAN identifier where an INTEGER is expected fails, hands out no
   * value and leaves its reason in the error context. */
  static const unsigned char boolean[] = {0x01, 0x01, 0xFF};
  KORVU_ERR_CTX *ctx = korvu_err_ctx_new();
  KORVU_STREAM *stream = korvu_stream_new_romem(boolean, sizeof boolean);
  void *value = NULL;
  uint32_t consumed = 0;
  if (ctx == NULL || stream == NULL) {
    fail("cannot create an error context or a stream", 0);
  } else {
    int r = korvu_asn1_decode(stream, KORVU_TYPE_INTEGER, &value, &consumed, ctx);
    if (r == 1 || value != NULL) fail("decoding a BOOLEAN as INTEGER succeeded", 0);
    if (korvu_err_ctx_count(ctx) == 0) fail("the failure left no entry in the error context", 0);
    if (korvu_err_ctx_has(ctx, 0x1020Au) != 1) fail("no \"incorrect item\" entry", 0);
  }
  korvu_stream_free(stream);
  korvu_err_ctx_free(ctx);

  void *out = NULL;
  if (korvu_asn1_mem_decode(boolean, (int32_t)sizeof boolean, 450, &out) != 0xFFFFFFFFu || out != NULL) {
    fail("type number 450 was accepted", 450);
  }
}

int main(void) {
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) check_case(&cases[i]);
  check_errors();
  if (failures != 0) {
    fprintf(stderr, "c_api: %d failure(s)\n", failures);
    return 1;
  }
  return 0;
}
