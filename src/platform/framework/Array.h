// The framework's array. Elements added by growing it are default-constructed.
#pragma once

#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
 public:
  int GetSize() const { return static_cast<int>(elements_.size()); }
  int GetUpperBound() const { return GetSize() - 1; }
  void SetSize(int size) { elements_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }
  void RemoveAll() { elements_.clear(); }
  int Add(ARG_TYPE element) {
    elements_.push_back(element);
    return GetUpperBound();
  }
  TYPE& operator[](int index) { return elements_[static_cast<std::size_t>(index)]; }
  const TYPE& operator[](int index) const { return elements_[static_cast<std::size_t>(index)]; }
  TYPE& ElementAt(int index) { return (*this)[index]; }
  const TYPE& GetAt(int index) const { return (*this)[index]; }
  void SetAt(int index, ARG_TYPE element) { (*this)[index] = element; }
  TYPE* GetData() { return elements_.data(); }
  const TYPE* GetData() const { return elements_.data(); }

 private:
  std::vector<TYPE> elements_;
};
