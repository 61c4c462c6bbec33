#pragma once
// The work of velmora-import: previewing or sending the bookings of its files,
// and listing Zandor's accounts.
#include "cli/command_line.h"
#include "cli/output.h"

namespace velmora::cli {

// velmora-import's exit statuses.
enum ExitStatus : int {
    exit_done = 0,
    exit_script_failed = 1,  // a script could not start, or the account script failed; what went out is said
    exit_refused = 2,        // a wrong call, a file that cannot be read, an account Zandor lacks
    exit_zandor_not_ready = 3,
    // A booking is in doubt: its script started and did not end with status 0
    // (it failed or was ended by a signal), or the record knows it so.
    exit_unclear_left = 4,
    exit_record_unwritten = 5,  // a line of the record could not be written (a full disk): the send stopped
    // A signal stopped the send after the running booking: 128 plus its number
    // (130 Ctrl+C, 129 the terminal closed, 131 SIGQUIT, 143 SIGTERM).
    exit_signal_base = 128,
};

// Reads every file first; then prints each booking (--vorschau), notes in the
// record what became of the files' bookings (--vergessen, --angekommen,
// --nicht-angekommen), or checks the account against Zandor's and sends every
// booking the record does not know as sent or in doubt.
int RunImport(const Invocation& invocation, const Streams& streams);

// Zandor's account names, one per line.
int ListAccounts(const Streams& streams);

}  // namespace velmora::cli
