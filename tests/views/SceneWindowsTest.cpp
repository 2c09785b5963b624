// The camera windows of scenes in the started program, driven by a user's keys and mouse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

#include "platform/framework/NewHandler.h"
#include "scene/MeshSO.h"
#include "tools/ThreeDsWriter.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::Bytes;
using views_test::DarkPixels;
using views_test::FileBytes;
using views_test::FindLast;
using views_test::WriteBytes;
using views_test::SceneWindows;
using views_test::WindowState;
using views_test::SendMouse;
using views_test::ShownCursor;

TEST_F(SceneWindows, ANewSceneShowsACameraWindowAndWindowNewCopiesIt) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  ASSERT_EQ(Views(doc).size(), 1u);
  X3DView& first = *Views(doc)[0];
  RECT shape;  // tiled alone, then trimmed to 35:24
  first.GetParentFrame()->GetWindowRect(&shape);
  EXPECT_NEAR((shape.right - shape.left) * 24, (shape.bottom - shape.top) * 35, 35);
  // Window/Front, Top, Left opens three windows fitted to the empty scene, and closes them again.
  Key(Qt::Key_R);
  std::vector<int> kinds;
  for (X3DView* view : Views(doc)) kinds.push_back(view->settings.windowKind);
  EXPECT_EQ(kinds, (std::vector<int>{0, 5, 3, 1}));
  EXPECT_DOUBLE_EQ(Views(doc).at(3)->settings.height, 1.0);  // the preference's view height
  Key(Qt::Key_R);
  EXPECT_EQ(OpenFrames(), 1);

  first.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  first.settings.focal = 0.08;
  Key(Qt::Key_W);
  ASSERT_EQ(Views(doc).size(), 2u);
  X3DView& copy = *Views(doc)[1];
  EXPECT_EQ(State(&copy), State(&first));
  EXPECT_NE(copy.GetMyself(), first.GetMyself());
  EXPECT_EQ(Caption(&first) + "|" + Caption(&copy), "Camera   300%|Camera 2   300%");
}

// How many more times the memory file's growth is refused.
int growthRefusals = 0;

// Window/New copies the window's layout and records the step through memory files. Memory that
// runs short as they grow is waited for through the low-memory handler, once per refusal: the
// copy is the one memory to spare gives, and Undo takes it away again.
TEST_F(SceneWindows, WindowNewWaitsForMemoryThatRunsShortAndCopiesTheWindowAsUsual) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  X3DView& first = *Views(doc).at(0);
  first.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  first.settings.focal = 0.08;
  ScriptedProcesses processes;
  FakeClipboard clipboard;
  growthRefusals = 3;
  const AfxBlockReallocator before = AfxSetBlockReallocator([](void* block, std::size_t size) {
    return growthRefusals-- > 0 ? nullptr : std::realloc(block, size);
  });
  Key(Qt::Key_W);
  AfxSetBlockReallocator(before);
  EXPECT_LT(growthRefusals, 0) << "every refusal was met";
  ASSERT_EQ(Views(doc).size(), 2u);
  EXPECT_EQ(State(Views(doc)[1]), State(&first));
  EXPECT_EQ(clipboard.empties, 3) << "the handler, once per refusal";
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine, "NoMemoryDialog.exe");
  EXPECT_TRUE(boxes.boxes.empty());
  Key(Qt::Key_Z);
  EXPECT_EQ(Views(doc).size(), 1u);
}

