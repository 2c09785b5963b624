#include <gtest/gtest.h>

#include "platform/framework/Document.h"
#include "platform/win/MessageBox.h"
#include "shell/XApp.h"
#include "shell/XFileDialog.h"
#include "support/FatalCheck.h"
#include "support/ScriptedFileDialogs.h"

namespace {

// A file-type template: its document string gives the filter name and extension.
struct TypeTemplate : CMultiDocTemplate {
  TypeTemplate(const char* strings) : CMultiDocTemplate(0, nullptr, nullptr, nullptr) { m_strDocStrings = strings; }
};

TEST(XFileDialog, OffersTheTemplatesTypesAndTheDefaultExtensionFollowsThePickedType) {
  TypeTemplate x("\n\n\nDirect3D files (*.x)\n.x\n\n");
  TypeTemplate studio("\n\n\n3D Studio files (*.3ds)\n.3ds\n\n");
  CDocTemplate* types[] = {&x, &studio};
  ScriptedFileDialogs dialogs;
  dialogs.PickFilters({0});
  dialogs.Answer({"/tmp/model.x"});
  XFileDialog dialog(TRUE, types, 2, 1, "Import", "/tmp", nullptr, 0, nullptr);
  EXPECT_EQ(dialog.m_ofn.lpstrDefExt, std::string("3ds"));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  const FileDialogRequest& asked = dialogs.requests.at(0);
  EXPECT_EQ(asked.filters, (std::vector<FileDialogFilter>{{"Direct3D files (*.x)", "*.x"}, {"3D Studio files (*.3ds)", "*.3ds"}}));
  EXPECT_EQ(asked.defaultExtension, "x");  // after switching to the first type
  EXPECT_TRUE(asked.flags & OFN_FILEMUSTEXIST);
  EXPECT_EQ(asked.title, "Import");
  EXPECT_EQ(asked.initialFolder, "/tmp");

  EXPECT_FATAL(XFileDialog(FALSE, types, 2, 2, nullptr, nullptr, nullptr, 0, nullptr), "defDocTypeIndex < numDocTypes", "");
}

}  // namespace
