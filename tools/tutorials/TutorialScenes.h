// The two tutorial scenes the first run puts on the recent-file list: short scenes of shipped
// objects whose edit histories, read in the Edit History dialog, walk a new user through the
// program. Each edit is made the way the program makes it, then given its guiding comment.
#pragma once

#include <string>

class XDocument;
class X3DView;

namespace tutorials {

// Builds the scene of tutorial 1 or 2 into `doc`, shown in `view`, from the object files of
// `objects`. False when an object could not be read.
bool BuildTutorial1(XDocument& doc, X3DView& view, const std::string& objects);
bool BuildTutorial2(XDocument& doc, X3DView& view, const std::string& objects);

}  // namespace tutorials