TEST_F(SceneWindows, TwoWindowsAndAHistoryOfAClosedWindowAndADeletedGroupComeBackFromTheFile) {
  XDocument& doc = SceneWithTwoWindows();
  Ptr<GroupSO> chair = document_test::NewGroup(doc, "Chair");
  chair->SetTransform(Transform(0.3, Vector(0, 1, 0)));
  doc.AddGroup(chair, TRUE, TRUE, 0);
  doc.AddGroup(document_test::NewGroup(doc, "Lamp", true), FALSE, TRUE, 0);
  doc.GetRotObjAboutCylPtr()->SetTransform(Transform(0.7, Vector(0, 1, 0)));
  main->MDIActivate(Views(doc)[0]->GetParentFrame());
  // The scene tree, selection, lights and cameras as bytes; the cylinder; the windows.
  const std::vector<BYTE> scene = document_test::Snapshot(doc);
  const double cylinder = doc.GetRotObjAboutCylPtr()->GetTransform().m[0][0];
  const std::vector<WindowState> windows{State(Views(doc)[0]), State(Views(doc)[1])};
  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), scene);
  EXPECT_EQ(read->GetRotObjAboutCylPtr()->GetTransform().m[0][0], cylinder);
  ASSERT_EQ(Views(*read).size(), 2u);
  EXPECT_EQ(windows, (std::vector<WindowState>{State(Views(*read)[0]), State(Views(*read)[1])}));
  EXPECT_EQ(main->MDIGetActive(), Views(*read)[0]->GetParentFrame());

  Ptr<GroupSO> table = document_test::NewGroup(*read, "Table");
  read->AddGroup(table, FALSE, TRUE, 0);
  read->RemoveGroup(table, TRUE, 0);
  const WindowState closed = State(Views(*read)[1]);
  Views(*read)[1]->GetParentFrame()->SendMessage(WM_CLOSE);
  read = Reopen(*read, Save(*read));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(Views(*read).size(), 1u);
  Key(Qt::Key_Z);
  ASSERT_EQ(Views(*read).size(), 2u);
  EXPECT_EQ(State(Views(*read)[1]), closed);
  Key(Qt::Key_Z);
  const XList<Ptr<GroupSO>>& groups = read->GetScene()->GetGroups();
  EXPECT_EQ(groups.GetAt(groups.GetTailPosition())->GetName().str(), "Table");
}

// The window active in the scene comes back active; with another scene's window active at the save,
// the scene's first window does.
TEST_F(SceneWindows, AReopenedSceneActivatesTheWindowItsFileNames) {
  XDocument* doc = &SceneWithTwoWindows();
  main->MDIActivate(Views(*doc)[1]->GetParentFrame());
  doc = Reopen(*doc, Save(*doc));
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(Views(*doc).size(), 2u);
  EXPECT_EQ(main->MDIGetActive(), Views(*doc)[1]->GetParentFrame());
  Key(Qt::Key_N);  // another scene
  ASSERT_NE(&Scene(), doc);
  doc = Reopen(*doc, Save(*doc));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(main->MDIGetActive(), Views(*doc)[0]->GetParentFrame());
}

// Out of sight, a window drops its surfaces at the next update; it makes them again when painted.
TEST_F(SceneWindows, HiddenMinimisedAndCoveredWindowsGiveUpTheirSurfaces) {
  XDocument& doc = SceneWithTwoWindows();
  X3DView* first = Views(doc)[0];
  X3DView* second = Views(doc)[1];
  CFrameWnd* cover = second->GetParentFrame();
  first->GetParentFrame()->MoveWindow(0, 0, 300, 200);
  cover->MoveWindow(310, 0, 300, 200);
  const auto dropsAfter = [&](X3DView* view, const std::function<void()>& change) {
    view->RenderImage(nullptr, TRUE, nullptr, nullptr);
    EXPECT_TRUE(view->image);
    change();
    QApplication::processEvents();
    doc.UpdateAllViews(nullptr);
    return !view->image;
  };
  EXPECT_FALSE(dropsAfter(first, [] {}));
  EXPECT_TRUE(dropsAfter(first, [&] {
    cover->MoveWindow(-10, -10, 400, 300);
    main->MDIActivate(cover);
  }));
  EXPECT_FALSE(dropsAfter(second, [] {}));
  EXPECT_TRUE(dropsAfter(second, [&] { cover->ShowWindow(SW_MINIMIZE); }));
  cover->ShowWindow(SW_RESTORE);
  EXPECT_TRUE(dropsAfter(second, [&] { cover->ShowWindow(SW_HIDE); }));
}

TEST_F(SceneWindows, CloseWindowUndoRedoUndoBringsTheWindowBackAndTheLastCameraWindowClosesTheScene) {
  XDocument& doc = SceneWithTwoWindows();
  const auto closed = State(Views(doc)[1]);
  main->MDIActivate(Views(doc)[1]->GetParentFrame());
  Key(Qt::Key_F4);  // the desktop's close key for the active window
  ASSERT_EQ(Views(doc).size(), 1u);
  main->MDIActivate(Views(doc)[0]->GetParentFrame());  // the user clicks the window that is left
  for (int key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z}) {
    Key(key);
    ASSERT_EQ(Views(doc).size(), key == Qt::Key_Z ? 2u : 1u);
  }
  EXPECT_EQ(State(Views(doc)[1]), closed);
  EXPECT_EQ(Caption(Views(doc)[1]), "Camera 2   200%");
  // The zoom recorded before the close reaches the window made again.
  Key(Qt::Key_Z);
  EXPECT_EQ(Views(doc)[1]->GetZoomNumerator().cy, 1);
  // Closing the last free Camera window closes the scene.
  Views(doc)[1]->settings.windowKind = 1;
  doc.SetModifiedFlag(FALSE);
  Views(doc)[0]->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_EQ(OpenFrames(), 0);
}

