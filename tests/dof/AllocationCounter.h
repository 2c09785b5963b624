// Counts the calls of operator new made on this thread while a counter lives (the test program
// replaces the global operator new for it).
#pragma once

class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;
  long Count() const { return count_; }

 private:
  long count_ = 0;
  long* previous_;
};
