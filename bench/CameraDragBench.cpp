// A drag in a camera window: a recorded path of 200 mouse moves replayed through the window's
// mouse messages, for one mode of each family, on a scene of 20 objects of the objects folder in
// a 640x480 window. Each move changes the scene or the camera and puts the new picture on the
// screen before it returns. Reported per move: median_ms, the median wall time, and
// median_cpu_ms, the median time the program's thread spent (what one core costs, whatever else
// the machine runs meanwhile).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cmath>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "platform/win/FolderListing.h"
#include "platform/win/QtTestApplication.h"
#include "views/StandAloneApp.h"
#include "views/X3DView.h"

namespace {

class BenchView : public X3DView {
 public:
  void PostNcDestroy() override {}
};

// The first 20 object files of the objects folder, in four rows of five in front of the camera.
void AddShippedObjects(XDocument& doc) {
  const std::string folder = TAVROLIN_OBJECTS_DIR "/";
  std::vector<std::string> files = ListFiles(folder, ".ulm");
  std::sort(files.begin(), files.end());
  files.resize(std::min<std::size_t>(files.size(), 20));
  for (std::size_t i = 0; i < files.size(); ++i) {
    Ptr<MeshSO> mesh(new MeshSO((folder + files[i]).c_str(), TRUE, nullptr, FALSE, FALSE));
    Ptr<GroupSO> group(new GroupSO);
    group->AddVisual(mesh);
    Transform place;
    const double distance = 4.0 + 2.0 * static_cast<double>(i / 5);
    place.t[0] = (-2.0 + static_cast<double>(i % 5)) * 1.5;
    place.t[1] = 0.0;
    place.t[2] = distance;
    group->SetTransform(place);
    doc.AddGroup(group, FALSE, FALSE, 0);
  }
}

void Send(QWidget* widget, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// The recorded path: a wandering loop around the window's centre, every step a real move.
QPoint PathPoint(int i) {
  return QPoint(330 + static_cast<int>(60 * std::sin(i / 9.0)), 250 + static_cast<int>(40 * std::sin(i / 7.0 + 1)));
}

double ThreadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void CameraWindowDrag(benchmark::State& state) {
  QtTestApplication qt;
  StandAloneApp app(static_cast<int>(state.range(0)));
  InitGlobals();
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.OnNewDocument();
  AddShippedObjects(doc);
  // The object drags move the last object added.
  POSITION last = doc.GetScene()->GetGroups().GetTailPosition();
  doc.SelectOnly(doc.GetScene()->GetGroups().GetPrev(last), FALSE, 0);
  CWnd parent;
  parent.Create("Bench", WS_VISIBLE, {0, 0, 700, 540}, nullptr);
  BenchView view;
  doc.AddView(&view);
  view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, &parent, AFX_IDW_PANE_FIRST);
  view.settings.transform = Transform();
  view.settings.transform.t[1] = 1.0;
  // Focus Camera needs a lens that blurs; the other drags render sharp pictures.
  view.settings.fstop = state.range(0) == 17 ? 2.8 : 0.0;
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  QWidget* widget = view.GetWidget();

  std::vector<double> times, cpuTimes;
  int step = 0;
  Send(widget, QEvent::MouseButtonPress, QPoint(320, 240));
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadMilliseconds();
    Send(widget, QEvent::MouseMove, PathPoint(step++));
    cpuTimes.push_back(ThreadMilliseconds() - cpuStart);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Send(widget, QEvent::MouseButtonRelease, PathPoint(step - 1));
  state.counters["median_ms"] = Median(times);
  state.counters["median_cpu_ms"] = Median(cpuTimes);
  doc.RemoveView(&view);
  view.DestroyWindow();
  parent.DestroyWindow();
}
// One mode of each family: size, rotate objects, move objects, rotate camera, rotate camera
// around, roll, move camera, focus, lens zoom, blurriness.
BENCHMARK(CameraWindowDrag)
    ->ArgName("mode")
    ->DenseRange(0, 1)
    ->Arg(3)
    ->DenseRange(5, 8)
    ->DenseRange(17, 19)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
