#include "platform/posix_errors.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/files.h"

namespace zq::platform {
namespace {

struct ErrorText {
  int error;
  std::string_view text;
};

constexpr ErrorText POLISH_ERROR_TEXTS[] = {
    {ENOENT, "nie ma takiego pliku ani katalogu"},
    {ENOTDIR, "to nie jest katalog"},
    {EISDIR, "to jest katalog"},
    {EEXIST, "plik już istnieje"},
    {ENOTEMPTY, "katalog nie jest pusty"},
    {EACCES, "brak dostępu"},
    {EPERM, "operacja niedozwolona"},
    {EROFS, "system plików tylko do odczytu"},
    {ENOSPC, "brak miejsca na dysku"},
    {EDQUOT, "przekroczony przydział miejsca na dysku"},
    {EFBIG, "plik jest za duży"},
    {ENAMETOOLONG, "za długa nazwa pliku"},
    {EMFILE, "za dużo otwartych plików"},
    {ENFILE, "za dużo otwartych plików w systemie"},
    {EIO, "błąd wejścia/wyjścia"},
    {ENXIO, "nie ma takiego urządzenia ani adresu"},
    {ENODEV, "nie ma takiego urządzenia"},
    {ENOTTY, "to nie jest terminal"},
    {EBUSY, "urządzenie lub zasób jest zajęty"},
    {ETXTBSY, "plik programu jest w użyciu"},
    {EAGAIN, "zasób chwilowo niedostępny"},
    {ENOMEM, "brak pamięci"},
    {EINVAL, "nieprawidłowy argument"},
    {ELOOP, "za dużo dowiązań symbolicznych"},
    {EXDEV, "dowiązanie między różnymi systemami plików"},
    {ESTALE, "nieaktualny uchwyt pliku sieciowego"},
    {ETIMEDOUT, "przekroczony czas oczekiwania"},
    {ECONNREFUSED, "połączenie odrzucone"},
    {EHOSTUNREACH, "komputer jest nieosiągalny"},
};

}  // namespace

int IoResultOf(int error, IoStep step) {
  switch (error) {
    case ENOENT:
      return IO_FILE_NOT_FOUND;
    case ENOTDIR:
      return IO_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
      return IO_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EAGAIN:
      // A refused byte-range lock answers one of these two.
      return step == IoStep::LOCK ? IO_LOCK_VIOLATION : IO_ACCESS_DENIED;
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
    case EBADF:
    case EEXIST:
    case ENOTEMPTY:
    case EBUSY:
    case EXDEV:
      return IO_ACCESS_DENIED;
    case ENAMETOOLONG:
    case EILSEQ:
    case ELOOP:
      return IO_BAD_NAME;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return IO_WRITE_FAULT;
    default:
      break;
  }
  if (step == IoStep::NAME && error == EINVAL) return IO_BAD_NAME;
  return IoResultOfStep(step);
}

std::string SystemErrorText(int error) {
  for (const ErrorText& known : POLISH_ERROR_TEXTS) {
    if (known.error == error) return std::string(known.text);
  }
  return std::strerror(error);
}

}  // namespace zq::platform
