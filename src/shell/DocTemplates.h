// The program's document templates: the scene-file template, which is the one road by which scene
// files are opened, and the views-only templates that make windows for a scene already open.
#pragma once

#include "core/Pointers.h"
#include "platform/framework/DocTemplate.h"

class XMultiDocTemplate : public CMultiDocTemplate {
  DECLARE_DYNAMIC(XMultiDocTemplate)
 public:
  using CMultiDocTemplate::CMultiDocTemplate;
  // Makes the document and reads it, but no window: a scene re-creates its own saved windows.
  // A path that cannot be opened is reported and leaves no document; an existing empty file gives
  // a new scene bearing that path.
  CDocument* OpenDocumentFile(const char* pathName, BOOL makeVisible = TRUE) override;
  // Frames of the program are child frames that apply their stored placement first.
  void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE) override;

 private:
  CDocument* OpenNewDocument(CDocument* document, const char* pathName, BOOL makeVisible);
};

// The camera window's view class, which lives above the shell: the program hands it over at
// start-up, before the templates are made. Without it, camera templates name the framework's view.
void RegisterCameraViewClass(const CRuntimeClass* viewClass);
const CRuntimeClass* CameraViewClass();

class DocTemplateEntry : public RefCount {
 public:
  // Makes the framework template, checks its document strings and hands it to the application,
  // which deletes it at exit.
  DocTemplateEntry(UINT resourceId, const CRuntimeClass* document, const CRuntimeClass* frame,
                   const CRuntimeClass* view, BOOL viewsOnly);

  XMultiDocTemplate* docTemplate;
  const CRuntimeClass* document;
  const CRuntimeClass* frame;
  const CRuntimeClass* view;
  BOOL viewsOnly;
};
