#include "views/StatusPrompts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/FatalReport.h"
#include "views/InteractiveModes.h"

namespace {

// A cell lists entries read left to right, separated by ";". "TEST ID" gives ID when the test
// holds; a test alone (K, KT, P, F, B, H) gives its own id; the last entry, an id alone, is taken
// when no test held. Tests: K not a general Camera window; KT the same with scene tracking on;
// P orthographic; F no focus to adjust; B no blurriness to adjust; H sight parallel to the
// ground; O orthographic (no depth to show); R rotation with tracking; none nothing selected;
// cyl the rotate-about cylinder; sel the target is selected.
// Columns: none, one, several, pointing.
constexpr const char* kUpCells[numberInteractiveModes][4] = {
    {"40057", "40184", "40186", "none 40056;40182"},
    {"40057", "40063", "40064", "R 40061;40062"},
    {"40056", "40065", "40060", "none 40056;cyl 40151;40065"},
    {"40057", "40067", "40068", "40066"},
    {"40057", "O 40162;40070", "O 40163;40071", "O 40161;40069"},
    {"K;40072", "K;40072", "K;40072", "K;40072"},
    {"40057", "K;40075", "K;40076", "K;R 40073;40074"},
    {"K;40099", "K;40099", "K;40099", "K;40099"},
    {"KT;40077", "KT;40079", "KT;40080", "KT;40078"},
    {"KT;P;40081", "KT;P;40083", "KT;P;40084", "KT;P;40082"},
    {"40057", "40086", "40087", "40085"},
    {"40057", "H;40089", "H;40090", "H;40088"},
    {"40057", "O 40169;40092", "O 40170;40093", "O 40168;40091"},
    {"40056", "40180", "40060", "none 40056;sel 40059;40094"},
    {"KT;40095", "KT;40095", "KT;40095", "KT;40095"},
    {"KT;P;40096", "KT;P;40096", "KT;P;40096", "KT;P;40096"},
    {"40057", "KT;O 40175;40098", "KT;40060", "KT;O 40174;40097"},
    {"F;40100", "F;40100", "F;40100", "F;40100"},
    {"P;40101", "P;40101", "P;40101", "P;40101"},
    {"B;40102", "B;40102", "B;40102", "B;40102"},
};

constexpr const char* kPressedCells[numberInteractiveModes][4] = {
    {"40104", "40185", "40187", "none 40103;40183"},
    {"40104", "40109", "40110", "R 40107;40108"},
    {"40103", "40111", "40106", "none 40103;cyl 40152;40111"},
    {"40104", "40113", "40114", "40112"},
    {"40104", "O 40165;40116", "O 40166;40117", "O 40164;40115"},
    {"K;40118", "K;40118", "K;40118", "K;40118"},
    {"40104", "K;40121", "K;40122", "K;R 40119;40120"},
    {"K;40145", "K;40145", "K;40145", "K;40145"},
    {"KT;40123", "KT;40125", "KT;40126", "KT;40124"},
    {"KT;P;40127", "KT;P;40129", "KT;P;40130", "KT;P;40128"},
    {"40104", "40132", "40133", "40131"},
    {"40104", "H;40135", "H;40136", "H;40134"},
    {"40104", "O 40172;40138", "O 40173;40139", "O 40171;40137"},
    {"40103", "40181", "40106", "none 40103;sel 40105;40140"},
    {"KT;40141", "KT;40141", "KT;40141", "KT;40141"},
    {"KT;P;40142", "KT;P;40142", "KT;P;40142", "KT;P;40142"},
    {"40104", "KT;O 40177;40144", "KT;40106", "KT;O 40176;40143"},
    {"F;40146", "F;40146", "F;40146", "F;40146"},
    {"P;40147", "P;40147", "P;40147", "P;40147"},
    {"B;40148", "B;40148", "B;40148", "B;40148"},
};

constexpr UINT kRefusals[] = {40054, 40056, 40057, 40059, 40060, 40103, 40104, 40105, 40106, 40149, 40150, 40153,
                              40154, 40155, 40156, 40157, 40158, 40159, 40160, 40167, 40178, 40179, 40180, 40181};

// Modes whose drags run up and down the window; mode 2 runs across it.
constexpr int kVerticalModes[] = {0, 4, 9, 10, 13, 14, 16, 17, 18, 19};

UINT ByState(const PromptInputs& in, UINT up, UINT pressed) { return in.pressed ? pressed : up; }

// The id a test alone names when it holds, or 0.
UINT TestOwnId(std::string_view test, const PromptInputs& in) {
  const bool fixedWindow = !in.cameraKind;
  if (test == "K") return fixedWindow ? ByState(in, 40157, 40158) : 0;
  if (test == "KT") return fixedWindow && in.trackSceneExtents ? ByState(in, 40159, 40160) : 0;
  if (test == "P") return in.orthographic ? ByState(in, 40149, 40150) : 0;
  if (test == "F") {
    if (in.orthographic) return ByState(in, 40149, 40150);
    if (in.autoFocus) return ByState(in, 40153, 40154);
    return in.fStop == 0.0 ? ByState(in, 40178, 40179) : 0;
  }
  if (test == "B") {
    if (in.orthographic) return ByState(in, 40149, 40150);
    return in.autoFocus && in.autoAperture ? ByState(in, 40155, 40156) : 0;
  }
  if (test == "H") return in.sightHorizontal ? 40167 : 0;
  XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
}

bool TestHolds(std::string_view test, const PromptInputs& in) {
  if (test == "O") return in.orthographic;
  if (test == "R") return in.rotateWithTracking && (!in.pressed || in.trackSet);
  if (test == "none") return in.selectedCount == 0;
  if (test == "cyl") return in.pickedIsCylinder;
  if (test == "sel") return in.pickedIsSelected;
  XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
}

UINT ReadCell(std::string_view cell, const PromptInputs& in) {
  for (;;) {
    const size_t end = cell.find(';');
    const std::string_view entry = cell.substr(0, end);
    if (end == std::string_view::npos) return static_cast<UINT>(std::strtoul(entry.data(), nullptr, 10));
    const size_t blank = entry.find(' ');
    if (blank == std::string_view::npos) {
      if (UINT id = TestOwnId(entry, in)) return id;
    } else if (TestHolds(entry.substr(0, blank), in)) {
      return static_cast<UINT>(std::strtoul(entry.data() + blank + 1, nullptr, 10));
    }
    cell.remove_prefix(end + 1);
  }
}

int PressedCursor(const PromptInputs& in) {
  if (in.mode == rotateObjectAboutMode) return in.picked && in.pickedIsCylinder ? 0 : kHorizontalDragCursor;
  const bool vertical = std::find(std::begin(kVerticalModes), std::end(kVerticalModes), in.mode) != std::end(kVerticalModes);
  return vertical ? kVerticalDragCursor : 0;
}

}  // namespace

bool IsRefusalPrompt(UINT id) { return std::find(std::begin(kRefusals), std::end(kRefusals), id) != std::end(kRefusals); }

StatusPrompt ChooseStatusPrompt(const PromptInputs& in) {
  XASSERT_TEXT(in.mode >= 0 && in.mode < numberInteractiveModes, "0", "");
  const bool pointing = in.picked && in.selectedCount < 2;
  UINT id;
  if (!pointing && in.selectedCount == 0 && in.sceneEmpty) {
    id = 40054;
  } else {
    const int column = in.selectedCount >= 2 ? 2 : pointing ? 3 : in.selectedCount;
    id = ReadCell((in.pressed ? kPressedCells : kUpCells)[in.mode][column], in);
  }
  if (IsRefusalPrompt(id)) return {id, kPromptHighlight, kProhibitedCursor};
  return {id, 0, in.pressed ? PressedCursor(in) : 0};
}
