#include "platform/framework/ArchiveBackends.h"

#include <memory>

#include "support/TemporaryFolder.h"

namespace {

// Delivers one byte per read, as a slow stream would.
class OneByteFile final : public CMemFile {
 public:
  using CMemFile::CMemFile;
  UINT Read(void* buffer, UINT count) override { return CMemFile::Read(buffer, count ? 1 : 0); }
};

}  // namespace

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::memory ? "Memory" : info.param == Backend::disk ? "Disk" : "OneByte";
}

Bytes StoreBytes(Backend backend, const std::function<void(CArchive&)>& store) {
  TemporaryFolder temp;
  CFile disk;
  CMemFile memory(backend == Backend::oneByte ? 1 : 1024);
  CFile* file = &memory;
  if (backend == Backend::disk) {
    EXPECT_TRUE(disk.Open((temp / "archive").c_str(), CFile::modeReadWrite | CFile::modeCreate));
    file = &disk;
  }
  {
    CArchive ar(file, CArchive::store, backend == Backend::oneByte ? 1 : 4096);
    store(ar);
    ar.Close();
  }
  Bytes bytes(static_cast<std::size_t>(file->GetLength()));
  file->Seek(0, CFile::begin);
  EXPECT_EQ(file->Read(bytes.data(), static_cast<UINT>(bytes.size())), bytes.size());
  return bytes;
}

void LoadBytes(Backend backend, const Bytes& bytes, const std::function<void(CArchive&)>& load) {
  Bytes copy = bytes;
  TemporaryFolder temp;
  CFile disk;
  std::unique_ptr<CFile> memory;
  CFile* file = &disk;
  if (backend == Backend::disk) {
    EXPECT_TRUE(disk.Open((temp / "archive").c_str(), CFile::modeReadWrite | CFile::modeCreate));
    disk.Write(copy.data(), static_cast<UINT>(copy.size()));
    disk.Seek(0, CFile::begin);
  } else {
    const UINT size = static_cast<UINT>(copy.size());
    memory = backend == Backend::oneByte ? std::make_unique<OneByteFile>(copy.data(), size)
                                         : std::make_unique<CMemFile>(copy.data(), size);
    file = memory.get();
  }
  CArchive ar(file, CArchive::load);
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
