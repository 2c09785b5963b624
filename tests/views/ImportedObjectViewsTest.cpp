// Objects imported from .x and 3D Studio files into a scene whose Front, Top and Left windows are
// open, seen in every window of the scene.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "tools/ThreeDsWriter.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// What a pixel shows: the red cube, the orange cone, the green textured .x cube, the blue 3D
// Studio bar, or something else.
enum Look { kRedCube, kOrangeCone, kGreenBox, kBlueBar, kOther };

// By hue, so that the sides turned from the light count too.
Look LookOf(int r, int g, int b) {
  if (g > 25 && 2 * g > 3 * r && 2 * g > 3 * b) return kGreenBox;
  if (b > 40 && 2 * b > 3 * r && 2 * b > 3 * g) return kBlueBar;
  if (r > 40 && r > 2 * g && r > 2 * b) return kRedCube;
  if (r > 40 && r >= g && 2 * r < 5 * g && 5 * g > 7 * b + 25) return kOrangeCone;
  return kOther;
}

// How many pixels of each look a window shows, rendered at its own size.
std::array<int, 4> Looks(X3DView& view) {
  CRect client;
  view.GetClientRect(&client);
  const std::vector<BYTE> bmp = view.RenderBitmapFile(client.Width(), client.Height(), false);
  std::array<int, 4> counts{};
  const int width = client.Width(), stride = (3 * width + 3) / 4 * 4;
  for (int y = 0; y < client.Height(); ++y)
    for (int x = 0; x < width; ++x) {
      const BYTE* p = &bmp[54 + static_cast<std::size_t>(y) * stride + 3 * static_cast<std::size_t>(x)];
      const Look look = LookOf(p[2], p[1], p[0]);
      if (look != kOther) ++counts[look];
    }
  return counts;
}

// A cube of side 0.5 m, its six sides textured with a green picture written beside it.
void WriteGreenBox(const std::string& folder) {
  std::string bmp(54 + 8 * 8 * 3, '\0');
  const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  };
  bmp[0] = 'B', bmp[1] = 'M';
  put(2, static_cast<std::uint32_t>(bmp.size()), 4);
  put(10, 54, 4), put(14, 40, 4), put(18, 8, 4), put(22, 8, 4), put(26, 1, 2), put(28, 24, 2);
  for (std::size_t i = 54; i < bmp.size(); i += 3) put(i, 0x28C828, 3);  // blue, green, red
  std::ofstream(folder + "/green.bmp", std::ios::binary) << bmp;

  std::string vertices, faces, coordinates;
  int n = 0;
  for (int axis = 0; axis < 3; ++axis)
    for (int sign : {-1, 1}) {
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      for (auto [i, j] : {std::pair{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}) {
        double p[3];
        p[axis] = 0.25 * sign, p[u] = 0.25 * i * sign, p[v] = 0.25 * j;
        vertices += std::to_string(p[0]) + ";" + std::to_string(p[1]) + ";" + std::to_string(p[2]) + ";" +
                    (n + 1 < 24 ? ",\n" : ";\n");
        coordinates += std::to_string((i + 1) / 2) + ";" + std::to_string((j + 1) / 2) + ";" + (n + 1 < 24 ? "," : ";");
        ++n;
      }
      const int b = n - 4;
      faces += "3;" + std::to_string(b) + "," + std::to_string(b + 1) + "," + std::to_string(b + 2) + ";,3;" +
               std::to_string(b) + "," + std::to_string(b + 2) + "," + std::to_string(b + 3) + ";" +
               (n < 24 ? ",\n" : ";\n");
    }
  std::ofstream(folder + "/Green box.x") << "xof 0302txt 0032\nMesh {\n24;\n" << vertices << "12;\n" << faces
                                         << "MeshTextureCoords { 24; " << coordinates << " }\n"
                                         << "MeshMaterialList { 1; 1; 0;;\n"
                                         << "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"green.bmp\"; } }\n"
                                         << "} }\n";
}

