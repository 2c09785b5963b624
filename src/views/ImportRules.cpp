#include "views/ImportRules.h"

#include "core/FatalReport.h"
#include "platform/win/StringResources.h"
#include "views/CameraDrags.h"
#include "views/DragGeometry.h"

namespace {

constexpr ImportType kImportTypes[kImportTypeCount] = {
    {23, false, false}, {18, false, false}, {21, false, false}, {24, true, false}, {25, false, true},
    {26, true, true},   {27, false, true},  {28, false, true}, {17, false, false}};

// The filter extension: the fifth line of a document string.
std::string FilterExtension(UINT documentString) {
  const char* text = FindStringResource(documentString);
  XASSERT_TEXT(text, "fileTypeTemplates[i]->GetDocString( templateExt, CDocTemplate::filterExt)", "");
  std::string s(text);
  size_t start = 0;
  for (int line = 0; line < 4; ++line) start = s.find('\n', start) + 1;
  return s.substr(start, s.find('\n', start) - start);
}

}  // namespace

const ImportType& GetImportType(int index) { return kImportTypes[index]; }

int ResolveImportType(int chosen, const std::string& extension) {
  if (chosen != kAllFilesType) return chosen;
  for (int i = kImportTypeCount - 1; i >= 0; --i)
    if (FilterExtension(kImportTypes[i].documentString) == "." + extension && i != kAllFilesType) return i;
  return -1;
}

std::string UniqueImportName(const std::string& name, const std::function<bool(const std::string&)>& inUse) {
  for (int n = 0;; ++n) {
    std::string candidate = name + " " + std::to_string(n);
    if (!inUse(candidate)) return candidate;
  }
}

ImportOutcome ImportLoadOutcome(int loadResult) {
  switch (loadResult) {
    case 0:
      return {true, 0};
    case 2:
      return {false, 40053};
    case 4:
      return {false, 0};  // the converter has reported its failure
    default:
      // Unreadable, or gone since it was chosen: nothing is added.
      return {false, 40045};
  }
}

Transform ImportPlacement(const Transform& camera, const BoundingBox& box, double distance) {
  const Vector target = CameraPosition(camera) + ViewDirection(camera) * distance;
  return TranslationBy(target - (box.max + box.min) * 0.5);
}
