// Reading one preference from a file of 40,000 keys: the program reads its preferences all the
// time, so a read must not cost a parse of the file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "platform/win/FileProfileStore.h"
#include "platform/win/FileReplace.h"

static void BM_ReadPreferenceOf40000(benchmark::State& state) {
  std::string folder = "/tmp/tavrolin-bench-XXXXXX";
  if (!::mkdtemp(folder.data())) return state.SkipWithError("no temporary folder");
  const std::string path = folder + "/Tavrolin.ini";
  std::string text = "[General]\n";
  for (int i = 0; i < 40000; ++i) text += "Key" + std::to_string(i) + "=value " + std::to_string(i) + "\n";
  ReplaceFile(path, text);
  FileProfileStore store(path);
  int i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(store.GetProfileString("General", "Key" + std::to_string(i++ % 40000), ""));
  ::unlink(path.c_str());
  ::rmdir(folder.c_str());
}
BENCHMARK(BM_ReadPreferenceOf40000);
