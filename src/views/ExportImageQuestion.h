// The question an export asks before rendering: the pixel size and whether the image is improved
// (rendered at twice the size and averaged). The Export Image dialog answers it; the dialogs lie
// above the camera windows, so the program registers the dialog at start-up.
#pragma once

#include "platform/win/WinTypes.h"

struct ExportImageChoice {
  UINT width = 640;
  UINT height = 480;
  BOOL improve = TRUE;
};

// Fills `choice` and returns true when the user confirms; false when cancelled.
using ExportImageQuestion = bool (*)(ExportImageChoice& choice);

// Installs `question` (nullptr: none, and every export is cancelled) and returns the previous one.
ExportImageQuestion SetExportImageQuestion(ExportImageQuestion question);
bool AskExportImage(ExportImageChoice& choice);
