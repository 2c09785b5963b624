#include <gtest/gtest.h>

#include <algorithm>
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

// The pinned tree's bytes, kept as the fuzz target's first seed.
Bytes PinnedTreeBytes() {
  std::ifstream seed(std::string(TAVROLIN_SOURCE_DIR) + "/fuzz/scene_tree/corpus/tree.bin", std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(seed), std::istreambuf_iterator<char>());
}

// Where `text` first (or last) begins in `bytes`.
std::size_t Find(const Bytes& bytes, const std::string& text, bool last = false) {
  const auto at = last ? std::find_end(bytes.begin(), bytes.end(), text.begin(), text.end())
                       : std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
  EXPECT_NE(at, bytes.end()) << text;
  return static_cast<std::size_t>(at - bytes.begin());
}

using SceneArchiveTest = SceneTest;

void ExpectRefused(const Bytes& bytes, int cause, XDocument* mapped = nullptr) {
  TestDocument reading;
  Ptr<GroupSO> root;
  ExpectArchiveFailure(Backend::memory, bytes, cause, [&](CArchive& ar) { ReadScene(ar, root, &reading, mapped); });
}

TEST_F(SceneArchiveTest, ATreeIsStoredInItsRecordsAndReadsBackAttachedToTheReadingDocument) {
  Ptr<GroupSO> root = MakePinnedTree(&*doc);
  const Bytes stored = StoreScene(root, &*doc);
  EXPECT_EQ(stored, PinnedTreeBytes());

  // Read back, the tree stores the same bytes; the links and the light's document are the reader's.
  TestDocument reading;
  Ptr<GroupSO> read = LoadScene<GroupSO>(stored, &reading);
  EXPECT_EQ(StoreScene(read, &reading), stored);
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
  const Bytes tree = PinnedTreeBytes();
  // The child's group count follows its 15 numbers; the light's document tag ends the file.
  const std::string sentinel = "\x16~!@#$%^&*()NotFromFile";
  const std::size_t root = Find(tree, "\x04root"), child = Find(tree, "\x05" "child") + 6 + 4 + 15 * 8;
  const std::size_t light = Find(tree, sentinel, true), tag = tree.size() - 2;
  const auto patched = [&](std::size_t at, BYTE value) {
    Bytes b = tree;
    b[at] = value;
    return b;
  };
  const auto replaced = [&](std::size_t at, std::size_t length, const std::string& text) {
    Bytes b = tree;
    b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + length));
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), text.begin(), text.end());
    return b;
  };
  const auto named = [&](std::size_t at, const std::string& file) { return replaced(at, sentinel.size(), file); };
  // The mesh record: its file and name, two schema words, then the sharing flag.
  const std::size_t meshFile = Find(tree, "\x05vis.x"), sharing = meshFile + 6 + 4 + 8;
  const std::size_t childPlace = Find(tree, "\x05" "child") + 6 + 4;  // t.z = 3, then m[2][2] = 1
  // After the sharing flag: bounds, radius, centre, three numbers and three flags, then the
  // silhouette's colour (schema word, r, g, b, a, luminance) and width, and the surface's.
  const std::size_t silhouetteWidth = sharing + 1 + 139, surfaceColor = silhouetteWidth + 4;
  const std::size_t surfaceWidth = surfaceColor + 44;
  Bytes sharedCut = patched(sharing, 1);
  sharedCut.resize(sharing + 1);
  const auto childHolding = [&](WORD index) {
    ByteImage image;
    image.bytes.assign(tree.begin(), tree.begin() + static_cast<std::ptrdiff_t>(child));
    return image.U32(1).U16(index).bytes;  // the load stops at the bad child
  };
  const struct {
    const char* what;
    Bytes bytes;
    int cause;
  } cases[] = {
      {"newer group", patched(root + 5, 1), CArchiveException::badSchema},
      {"group from a file", named(root - sentinel.size(), "\x0a" "C:\\chair.x"), CArchiveException::badSchema},
      {"light from a file", named(light, "\x06lamp.x"), CArchiveException::badSchema},
      {"unknown light type", patched(light + sentinel.size() + 1 + 4, 5), CArchiveException::generic},
      {"no document", patched(tag, 0), CArchiveException::badIndex},
      {"document is a group", patched(tag, 3), CArchiveException::badClass},
      {"child is itself", childHolding(6), CArchiveException::badIndex},
      {"child is the root", childHolding(3), CArchiveException::badIndex},
      {"child's place not a number", patched(childPlace + 7, 0x7F), CArchiveException::generic},
      {"child flattened beyond inverting", patched(childPlace + 15, 0), CArchiveException::generic},
      {"mesh from no file", replaced(meshFile, 6, sentinel), CArchiveException::generic},
      {"mesh bounds beyond single precision", patched(sharing + 1 + 7, 0x7F), CArchiveException::generic},
      {"silhouette wider than any picture", patched(silhouetteWidth + 2, 1), CArchiveException::generic},
      {"surface lines wider than any picture", patched(surfaceWidth + 2, 1), CArchiveException::generic},
      {"surface opacity infinite", patched(surfaceColor + 4 + 3 * 8 + 7, 0x7F), CArchiveException::generic},
      // The half-read object goes with the failed load, in no list of shared objects.
      {"shared mesh cut short", sharedCut, CArchiveException::endOfFile},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectRefused(c.bytes, c.cause);
  }
  // A light of another document than the one being read.
  TestDocument other;
  ExpectRefused(tree, CArchiveException::badClass, &other);
}

// Any byte other than 0 is a set flag, read as 1: the sharing flag is compared with TRUE when a
// record undone changes it.
TEST_F(SceneArchiveTest, AFlagStoredAsAnyNonZeroByteReadsAsSet) {
  Bytes tree = PinnedTreeBytes();
  tree[Find(tree, "\x05vis.x") + 6 + 4 + 8] = 0x80;  // the sharing flag, after the file, name and schema words
  TestDocument reading;
  Ptr<GroupSO> read = LoadScene<GroupSO>(tree, &reading);
  ASSERT_EQ(read->GetVisuals().GetCount(), 1);
  EXPECT_EQ(dynamic_cast<MeshSO&>(*First(read->GetVisuals())).reference, TRUE);
}

TEST_F(SceneArchiveTest, StoringRefusesFileGroupsAndUnmappedDocumentsAndADeepCopyKeepsTheDocument) {
  Ptr<GroupSO> root = MakePinnedTree(&*doc);
  EXPECT_FATAL(StoreScene(root, &*doc, false), "!document || ar.IsMapped(document)",
               "The document must be mapped first");
  root->SetFile("chair.x");
  EXPECT_FATAL(StoreScene(root, &*doc), "GetFile() == SceneObj().GetFile()", "Cannot load from non-archive file");
  root->SetFile(SceneObj::NotFromFile());
  DeepCopy copy(*root, &*doc);
  Ptr<GroupSO> target = new GroupSO;
  copy.CopyTo(*target, &*doc);
  ASSERT_EQ(target->GetLights().GetCount(), 1);
  EXPECT_EQ(First(target->GetLights())->document, &*doc);
  EXPECT_EQ(target->GetGroups().GetCount(), 1);
}

}  // namespace
