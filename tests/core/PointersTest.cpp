#include <gtest/gtest.h>

#include "core/Pointers.h"
#include "support/FatalCheck.h"

namespace {

// A counted object that counts its lives and can watch its own destruction.
class Probe : public RefCount {
 public:
  static inline int made = 0, gone = 0;
  WORD* report = nullptr;
  Ptr<RefCount> inner;

  Probe() { ++made; }
  ~Probe() override {
    ++gone;
    if (!report) return;
    Ptr<Probe> self(this);  // released for good: this must neither count nor delete again
    *report = GetCount();
  }
};

class CountedPointers : public ::testing::Test {
 protected:
  void SetUp() override { Probe::made = Probe::gone = 0; }
  void TearDown() override { EXPECT_EQ(Probe::made, Probe::gone); }
};

TEST_F(CountedPointers, HoldersCountTheLastOneDeletesAndAssigningTakesTheNewReferenceFirst) {
  WORD seen = 0;
  Probe* raw = new Probe;
  raw->report = &seen;
  {
    Ptr<Probe> a(raw), b(a);
    Ptr<RefCount> base(b);
    b = nullptr;
    EXPECT_EQ(raw->GetCount(), 2);
  }
  EXPECT_EQ(Probe::gone, 1);
  EXPECT_EQ(seen, 0x8000);

  Ptr<Probe> outer(new Probe);
  Probe* inner = new Probe;
  outer->inner = inner;
  outer = inner;  // the old object held the only other reference
  EXPECT_EQ(outer->GetCount(), 1);
  EXPECT_EQ(Probe::gone, 2);
}

TEST_F(CountedPointers, CountingMistakesAreFatal) {
  Ptr<Probe> p(new Probe);
  EXPECT_FATAL(p = p, "p != p_", "Assigned Ptr<> to itself");

  auto* loose = new Probe;
  EXPECT_FATAL(loose->Release(), "crefs != 0", "Reference count incorrect");
  delete loose;

  // 0x7FFF holders are allowed; the fixture's count shows that a refused one took nothing.
  for (int i = 1; i < 0x7FFF; ++i) p->AddRef();
  EXPECT_FATAL(p->AddRef(), "crefs < (1UL << ((sizeof crefs)*8-1))-1", "Reference count limit exceeded");
  for (int i = 1; i < 0x7FFF; ++i) p->Release();
}

// A constructor that hands itself out while it is being built.
class SelfRegistering : public Probe {
 public:
  SelfRegistering() {
    ConstructionPtr<SelfRegistering> guard(this);
    Ptr<SelfRegistering> passing(this);
  }
};

TEST_F(CountedPointers, AConstructionGuardKeepsTheObjectBeingBuilt) {
  auto* built = new SelfRegistering;
  EXPECT_EQ(built->GetCount(), 0);
  Ptr<SelfRegistering> owner(built);
  EXPECT_EQ(Probe::gone, 0);
  EXPECT_FATAL(ConstructionPtr<SelfRegistering> late(built), "ptr->GetCount() == 0",
               "Don't want to use this on already referenced instances");
}

// A COM object that counts its references.
struct FakeInterface {
  ULONG refs = 1;
  ULONG AddRef() { return ++refs; }
  ULONG Release() { return --refs; }
};

TEST(InterfaceHolder, HoldsOneReferenceAndRefusesOverwrites) {
  FakeInterface a, b;
  {
    IUPtr<FakeInterface> holder(&a);
    IUPtr<FakeInterface> copy(holder);
    EXPECT_EQ(a.refs, 3u);
    EXPECT_FATAL(holder = &a, "p != p_", "Assigned IUPtr<> to itself");
    holder = &b;
    EXPECT_EQ(a.refs + b.refs, 4u);
    EXPECT_FATAL((void)&holder, "!p", "Possible overwrite of valid pointer");
    holder = nullptr;
    EXPECT_EQ(b.refs, 1u);
    FakeInterface** out = &holder;  // a creating call stores its new interface here
    *out = &b;
  }
  EXPECT_EQ(a.refs, 1u);
  EXPECT_EQ(b.refs, 0u);  // the holder gave back the creating call's reference
}

}  // namespace
