#include "platform/framework/DropFiles.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/framework/WndEvents.h"

struct HDROP__ {
  std::vector<std::string> paths;
  POINT point;
};

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size) {
  if (!drop) return 0;
  if (index == 0xFFFFFFFFu) return static_cast<UINT>(drop->paths.size());
  if (index >= drop->paths.size()) return 0;
  const std::string& path = drop->paths[index];
  if (buffer && size > 0) {
    const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<UINT>(path.size());
}

BOOL DragQueryPoint(HDROP drop, LPPOINT point) {
  if (!drop) return FALSE;
  *point = drop->point;
  return TRUE;
}

void DragFinish(HDROP) {}

bool WndEventBridge::Drop(QEvent* event) {
  if (event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (!enter->mimeData()->hasUrls()) return false;
    enter->acceptProposedAction();
    return true;
  }
  auto* drop = static_cast<QDropEvent*>(event);
  HDROP__ files;
  for (const QUrl& url : drop->mimeData()->urls())
    if (url.isLocalFile()) files.paths.push_back(url.toLocalFile().toStdString());
  const QPoint at = drop->position().toPoint();
  files.point = {at.x(), at.y()};
  if (files.paths.empty()) return false;
  drop->acceptProposedAction();
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(&files), 0);
  return true;
}
