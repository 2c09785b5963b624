#include <benchmark/benchmark.h>

#include "core/XList.h"
#include "platform/framework/MemFile.h"

namespace bench_archive {

// A counted object with a little content, as scene objects and undo records have.
class Item : public RefCount {
  DECLARE_SERIAL(Item)
 public:
  DWORD number = 0;
  Transform place;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << number << place;
    else
      ar >> number >> place;
  }
};
IMPLEMENT_SERIAL(Item, RefCount, 0)

}  // namespace bench_archive

namespace {

using bench_archive::Item;

// Stores a list of counted objects (every tenth one a repeat) and reads it back, as an undo
// snapshot does.
void BM_ArchiveListOfCountedObjects(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  XList<Ptr<Item>> list;
  for (int i = 0; i < n; ++i) {
    if (i % 10 == 9) {
      list.AddTail(list.GetTail());
      continue;
    }
    Ptr<Item> item(new Item);
    item->number = static_cast<DWORD>(i);
    list.AddTail(item);
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    CMemFile file(1024);
    {
      CArchive ar(&file, CArchive::store);
      list.Serialize(ar);
      ar.Close();
    }
    bytes = static_cast<std::size_t>(file.GetLength());
    file.Seek(0, CFile::begin);
    CArchive ar(&file, CArchive::load);
    XList<Ptr<Item>> read;
    read.Serialize(ar);
    ar.Close();
    benchmark::DoNotOptimize(read.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ArchiveListOfCountedObjects)->Arg(10000);

}  // namespace
