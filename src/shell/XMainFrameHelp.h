// The main frame as the message boxes and dialogs reach it: its window owns the boxes that have a
// help topic, its status bar shows their prompts, and their Help button opens the topic.
#pragma once

// Installs the lookups; each answers nothing while no main frame exists.
void InstallMainFrameServices();
// Takes them away again when the application ends.
void RemoveMainFrameServices();
