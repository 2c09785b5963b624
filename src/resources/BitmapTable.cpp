// The program's bitmaps: the About box's picture, drawn by make_images.
#include "platform/framework/Resources.h"
#include "resources/ProgramResources.h"

extern const char* const kBitmap168[];

namespace {

const BitmapResource kBitmaps[] = {{168, kBitmap168}};

}  // namespace

void RegisterBitmapResources() {
  for (const BitmapResource& bitmap : kBitmaps) AddBitmapResource(&bitmap);
}
