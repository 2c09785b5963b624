// The framework's hash map. A key goes to bucket HashKey(key) % table size; a new association
// is linked at the head of its bucket, and walks go bucket by bucket from the first, each
// chain newest first. The bucket table is made at the first insertion.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "platform/framework/Archive.h"
#include "platform/framework/Position.h"

inline UINT HashKey(DWORD key) { return key >> 4; }
template <class T>
UINT HashKey(T* key) {
  return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap {
 protected:
  struct Assoc {
    Assoc* next;
    UINT hash;
    KEY key;
    VALUE value;
  };

 public:
  // Associations are allocated one by one; the block size is accepted for the callers' sake.
  explicit CMap(int /*blockSize*/ = 10) {}
  ~CMap() { RemoveAll(); }
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;

  int GetCount() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }
  UINT GetHashTableSize() const { return tableSize_; }

  // Drops any bucket table and sets the table size; makes the table now when `allocate`.
  void InitHashTable(UINT size, bool allocate = true) {
    FreeTable();
    tableSize_ = size ? size : 1;
    if (allocate) table_.assign(tableSize_, nullptr);
  }

  bool Lookup(ARG_KEY key, VALUE& value) const {
    UINT hash;
    const Assoc* assoc = GetAssocAt(key, hash);
    if (!assoc) return false;
    value = assoc->value;
    return true;
  }

  // The value of `key`, made (default-constructed) when the key is new.
  VALUE& operator[](ARG_KEY key) {
    UINT hash;
    if (Assoc* assoc = GetAssocAt(key, hash)) return assoc->value;
    if (table_.empty()) InitHashTable(tableSize_);
    Assoc* assoc = new Assoc{table_[hash], hash, key, VALUE()};
    table_[hash] = assoc;
    ++count_;
    return assoc->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }

  bool RemoveKey(ARG_KEY key) {
    if (table_.empty()) return false;
    for (Assoc** link = &table_[HashKey(key) % tableSize_]; *link; link = &(*link)->next) {
      if ((*link)->key == key) {
        Assoc* gone = *link;
        *link = gone->next;
        delete gone;
        --count_;
        return true;
      }
    }
    return false;
  }

  void RemoveAll() { FreeTable(); }

  POSITION GetStartPosition() const { return ToPosition(FirstFrom(0)); }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    const Assoc* assoc = reinterpret_cast<const Assoc*>(pos);
    key = assoc->key;
    value = assoc->value;
    pos = ToPosition(assoc->next ? assoc->next : FirstFrom(assoc->hash + 1));
  }

  // The count, then each key and value as raw bytes, in walk order. Loading finds or makes each key.
  void Serialize(CArchive& ar) {
    static_assert(std::is_trivially_copyable_v<KEY> && std::is_trivially_copyable_v<VALUE>,
                  "the framework map stores plain keys and values");
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(count_));
      for (POSITION pos = GetStartPosition(); pos;) {
        KEY key;
        VALUE value;
        GetNextAssoc(pos, key, value);
        ar.Write(&key, sizeof key);
        ar.Write(&value, sizeof value);
      }
    } else {
      for (DWORD n = ar.ReadCount(); n > 0; --n) {
        KEY key;
        VALUE value;
        ar.Read(&key, sizeof key);
        ar.Read(&value, sizeof value);
        (*this)[key] = value;
      }
    }
  }

 protected:
  Assoc* GetAssocAt(ARG_KEY key, UINT& hash) const {
    hash = HashKey(key) % tableSize_;
    if (table_.empty()) return nullptr;
    for (Assoc* assoc = table_[hash]; assoc; assoc = assoc->next)
      if (assoc->key == key) return assoc;
    return nullptr;
  }

 private:
  static POSITION ToPosition(const Assoc* assoc) { return reinterpret_cast<POSITION>(const_cast<Assoc*>(assoc)); }
  const Assoc* FirstFrom(UINT bucket) const {
    for (; bucket < table_.size(); ++bucket)
      if (table_[bucket]) return table_[bucket];
    return nullptr;
  }
  void FreeTable() {
    for (Assoc* head : table_) {
      while (head) {
        Assoc* next = head->next;
        delete head;
        head = next;
      }
    }
    table_.clear();
    count_ = 0;
  }

  std::vector<Assoc*> table_;
  UINT tableSize_ = 17;
  int count_ = 0;
};