// A blue bar 80 x 16 x 16 units (2.03 x 0.41 x 0.41 m once converted), six quads.
bool WriteBlueBar(const std::string& path) {
  std::vector<std::array<float, 3>> corners;
  const float lo[3] = {-40, -8, -8}, hi[3] = {40, 8, 8};
  for (int axis = 0; axis < 3; ++axis)
    for (int side = 0; side < 2; ++side) {
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      for (auto [i, j] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        std::array<float, 3> p{};
        p[axis] = side ? hi[axis] : lo[axis];
        p[u] = (side ? i : 1 - i) ? hi[u] : lo[u];
        p[v] = j ? hi[v] : lo[v];
        corners.push_back(p);
      }
    }
  return WriteThreeDs(path, {{corners, {0.2f, 0.3f, 0.9f}, {0, 0, 0}, ""}});
}

class ImportedObjectViews : public SceneWindows {
 protected:
  // A cube and a cone scene with Front, Top and Left open (as Window/Front, Top and Left lays them
  // out, or as long orthographic strips), a .x and a 3D Studio object imported: every window shows
  // them all, also after Undo, Redo and the file.
  void ImportIntoFourWindows(bool orthographicStrips);
};

// In long windows an import fills the camera window from far away and the scene grows long: the
// fixed-direction windows fitted to it must still have it before their back plane.
TEST_F(ImportedObjectViews, ImportedXAndThreeDsObjectsShowInTheFrontTopLeftAndCameraWindowsThroughUndoRedoAndTheFile) {
  ImportIntoFourWindows(true);
}

// The windows as the command lays them out, seen in perspective as a new scene's are.
TEST_F(ImportedObjectViews, ImportsShowInTheTiledPerspectiveWindowsOfANewScene) {
  ImportIntoFourWindows(false);
}

void ImportedObjectViews::ImportIntoFourWindows(bool orthographicStrips) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  // A cube and a cone either side of the camera's line of sight, apart seen from any side.
  double aside = -0.8;
  for (const char* name : {"Cube", "Cone"}) {
    camera.ImportFile((std::string(TAVROLIN_BINARY_DIR "/Objects/") + name + ".ulm").c_str());
    Ptr<GroupSO> object = Scene().GetSelected(0);
    Transform moved = object->GetTransform();
    moved.t[0] += aside;
    moved.t[2] += aside;
    object->SetTransform(moved);
    aside = -aside;
  }
  Scene().OnSceneExtentChanged(TRUE);
  Key(Qt::Key_R);  // Window/Front, Top, Left
  ASSERT_EQ(Views(Scene()).size(), 4u);
  // Each window a long strip; the fixed-direction ones made orthographic, as on the Edit Camera
  // sheet, and fitted again.
  int top = 0;
  for (X3DView* view : orthographicStrips ? Views(Scene()) : std::vector<X3DView*>{}) {
    view->GetParentFrame()->MoveWindow(0, top, 790, 140);
    top += 140;
    if (view->settings.windowKind != 0) {
      view->settings.orthographic = TRUE;
      view->ShowEntireScene(Scene().GetSceneBox());
    }
  }

  WriteGreenBox(folder.Path());
  ASSERT_TRUE(WriteBlueBar(folder / "Bar.3ds"));
  main->MDIActivate(camera.GetParentFrame());
  const int groups = Scene().GetScene()->GetGroups().GetCount();
  ScriptedFileDialogs dialogs;
  for (const std::string& file : {folder / "Green box.x", folder / "Bar.3ds"}) {
    dialogs.PickFilters({8});  // All files
    dialogs.Answer({file});
    Key(Qt::Key_I);
  }
  ASSERT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 2);
  EXPECT_TRUE(boxes.boxes.empty());

  const auto expectShown = [&](XDocument& doc, bool imports, const char* when) {
    for (X3DView* view : Views(doc)) {
      SCOPED_TRACE(std::string(when) + ", " + Caption(view));
      const std::array<int, 4> seen = Looks(*view);
      EXPECT_GE(seen[kRedCube], 4);
      EXPECT_GE(seen[kOrangeCone], 4);
      if (imports) {
        EXPECT_GE(seen[kGreenBox], 4);
        EXPECT_GE(seen[kBlueBar], 4);
      } else {
        EXPECT_EQ(seen[kGreenBox] + seen[kBlueBar], 0);
      }
    }
  };
  expectShown(Scene(), true, "imported");
  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  expectShown(Scene(), false, "undone");
  Key(Qt::Key_Y);
  Key(Qt::Key_Y);
  expectShown(Scene(), true, "redone");
  XDocument* read = Reopen(Scene(), Save(Scene()));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(Views(*read).size(), 4u);
  expectShown(*read, true, "reopened");
}

}  // namespace
