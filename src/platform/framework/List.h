// The framework's doubly linked list. Elements are copies; positions stay valid until their
// element is removed.
#pragma once

#include "platform/framework/Position.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
  struct Node {
    Node* next;
    Node* prev;
    TYPE data;
  };

 public:
  CList() = default;
  ~CList() { RemoveAll(); }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  int GetCount() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  TYPE& GetHead() { return head_->data; }
  TYPE& GetTail() { return tail_->data; }

  POSITION AddHead(ARG_TYPE element) { return ToPosition(Insert(nullptr, head_, element)); }
  POSITION AddTail(ARG_TYPE element) { return ToPosition(Insert(tail_, nullptr, element)); }
  // Inserts copies of all of `other`'s elements in front, keeping their order.
  void AddHead(const CList* other) {
    POSITION pos = other->GetTailPosition();
    for (int n = other->GetCount(); n > 0; --n) AddHead(other->GetPrev(pos));
  }
  void AddTail(const CList* other) {
    POSITION pos = other->GetHeadPosition();
    for (int n = other->GetCount(); n > 0; --n) AddTail(other->GetNext(pos));
  }

  TYPE RemoveHead() { return Take(head_); }
  TYPE RemoveTail() { return Take(tail_); }
  void RemoveAt(POSITION pos) { Unlink(ToNode(pos)); }
  void RemoveAll() {
    while (head_) Unlink(head_);
  }

  POSITION GetHeadPosition() const { return ToPosition(head_); }
  POSITION GetTailPosition() const { return ToPosition(tail_); }
  // The element at `pos`; `pos` steps to the next (previous) one, or to nullptr at the end.
  TYPE& GetNext(POSITION& pos) { return Step(pos, &Node::next); }
  const TYPE& GetNext(POSITION& pos) const { return Step(pos, &Node::next); }
  TYPE& GetPrev(POSITION& pos) { return Step(pos, &Node::prev); }
  const TYPE& GetPrev(POSITION& pos) const { return Step(pos, &Node::prev); }
  TYPE& GetAt(POSITION pos) { return ToNode(pos)->data; }
  const TYPE& GetAt(POSITION pos) const { return ToNode(pos)->data; }

  // The first element equal to `element` after `startAfter` (from the head when null).
  POSITION Find(ARG_TYPE element, POSITION startAfter = nullptr) const {
    for (Node* n = startAfter ? ToNode(startAfter)->next : head_; n; n = n->next)
      if (n->data == element) return ToPosition(n);
    return nullptr;
  }

 private:
  static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
  static Node* ToNode(POSITION pos) { return reinterpret_cast<Node*>(pos); }

  Node* Insert(Node* prev, Node* next, ARG_TYPE element) {
    Node* node = new Node{next, prev, element};
    (prev ? prev->next : head_) = node;
    (next ? next->prev : tail_) = node;
    ++count_;
    return node;
  }
  void Unlink(Node* node) {
    (node->prev ? node->prev->next : head_) = node->next;
    (node->next ? node->next->prev : tail_) = node->prev;
    --count_;
    delete node;
  }
  TYPE Take(Node* node) {
    TYPE element = node->data;
    Unlink(node);
    return element;
  }
  TYPE& Step(POSITION& pos, Node* Node::*link) const {
    Node* node = ToNode(pos);
    pos = ToPosition(node->*link);
    return node->data;
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
};
