#include "shell/XApp.h"

// No document template is registered yet, so no scene has a view to rebuild.
void XApp::RegenerateAllViews() {}
