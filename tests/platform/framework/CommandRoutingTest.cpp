// Commands from menus, accelerators and code: the route from the active view to the application,
// the update handlers that disable, check and rename, and a disabled command's accelerator.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTest>

#include "FrameTestClasses.h"
#include "platform/framework/StatusBar.h"
#include "platform/win/QtTestApplication.h"

namespace {

struct RoutingFixture : ::testing::Test {
  RoutingFixture() {
    RegisterTestResources();
    app.AddDocTemplate(new CMultiDocTemplate(kChildResource, RUNTIME_CLASS(TestDocument), RUNTIME_CLASS(TestChild),
                                             RUNTIME_CLASS(TestView)));
    main = new TestMainFrame;
    EXPECT_TRUE(main->LoadFrame(kMainResource));
    app.m_pMainWnd = main;
    mainHandle = main->m_hWnd;
    main->MoveWindow(0, 0, 640, 480);
    main->ShowWindow(SW_SHOW);
    app.OnFileNew();
    QApplication::processEvents();
    routeLog.clear();
  }
  ~RoutingFixture() override { if (IsWindow(mainHandle)) main->DestroyWindow(); }
  QAction* Item(int popup, UINT id) {
    for (QAction* action : main->GetMenuPopup(popup)->actions())
      if (action->property("tavrolinCommand").toUInt() == id) return action;
    return nullptr;
  }
  // Opens the popup as a user would, so its update handlers run.
  void OpenMenu(int popup) {
    QMenu* menu = main->GetMenuPopup(popup);
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
  }

  QtTestApplication qt;
  TestApp app;
  TestMainFrame* main;
  HWND mainHandle;  // the frame deletes itself with its window
};

TEST_F(RoutingFixture, ACommandReachesTheFirstHandlerFromViewToApplication) {
  const std::pair<UINT, const char*> cases[] = {{kForView, "view"},
                                                {kForDocument, "document"},
                                                {kForChild, "child"},
                                                {kForMainFrame, "main 40103"},
                                                {kForApp, "app"}};
  for (const auto& [id, first] : cases) {
    routeLog.clear();
    main->SendMessage(WM_COMMAND, id);
    ASSERT_EQ(routeLog.size(), 1u) << id;
    EXPECT_EQ(routeLog[0], first);
  }
  // Posted commands arrive once the loop runs.
  routeLog.clear();
  main->PostMessage(WM_COMMAND, kForChild);
  EXPECT_TRUE(routeLog.empty());
  QApplication::processEvents();
  EXPECT_EQ(routeLog, std::vector<std::string>{"child"});
  // A child frame that gets a command itself hands what it does not take to the main frame.
  routeLog.clear();
  main->MDIGetActive()->SendMessage(WM_COMMAND, kForMainFrame);
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40103"});
}

TEST_F(RoutingFixture, UpdateHandlersDisableCheckAndRenameMenuItems) {
  main->guardEnabled = FALSE;
  OpenMenu(1);
  EXPECT_FALSE(Item(1, kGuarded)->isEnabled());
  EXPECT_TRUE(Item(1, kChecked)->isChecked());
  EXPECT_TRUE(Item(1, kRadio)->isChecked());
  ASSERT_NE(Item(1, kRadio)->actionGroup(), nullptr);
  EXPECT_TRUE(Item(1, kRadio)->actionGroup()->isExclusive());  // drawn with a dot
  EXPECT_EQ(Item(1, kRenamed)->text(), "&Renamed");
  // Clicking the renamed item runs its command.
  QMenu* menu = main->GetMenuPopup(1);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(1, kRenamed)).center());
  QApplication::processEvents();
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40203"});
  menu->hide();

  main->guardEnabled = TRUE;
  OpenMenu(1);
  EXPECT_TRUE(Item(1, kGuarded)->isEnabled());
  menu->hide();
}

TEST_F(RoutingFixture, AMenuItemThatClosesTheFrameRunsOnlyOnceTheMenuHasLetGoOfTheClick) {
  OpenMenu(0);
  QMenu* menu = main->GetMenuPopup(0);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(0, ID_APP_EXIT)).center());
  EXPECT_TRUE(IsWindow(mainHandle));  // the menu still runs its own click handling here
  QApplication::processEvents();
  EXPECT_FALSE(IsWindow(mainHandle));
}

