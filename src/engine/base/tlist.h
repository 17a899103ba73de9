#pragma once
// TList: an ordered list of object references. Insertion order is kept, and a walk from first to last
// tolerates the removal of any element (the one being visited included) and sees elements appended
// during the walk.
#include <cstddef>
#include <list>
#include <memory>

template <class T>
class TList {
 public:
  using Ref = std::shared_ptr<T>;

  void AddLast(Ref item) {
    if (item) {
      items_.push_back(std::move(item));
      ++count_;
    }
  }

  // Removes the first occurrence; false if the object is not in the list.
  bool Remove(const T* item) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (it->get() == item && item) {
        Erase(it);
        return true;
      }
    }
    return false;
  }
  bool Remove(const Ref& item) { return Remove(item.get()); }

  void Clear() {
    if (walks_ > 0) {
      for (auto& item : items_) item.reset();
      dirty_ = true;
    } else {
      items_.clear();
    }
    count_ = 0;
  }

  int Count() const { return static_cast<int>(count_); }
  bool IsEmpty() const { return count_ == 0; }

  // The first element, or null.
  Ref First() const {
    for (const auto& item : items_)
      if (item) return item;
    return nullptr;
  }

  // Calls visit(ref) for each element from first to last.
  template <class Visit>
  void ForEach(Visit visit) {
    ++walks_;
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (!*it) continue;
      Ref item = *it;  // keeps the object alive while it is visited, even if removed
      visit(item);
    }
    if (--walks_ == 0 && dirty_) Compact();
  }

  // Calls visit(ref) for each element; stops at the first for which it returns true and returns it.
  template <class Pred>
  Ref FindIf(Pred pred) {
    Ref found;
    ++walks_;
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (*it && pred(*it)) {
        found = *it;
        break;
      }
    }
    if (--walks_ == 0 && dirty_) Compact();
    return found;
  }

 private:
  using Iter = typename std::list<Ref>::iterator;

  void Erase(Iter it) {
    --count_;
    if (walks_ > 0) {
      it->reset();  // a walk may stand on this node: unlink it once no walk is running
      dirty_ = true;
    } else {
      items_.erase(it);
    }
  }

  void Compact() {
    items_.remove(nullptr);
    dirty_ = false;
  }

  std::list<Ref> items_;
  size_t count_ = 0;
  int walks_ = 0;
  bool dirty_ = false;
};
