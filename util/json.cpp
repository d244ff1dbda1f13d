// JSON trees of the utility library.
//
// A node is a small record. There are two kinds:
//  - owned nodes, made by korvu_json_new* and korvu_json_parse: one block
//    each (a string's bytes share it), released by korvu_json_free or by the
//    container they were added to;
//  - members made in place by the korvu_json_addnew* builders: they live in
//    the allocation arena of their tree, which the owned node at the top of
//    the tree creates on first use and releases with itself, all at once.
// So a tree built in place costs a handful of allocations whatever its size,
// and freeing it does not walk its members. An owned node added under a
// member made in place is recorded in the arena, which releases it too.
//
// Objects keep their members in insertion order; an object of many members
// also has a hash index. Printing and parsing go through nlohmann's
// ordered_json (parsed text becomes a tree built in place). No exception
// leaves this file.
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include <nlohmann/json.hpp>

#include "korvu/util.h"
#include "hex_internal.h"
#include "unicode_internal.h"

#define KORVU_UTIL_SRC "KORVU_UTIL_Json"

namespace {

using Json = nlohmann::ordered_json;

constexpr uint8_t kOwned = 1;        // a block of its own, released by its owner
constexpr uint8_t kOwnsArena = 2;    // `arena` belongs to this (owned) container
constexpr uint8_t kInteger = 4;      // number held as int64_t
constexpr uint8_t kUnsigned = 8;     // number held as uint64_t (parsed, past INT64_MAX)
constexpr uint8_t kItemsOwned = 16;  // `items` is a korvu_malloc block

constexpr uint32_t kIndexFrom = 16;  // objects of this many members get a hash index
constexpr uint32_t kInternedKeys = 32;
constexpr uint32_t kInternSlots = 64;  // hash slots, never more than half used

// Parsed text may nest at most this deep, so that printing and freeing a
// parsed tree (both recursive) stay within a small stack.
constexpr int kMaxParseDepth = 512;

struct Arena;
struct Index;

}  // namespace

// Every node starts with this record; strings keep their octets right after
// it, objects and arrays are a Container.
struct korvu_json_st {
  uint8_t type;
  uint8_t flags;
  uint16_t reserved;
  uint32_t count;   // string octets or container members
  const char *key;  // name inside an object (see key_length), or null
  union {
    double real;
    int64_t integer;
    uint64_t uinteger;
    int boolean;
    char *text;
    korvu_json_st **items;
  } v;
};

namespace {

using Node = korvu_json_st;

// The member slots of a container are its two inline ones, then an array of
// 4, 8, 16 ... slots (owned containers: a korvu_malloc block; members made
// in place: the arena), so the capacity follows from the member count. An
// object of kIndexFrom members or more no longer uses its inline slots and
// keeps its index there instead.
constexpr uint32_t kInlineSlots = 2;
struct Container {
  Node node;
  Arena *arena;  // where members made in place, keys and member slots live
  union {
    Node *slots[kInlineSlots];
    Index *index;
  } u;
};

uint32_t capacity_for(uint32_t count) {
  if (count <= kInlineSlots) return kInlineSlots;
  uint32_t cap = 4;
  while (cap < count) cap *= 2;
  return cap;
}

Container *C(Node *n) { return reinterpret_cast<Container *>(n); }
const Container *C(const Node *n) { return reinterpret_cast<const Container *>(n); }
bool is_container(int type) { return type == KORVU_JSON_OBJECT || type == KORVU_JSON_ARRAY; }
size_t node_size(int type) { return is_container(type) ? sizeof(Container) : sizeof(Node); }

// A member name is stored as its length (4 octets), then its octets and a
// NUL; Node::key points at the octets.
constexpr size_t kKeyPrefix = sizeof(uint32_t);
uint32_t hash_name(const char *key, size_t length) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (size_t i = 0; i < length; i++) h = (h ^ static_cast<unsigned char>(key[i])) * 16777619u;
  return h;
}

// Octets of a NUL-terminated name (names are short: no library call).
inline size_t name_length(const char *key) {
  size_t n = 0;
  while (key[n] != '\0') n++;
  return n;
}

uint32_t key_length(const char *key) {
  uint32_t n;
  std::memcpy(&n, key - kKeyPrefix, sizeof n);
  return n;
}

