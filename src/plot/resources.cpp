#include "plot/resources.h"

#include <QtCore/qglobal.h>

static void init_resources_once() {
  static const bool done = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  (void)done;
}

namespace orvinda {

void ensure_resources() { init_resources_once(); }

}  // namespace orvinda
