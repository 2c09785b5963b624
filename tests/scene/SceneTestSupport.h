// The scene tests' fixture: an application with its retained-mode object, a test document, and a
// check that every retained-mode object is gone when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "TestDocument.h"
#include "TestVisual.h"
#include "shell/XApp.h"

// Counts the requests to rebuild every view.
class TestApp : public XApp {
 public:
  void RegenerateAllViews() override { ++regenerations; }
  int regenerations = 0;
};

// The retained-mode objects alive now.
int LiveRetainedModeObjects(IDirect3DRM* rm);

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // The document, then every retained-mode object, must be gone.
  void TearDown() override;

  TestApp app;
  std::optional<TestDocument> doc;
};
