// Which controls of the Artistic page are enabled and shown, from the look, the cartoon lines and
// the part shown.
#include <vector>

#include "dialogs/BrightnessSlider.h"
#include "dialogs/PageEditObjectArtistic.h"

namespace {

struct Rule {
  std::vector<int> ids;
  bool enabled;
  bool shown;
};

const Color kNoHighlight(0.0, 0.0, 0.0, 1.0);

}  // namespace

void PageEditObjectArtistic::UpdateControls() {
  UpdateDataGuarded(TRUE);
  const bool cartoon = m_cartoon != 0;
  const bool lighted = m_lighted != 0;
  const bool painted = m_style == kPainted || m_style == kVeryPainted;
  const bool shiny = m_shininessSlider.GetPos() != m_shininessSlider.GetRangeMin();
  const Rule rules[] = {
      {{32853}, m_hasTextures != 0, true},
      {{32854, 32855}, m_paintedAllowed != 0, true},
      {{1179, 32858, 1180, 32859}, cartoon, cartoon},
      {{32860}, cartoon && m_surfaceWidthSlider.GetPos() != m_surfaceWidthSlider.GetRangeMin(), cartoon},
      {{32861}, cartoon && m_silhouetteWidthSlider.GetPos() != m_silhouetteWidthSlider.GetRangeMin(), cartoon},
      {{1181, 32857, 32864}, painted, painted},
      {{1223, 32883}, m_style == kSolidColor, true},
      {{1207, 32867, 32868}, lighted, true},
      {{1178, 32869, 32870}, lighted && shiny, true},
      {{1194, 1195, 1196, 1197, 32871}, lighted, true},
      {{1206, 32879, 32878, 32875}, !lighted, true},
      {{32876, 32877}, !lighted && m_pattern != kNoPattern, true},
  };
  for (const Rule& rule : rules)
    for (int id : rule.ids) {
      CWnd* control = GetDlgItem(id);
      control->EnableWindow(rule.enabled);
      control->ShowWindow(rule.shown ? SW_SHOW : SW_HIDE);
    }
  for (int mark : {1198, 1199}) GetDlgItem(mark)->ShowWindow(lighted ? SW_SHOW : SW_HIDE);
  if (!shiny) {
    m_highlightColor = kNoHighlight;
    m_highlightButton.SetColor(kNoHighlight);
    m_highlightSlider.SetPos(m_highlightSlider.GetRangeMax());
  }
}
