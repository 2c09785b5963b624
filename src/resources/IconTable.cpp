// The program's icon, drawn by make_images: the main frame's, which every other window shows too.
#include "platform/framework/Resources.h"
#include "resources/ProgramResources.h"

extern const char* const kIcon12[];

namespace {

const IconResource kMainFrameIcon{12, kIcon12};

}  // namespace

void RegisterIconResources() { AddIconResource(&kMainFrameIcon); }