TEST_F(SceneWindows, AWindowsPartThatCannotBeShownFailsTheOpenAndLeavesNoWindow) {
  Key(Qt::Key_N);
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  std::ifstream in(path, std::ios::binary);
  const Bytes good{std::istreambuf_iterator<char>(in), {}};
  // The one window: its count and template index, then the frame's identity.
  const std::size_t count = FindLast(good, {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x80});
  const std::size_t placement = FindLast(good, {0, 0, 0, 0x80, 44, 0, 0, 0}) + 4;
  const std::pair<std::size_t, char> damages[] = {
      {count, 0}, {count + 4, 2}, {count + 4, 0}, {placement, 43}, {good.size() - 1, 0}};
  for (const auto& [at, value] : damages) {
    Bytes bad = good;
    bad[at] = value;
    if (at == good.size() - 1) bad[at - 1] = 0;  // the active window: a null reference
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bad.data(), static_cast<std::streamsize>(bad.size()));
    EXPECT_EQ(app.OpenDocumentFile(path.c_str()), nullptr) << at;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app.CountOpenScenes(), 0);
    EXPECT_EQ(OpenFrames(), 0);
  }
}

// A window larger than any screen (one byte of its placement) opens cut to the screen's size and
// paints.
TEST_F(SceneWindows, AStoredWindowLargerThanTheScreenOpensCutToTheScreensSize) {
  Key(Qt::Key_N);
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  Bytes bytes = FileBytes(path);
  // The normal rectangle's right and bottom, after the placement's length, flags, show state and
  // two points, and its left and top.
  const std::size_t placement = FindLast(bytes, {0, 0, 0, 0x80, 44, 0, 0, 0}) + 4;
  bytes[placement + 36 + 2] = 0x40;
  bytes[placement + 40 + 2] = 0x30;
  WriteBytes(path, bytes);
  auto* read = static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
  ASSERT_NE(read, nullptr);
  X3DView& view = *Views(*read).at(0);
  RECT frame;
  view.GetParentFrame()->GetWindowRect(&frame);
  EXPECT_EQ(frame.right - frame.left, display->screenSize.cx);
  EXPECT_EQ(frame.bottom - frame.top, display->screenSize.cy);
  view.GetWidget()->repaint();
  ASSERT_TRUE(view.image);
  EXPECT_LE(views_test::SurfaceSize(view.image).cx, display->screenSize.cx + 2 * X3DView::kBand);
}

// The first object's record made a bare visual: the class named VisualSO, and the schema words of
// its handle, scene object and visual that kind's.
Bytes WithABareVisual(Bytes bytes) {
  const std::size_t name = FindLast(bytes, {6, 0, 'M', 'e', 's', 'h', 'S', 'O'});
  const std::size_t file = name + 8 + 4 + 2 + 4;  // the handle's schema and reference, the object's schema
  const std::size_t visual = file + 1 + static_cast<BYTE>(bytes[file]);
  for (std::size_t schema : {name + 8, file - 4, visual + 1 + static_cast<BYTE>(bytes[visual])}) {
    EXPECT_EQ(bytes.at(schema), 2) << schema;
    bytes[schema] = 0;
  }
  const char bare[] = "\x08\x00VisualSO";
  bytes.erase(bytes.begin() + static_cast<long>(name), bytes.begin() + static_cast<long>(name + 8));
  bytes.insert(bytes.begin() + static_cast<long>(name), bare, bare + 10);
  return bytes;
}

