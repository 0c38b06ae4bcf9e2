#include "desktop/elevated_paste_target.h"

namespace qv {

PasteRoute ElevatedPasteTarget::Route(std::optional<IntegrityLevel> target,
                                      std::optional<IntegrityLevel> own) {
  if (!target || !own || *target <= *own) return PasteRoute::Inject;
  if (told_) return PasteRoute::Leave;
  told_ = true;
  return PasteRoute::TellAndLeave;
}

}  // namespace qv
