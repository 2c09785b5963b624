// The scene file: a scene read back is the scene written, without the auxiliary objects, which
// the rules show again; foreign and damaged files fail the open; a failed save keeps the file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/XString.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/MemFile.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

using document_test::NewGroup;
using document_test::SceneFixture;
using document_test::Snapshot;
using Bytes = std::vector<BYTE>;

Bytes Write(XDocument& doc) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
  }
  const auto length = static_cast<std::size_t>(file.GetLength());
  BYTE* block = file.Detach();
  Bytes bytes(block, block + length);
  std::free(block);
  return bytes;
}

void Read(XDocument& doc, const Bytes& bytes) {
  doc.DeleteContents();
  CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  ar.m_pDocument = &doc;
  doc.Serialize(ar);
}

// The scene's bytes without the last `viewBytes`, the views' cameras (a document read here has
// no views).
Bytes SceneOnly(XDocument& doc, std::size_t viewBytes) {
  Bytes bytes = Snapshot(doc);
  bytes.resize(bytes.size() - viewBytes);
  return bytes;
}

class SceneFileTest : public SceneFixture {
 protected:
  SceneFileTest() {
    lamp = NewGroup(doc, "Lamp", true);  // meshes join once their archive form is in
    table = NewGroup(doc, "Table");
    table->SetTransform(Transform(0.4, Vector(0, 1, 0)));
    table->AddGroup(NewGroup(doc, "Leg", true));
    doc.AddGroup(lamp, FALSE, FALSE, 0);
    doc.AddGroup(table, TRUE, FALSE, 0);
  }

  Ptr<GroupSO> lamp, table;
};

TEST_F(SceneFileTest, ASceneReadsBackWithoutTheAuxiliaryObjectsWhichTheRulesShowAgain) {
  app.showGround = TRUE;
  app.mode = kRotateObjectAboutMode;
  doc.OnShowGroundChanged();
  doc.OnInteractiveModeChanged();
  ASSERT_TRUE(doc.HasGround());
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  const Bytes file = Write(doc);
  EXPECT_TRUE(doc.HasGround());
  EXPECT_TRUE(doc.IsRotObjAboutCylShown());

  XDocument read;
  read.m_bAutoDelete = FALSE;
  Read(read, file);
  EXPECT_TRUE(read.HasGround());
  EXPECT_TRUE(read.IsRotObjAboutCylShown());
  EXPECT_EQ(read.GetSelectedCount(), 1);

  // Without the rules' reasons neither comes back: the file holds neither, and the rest is the
  // scene that was written.
  app.showGround = FALSE;
  app.mode = 0;
  doc.OnShowGroundChanged();
  doc.OnInteractiveModeChanged();
  XDocument bare;
  bare.m_bAutoDelete = FALSE;
  Read(bare, file);
  EXPECT_FALSE(bare.HasGround());
  EXPECT_FALSE(bare.IsRotObjAboutCylShown());
  const Bytes written = Snapshot(doc);
  EXPECT_EQ(SceneOnly(bare, 0), SceneOnly(doc, written.size() - Snapshot(bare).size()));
}

TEST_F(SceneFileTest, ForeignAndDamagedFilesFailTheOpen) {
  Bytes file = Write(doc);
  ScriptedMessageBoxes boxes;
  XDocument read;
  read.m_bAutoDelete = FALSE;
  file[1] = 't';  // "tavrolin scene file"
  EXPECT_THROW(Read(read, file), CUserException);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.rfind("This file is not a Tavrolin scene.", 0), 0u);
  file[1] = 'T';
  for (std::size_t cut : {file.size() / 2, file.size() - 1}) {
    const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(Read(read, part), CArchiveException);
  }
}

// A window part that fails while the file is being written.
class FailingWindowsApp : public document_test::DocumentTestApp {
 public:
  void SerializeWindows(XDocument&, CArchive& ar) override {
    if (ar.IsStoring()) throw CFileException(CFileException::diskFull);
  }
};

TEST(SceneFileSave, AWriteThatFailsPartWayKeepsThePreviousFileAndTheAuxiliaryObjects) {
  FailingWindowsApp app;
  app.showGround = TRUE;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  ASSERT_TRUE(doc.OnNewDocument());
  ASSERT_TRUE(doc.HasGround());
  TemporaryFolder folder;
  const std::string path = folder / "scene.tvr";
  std::ofstream(path) << "previous";
  ScriptedMessageBoxes boxes;
  EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous");
  EXPECT_TRUE(doc.HasGround());
  for (POSITION pos = doc.GetFirstViewPosition(); pos;) doc.RemoveView(doc.GetNextView(pos));
}

}  // namespace
