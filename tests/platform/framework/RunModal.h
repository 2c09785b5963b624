// Test support: runs a modal dialog while a scripted user acts on it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Calls `doModal` (which runs a modal loop) and returns its result; `user` acts on the modal
// window once it is up and active, and must end the dialog.
inline int RunModal(const std::function<int()>& doModal, const std::function<void(QDialog*)>& user) {
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    user(window);
  });
  return doModal();
}
