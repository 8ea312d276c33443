#pragma once

#include <QString>

// The system's reason for a failed file operation, in French. The C library's own texts follow
// the process's locale, which is often C (English) even on a French desktop, and depend on the
// libc's translations being installed: the program says the common ones itself.
namespace SystemError {

// The reason for an errno value, a sentence without a final full stop ("Plus de place sur le
// disque"); an uncommon value gives "Erreur système n" with its number, 0 "Cause inconnue".
QString reason(int errorNumber);

} // namespace SystemError