// Hash index of an object's members by name: open addressing over a power
// of two slots, kept at most half full, allocated in the object's arena (a
// grown index leaves the old one there).
struct Index {
  uint32_t mask;
  uint32_t used;
  Node *slots[1];
};


// ---- arenas -----------------------------------------------------------------
struct Chunk {
  Chunk *next;
  size_t size;
  size_t used;
  unsigned char *data() { return reinterpret_cast<unsigned char *>(this + 1); }
};
static_assert(sizeof(Chunk) % 8 == 0);

// Small trees stay small; large ones grow to chunks that stay below the
// allocator's usual mmap threshold (128 KiB), so that building and freeing
// trees does not map and unmap pages each time.
constexpr size_t kFirstChunk = 512;
constexpr size_t kLargestChunk = 64 * 1024;

struct Arena {
  Chunk *chunks;
  size_t next_size;
  Node **foreign;  // owned nodes added under members of this arena
  uint32_t foreign_count;
  uint32_t foreign_capacity;
  // Names met first, copied once: members named alike share the copy, and
  // equal names are found by comparing pointers.
  uint32_t key_count;
  const char *keys[kInternSlots];
};

void free_node(Node *n);

Arena *arena_new() {
  auto *a = static_cast<Arena *>(korvu_malloc(sizeof(Arena), KORVU_UTIL_SRC, __LINE__));
  if (a != nullptr) {
    a->chunks = nullptr;
    a->next_size = kFirstChunk;
    a->foreign = nullptr;
    a->foreign_count = a->foreign_capacity = 0;
    a->key_count = 0;
    for (const char *&k : a->keys) k = nullptr;
  }
  return a;
}

void arena_release(Arena *a) {
  for (uint32_t i = 0; i < a->foreign_count; i++) free_node(a->foreign[i]);
  korvu_free(a->foreign);
  for (Chunk *c = a->chunks; c != nullptr;) {
    Chunk *next = c->next;
    korvu_free(c);
    c = next;
  }
  korvu_free(a);
}

void *arena_grow(Arena *a, size_t n) {
  if (n > (size_t{1} << 40)) return nullptr;
  Chunk *head = a->chunks;
  // A request of half a chunk or more gets a chunk of its own, placed behind
  // the head so that the head's free room stays in use.
  const bool dedicated = head != nullptr && n >= a->next_size / 2;
  const size_t size = dedicated ? n : (n > a->next_size ? n : a->next_size);
  auto *c = static_cast<Chunk *>(korvu_malloc(sizeof(Chunk) + size, KORVU_UTIL_SRC, __LINE__));
  if (c == nullptr) return nullptr;
  c->size = size;
  c->used = n;
  if (dedicated) {
    c->next = head->next;
    head->next = c;
  } else {
    c->next = head;
    a->chunks = c;
    if (a->next_size < kLargestChunk) a->next_size *= 2;
  }
  return c->data();
}

inline void *arena_alloc(Arena *a, size_t n) {
  n = (n + 7) & ~size_t{7};
  Chunk *head = a->chunks;
  if (head != nullptr && head->size - head->used >= n) {
    void *p = head->data() + head->used;
    head->used += n;
    return p;
  }
  return arena_grow(a, n);
}

bool arena_adopt(Arena *a, Node *owned) {
  if (a->foreign_count == a->foreign_capacity) {
    const uint32_t cap = a->foreign_capacity == 0 ? 8 : a->foreign_capacity * 2;
    if (cap < a->foreign_capacity) return false;
    auto *grown = static_cast<Node **>(korvu_malloc(sizeof(Node *) * cap, KORVU_UTIL_SRC, __LINE__));
    if (grown == nullptr) return false;
    if (a->foreign_count != 0) std::memcpy(grown, a->foreign, sizeof(Node *) * a->foreign_count);
    korvu_free(a->foreign);
    a->foreign = grown;
    a->foreign_capacity = cap;
  }
  a->foreign[a->foreign_count++] = owned;
  return true;
}