// What no window or object can take, in a file opened with File/Open: the open fails with its
// message and the open scene stays alone. Undo, painting or Edit Object would reach a fatal check
// or an overflow.
TEST_F(SceneWindows, AFileHoldingWhatNoWindowOrObjectCanTakeFailsToOpen) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  camera.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);
  camera.ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
  MeshSO& cube = dynamic_cast<MeshSO&>(*Scene().GetSelected(0)->GetFirstVisual());
  const Bytes good = FileBytes(Save(Scene()));
  const std::string damaged = folder / "damaged.tvr";
  // The zoom record ends before its flag and text number; the window's placement follows the
  // scene's windows.
  const std::size_t ratioY = FindLast(good, {1, 0x6F, 1, 0, 0}) - 8;
  const std::size_t normal = FindLast(good, {0, 0, 0, 0x80, 44, 0, 0, 0}) + 4 + 28;
  const auto changed = [&](std::size_t at, std::initializer_list<BYTE> values) {
    Bytes bad = good;
    std::copy(values.begin(), values.end(), bad.begin() + static_cast<long>(at));
    return bad;
  };
  const auto cubeWith = [&](LONG style, LONG brushSize) {
    const LONG keptStyle = std::exchange(cube.style, style), keptBrush = std::exchange(cube.brushSize, brushSize);
    EXPECT_TRUE(Scene().OnSaveDocument(damaged.c_str()));
    cube.style = keptStyle;
    cube.brushSize = keptBrush;
    return FileBytes(damaged);
  };
  const std::pair<const char*, Bytes> files[] = {
      {"zoom record scrolled to 1.9e53", changed(ratioY + 7, {0x4B})},
      {"bare visual", WithABareVisual(good)},
      {"style 3", cubeWith(3, 3)},
      {"brush 0", cubeWith(1, 0)},
      {"brush past any diameter", cubeWith(1, 0x40000000)},
      {"left edge at -2147483647", changed(normal, {1, 0, 0, 0x80})},
      {"top edge at -2147483647", changed(normal + 4, {1, 0, 0, 0x80})},
      // Between a quarter and a half of the range, each way.
      {"left edge at 805306368", changed(normal, {0, 0, 0, 0x30})},
      {"top edge at -805306368", changed(normal + 4, {0, 0, 0, 0xD0})},
  };
  ScriptedFileDialogs dialogs;
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    WriteBytes(damaged, bytes);
    boxes.boxes.clear();
    dialogs.Answer({damaged});
    Key(Qt::Key_O);
    std::vector<std::string> texts;
    for (const auto& box : boxes.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, std::vector<std::string>{"Failed to open document.\n\n" + damaged});
    EXPECT_EQ(app.CountOpenScenes(), 1);
    EXPECT_EQ(OpenFrames(), 1);
    if (Scene().GetPathName().str() == damaged) Scene().OnCloseDocument();  // the cases stay apart
  }
}

