// Test support: what every test program sets up before its tests run.
#pragma once

// Qt runs without a screen, and HOME, the XDG folders and TMPDIR point into a fresh temporary
// folder (removed at exit), so no test reads or changes the user's own settings or leaves files.
void PrepareTestEnvironment();