inline bool same_octets(const char *a, const char *b, size_t n) {
  for (size_t i = 0; i < n; i++) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The arena's interned copy of a name, or null.
const char *find_interned(const Arena *a, const char *key, size_t length, uint32_t hash) {
  for (uint32_t i = hash & (kInternSlots - 1);; i = (i + 1) & (kInternSlots - 1)) {
    const char *k = a->keys[i];
    if (k == nullptr) return nullptr;
    if (key_length(k) == length && same_octets(k, key, length)) return k;
  }
}

// A new copy of a name in the arena, interned while the table has room; null
// when out of memory.
const char *copy_key(Arena *a, const char *key, size_t length, uint32_t hash) {
  auto *block = static_cast<char *>(arena_alloc(a, kKeyPrefix + length + 1));
  if (block == nullptr) return nullptr;
  const auto n = static_cast<uint32_t>(length);
  std::memcpy(block, &n, sizeof n);
  char *chars = block + kKeyPrefix;
  std::memcpy(chars, key, length);
  chars[length] = '\0';
  if (a->key_count < kInternedKeys) {
    uint32_t i = hash & (kInternSlots - 1);
    while (a->keys[i] != nullptr) i = (i + 1) & (kInternSlots - 1);
    a->keys[i] = chars;
    a->key_count++;
  }
  return chars;
}

// ---- nodes ------------------------------------------------------------------
void init(Node *n, int type, uint8_t flags) {
  n->type = static_cast<uint8_t>(type);
  n->flags = flags;
  n->reserved = 0;
  n->count = 0;
  n->key = nullptr;
  n->v.integer = 0;
  if (is_container(type)) {
    C(n)->arena = nullptr;
    C(n)->u.slots[0] = C(n)->u.slots[1] = nullptr;
    n->v.items = C(n)->u.slots;
  }
}

// An owned node with `extra` octets after it (a string's bytes).
Node *new_owned(int type, size_t extra = 0) {
  auto *n = static_cast<Node *>(korvu_malloc(node_size(type) + extra, KORVU_UTIL_SRC, __LINE__));
  if (n != nullptr) init(n, type, kOwned);
  return n;
}

// The arena of a container, created on first use by an owned one.
Arena *arena_of(Node *container) {
  Container *c = C(container);
  if (c->arena == nullptr && (container->flags & kOwned)) {
    c->arena = arena_new();
    if (c->arena != nullptr) container->flags |= kOwnsArena;
  }
  return c->arena;
}

Node *new_member(Arena *a, int type, size_t extra = 0) {
  auto *n = static_cast<Node *>(arena_alloc(a, node_size(type) + extra));
  if (n == nullptr) return nullptr;
  init(n, type, 0);
  if (is_container(type)) C(n)->arena = a;
  return n;
}

void set_string(Node *n, const char *bytes, size_t length) {
  n->v.text = reinterpret_cast<char *>(n) + sizeof(Node);
  if (length != 0) std::memcpy(n->v.text, bytes, length);
  n->v.text[length] = '\0';
  n->count = static_cast<uint32_t>(length);
}

void free_node(Node *n) {
  if (is_container(n->type)) {
    // Members made in place belong to this container's arena; only owned
    // ones are released one by one.
    for (uint32_t i = 0; i < n->count; i++) {
      if (n->v.items[i]->flags & kOwned) free_node(n->v.items[i]);
    }
    if (n->flags & kItemsOwned) korvu_free(n->v.items);
    if (n->flags & kOwnsArena) arena_release(C(n)->arena);
  }
  korvu_free(n);
}

// A member of `object` named `key`. Names in an object are copies in its
// arena, and a name is interned when it is first copied or never, so the
// members named like an interned name `interned_copy` hold that very pointer.
const Node *find_member(const Node *object, const char *key, size_t length, const char *interned_copy = nullptr) {
  const Container *c = C(object);
  if (object->count >= kIndexFrom && c->u.index != nullptr) {
    const Index *x = c->u.index;
    for (uint32_t i = hash_name(key, length) & x->mask;; i = (i + 1) & x->mask) {
      const Node *m = x->slots[i];
      if (m == nullptr) return nullptr;
      if (key_length(m->key) == length && std::memcmp(m->key, key, length) == 0) return m;
    }
  }
  if (interned_copy != nullptr) {
    for (uint32_t i = 0; i < object->count; i++) {
      if (object->v.items[i]->key == interned_copy) return object->v.items[i];
    }
    return nullptr;
  }
  for (uint32_t i = 0; i < object->count; i++) {
    const char *k = object->v.items[i]->key;
    if (key_length(k) == length && std::memcmp(k, key, length) == 0) return object->v.items[i];
  }
  return nullptr;
}

// Room for one more member in `container`.
bool reserve(Node *container) {
  Container *c = C(container);
  const uint32_t count = container->count;
  if (count < capacity_for(count)) return true;
  if (count >= 0x40000000u) return false;
  const uint32_t cap = capacity_for(count + 1);
  Node **grown;
  if (container->flags & kOwned) {
    grown = static_cast<Node **>(korvu_malloc(sizeof(Node *) * cap, KORVU_UTIL_SRC, __LINE__));
  } else {
    grown = static_cast<Node **>(arena_alloc(c->arena, sizeof(Node *) * cap));
  }
  if (grown == nullptr) return false;
  std::memcpy(grown, container->v.items, sizeof(Node *) * count);
  if (container->flags & kItemsOwned) korvu_free(container->v.items);
  if (container->flags & kOwned) container->flags |= kItemsOwned;
  container->v.items = grown;
  return true;
}

void index_put(Index *x, Node *member) {
  const uint32_t length = key_length(member->key);
  uint32_t i = hash_name(member->key, length) & x->mask;
  while (x->slots[i] != nullptr) i = (i + 1) & x->mask;
  x->slots[i] = member;
  x->used++;
}

// Records the member just appended. Objects below kIndexFrom members are
// scanned instead. Out of memory, the index is dropped and lookups scan.
void index_add(Node *object, Node *member) {
  Container *c = C(object);
  if (object->count < kIndexFrom) return;
  Index *current = object->count > kIndexFrom ? c->u.index : nullptr;
  if (current != nullptr && 2 * (current->used + 1) <= current->mask + 1) {
    index_put(current, member);
    return;
  }
  uint32_t slots = 2 * kIndexFrom;
  while (slots < 2 * object->count) slots *= 2;
  auto *x = static_cast<Index *>(arena_alloc(c->arena, offsetof(Index, slots) + sizeof(Node *) * slots));
  c->u.index = x;
  if (x == nullptr) return;
  x->mask = slots - 1;
  x->used = 0;
  std::memset(x->slots, 0, sizeof(Node *) * slots);
  for (uint32_t i = 0; i < object->count; i++) index_put(x, object->v.items[i]);
}

bool utf8_ok(const char *bytes, size_t length) {
  return korvu::unicode::utf8_valid(reinterpret_cast<const unsigned char *>(bytes), length);
}

// Checks a new member's name (`length` octets) against `container` and makes
// the arena's copy of it in *copy (null for arrays, whose `key` must be null).
bool take_key(Node *container, const char *key, size_t length, const char **copy) {
  *copy = nullptr;
  if (container->type == KORVU_JSON_ARRAY) return key == nullptr;
  if (container->type != KORVU_JSON_OBJECT || key == nullptr) return false;
  if (length > 0xFFFFFFF0u) return false;
  Arena *a = arena_of(container);
  if (a == nullptr) return false;
  // Interned names were checked when they were first copied. Their table
  // is small: its hash looks at the length and the outer octets only.
  const uint32_t hash =
      length == 0 ? 0
                  : (static_cast<uint32_t>(length) * 31u + static_cast<unsigned char>(key[0])) * 0x9E3779B1u ^
                        static_cast<unsigned char>(key[length - 1]) * 0x85EBCA6Bu;
  const char *k = find_interned(a, key, length, hash);
  if (k == nullptr) {
    if (!utf8_ok(key, length)) return false;
    if (find_member(container, key, length) != nullptr) return false;
    k = copy_key(a, key, length, hash);
    if (k == nullptr) return false;
  } else if (find_member(container, key, length, k) != nullptr) {
    return false;
  }
  *copy = k;
  return true;
}

// Appends `member` (owned, or made in `container`'s arena) named `key` (the
// arena's copy; null in arrays).
bool append(Node *container, const char *key, Node *member) {
  if (!reserve(container)) return false;
  if ((member->flags & kOwned) && !(container->flags & kOwned) && !arena_adopt(C(container)->arena, member)) {
    return false;
  }
  member->key = key;
  container->v.items[container->count++] = member;
  if (container->type == KORVU_JSON_OBJECT) index_add(container, member);
  return true;
}

// A member made in place, or null (the container unchanged).
Node *add_new(KORVU_JSON *container, const char *key, int type, size_t extra = 0) {
  if (container == nullptr || !is_container(container->type)) return nullptr;
  const char *copy = nullptr;
  if (!take_key(container, key, key == nullptr ? 0 : name_length(key), &copy)) return nullptr;
  Arena *a = arena_of(container);
  if (a == nullptr) return nullptr;
  Node *n = new_member(a, type, extra);
  if (n == nullptr || !append(container, copy, n)) return nullptr;
  return n;
}

bool integral(double value) {
  return std::trunc(value) == value && value >= -9223372036854775808.0 && value < 9223372036854775808.0;
}

void set_number(Node *n, double value) {
  // Integral values within 64 bits are kept as integers so that they print
  // as 5 rather than 5.0.
  if (integral(value)) {
    n->flags |= kInteger;
    n->v.integer = static_cast<int64_t>(value);
  } else {
    n->v.real = value;
  }
}

// ---- nlohmann conversions for parsing and printing ---------------------------
bool fill_from(Node *container, const Json &j);

// The node kind of a parsed value, and the octets a node of it needs after
// its record.
int kind_of(const Json &j) {
  switch (j.type()) {
    case Json::value_t::string:
      return KORVU_JSON_STRING;
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
      return KORVU_JSON_NUMBER;
    case Json::value_t::boolean:
      return KORVU_JSON_BOOLEAN;
    case Json::value_t::object:
      return KORVU_JSON_OBJECT;
    case Json::value_t::array:
      return KORVU_JSON_ARRAY;
    default:
      return KORVU_JSON_NULL;
  }
}
size_t extra_of(const Json &j) { return j.is_string() ? j.get_ref<const std::string &>().size() + 1 : 0; }

// Gives a new node of kind_of(j) the scalar value of j.
void set_from(Node *n, const Json &j) {
  switch (j.type()) {
    case Json::value_t::string: {
      const auto &s = j.get_ref<const std::string &>();
      set_string(n, s.data(), s.size());
      break;
    }
    case Json::value_t::number_integer:
      n->flags |= kInteger;
      n->v.integer = j.get<int64_t>();
      break;
    case Json::value_t::number_unsigned:
      n->flags |= kUnsigned;
      n->v.uinteger = j.get<uint64_t>();
      break;
    case Json::value_t::number_float:
      n->v.real = j.get<double>();
      break;
    case Json::value_t::boolean:
      n->v.boolean = j.get<bool>() ? 1 : 0;
      break;
    default:
      break;
  }
}

bool add_from(Node *container, const std::string *key, const Json &j) {
  const char *k = nullptr;
  if (!take_key(container, key != nullptr ? key->data() : nullptr, key != nullptr ? key->size() : 0, &k)) {
    return false;
  }
  Arena *a = arena_of(container);
  if (a == nullptr) return false;
  Node *n = new_member(a, kind_of(j), extra_of(j));
  if (n == nullptr) return false;
  set_from(n, j);
  if (!append(container, k, n)) return false;
  return fill_from(n, j);
}

// Members of a parsed object or array (keys are unique: the parser keeps the
// last value of a repeated key).
bool fill_from(Node *container, const Json &j) {
  if (j.is_object()) {
    for (const auto &item : j.items()) {
      if (!add_from(container, &item.key(), item.value())) return false;
    }
  } else if (j.is_array()) {
    for (const auto &item : j) {
      if (!add_from(container, nullptr, item)) return false;
    }
  }
  return true;
}

Json to_json(const Node *n) {
  switch (n->type) {
    case KORVU_JSON_STRING:
      return Json(std::string(n->v.text, n->count));
    case KORVU_JSON_NUMBER:
      if (n->flags & kInteger) return Json(n->v.integer);
      if (n->flags & kUnsigned) return Json(n->v.uinteger);
      return Json(n->v.real);
    case KORVU_JSON_BOOLEAN:
      return Json(n->v.boolean != 0);
    case KORVU_JSON_OBJECT: {
      Json o = Json::object();
      auto &obj = o.get_ref<Json::object_t &>();
      obj.reserve(n->count);
      for (uint32_t i = 0; i < n->count; i++) {
        const Node *m = n->v.items[i];
        obj.emplace(std::string(m->key, key_length(m->key)), to_json(m));
      }
      return o;
    }
    case KORVU_JSON_ARRAY: {
      Json a = Json::array();
      auto &arr = a.get_ref<Json::array_t &>();
      arr.reserve(n->count);
      for (uint32_t i = 0; i < n->count; i++) arr.push_back(to_json(n->v.items[i]));
      return a;
    }
    default:
      return Json();
  }
}

// Deepest nesting of [ and { in `text`, outside string literals; stops
// counting once past `limit`.
int nesting_depth(const char *text, size_t n, int limit) {
  int depth = 0, deepest = 0;
  bool in_string = false;
  for (size_t i = 0; i < n; i++) {
    char c = text[i];
    if (in_string) {
      if (c == '\\') i++;
      else if (c == '"') in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > deepest) deepest = depth;
      if (deepest > limit) break;
    } else if (c == ']' || c == '}') {
      depth--;
    }
  }
  return deepest;
}