TEST_F(RoutingFixture, TheItemUnderTheMouseShowsItsPromptUntilTheMenuCloses) {
  CStatusBar bar;
  const UINT panes[] = {ID_SEPARATOR};
  ASSERT_TRUE(bar.Create(main));
  ASSERT_TRUE(bar.SetIndicators(panes, 1));
  OpenMenu(0);
  QMenu* menu = main->GetMenuPopup(0);
  QTest::mouseMove(menu, menu->actionGeometry(Item(0, ID_FILE_NEW)).center());
  QApplication::processEvents();
  EXPECT_EQ(bar.GetPaneText(0), "Create a new document");
  menu->hide();
  QApplication::processEvents();
  EXPECT_EQ(bar.GetPaneText(0), " Ready");
}

TEST_F(RoutingFixture, AnAcceleratorOfADisabledCommandDoesNothing) {
  QWidget* view = main->GetActiveView()->GetWidget();
  main->guardEnabled = FALSE;
  QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(routeLog.empty());
  // Sent as an accelerator's command, it is refused too.
  main->SendMessage(WM_COMMAND, MAKEWPARAM(kGuarded, 1));
  EXPECT_TRUE(routeLog.empty());

  main->guardEnabled = TRUE;
  // While a menu is open its keys belong to the menu.
  OpenMenu(0);
  QTest::keyClick(main->GetMenuPopup(0), Qt::Key_G, Qt::ControlModifier);
  main->GetMenuPopup(0)->hide();
  EXPECT_TRUE(routeLog.empty());
  QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40200"});
  // Without Ctrl the key is not the accelerator; Ctrl+plus reaches the view.
  routeLog.clear();
  QTest::keyClick(view, Qt::Key_G);
  QTest::keyClick(view, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(routeLog, std::vector<std::string>{"view"});
}

TEST_F(RoutingFixture, ChildrenActivateTileCascadeMaximiseAndAreListed) {
  app.OnFileNew();
  QApplication::processEvents();
  CMDIChildWnd* second = main->MDIGetActive();
  ASSERT_NE(second, nullptr);
  auto* first = dynamic_cast<CMDIChildWnd*>(main->GetMDIClient()->Children().front());
  ASSERT_NE(first, second);
  // The main frame's icon comes from its resource; children without their own show it too.
  ASSERT_FALSE(main->GetWidget()->windowIcon().isNull());
  EXPECT_EQ(second->GetWidget()->windowIcon().cacheKey(), main->GetWidget()->windowIcon().cacheKey());

  routeLog.clear();
  ::SendMessage(main->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->m_hWnd));
  QApplication::processEvents();
  EXPECT_EQ(main->MDIGetActive(), first);
  EXPECT_EQ(routeLog, (std::vector<std::string>{"deactivate", "activate"}));

  // Tiled horizontally the children stack top to bottom over the whole client.
  main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
  CRect a, b, client;
  first->GetWindowRect(&a);
  second->GetWindowRect(&b);
  main->GetMDIClient()->GetClientRect(&client);
  EXPECT_EQ(a.Width(), client.Width());
  EXPECT_EQ(b.Width(), client.Width());
  EXPECT_EQ(a.bottom, b.top);
  EXPECT_EQ(a.Height() + b.Height(), client.Height());

  main->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
  first->GetWindowRect(&a);
  second->GetWindowRect(&b);
  EXPECT_NE(a.TopLeft(), b.TopLeft());

  main->MDIMaximize(second);
  QApplication::processEvents();
  BOOL maximized = FALSE;
  EXPECT_EQ(main->MDIGetActive(&maximized), second);
  EXPECT_TRUE(maximized);
  EXPECT_TRUE(second->IsZoomed());

  // The Window menu lists both children, the active one checked; choosing one activates it.
  OpenMenu(2);
  QMenu* window = main->GetWindowMenuPopup();
  ASSERT_EQ(window, main->GetMenuPopup(2));
  QList<QAction*> listed;
  for (QAction* action : window->actions())
    if (action->text().startsWith('&') && action->text().size() > 1 && action->text()[1].isDigit()) listed.append(action);
  ASSERT_EQ(listed.size(), 2);
  EXPECT_EQ(listed[0]->text(), "&1 Untitled1");
  EXPECT_FALSE(listed[0]->isChecked());
  EXPECT_TRUE(listed[1]->isChecked());
  listed[0]->trigger();
  QApplication::processEvents();
  window->hide();
  EXPECT_EQ(main->MDIGetActive(), first);
}

}  // namespace
