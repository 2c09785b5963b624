// The scene tests' fixture: an application, a test document, and no retained-mode object left after.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "TestDocument.h"
#include "platform/framework/ArchiveBackends.h"
#include "TestVisual.h"
#include "shell/XApp.h"

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

template <class T>
T* First(const XList<Ptr<T>>& list) {
  return list.GetAt(list.GetHeadPosition());
}

// Stores `object` as a scene file does, `document` mapped first unless told not to.
template <class T>
Bytes StoreScene(const Ptr<T>& object, XDocument* document, bool mapDocument = true) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = document;
    if (mapDocument) ar.MapObject(document);
    ar << object;
  });
}

// Reads an object as a scene file does into `reading`, `mapped` (else `reading`) mapped first.
template <class T>
void ReadScene(CArchive& ar, Ptr<T>& read, XDocument* reading, XDocument* mapped = nullptr) {
  ar.m_pDocument = reading;
  ar.MapObject(mapped ? mapped : reading);
  ar >> read;
}

// The object `bytes` hold, read into `reading`, else into a document of its own.
template <class T>
Ptr<T> LoadScene(const Bytes& bytes, XDocument* reading = nullptr) {
  TestDocument own;
  Ptr<T> read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { ReadScene(ar, read, reading ? reading : &own); });
  return read;
}

int LiveRetainedModeObjects(IDirect3DRM* rm);

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TestApp app;
  std::optional<TestDocument> doc;
};
