#pragma once
// The record as a call of velmora-import uses it: held by a sender or a
// release (--vergessen), only read by a preview, left alone with
// --ohne-protokoll. Lines that are not the record's own are named once and
// passed over.
#include <optional>

#include "cli/command_line.h"
#include "cli/output.h"
#include "record/record_file.h"
#include "record/sent_record.h"

namespace velmora::cli {

struct OpenedRecord {
    std::optional<record::RecordFile> file;  // empty when the record is not used, or not there to look at
    record::SentRecord sent;
    // Looked at while another velmora-import sends: the booking it has
    // "unterwegs" right now, if any. It is being sent, not unclear.
    std::optional<record::RecordEvent> being_sent;
};

// Both throw RecordFileError (RecordBusy when another sender holds it).
OpenedRecord HoldRecord(const RecordUse& use, const Streams& streams);
OpenedRecord LookAtRecord(const RecordUse& use, const Streams& streams);

}  // namespace velmora::cli
