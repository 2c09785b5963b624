#include "platform/framework/RecentFileList.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <cctype>

#include "platform/framework/CmdUI.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageLoop.h"
#include "platform/win/ProfileStore.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

constexpr char kListItemProperty[] = "tavrolinRecentFile";

}  // namespace

CRecentFileList::CRecentFileList(UINT startId, const char* section, UINT size)
    : startId_(startId), section_(section), size_(size) {}

void CRecentFileList::Add(const char* path) {
  if (!path || !*path || size_ == 0) return;
  const std::string entry = path;
  std::erase_if(paths_, [&](const std::string& p) { return SamePath(p, entry); });
  paths_.insert(paths_.begin(), entry);
  if (paths_.size() > size_) paths_.resize(size_);
}

void CRecentFileList::Remove(int index) {
  if (index >= 0 && index < GetCount()) paths_.erase(paths_.begin() + index);
}

void CRecentFileList::ReadList() {
  paths_.clear();
  for (std::size_t i = 0; i < size_; ++i) {
    std::string path = CurrentProfileStore().GetProfileString(section_, KeyOf(i), "");
    if (!path.empty()) paths_.push_back(path);
  }
}

void CRecentFileList::WriteList() const {
  for (std::size_t i = 0; i < size_; ++i)
    CurrentProfileStore().WriteProfileString(section_, KeyOf(i), i < paths_.size() ? paths_[i] : "");
}

void CRecentFileList::UpdateMenu(CCmdUI* ui) const {
  QAction* first = ui->m_pAction;
  if (!first) return;
  auto* menu = qobject_cast<QMenu*>(first->parent());
  // The items of the last update go; the first item stands for entry 1.
  if (menu)
    for (QAction* action : menu->actions())
      if (action->property(kListItemProperty).toBool()) delete action;
  if (paths_.empty()) {
    first->setText(QStringLiteral("Recent File"));
    first->setEnabled(false);
    return;
  }
  auto label = [](std::size_t i, const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromUtf8(name.c_str()));
  };
  first->setText(label(0, paths_[0]));
  first->setEnabled(true);
  if (!menu) return;
  const QList<QAction*> actions = menu->actions();
  const qsizetype at = actions.indexOf(first);
  QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
  for (std::size_t i = 1; i < paths_.size(); ++i) {
    auto* action = new QAction(label(i, paths_[i]), menu);
    action->setProperty(kListItemProperty, true);
    action->setProperty("tavrolinCommand", static_cast<UINT>(startId_ + i));
    const UINT id = startId_ + static_cast<UINT>(i);
    if (auto* frame = dynamic_cast<CFrameWnd*>(ui->m_pOther))
      QObject::connect(action, &QAction::triggered, action, [frame, id] {
        if (!ShowCommandHelpInHelpMode(id)) frame->ExecuteUserCommand(id, 0);
      });
    menu->insertAction(before, action);
  }
}