// Adds an owned `item` to `container`; the item is consumed unless it is not
// the caller's to give (a member made in place, or the container itself, or
// the top of the tree the container is in).
int add_owned(KORVU_JSON *container, const char *key, KORVU_JSON *item) {
  if (item == nullptr) return 0;
  if (!(item->flags & kOwned) || item == container ||
      (container != nullptr && (item->flags & kOwnsArena) && C(container)->arena == C(item)->arena)) {
    return 0;
  }
  const char *copy = nullptr;
  if (container != nullptr && take_key(container, key, key == nullptr ? 0 : name_length(key), &copy) &&
      append(container, copy, item)) {
    return 1;
  }
  free_node(item);
  return 0;
}

}  // namespace

extern "C" {

KORVU_JSON *korvu_json_newobject(void) { return new_owned(KORVU_JSON_OBJECT); }

KORVU_JSON *korvu_json_newarray(void) { return new_owned(KORVU_JSON_ARRAY); }

KORVU_JSON *korvu_json_newstring(const char *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return nullptr;
  if (!utf8_ok(bytes, length)) return nullptr;
  Node *n = new_owned(KORVU_JSON_STRING, static_cast<size_t>(length) + 1);
  if (n != nullptr) set_string(n, bytes, length);
  return n;
}

KORVU_JSON *korvu_json_newnumber(double value) {
  if (!std::isfinite(value)) return nullptr;
  Node *n = new_owned(KORVU_JSON_NUMBER);
  if (n != nullptr) set_number(n, value);
  return n;
}

KORVU_JSON *korvu_json_newboolean(int value) {
  Node *n = new_owned(KORVU_JSON_BOOLEAN);
  if (n != nullptr) n->v.boolean = value != 0 ? 1 : 0;
  return n;
}

int korvu_json_addobjectitem(KORVU_JSON *object, const char *key, KORVU_JSON *item) {
  if (object != nullptr && object->type != KORVU_JSON_OBJECT) object = nullptr;
  if (key == nullptr) object = nullptr;
  return add_owned(object, key, item);
}

int korvu_json_addarrayitem(KORVU_JSON *array, KORVU_JSON *item) {
  if (array != nullptr && array->type != KORVU_JSON_ARRAY) array = nullptr;
  return add_owned(array, nullptr, item);
}

KORVU_JSON *korvu_json_addnewobject(KORVU_JSON *container, const char *key) {
  return add_new(container, key, KORVU_JSON_OBJECT);
}

KORVU_JSON *korvu_json_addnewarray(KORVU_JSON *container, const char *key) {
  return add_new(container, key, KORVU_JSON_ARRAY);
}

int korvu_json_addnewstring(KORVU_JSON *container, const char *key, const char *bytes, uint32_t length) {
  if ((bytes == nullptr && length != 0) || !utf8_ok(bytes, length)) return 0;
  Node *n = add_new(container, key, KORVU_JSON_STRING, static_cast<size_t>(length) + 1);
  if (n == nullptr) return 0;
  set_string(n, bytes, length);
  return 1;
}

int korvu_json_addnewhex(KORVU_JSON *container, const char *key, const void *bytes, uint32_t length) {
  if (bytes == nullptr && length != 0) return 0;
  if (length > 0x7FFFFFFEu) return 0;
  const size_t chars = 2 * static_cast<size_t>(length);
  Node *n = add_new(container, key, KORVU_JSON_STRING, chars + 1);
  if (n == nullptr) return 0;
  char *t = reinterpret_cast<char *>(n + 1);
  korvu::hex::put(t, static_cast<const unsigned char *>(bytes), length);
  t[chars] = '\0';
  n->v.text = t;
  n->count = static_cast<uint32_t>(chars);
  return 1;
}

int korvu_json_addnewnumber(KORVU_JSON *container, const char *key, double value) {
  if (!std::isfinite(value)) return 0;
  Node *n = add_new(container, key, KORVU_JSON_NUMBER);
  if (n == nullptr) return 0;
  set_number(n, value);
  return 1;
}

int korvu_json_addnewboolean(KORVU_JSON *container, const char *key, int value) {
  Node *n = add_new(container, key, KORVU_JSON_BOOLEAN);
  if (n == nullptr) return 0;
  n->v.boolean = value != 0 ? 1 : 0;
  return 1;
}

const KORVU_JSON *korvu_json_getobjectvalue(const KORVU_JSON *object, const char *key) {
  if (object == nullptr || key == nullptr || object->type != KORVU_JSON_OBJECT) return nullptr;
  return find_member(object, key, std::strlen(key));
}

int korvu_json_gettype(const KORVU_JSON *node) { return node == nullptr ? 0 : node->type; }

const char *korvu_json_getstring(const KORVU_JSON *node) {
  return node != nullptr && node->type == KORVU_JSON_STRING ? node->v.text : nullptr;
}

uint32_t korvu_json_getstringlength(const KORVU_JSON *node) {
  return node != nullptr && node->type == KORVU_JSON_STRING ? node->count : 0;
}

double korvu_json_getnumber(const KORVU_JSON *node) {
  if (node == nullptr || node->type != KORVU_JSON_NUMBER) return 0;
  if (node->flags & kInteger) return static_cast<double>(node->v.integer);
  if (node->flags & kUnsigned) return static_cast<double>(node->v.uinteger);
  return node->v.real;
}

int korvu_json_istrue(const KORVU_JSON *node) {
  return node != nullptr && node->type == KORVU_JSON_BOOLEAN && node->v.boolean != 0 ? 1 : 0;
}

uint32_t korvu_json_getarraysize(const KORVU_JSON *node) {
  return node != nullptr && node->type == KORVU_JSON_ARRAY ? node->count : 0;
}

const KORVU_JSON *korvu_json_getarrayitem(const KORVU_JSON *node, uint32_t index) {
  if (node == nullptr || node->type != KORVU_JSON_ARRAY || index >= node->count) return nullptr;
  return node->v.items[index];
}

void korvu_json_free(KORVU_JSON *node) {
  // Members made in place are released with their tree, not one by one.
  if (node != nullptr && (node->flags & kOwned)) free_node(node);
}

KORVU_JSON *korvu_json_parse(const char *text, uint32_t length) {
  if (text == nullptr || length == 0) return nullptr;
  if (nesting_depth(text, length, kMaxParseDepth) > kMaxParseDepth) return nullptr;
  try {
    Json v = Json::parse(text, text + length, nullptr, /*allow_exceptions=*/false);
    if (v.is_discarded()) return nullptr;
    Node *root = new_owned(kind_of(v), extra_of(v));
    if (root != nullptr) set_from(root, v);
    if (root == nullptr) return nullptr;
    if (!fill_from(root, v)) {
      free_node(root);
      return nullptr;
    }
    return root;
  } catch (...) {
    return nullptr;
  }
}

char *korvu_json_print(const KORVU_JSON *node, int indent, uint32_t *length) {
  if (node == nullptr || indent < 0) return nullptr;
  try {
    std::string s = to_json(node).dump(indent > 0 ? indent : -1, ' ', false, Json::error_handler_t::strict);
    if (s.size() >= 0xFFFFFFFFu) return nullptr;
    auto *out = static_cast<char *>(korvu_malloc(s.size() + 1, KORVU_UTIL_SRC, __LINE__));
    if (out == nullptr) return nullptr;
    std::memcpy(out, s.data(), s.size());
    out[s.size()] = '\0';
    if (length != nullptr) *length = static_cast<uint32_t>(s.size());
    return out;
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
