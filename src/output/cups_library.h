// libcups, loaded when the first print needs it.
//
// Linked at start, libcups brings some twenty libraries of its own (Kerberos, GnuTLS,
// Avahi and more), whose loading and set-up every start of the program would pay in time
// and memory for a printer that most runs never use. The printer channel reaches the
// functions it calls through this table instead.
#pragma once

#include <cups/cups.h>

namespace fondara::output {

// clang-format off
#define FONDARA_CUPS_FUNCTIONS(X)                                                     \
  X(cupsCancelDestJob) X(cupsCopyDestInfo) X(cupsCreateDestJob) X(cupsDoRequest)      \
  X(cupsEncryption) X(cupsFindDestDefault) X(cupsFinishDestDocument)                  \
  X(cupsFreeDestInfo) X(cupsFreeDests) X(cupsGetDestMediaByName) X(cupsGetNamedDest)  \
  X(cupsGetOption) X(cupsLastError) X(cupsLastErrorString) X(cupsServer)              \
  X(cupsStartDestDocument) X(cupsUser) X(cupsWriteRequestData) X(httpClose)           \
  X(httpConnect2) X(httpGetState) X(httpSetTimeout) X(ippAddInteger) X(ippAddString)  \
  X(ippDelete) X(ippFindAttribute) X(ippGetInteger) X(ippGetString) X(ippNewRequest)  \
  X(ippPort)
// clang-format on

struct CupsLibrary {
#define FONDARA_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
  FONDARA_CUPS_FUNCTIONS(FONDARA_CUPS_MEMBER)
#undef FONDARA_CUPS_MEMBER
};

// The library with every function above, loaded on the first call; null when it is not
// installed or lacks one of them.
const CupsLibrary* cups_library();

}  // namespace fondara::output