TEST_F(SceneWindows, ATutorialCutShortInAnObjectFailsToOpenAndLeavesTheOpenSceneAsItWas) {
  Key(Qt::Key_N);
  XDocument& open = Scene();
  const std::vector<BYTE> before = document_test::Snapshot(open);
  std::ifstream in(TAVROLIN_BINARY_DIR "/bin/Tutorial2.tvr", std::ios::binary);
  Bytes bytes{std::istreambuf_iterator<char>(in), {}};
  // The house's record up to its sharing flag: file, name and two schema words.
  const std::string file = "\x14../Objects/House.ulm";
  const std::size_t flag = std::search(bytes.begin(), bytes.end(), file.begin(), file.end()) - bytes.begin() +
                           file.size() + 6 + 8;
  ASSERT_EQ(bytes.at(flag), 1);
  bytes.resize(flag + 1);
  const std::string path = folder / "cut.tvr";
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_EQ(app.OpenDocumentFile(path.c_str()), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(app.CountOpenScenes(), 1);
  EXPECT_EQ(OpenFrames(), 1);
  EXPECT_EQ(document_test::Snapshot(open), before);
}

TEST_F(SceneWindows, ASceneMadeWithTheMouseComesBackFromItsFileAsItWasLeft) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  XDocument& doc = Scene();
  QWidget* window = camera.GetWidget();
  // The 3D Objects list's first object dragged: away from a camera window it is refused, over one taken.
  Objects3DView& objects = *main->GetObjects3DView();
  RECT icon{};
  ASSERT_TRUE(objects.GetListCtrl().GetItemRect(0, &icon, LVIR_ICON));
  QWidget* list = qobject_cast<QListWidget*>(objects.GetWidget())->viewport();
  const QPoint press(icon.left + 5, icon.top + 5);
  QTest::mousePress(list, Qt::LeftButton, {}, press);
  SendMouse(list, QEvent::MouseMove, press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5),
            Qt::LeftButton);
  QCursor::setPos(main->GetWidget()->mapToGlobal(QPoint(5, 5)));
  main->GetStatusBar().OnIdle();
  EXPECT_EQ(ShownCursor(), Globals::GetModeCursor());
  const QPoint over = window->mapToGlobal(window->rect().center());
  QCursor::setPos(over);
  main->GetStatusBar().OnIdle();
  EXPECT_EQ(ShownCursor(), Globals::GetArrowCursor());
  // The list holds the capture: the release goes to its window.
  QTest::mouseRelease(objects.GetWidget(), Qt::LeftButton, {}, objects.GetWidget()->mapFromGlobal(over));
  QApplication::processEvents();
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  Ptr<GroupSO> object = doc.GetSelected(0);
  EXPECT_EQ(document_test::UndoText(doc).rfind("Import ", 0), 0u);
  // Placed on the camera's line of sight.
  const Transform world = object->GetWorldTransform();
  const BoundingBox box = object->GetBox(&world);
  const Vector toCentre = (box.min + box.max) * 0.5 - CameraPosition(camera.settings.transform);
  EXPECT_NEAR(Cross(toCentre, ViewDirection(camera.settings.transform)).Length(), 0.0, 1e-9);
  // The window now answers the status bar: the selected object under the pointer (Rotate Object).
  main->GetStatusBar().OnIdle();
  EXPECT_EQ(main->GetStatusBar().GetPromptId(), 40062u);

  const Transform view = camera.settings.transform;
  const std::vector<BYTE> imported = document_test::Snapshot(doc);
  const QPoint centre = window->rect().center();
  Key(Qt::Key_5);  // Rotate Camera
  SendMouse(window, QEvent::MouseButtonPress, centre, Qt::LeftButton);
  for (const QPoint& to : {centre + QPoint(-25, 20), centre + QPoint(-50, 40)})
    SendMouse(window, QEvent::MouseMove, to, Qt::LeftButton);
  SendMouse(window, QEvent::MouseButtonRelease, centre + QPoint(-50, 40), Qt::NoButton);
  EXPECT_TRUE(camera.settings.transform != view);
  Key(Qt::Key_Z);
  EXPECT_EQ(document_test::Snapshot(doc), imported);
  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), imported);
}

TEST_F(SceneWindows, AnObjectSizedAsFarAsSizeDragsGoReopensFromItsSavedScene) {
  Key(Qt::Key_N);
  Views(Scene()).at(0)->ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
  ASSERT_EQ(Scene().GetSelectedCount(), 1);
  const double imported = AxisScale(Scene().GetSelected(0)->GetTransform(), 0);
  // Drags beside the object size the selection: 40 steps up shrink it by 0.05 each, 40 down
  // enlarge it by more than 3 each.
  for (const int dy : {-2000, 2000}) {
    SCOPED_TRACE(dy);
    Key(Qt::Key_0);  // Size Object
    QWidget* window = Views(Scene()).at(0)->GetWidget();
    QPoint at(5, 5);
    SendMouse(window, QEvent::MouseButtonPress, at, Qt::LeftButton);
    // Across as well as up or down at first: a drag, not a click.
    for (int step = 0; step < 40; ++step)
      SendMouse(window, QEvent::MouseMove, at += QPoint(step == 0 ? 40 : 0, dy), Qt::LeftButton);
    SendMouse(window, QEvent::MouseButtonRelease, at, Qt::NoButton);
    EXPECT_NE(AxisScale(Scene().GetSelected(0)->GetTransform(), 0), imported);
    XDocument* read = Reopen(Scene(), Save(Scene()));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetSelectedCount(), 1);
    const double limit = dy < 0 ? kSmallestAxisScale : kLargestAxisScale;
    for (int axis = 0; axis < 3; ++axis)
      EXPECT_NEAR(AxisScale(read->GetSelected(0)->GetTransform(), axis) / limit, 1.0, 1e-6);
  }
}

