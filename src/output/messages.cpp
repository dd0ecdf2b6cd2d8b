#include "output/messages.h"

#include <cerrno>

namespace fondara::output {
namespace {

struct Cause {
  int error_number;
  const char* text;
};

constexpr Cause kCauses[] = {
    {ENOENT, "la cartella non esiste"},
    {ENOTDIR, "una parte del percorso non è una cartella"},
    {EACCES, "permesso negato"},
    {EPERM, "permesso negato"},
    {EISDIR, "è una cartella"},
    {ENOSPC, "spazio esaurito"},
    {EDQUOT, "quota disco superata"},
    {EROFS, "il disco è in sola lettura"},
    {ENAMETOOLONG, "il nome è troppo lungo"},
    {ELOOP, "troppi collegamenti simbolici"},
    {EIO, "errore di lettura o scrittura del dispositivo"},
    {ENXIO, "nessun programma legge la FIFO, o il dispositivo non esiste"},
    {EPIPE, "il programma che leggeva ha chiuso la pipe"},
    {EFBIG, "il file è troppo grande"},
    {ETXTBSY, "il file è in uso"},
    {EBADF, "il flusso non è aperto"},
    {ENOMEM, "memoria insufficiente"},
};

}  // namespace

std::string cause_text(int error_number, Access access) {
  if (error_number == ENOENT && access == Access::read) return "il file non esiste";
  for (const Cause& cause : kCauses)
    if (cause.error_number == error_number) return cause.text;
  return "errore di sistema " + std::to_string(error_number);
}

}  // namespace fondara::output
