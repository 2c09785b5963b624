#include "resources/ProgramResources.h"

void RegisterProgramResources() {
  RegisterStringResources(kStringResources, kStringResourceCount);
  RegisterCursorResources(kCursorResources, kCursorResourceCount);
  RegisterDialogTemplates(kDialogTemplates, kDialogTemplateCount);
  RegisterMainMenuResources();
  RegisterToolbarResources();
  RegisterBitmapResources();
  RegisterIconResources();
}
