#include "app/fondara_windows.h"

#include "app/form_principale.h"
#include "app/frmHelpG1.h"
#include "drained/form_sciolti.h"
#include "undrained/form_coesivi.h"
#include "window/window_registry.h"

namespace fondara::app {

void define_windows(gui::WindowRegistry& registry) {
  registry.define(QStringLiteral("form_principale"), [] { return new form_principale; });
  registry.define(QStringLiteral("form_coesivi"), [] { return new form_coesivi; });
  registry.define(QStringLiteral("form_sciolti"), [] { return new form_sciolti; });
  registry.define(QStringLiteral("frmHelpG1"), [] { return new frmHelpG1; });
}

}  // namespace fondara::app
