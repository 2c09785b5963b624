#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "SceneTestSupport.h"
#include "core/DeepCopy.h"
#include "TestTree.h"
#include "platform/framework/ArchiveBackends.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

const std::string kSentinel = "~!@#$%^&*()NotFromFile";

// The bytes of the pinned tree, or of a damaged form of it.
struct TreeImage {
  DWORD groupSchema = 0x80000000;
  std::string rootFile = kSentinel;
  std::string lightFile = kSentinel;
  DWORD lightType = D3DRMLIGHT_DIRECTIONAL;
  WORD lightDocumentTag = 1;  // the document, mapped first
  bool childNamesRoot = false;
  bool childNamesItself = false;
};

ByteImage& String(ByteImage& image, const std::string& s) {
  return image.U8(static_cast<BYTE>(s.size())).Text(s);
}

// Myself part in document mode: schema, then the identity handle (its class introduced once).
// Every part's schema word is the most derived class's.
ByteImage& Identity(ByteImage& image, bool firstHandle, DWORD schema) {
  image.U32(schema);
  return firstHandle ? image.NewClass(0, "PtrMyself") : image.U16(0x8000 | 4);
}

ByteImage& SceneObjPart(ByteImage& image, bool firstHandle, const std::string& file, const std::string& name,
                        DWORD schema = 0x80000000) {
  Identity(image, firstHandle, schema).U32(schema);
  String(image, file);
  return String(image, name);
}

ByteImage& Transform12(ByteImage& image, double tx, double ty, double tz, double sx) {
  // For row i = 2, 1, 0: t[i], m[i][2], m[i][1], m[i][0].
  return image.F64(tz).F64(1).F64(0).F64(0).F64(ty).F64(0).F64(1).F64(0).F64(tx).F64(0).F64(0).F64(sx);
}

// Indices: 1 the document, 2 class GroupSO, 3 the root, 4 class PtrMyself, 5 its handle, 6 the
// child, 7 its handle, 8 class MeshSO, 9 the mesh object, 10 its handle, 11 class LightSO,
// 12 the light, 13 its handle.
Bytes TreeBytes(const TreeImage& t) {
  ByteImage image;
  image.NewClass(0, "GroupSO");
  SceneObjPart(image, true, t.rootFile, "root").U32(t.groupSchema);
  Transform12(image, 0, 0, 0, 1).F64(1).F64(1).F64(1).U32(1);
  if (t.childNamesItself || t.childNamesRoot) {
    image.U16(0x8000 | 2);
    SceneObjPart(image, false, kSentinel, "child").U32(0x80000000);
    Transform12(image, 1, 2, 3, 1).F64(2).F64(1).F64(1).U32(1).U16(t.childNamesRoot ? 3 : 6);
    return image.bytes;  // the load stops at the bad child
  }
  image.U16(0x8000 | 2);
  SceneObjPart(image, false, kSentinel, "child").U32(0x80000000);
  Transform12(image, 1, 2, 3, 1).F64(2).F64(1).F64(1).U32(0).U32(0).U32(0);
  image.U32(1).NewClass(2, "MeshSO");
  SceneObjPart(image, false, "vis.x", "vis", 0x80000002).U32(0x80000002);
  // Schema, shared flag, box min and max, sphere radius before its centre, quality, style, brush.
  image.U32(0x80000002).U8(0).F64(0).F64(0).F64(0).F64(2).F64(4).F64(4).F64(3).F64(1).F64(2).F64(2);
  image.U32(3).U32(1).U32(5);
  // Textures on, textures loaded, cartoon; the two line styles; empty part look lists; reverse,
  // two-sided, no mesh.
  image.U8(1).U8(0).U8(1);
  image.U32(0x80000000).F64(1).F64(0).F64(0).F64(1).F64(0.299).U32(2);
  image.U32(0x80000000).F64(0).F64(0).F64(0).F64(1).F64(0).U32(4);
  image.U16(0).U16(0).U8(1).U8(0).U8(1);
  image.U32(1).NewClass(0, "LightSO");
  SceneObjPart(image, false, t.lightFile, "").U32(0x80000000).U32(t.lightType);
  image.U32(0x80000000).F64(1).F64(0).F64(0).F64(1).F64(0.299);
  image.F64(1).F64(0.5).F64(0.25).F64(12.5).F64(1).F64(0.5).U16(t.lightDocumentTag);
  return image.bytes;
}

class SceneArchiveTest : public SceneTest {
 protected:
  static Bytes Store(const Ptr<GroupSO>& root, XDocument* document, bool mapDocument = true) {
    return StoreBytes(Backend::memory, [&](CArchive& ar) {
      ar.m_pDocument = document;
      if (mapDocument) ar.MapObject(document);
      ar << root;
    });
  }
  // A scene file's way: the document is mapped before the first scene object.
  Ptr<GroupSO> Load(const Bytes& bytes, XDocument* reading, XDocument* mapped = nullptr) {
    Ptr<GroupSO> root;
    LoadBytes(Backend::memory, bytes, [&](CArchive& ar) {
      ar.m_pDocument = reading;
      ar.MapObject(mapped ? mapped : reading);
      ar >> root;
    });
    return root;
  }

