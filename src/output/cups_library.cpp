#include "output/cups_library.h"

#include <dlfcn.h>

#include <memory>

namespace fondara::output {
namespace {

std::unique_ptr<CupsLibrary> load() {
  void* handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  auto library = std::make_unique<CupsLibrary>();
  bool complete = true;
#define FONDARA_CUPS_RESOLVE(name)                                             \
  library->name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name)); \
  complete = complete && library->name != nullptr;
  FONDARA_CUPS_FUNCTIONS(FONDARA_CUPS_RESOLVE)
#undef FONDARA_CUPS_RESOLVE
  if (complete) return library;
  ::dlclose(handle);
  return nullptr;
}

}  // namespace

const CupsLibrary* cups_library() {
  // Once per run; the library stays loaded until the program ends.
  static const std::unique_ptr<CupsLibrary> library = load();
  return library.get();
}

}  // namespace fondara::output
