// The structure engine: constructors, getters and tagged aliases.
#define KORVU_SRC "KORVU_ASN1_Struct"
#include "struct_engine.h"

namespace korvu::st {

void *new_record(const StructDef &d, const void *const *args, size_t count) {
  if (count != d.count || d.choice()) return nullptr;
  void *record = alloc_record(d, 0);
  if (record == nullptr) return nullptr;
  for (uint32_t i = 0; i < d.count; i++) {
    const Field &f = d.fields[i];
    const void *a = args[i];
    void *v = nullptr;
    if (is_inline(f)) {
      if (a == nullptr) {
        free_record(d, record);
        return nullptr;
      }
      std::memcpy(static_cast<char *>(record) + f.offset, a, f.min_size);
      continue;
    }
    if (a != nullptr) {
      v = copy_value(f, a);
    } else if (f.presence == Presence::Default) {
      v = default_value(f);
    } else if (f.presence == Presence::Optional) {
      continue;
    }
    if (v == nullptr) {
      free_record(d, record);
      return nullptr;
    }
    at<void *>(record, f.offset) = v;
    if (f.flag != kNone) at<uint32_t>(record, f.flag) = 1;
  }
  if (d.finish != nullptr && d.finish(record, nullptr) != 1) {
    free_record(d, record);
    return nullptr;
  }
  return record;
}

void *new_choice(const StructDef &d, uint32_t choice, const void *value) {
  const Field *f = alt_of(d, choice);
  if (f == nullptr || value == nullptr) return nullptr;
  void *v = copy_value(*f, value);
  if (v == nullptr) return nullptr;
  auto *c = static_cast<ChoiceRecord *>(KORVU_ALLOC(sizeof(ChoiceRecord)));
  if (c == nullptr) {
    free_value(*f, v);
    return nullptr;
  }
  c->choice = choice;
  c->value = v;
  return c;
}

void *get(const StructDef &d, const void *record, uint32_t i) {
  if (record == nullptr || i >= d.count) return nullptr;
  const Field &f = d.fields[i];
  return present(f, record) ? const_cast<void *>(value_of(record, f)) : nullptr;
}

int has(const StructDef &d, const void *record, uint32_t i) { return get(d, record, i) != nullptr ? 1 : 0; }

void *get_choice(const void *record, uint32_t choice) {
  auto *c = static_cast<const ChoiceRecord *>(record);
  return c != nullptr && c->choice == choice ? c->value : nullptr;
}

uint32_t choice_of(const void *record) {
  return record ? static_cast<const ChoiceRecord *>(record)->choice : 0xFFFFFFFFu;
}

// ---- tagged aliases ------------------------------------------------------------

int alias_encode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, const void *v, uint32_t len,
                 uint32_t *w, KORVU_ERR_CTX *ctx) {
  int r;
  if (implicit) {
    const TypeOps *o = type_desc(base)->ops;
    if (o == nullptr || o->encode_content == nullptr) {
      KORVU_ERR(ctx, kErrUnsupportEncode);
      r = 0;
    } else {
      r = o->encode_content(s, v, len, w, ctx);
    }
  } else {
    uint32_t n = 0;
    r = encode_value(s, base, v, &n, ctx);
    if (r == 1 && len == 0xFFFFFFFFu) {
      r = write_eoc(s, ctx);
      n += 2;
    }
    if (r == 1 && w) *w = n;
  }
  if (r != 1) KORVU_ENCODE_ERR(ctx, type);
  return r;
}

int alias_decode(uint32_t type, uint32_t base, bool implicit, KORVU_STREAM *s, void **o, int p, uint32_t len,
                 uint32_t *n, KORVU_ERR_CTX *ctx, int depth) {
  int r;
  if (implicit) {
    const TypeOps *ops = type_desc(base)->ops;
    if (ops == nullptr || ops->decode_content == nullptr) {
      KORVU_ERR(ctx, kErrUnsupportDecode);
      r = 0;
    } else {
      r = ops->decode_content(s, o, p, len, n, ctx, depth);
    }
  } else {
    // The contents hold one whole value of the base type.
    Field f = field(base, offsetof(ChoiceRecord, value)).explicit_(0);
    Header h;
    h.primitive = p;
    h.length = len;
    ChoiceRecord holder{0, nullptr};
    r = read_tagged(f, s, h, &holder, &holder.value, n, ctx, depth);
    *o = holder.value;
    if (r != 1) {
      value_free(base, holder.value);
      *o = nullptr;
    }
  }
  if (r != 1) KORVU_DECODE_ERR(ctx, type);
  return r;
}

}  // namespace korvu::st
