// Every calculation kind, in the order of the program's list of kinds (src/CMakeLists.txt,
// FONDARA_KINDS), from which the build writes kinds.cpp: fondara-calc and the data files
// find a kind by its name here.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/kind.h"

namespace fondara {

std::span<const Kind* const> kinds();

// The kind called `name` ("coesivi"), or null.
const Kind* find_kind(std::string_view name);

// The kinds' names as alternatives: "coesivi, sciolti o verifica".
std::string kind_names();

}  // namespace fondara
