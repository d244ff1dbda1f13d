/* The public headers used from C11: build INTEGER values, encode them to
 * memory, decode them back and compare octets and values (the minimal forms
 * themselves are checked in test_scalar.cpp). */
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
    {128, {0x02, 0x02, 0x00, 0x80}, 4, 1},
    {-129, {0x02, 0x02, 0xFF, 0x7F}, 4, 1},
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
  if (korvu_asn1_mem_decode(boolean, (int32_t)sizeof boolean, KORVU_TYPE_COUNT, &out) != 0xFFFFFFFFu || out != NULL) {
    fail("type number 450 was accepted", 450);
  }
}

static void check_json(void) {
  /* A tree built in place from C prints in insertion order and renders an
   * encoding that encodes back to itself. */
  static const unsigned char seq[] = {0x30, 0x03, 0x02, 0x01, 0x05};
  KORVU_JSON *root = korvu_json_newobject();
  KORVU_JSON *list = korvu_json_addnewarray(root, "list");
  if (list == NULL || korvu_json_addnewstring(root, "name", "x", 1) != 1 ||
      korvu_json_addnewhex(list, NULL, seq, 2) != 1 || korvu_json_addnewnumber(list, NULL, 2) != 1) {
    fail("in-place JSON builders failed", 0);
  }
  uint32_t n = 0;
  char *text = korvu_json_print(root, 0, &n);
  if (text == NULL || strcmp(text, "{\"list\":[\"3003\",2],\"name\":\"x\"}") != 0) fail("JSON text differs", n);
  korvu_free(text);
  korvu_json_free(root);

  KORVU_JSON *tree = korvu_asn1_tojson(seq, (int32_t)sizeof seq);
  KORVU_DATA_BLOB *back = tree != NULL ? korvu_asn1_encodejson(tree) : NULL;
  if (back == NULL || back->length != sizeof seq || memcmp(back->data, seq, sizeof seq) != 0) {
    fail("JSON rendering does not encode back", 0);
  }
  korvu_data_blob_free(back);
  korvu_json_free(tree);
}

int main(void) {
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) check_case(&cases[i]);
  check_errors();
  check_json();
  if (failures != 0) {
    fprintf(stderr, "c_api: %d failure(s)\n", failures);
    return 1;
  }
  return 0;
}