TEST_F(SceneWindows, ImportNamesClashesAndRefusesWhatItCannotUse) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  ScriptedFileDialogs dialogs;
  const std::string objects = TAVROLIN_BINARY_DIR "/Objects/";
  const std::string wall = objects + "Brick wall.ulm";
  camera.ImportFile(wall.c_str());
  EXPECT_EQ(std::string(Scene().GetSelected(0)->GetName()), "Brick wall");
  // The textured object shares its look by name: a second one asks, and Yes renames it.
  boxes.Answer({IDYES, IDCANCEL});
  camera.ImportFile(wall.c_str());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(std::string(Scene().GetSelected(0)->GetName()), "Brick wall 0");
  const int groups = Scene().GetScene()->GetGroups().GetCount();
  camera.ImportFile(wall.c_str());  // Cancel
  camera.ImportFile("/nowhere/More Objects.ulm");  // the help topic, without loading anything
  EXPECT_EQ(boxes.boxes.size(), 2u);
  boxes.Answer({IDYES});  // gives up looking for the missing file
  camera.ImportFile((objects + "Missing.ulm").c_str());
  EXPECT_NE(boxes.boxes.back().text.find("damaged"), std::string::npos);
  // Under "All files" an extension of no type is refused by name.
  dialogs.PickFilters({8});
  dialogs.Answer({objects + "chair.X"});
  Key(Qt::Key_I);
  EXPECT_NE(boxes.boxes.back().text.find("chair.X"), std::string::npos);
  EXPECT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups);
}

// Whether each part of the mesh of the group's first object has a texture.
std::vector<bool> TexturedParts(GroupSO* group) {
  const Ptr<VisualSO> visual = group->GetFirstVisual();
  const auto* object = dynamic_cast<MeshSO*>(static_cast<VisualSO*>(visual));
  std::vector<bool> textured;
  for (unsigned part = 0; object && part < object->mesh->GetGroupCount(); ++part) {
    IUPtr<IDirect3DRMTexture> texture;
    EXPECT_EQ(object->mesh->GetGroupTexture(static_cast<D3DRMGROUPINDEX>(part), &texture), D3DRM_OK);
    textured.push_back(texture != nullptr);
  }
  return textured;
}

// A model whose parts use the textures `names`, each as written inside it.
void WriteTexturedModel(const std::string& path, std::initializer_list<const char*> names) {
  std::string materials;
  for (const char* name : names)
    materials += std::string("Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"") + name + "\"; } }\n";
  const int n = static_cast<int>(names.size());
  std::string faces, uses;
  for (int i = 0; i < n; ++i) {
    faces += "3;0,1,2;" + std::string(i + 1 < n ? "," : ";");
    uses += std::to_string(i) + (i + 1 < n ? "," : ";");
  }
  std::ofstream(path) << "xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; " << n << "; " << faces
                      << "\nMeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; }\nMeshMaterialList { " << n << "; " << n << "; "
                      << uses << ";\n" << materials << "} }\n";
}

// The texts of the boxes shown, each cut to its first line.
std::vector<std::string> FirstLines(const ScriptedMessageBoxes& boxes) {
  std::vector<std::string> lines;
  for (const auto& box : boxes.boxes) lines.push_back(box.text.substr(0, box.text.find('\n')));
  return lines;
}

const std::string kAreYouSure = "Are you sure you want to cancel the current operation?";
const std::string kCancelled = "The current operation was cancelled because the following file was not found.";
const std::string kLibjpeg = "Independent JPEG Group's software error:";
const std::string kDamaged = "The following file is either:";

// The last dialog was the search for `texture` in the folder, and the user, who gave it up, has
// been told that the file is not found.
void ExpectSearchGivenUp(const ScriptedFileDialogs& dialogs, const ScriptedMessageBoxes& boxes,
                         const TemporaryFolder& folder, const std::string& texture) {
  ASSERT_FALSE(dialogs.requests.empty());
  EXPECT_EQ(dialogs.requests.back().title, "Where is the file " + texture + "?");
  EXPECT_EQ(dialogs.requests.back().initialFolder, folder.Path());
  EXPECT_EQ(FirstLines(boxes), (std::vector<std::string>{kAreYouSure, kCancelled, "Texture file not found."}));
  EXPECT_NE(boxes.boxes.back().text.find("\n\n" + (folder / texture) + "\n\n"), std::string::npos);
}

// A bad texture is told about by libjpeg's message, the damaged-file one where libjpeg only
// warned, and once by the texture's own, however many parts use it; a Windows path is looked for
// beside the model. The search for a missing one that the user gives up lands the import without it.
TEST_F(SceneWindows, ImportTellsOnceAboutEachBadTextureAndLandsWithoutOneWhoseSearchWasGivenUp) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  std::ifstream photo(TAVROLIN_BINARY_DIR "/Objects/Bark.jpg", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(photo), {}};
  std::ofstream(folder / "cut.jpg", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(folder / "text.jpg") << "neither a bitmap nor a JPEG picture";
  const std::string model = folder / "model.x";
  WriteTexturedModel(model, {"C:\\\\Art\\\\cut.jpg", "text.jpg", "text.jpg"});
  const int groups = Scene().GetScene()->GetGroups().GetCount();
  dialogs.Answer({model});
  Key(Qt::Key_I);
  const std::string notLoaded = "Texture file not loaded.";
  EXPECT_EQ(FirstLines(boxes), (std::vector<std::string>{kLibjpeg, kDamaged, notLoaded, kLibjpeg, notLoaded}));
  ASSERT_EQ(boxes.boxes.size(), 5u);
  EXPECT_NE(boxes.boxes[0].text.find("Premature end of JPEG file"), std::string::npos);
  EXPECT_NE(boxes.boxes[2].text.find(folder / "cut.jpg"), std::string::npos);
  EXPECT_NE(boxes.boxes[3].text.find("Not a JPEG file"), std::string::npos);
  EXPECT_NE(boxes.boxes[4].text.find(folder / "text.jpg"), std::string::npos);
  EXPECT_EQ(dialogs.requests.size(), 1u) << "only the import's own dialog";
  EXPECT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 1);

  boxes.boxes.clear();
  std::ofstream(folder / "bark.jpg", std::ios::binary) << bytes;
  WriteTexturedModel(model, {"C:\\\\Art\\\\gone.jpg", "bark.jpg"});
  dialogs.Answer({model});  // and no answer where gone.jpg is
  boxes.Answer({IDYES});    // give up the search
  Key(Qt::Key_I);
  EXPECT_EQ(dialogs.requests.size(), 3u);
  ExpectSearchGivenUp(dialogs, boxes, folder, "gone.jpg");
  ASSERT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 2);
  EXPECT_EQ(TexturedParts(Scene().GetSelected(0)), (std::vector<bool>{false, true}));
}

