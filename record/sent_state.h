#pragma once
// What became of a booking, as the record notes it line by line.
#include <string_view>

namespace velmora::record {

enum class SentState {
    unterwegs,       // written before the booking script starts
    gesendet,        // the script succeeded
    fehlgeschlagen,  // the script failed: nothing arrived
    vergessen,       // the user released the booking (--vergessen)
};

// The last event of a key: its state, and its time as the record writes it.
struct LastEvent {
    SentState state;
    std::string_view time;  // in the record's text
};

}  // namespace velmora::record
