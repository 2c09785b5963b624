// Transforms that double precision inverts but the 3D layer's single precision cannot, wherever a
// scene file holds them: a window's camera, the scene's root, an object, a camera record, a closed
// window's image. Opened by the user, such a file is refused or the window's return reverted; nothing ends
// the program, and a file without them opens, paints, undoes and redoes as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>

#include "document/CameraLightsUndoData.h"
#include "document/ModRec.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::Bytes;

Transform Rows(const double (&rows)[3][3]) {
  Transform t;
  std::memcpy(t.m, rows, sizeof t.m);
  return t;
}

// Three rows of which two are equal once rounded to single precision but differ in double: the
// matrix and its double-precision inverse fit single precision, its single-precision copy has none.
std::vector<Transform> NearSingularMatrices(int randomCount) {
  std::vector<Transform> found = {Rows({{1, 0, 0}, {0, 1000, 1000}, {0, 1000 - 1.01e-9, 1000}}),
                                  Rows({{1e15, 1e15, 0}, {1e15, 1e15 + 0.125, 0}, {0, 0, 1}})};
  std::mt19937_64 random(57);
  std::uniform_real_distribution<double> value(-1000.0, 1000.0), nudge(0.05, 0.45), place(0.0, 1.0);
  std::uniform_int_distribution<int> row(0, 2), column(0, 2), scaleExponent(-20, 20);
  while (static_cast<int>(found.size()) < randomCount + 2) {
    double rows[3][3];
    for (auto& r : rows)
      for (double& v : r) v = static_cast<float>(value(random));
    const int copied = row(random), from = (copied + 1 + row(random) % 2) % 3;
    std::memcpy(rows[copied], rows[from], sizeof rows[copied]);
    // The copy moves by less than half a single-precision step from its value, which single
    // precision keeps, in one or more of its values.
    for (int j = 0; j < 3; ++j)
      if (j == column(random) || place(random) < 0.3) {
        const float f = static_cast<float>(rows[copied][j]);
        rows[copied][j] += (std::nextafter(f, INFINITY) - f) * nudge(random);
      }
    Transform t = Rows(rows);
    // A power of two scales without rounding.
    const double scale = std::ldexp(1.0, scaleExponent(random));
    for (auto& r : t.m)
      for (double& v : r) v *= scale;
    for (double& v : t.t) v = value(random);
    // Only the cases the double-precision checks keep.
    if (t.FitsSinglePrecision() && t.Inverse().FitsSinglePrecision()) found.push_back(t);
  }
  return found;
}

// Twelve doubles as the scene file writes a transform.
Bytes TransformBytes(const Transform& t) {
  Bytes bytes;
  const auto put = [&bytes](double v) {
    const char* p = reinterpret_cast<const char*>(&v);
    bytes.insert(bytes.end(), p, p + sizeof v);
  };
  for (int i = 2; i >= 0; --i) {
    put(t.t[i]);
    for (int j = 2; j >= 0; --j) put(t.m[i][j]);
  }
  return bytes;
}

// A transform the file holds nowhere else, to find and replace.
Transform Marker() { return Transform(1.25, 0, 0, 101.5, 0, 1.25, 0, -7.75, 0, 0, 1.25, 3.125); }

struct NearSingularTransforms : views_test::SceneWindows {
  ScriptedFileDialogs dialogs;
  using Placing = std::function<void()>;
  // A new scene with a Cube and two windows, `place` putting the marker in its one spot, saved.
  Bytes SceneWithMarker(const Placing& place) {
    Key(Qt::Key_N);
    DropObject("Cube", *Views(Scene()).at(0));
    Key(Qt::Key_W);
    place();
    const std::string path = folder / "marked.tvr";
    EXPECT_TRUE(Scene().OnSaveDocument(path.c_str()));
    Scene().OnCloseDocument();
    return views_test::FileBytes(path);
  }
  // Opens `path` with File > Open, paints every window, undoes and redoes everything; the boxes
  // shown on the way.
  std::vector<std::string> OpenPaintUndoRedo(const std::string& path) {
    boxes.boxes.clear();
    dialogs.Answer({path});
    Key(Qt::Key_O);
    const auto paint = [&] {
      for (X3DView* view : Views(Scene())) view->GetWidget()->repaint();
      QApplication::processEvents();
    };
    if (app.CountOpenScenes()) paint();
    // A step refused reverts the scene to the file, whose history ends where it did: a few tries.
    for (int step = 0; step < 6 && app.CountOpenScenes() && Scene().GetHistory().CanUndo(); ++step) {
      Key(Qt::Key_Z);
      paint();
    }
    for (int step = 0; step < 6 && app.CountOpenScenes() && Scene().GetHistory().CanRedo(); ++step) {
      Key(Qt::Key_Y);
      paint();
    }
    std::vector<std::string> texts;
    for (const auto& box : boxes.boxes) texts.push_back(box.text);
    while (app.CountOpenScenes()) Scene().OnCloseDocument();
    return texts;
  }
};