// A texture that is there but cannot be opened for reading, a folder of that name or a link that
// leads back to itself, is told about by the texture's own message alone: no reader tries it.
TEST_F(SceneWindows, ImportTellsOnlyThatATextureThatCannotBeOpenedIsNotLoaded) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  std::filesystem::create_directory(folder / "folder.jpg");
  std::filesystem::create_symlink("loop.jpg", folder / "loop.jpg");
  const std::string model = folder / "model.x";
  WriteTexturedModel(model, {"folder.jpg", "C:\\\\Art\\\\loop.jpg"});
  const int groups = Scene().GetScene()->GetGroups().GetCount();
  dialogs.Answer({model});
  Key(Qt::Key_I);
  const std::string notLoaded = "Texture file not loaded.";
  ASSERT_EQ(FirstLines(boxes), (std::vector<std::string>{notLoaded, notLoaded}));
  EXPECT_NE(boxes.boxes[0].text.find("\n\n" + (folder / "folder.jpg") + "\n\n"), std::string::npos);
  EXPECT_NE(boxes.boxes[1].text.find("\n\n" + (folder / "loop.jpg") + "\n\n"), std::string::npos);
  EXPECT_EQ(dialogs.requests.size(), 1u) << "only the import's own dialog";
  ASSERT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 1);
  EXPECT_EQ(TexturedParts(Scene().GetSelected(0)), std::vector<bool>{false}) << "one untextured part";
}

// A scene whose object lost its texture file opens once the user gives up looking for the file,
// with the object in it, untextured.
TEST_F(SceneWindows, ASceneWhoseTextureFileWentAwayOpensWithTheObjectUntextured) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  std::filesystem::copy_file(TAVROLIN_BINARY_DIR "/Objects/Bark.jpg", folder / "bark.jpg");
  const std::string model = folder / "model.x";
  WriteTexturedModel(model, {"bark.jpg"});
  dialogs.Answer({model});
  Key(Qt::Key_I);
  ASSERT_TRUE(boxes.boxes.empty());
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  ASSERT_EQ(app.CountOpenScenes(), 0);

  std::filesystem::remove(folder / "bark.jpg");
  dialogs.Answer({path});  // the scene; then no answer where bark.jpg is
  boxes.Answer({IDYES});   // give up the search
  Key(Qt::Key_O);
  EXPECT_EQ(dialogs.requests.size(), 3u);
  ExpectSearchGivenUp(dialogs, boxes, folder, "bark.jpg");
  ASSERT_EQ(app.CountOpenScenes(), 1);
  EXPECT_EQ(OpenFrames(), 1);
  const XList<Ptr<GroupSO>>& groups = Scene().GetScene()->GetGroups();
  std::vector<std::vector<bool>> parts;
  for (POSITION pos = groups.GetHeadPosition(); pos;) parts.push_back(TexturedParts(groups.GetNext(pos)));
  EXPECT_EQ(std::count(parts.begin(), parts.end(), std::vector<bool>{false}), 1) << "the object, untextured";
}

