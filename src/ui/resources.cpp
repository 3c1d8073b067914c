#include "ui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitVorbelResources() { Q_INIT_RESOURCE(vorbel); }

namespace vorbel::ui {

void InitResources() {
  static const bool done = (InitVorbelResources(), true);
  (void)done;
}

}  // namespace vorbel::ui
