// The scene tests' fixture: an application with its retained-mode object, a test document, and a
// check that every retained-mode object is gone when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "TestDocument.h"
#include "TestVisual.h"
#include "shell/XApp.h"

// Counts the requests to rebuild every view.
class TestApp : public XApp {
 public:
  void RegenerateAllViews() override { ++regenerations; }
  int regenerations = 0;
};

// The elements of a frame's array of children, visuals or lights; the array is released.
template <class Element>
std::vector<Element*> ElementsOf(IDirect3DRMArray<Element>* array) {
  std::vector<Element*> elements;
  for (DWORD i = 0; i < array->GetSize(); ++i) {
    Element* element = nullptr;
    EXPECT_EQ(array->GetElement(i, &element), D3DRM_OK);
    elements.push_back(element);
    element->Release();
  }
  array->Release();
  return elements;
}

// The first element of a scene object's list of groups, visuals or lights.
template <class T>
T* First(const XList<Ptr<T>>& list) {
  return list.GetAt(list.GetHeadPosition());
}

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