  void ExpectRefused(const Bytes& bytes, int cause, XDocument* mapped = nullptr) {
    TestDocument reading;
    ExpectArchiveFailure(Backend::memory, bytes, cause, [&](CArchive& ar) {
      ar.m_pDocument = &reading;
      ar.MapObject(mapped ? mapped : &reading);
      Ptr<GroupSO> root;
      ar >> root;
    });
  }
};

TEST_F(SceneArchiveTest, ATreeIsStoredInItsRecordsAndReadsBackAttachedToTheReadingDocument) {
  Ptr<GroupSO> root = MakePinnedTree(&*doc);
  const Bytes stored = Store(root, &*doc);
  EXPECT_EQ(stored, TreeBytes({}));
  // The fuzz target's first seed is this tree.
  std::ifstream seed(std::string(TAVROLIN_SOURCE_DIR) + "/fuzz/scene_tree/corpus/tree.bin", std::ios::binary);
  EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(seed), std::istreambuf_iterator<char>()), stored);

  // Read back, the tree stores the same bytes; the links and the light's document are the reader's.
  TestDocument reading;
  Ptr<GroupSO> read = Load(stored, &reading);
  EXPECT_EQ(Store(read, &reading), stored);
  ASSERT_EQ(read->GetGroups().GetCount(), 1);
  EXPECT_EQ(First(read->GetGroups())->GetParent(), read);
  EXPECT_EQ(read->GetName(), CString("vis"));  // a group shows its first visual's name
  ASSERT_EQ(read->GetVisuals().GetCount(), 1);
  auto& mesh = dynamic_cast<MeshSO&>(*First(read->GetVisuals()));
  EXPECT_EQ(mesh.GetD3DRMMesh(), nullptr) << "no file looked for";
  mesh.SyncGroupMaterials(0, 0);  // without a mesh, looks and textures are left alone
  mesh.ReloadTextures(0);
  ASSERT_EQ(read->GetLights().GetCount(), 1);
  LightSO* light = First(read->GetLights());
  EXPECT_EQ(light->document, &reading);
  IDirect3DRMFrame* enable = nullptr;
  ASSERT_EQ(light->GetD3DRMLight()->GetEnableFrame(&enable), D3DRM_OK);
  EXPECT_EQ(enable, reading.root->GetD3DRMFrame());
  if (enable) enable->Release();
  EXPECT_EQ(light->GetD3DRMLight()->GetRange(), 12.5f);
}

TEST_F(SceneArchiveTest, DamagedTreesFailTheLoadWithAnArchiveException) {
  ScriptedMessageBoxes boxes;  // a newer record shows why
  const struct {
    const char* what;
    void (*damage)(TreeImage&);
    int cause;
  } cases[] = {
      {"newer group", [](TreeImage& t) { t.groupSchema = 0x80000001; }, CArchiveException::badSchema},
      {"group from a file", [](TreeImage& t) { t.rootFile = "C:\\chair.x"; }, CArchiveException::badSchema},
      {"light from a file", [](TreeImage& t) { t.lightFile = "lamp.x"; }, CArchiveException::badSchema},
      {"unknown light type", [](TreeImage& t) { t.lightType = 5; }, CArchiveException::generic},
      {"no document", [](TreeImage& t) { t.lightDocumentTag = 0; }, CArchiveException::badIndex},
      {"document is a group", [](TreeImage& t) { t.lightDocumentTag = 3; }, CArchiveException::badClass},
      {"child is itself", [](TreeImage& t) { t.childNamesItself = true; }, CArchiveException::badIndex},
      {"child is the root", [](TreeImage& t) { t.childNamesRoot = true; }, CArchiveException::badIndex},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TreeImage damaged;
    c.damage(damaged);
    ExpectRefused(TreeBytes(damaged), c.cause);
  }
  // A light of another document than the one being read.
  TestDocument other;
  ExpectRefused(TreeBytes({}), CArchiveException::badClass, &other);
}

TEST_F(SceneArchiveTest, StoringALightOrGroupFromAFileOrALightOfAnUnmappedDocumentIsAProgramError) {
  Ptr<GroupSO> root = MakePinnedTree(&*doc);
  EXPECT_FATAL(Store(root, &*doc, false), "!document || ar.IsMapped(document)", "The document must be mapped first");
  root->SetFile("chair.x");
  EXPECT_FATAL(Store(root, &*doc), "GetFile() == SceneObj().GetFile()", "Cannot load from non-archive file");
  root->SetFile(SceneObj::NotFromFile());
}

TEST_F(SceneArchiveTest, ADeepCopyOfAGroupWithALightRefersToTheDocumentInsteadOfCopyingIt) {
  Ptr<GroupSO> root = MakePinnedTree(&*doc);
  DeepCopy copy(*root, &*doc);
  Ptr<GroupSO> target = new GroupSO;
  copy.CopyTo(*target, &*doc);
  ASSERT_EQ(target->GetLights().GetCount(), 1);
  EXPECT_EQ(First(target->GetLights())->document, &*doc);
  EXPECT_EQ(target->GetGroups().GetCount(), 1);
}

}  // namespace