TEST_F(NearSingularTransforms, AreRefusedOrRevertedWhereverTheSceneFileHoldsThem) {
  const std::string failed = "Failed to open document.\n\n";
  // The open reads the scene's transforms and its history's records and refuses the file; a closed
  // window's image is read when Undo brings the window back, and the scene is reverted to the file.
  const auto refused = [&](const std::vector<std::string>& texts, const std::string& path) {
    return texts == std::vector{failed + path};
  };
  const std::string reverted = XString(UINT{40046}).str();
  const auto revertedOnUndo = [&](const std::vector<std::string>& texts, const std::string&) {
    return !texts.empty() && std::all_of(texts.begin(), texts.end(), [&](const auto& t) { return t == reverted; });
  };
  const struct {
    const char* where;
    Placing place;
    std::function<bool(const std::vector<std::string>&, const std::string&)> told;
  } places[] = {
      {"the Camera window's camera", [&] { Views(Scene()).at(0)->settings.transform = Marker(); }, refused},
      {"the scene's root", [&] { Scene().GetScene()->SetTransform(Marker()); }, refused},
      {"an object", [&] { Scene().GetSelected(0)->SetTransform(Marker()); }, refused},
      {"an Edit Camera record",
       [&] {
         X3DView& view = *Views(Scene()).at(1);
         CameraFields fields = view.settings;
         fields.transform = Marker();
         Scene().AddRecord(new ModRec(kUndoEditCamera, new EditCameraUndoData(fields, view.GetViewMyself()), 385,
                                      TRUE, ""));
       },
       refused},
      {"a closed window's image",
       [&] {
         X3DView& view = *Views(Scene()).at(1);
         view.settings.transform = Marker();
         main->MDIActivate(view.GetParentFrame());
         Key(Qt::Key_F4);
         ASSERT_EQ(Views(Scene()).size(), 1u);
       },
       revertedOnUndo},
  };
  const std::vector<Transform> transforms = NearSingularMatrices(400);
  const Bytes marker = TransformBytes(Marker());
  for (const auto& p : places) {
    SCOPED_TRACE(p.where);
    const Bytes marked = SceneWithMarker(p.place);
    const auto at = std::search(marked.begin(), marked.end(), marker.begin(), marker.end()) - marked.begin();
    ASSERT_LT(static_cast<std::size_t>(at), marked.size());
    // The marker itself is kept: the file opens, paints, undoes and redoes without a word.
    const std::string path = folder / "scene.tvr";
    views_test::WriteBytes(path, marked);
    EXPECT_EQ(OpenPaintUndoRedo(path), std::vector<std::string>{});
    std::size_t told = 0;
    for (std::size_t i = 0; i < transforms.size(); ++i) {
      SCOPED_TRACE(i);
      Bytes bytes = marked;
      const Bytes replaced = TransformBytes(transforms[i]);
      std::copy(replaced.begin(), replaced.end(), bytes.begin() + at);
      views_test::WriteBytes(path, bytes);
      // Rounding can leave the 3D layer an inverse of a matrix with two equal rows: the file
      // then opens as any other.
      const std::vector<std::string> texts = OpenPaintUndoRedo(path);
      ASSERT_TRUE(texts.empty() || p.told(texts, path)) << ::testing::PrintToString(texts);
      told += !texts.empty();
      if (i < 2) {
        EXPECT_FALSE(texts.empty()) << "the matrices first met by a user";
      }
    }
    EXPECT_GT(told, transforms.size() / 2);
  }
}

}  // namespace
