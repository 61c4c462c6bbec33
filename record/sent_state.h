#pragma once
// What became of a booking, as the record notes it line by line.
#include <string_view>

namespace velmora::record {

enum class SentState {
    unterwegs,  // written before the booking script starts
    gesendet,   // the script ended with status 0
    // Written by earlier versions for any script that did not end with status
    // 0, also one that may have booked: read as unclear.
    fehlgeschlagen,
    vergessen,         // the user released the booking (--vergessen)
    unklar,            // the script started and did not end with status 0: it may have booked
    angekommen,        // the user found the booking in Zandor (--angekommen)
    nicht_angekommen,  // the user did not find it there (--nicht-angekommen)
    nicht_gestartet,   // the script could not be started: nothing can have arrived
};

// The last event of a key: its state, and its time as the record writes it.
struct LastEvent {
    SentState state;
    std::string_view time;  // in the record's text
};

}  // namespace velmora::record
