// Test support: what every test program sets up before its tests run.
#pragma once

// Qt runs without a screen, and HOME, the XDG folders and TMPDIR point into a fresh temporary
// folder (removed at exit), so no test reads or changes the user's own settings or leaves files.
// Each test starts as the first one does, whatever the tests before it changed: after every test
// the current folder is put back, the preference store is a fresh one in memory again, and the
// home folder is emptied.
void PrepareTestEnvironment();
