#include "platform/framework/DropFiles.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/framework/Wnd.h"

struct HDROP__ {
  std::vector<std::string> paths;
};

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  return paths;
}

// Accepts drags of local files over the window and hands a drop to it as WM_DROPFILES.
class DropFilesFilter final : public QObject {
 public:
  static constexpr const char* kName = "DropFilesFilter";
  DropFilesFilter(CWnd* wnd, QObject* parent) : QObject(parent), wnd_(wnd) { setObjectName(kName); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (LocalFiles(drag->mimeData()).empty()) return QObject::eventFilter(watched, event);
      drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      auto* handle = new HDROP__{LocalFiles(drop->mimeData())};
      drop->acceptProposedAction();
      wnd_->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  CWnd* wnd_;
};

}  // namespace

void CWnd::DragAcceptFiles(BOOL accept) {
  QWidget* widget = GetWidget();
  if (!widget) return;
  QObject* existing = widget->findChild<QObject*>(DropFilesFilter::kName, Qt::FindDirectChildrenOnly);
  widget->setAcceptDrops(accept);
  if (accept && !existing) widget->installEventFilter(new DropFilesFilter(this, widget));
  if (!accept && existing) delete existing;
}

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size) {
  if (index == 0xFFFFFFFFu) return static_cast<UINT>(drop->paths.size());
  if (index >= drop->paths.size()) return 0;
  const std::string& path = drop->paths[index];
  if (!buffer) return static_cast<UINT>(path.size());
  if (size == 0) return 0;
  const std::size_t length = std::min<std::size_t>(path.size(), size - 1);
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
  return static_cast<UINT>(length);
}

void DragFinish(HDROP drop) { delete drop; }
