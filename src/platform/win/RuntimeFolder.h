// The user's runtime folder (XDG_RUNTIME_DIR), which a login session provides. A program started
// outside one (a bare X server, a container) makes the folder a GUI toolkit falls back to itself,
// so that the toolkit has nothing to warn about.
#pragma once

// Sets XDG_RUNTIME_DIR, when it is not set, to $TMPDIR (or /tmp)/runtime-<uid>, made private to
// the user. A folder there that is not the user's own and private is left alone, and so is the
// variable. Returns whether XDG_RUNTIME_DIR is set afterwards.
bool EnsureRuntimeFolder();