// A 3D Studio model names its texture through the converter: a missing one is asked for, told
// about once the user gives up, and the model lands without it.
TEST_F(SceneWindows, AThreeDsModelWhoseTextureIsMissingAsksForItAndLandsWithoutIt) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  const std::string model = folder / "Cube.3ds";
  ASSERT_TRUE(WriteThreeDs(model, {{{{0, 0, 0}, {100, 0, 0}, {100, 50, 0}, {0, 50, 0}}, {1, 0, 0}, {0, 0, 0}, "Cube.jpg"}}));
  const int groups = Scene().GetScene()->GetGroups().GetCount();
  dialogs.Answer({model});  // and no answer where Cube.jpg is
  boxes.Answer({IDYES});    // give up the search
  Key(Qt::Key_I);
  EXPECT_EQ(dialogs.requests.size(), 2u);
  ExpectSearchGivenUp(dialogs, boxes, folder, "Cube.jpg");
  ASSERT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 1);
  EXPECT_EQ(TexturedParts(Scene().GetSelected(0)), std::vector<bool>{false});
}

TEST_F(SceneWindows, BothTutorialScenesOpenRenderAndUndoThroughTheirHistories) {
  for (const char* name : {"Tutorial1.tvr", "Tutorial2.tvr"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(TAVROLIN_BINARY_DIR) + "/bin/" + name;
    auto* doc = static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());  // no object file was missing
    X3DView* view = Views(*doc).at(0);
    EXPECT_GT(DarkPixels(view->RenderBitmapFile(200, 150, false)), 30);

    const EditHistory& history = doc->GetHistory();
    ASSERT_GE(history.GetCount(), 5);
    EXPECT_EQ(history.GetModIndex(), history.GetCount() - 1);
    for (int i = 0; i < history.GetCount(); ++i) EXPECT_GT(history.GetRecord(i)->GetComment().GetLength(), 30);
    const std::vector<BYTE> edited = document_test::Snapshot(*doc);
    while (history.CanUndo()) ASSERT_TRUE(doc->Undo(TRUE));
    EXPECT_EQ(DarkPixels(view->RenderBitmapFile(200, 150, false)), 0);  // every object undone
    while (history.CanRedo()) ASSERT_TRUE(doc->Redo(TRUE));
    EXPECT_EQ(document_test::Snapshot(*doc), edited);
    doc->OnCloseDocument();
  }
}

TEST_F(SceneWindows, TheFrontTopAndLeftViewsOfAReopenedSceneShowWhatTheyShowedBeforeTheSave) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  for (const char* name : {"Cube", "Car", "Dog", "Snowman", "Tree"})
    camera.ImportFile((std::string(TAVROLIN_BINARY_DIR "/Objects/") + name + ".ulm").c_str());
  // Some moved aside and raised.
  const XList<Ptr<GroupSO>>& groups = Scene().GetScene()->GetGroups();
  double offset = -3.0;
  for (POSITION pos = groups.GetHeadPosition(); pos; offset += 1.5) {
    GroupSO& group = *groups.GetNext(pos);
    Transform moved = group.GetTransform();
    moved.t[0] += offset;
    moved.t[1] += offset > 0 ? 2.0 : 0.0;
    group.SetTransform(moved);
  }
  Scene().OnSceneExtentChanged(TRUE);
  Key(Qt::Key_R);
  const std::vector<std::vector<BYTE>> before = FixedWindowPictures(Scene());
  ASSERT_EQ(before.size(), 3u);
  for (const std::vector<BYTE>& picture : before) EXPECT_GT(DarkPixels(picture), 20);
  Key(Qt::Key_R);  // closed again before the save
  XDocument* read = Reopen(Scene(), Save(Scene()));
  ASSERT_NE(read, nullptr);
  Key(Qt::Key_R);
  EXPECT_TRUE(FixedWindowPictures(*read) == before);
}

}  // namespace
