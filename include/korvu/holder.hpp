/* KORVU ASN.1: owning holders for C++ callers of the C interface.
 *
 * Header-only and inline: nothing here is exported and nothing C++ crosses
 * the C interface. Each holder owns one object and releases it with the
 * library's own free function when it goes out of scope, so that early
 * returns need no manual clean-up:
 *
 *     korvu::ErrCtxHolder ctx(korvu_err_ctx_new());
 *     korvu::StreamHolder in(korvu_stream_new_romem(der, length));
 *     korvu::Value cert(KORVU_TYPE_CERTIFICATE);
 *     if (korvu_asn1_decode(in.get(), KORVU_TYPE_CERTIFICATE, cert.out(), &used, ctx.get()) != 1) return 0;
 *     return keep(cert.release());
 *
 * Holders are move-only; out() frees what the holder owns and hands out the
 * address of its (now null) pointer for an out argument. */
#ifndef KORVU_HOLDER_HPP
#define KORVU_HOLDER_HPP

#ifdef __cplusplus

#include <cstddef>
#include <cstdint>

#include "korvu/asn1.h"

namespace korvu {

/* A value of a registered type number, freed with korvu_asn1_value_free. */
class Value {
 public:
  explicit Value(uint32_t type, void *v = nullptr) noexcept : type_(type), v_(v) {}
  ~Value() { reset(); }
  Value(const Value &) = delete;
  Value &operator=(const Value &) = delete;
  Value(Value &&other) noexcept : type_(other.type_), v_(other.release()) {}
  Value &operator=(Value &&other) noexcept {
    if (this != &other) {
      reset();
      type_ = other.type_;
      v_ = other.release();
    }
    return *this;
  }

  /* For decoders: frees the value held and gives the slot to fill. */
  void **out() noexcept {
    reset();
    return &v_;
  }
  void *get() const noexcept { return v_; }
  template <class T>
  T *as() const noexcept {
    return static_cast<T *>(v_);
  }
  uint32_t type() const noexcept { return type_; }
  explicit operator bool() const noexcept { return v_ != nullptr; }

  /* Gives up ownership without freeing. */
  void *release() noexcept {
    void *v = v_;
    v_ = nullptr;
    return v;
  }
  /* Frees the value held and takes `v` (of the same type) instead. */
  void reset(void *v = nullptr) noexcept {
    void *old = v_;
    v_ = v;
    if (old != nullptr) korvu_asn1_value_free(type_, old);
  }

 private:
  uint32_t type_;
  void *v_;
};

/* One object of a C type T, released by Free (never called with null). */
template <class T, void (*Free)(T *)>
class Owned {
 public:
  Owned() noexcept = default;
  Owned(std::nullptr_t) noexcept {}
  explicit Owned(T *p) noexcept : p_(p) {}
  ~Owned() { reset(); }
  Owned(const Owned &) = delete;
  Owned &operator=(const Owned &) = delete;
  Owned(Owned &&other) noexcept : p_(other.release()) {}
  Owned &operator=(Owned &&other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T **out() noexcept {
    reset();
    return &p_;
  }
  T *get() const noexcept { return p_; }
  T *operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  T *release() noexcept {
    T *p = p_;
    p_ = nullptr;
    return p;
  }
  void reset(T *p = nullptr) noexcept {
    T *old = p_;
    p_ = p;
    if (old != nullptr) Free(old);
  }

 private:
  T *p_ = nullptr;
};

namespace holder_detail {
template <class T>
inline void free_block(T *p) {
  korvu_free(const_cast<void *>(static_cast<const void *>(p)));
}
}  // namespace holder_detail

using ErrCtxHolder = Owned<KORVU_ERR_CTX, korvu_err_ctx_free>;
using StreamHolder = Owned<KORVU_STREAM, korvu_stream_free>;
using BlobHolder = Owned<KORVU_DATA_BLOB, korvu_data_blob_free>;
using JsonHolder = Owned<KORVU_JSON, korvu_json_free>;
using UstringHolder = Owned<KORVU_USTRING, korvu_ustring_free>;
/* A block from korvu_malloc that the library handed out (text, octets). */
template <class T>
using MemHolder = Owned<T, holder_detail::free_block<T>>;

}  // namespace korvu

#endif /* __cplusplus */
#endif /* KORVU_HOLDER_HPP */
