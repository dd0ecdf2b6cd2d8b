#include "app/fondara_windows.h"

#include "app/form_principale.h"
#include "app/window_registry.h"
#include "undrained/form_coesivi.h"

namespace fondara::app {

void define_windows(WindowRegistry& registry) {
  registry.define(QStringLiteral("form_principale"), [] { return new form_principale; });
  registry.define(QStringLiteral("form_coesivi"), [] { return new form_coesivi; });
}

}  // namespace fondara::app
