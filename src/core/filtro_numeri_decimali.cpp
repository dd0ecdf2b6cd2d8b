#include "core/filtro_numeri_decimali.h"

namespace fondara {

namespace {
constexpr std::int16_t backspace = 8;
constexpr std::int16_t tab = 9;
constexpr std::int16_t comma = 44;      // ','
constexpr std::int16_t full_stop = 46;  // '.'
}  // namespace

std::int16_t FiltroNumeriDecimali(std::int16_t& KeyAscii) {
  if (KeyAscii == 0) return 0;
  bool accepted = KeyAscii == backspace || KeyAscii == tab;
  if (!accepted && KeyAscii >= '0' && KeyAscii <= '9') accepted = true;
  if (!accepted && KeyAscii == comma) accepted = true;
  if (!accepted && KeyAscii == full_stop) {
    KeyAscii = comma;
    accepted = true;
  }
  return accepted ? KeyAscii : std::int16_t{0};
}

}  // namespace fondara
