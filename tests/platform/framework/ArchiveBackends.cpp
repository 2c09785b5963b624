#include "platform/framework/ArchiveBackends.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

// Delivers one byte per read, as a slow stream would.
class OneByteFile final : public CMemFile {
 public:
  using CMemFile::CMemFile;
  UINT Read(void* buffer, UINT count) override { return CMemFile::Read(buffer, count ? 1 : 0); }
};

std::string TempPath() {
  std::string path = ::testing::TempDir() + "archive_XXXXXX";
  int fd = ::mkstemp(path.data());
  if (fd >= 0) ::close(fd);
  return path;
}

}  // namespace

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  switch (info.param) {
    case Backend::memory:
      return "Memory";
    case Backend::disk:
      return "Disk";
    default:
      return "OneByte";
  }
}

Bytes StoreBytes(Backend backend, const std::function<void(CArchive&)>& store) {
  if (backend == Backend::disk) {
    std::string path = TempPath();
    {
      CFile file;
      EXPECT_TRUE(file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate));
      CArchive ar(&file, CArchive::store);
      store(ar);
      ar.Close();
    }
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    return bytes;
  }
  CMemFile file(backend == Backend::oneByte ? 1 : 1024);
  CArchive ar(&file, CArchive::store, backend == Backend::oneByte ? 1 : 4096);
  store(ar);
  ar.Close();
  Bytes bytes(static_cast<std::size_t>(file.GetLength()));
  file.Seek(0, CFile::begin);
  EXPECT_EQ(file.Read(bytes.data(), static_cast<UINT>(bytes.size())), bytes.size());
  return bytes;
}

void LoadBytes(Backend backend, const Bytes& bytes, const std::function<void(CArchive&)>& load) {
  Bytes copy = bytes;
  if (backend == Backend::disk) {
    std::string path = TempPath();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(copy.data()),
                                                static_cast<std::streamsize>(copy.size()));
    CFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    {
      CArchive ar(&file, CArchive::load);
      try {
        load(ar);
      } catch (...) {
        std::remove(path.c_str());
        throw;
      }
    }
    std::remove(path.c_str());
    return;
  }
  std::unique_ptr<CMemFile> file = backend == Backend::oneByte
                                       ? std::make_unique<OneByteFile>(copy.data(), static_cast<UINT>(copy.size()))
                                       : std::make_unique<CMemFile>(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(file.get(), CArchive::load);
  load(ar);
}

void ExpectArchiveFailure(Backend backend, const Bytes& bytes, int cause,
                          const std::function<void(CArchive&)>& load) {
  try {
    LoadBytes(backend, bytes, load);
    ADD_FAILURE() << "expected an archive exception with cause " << cause;
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, cause) << e.what();
  }
}
