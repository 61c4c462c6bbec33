#include "cli/record_use.h"

#include "platform/text.h"
#include "record/record_path.h"

namespace velmora::cli {

namespace {

// A file of thousands of foreign lines says which to look at first.
constexpr std::size_t foreign_lines_listed = 10;

std::filesystem::path pathOf(const RecordUse& use)
{
    return use.file.empty() ? record::DefaultRecordPath() : use.file;
}

void tellForeignLines(const record::RecordFile& file, const record::SentRecord& sent, const Streams& streams)
{
    const std::vector<std::size_t>& lines = sent.foreignLines();
    if (lines.empty())
        return;
    std::string which;
    for (std::size_t i = 0; i < std::min(lines.size(), foreign_lines_listed); ++i)
        which += (i == 0 ? "" : ", ") + text::GermanCount(lines[i]);
    if (lines.size() > foreign_lines_listed)
        which += ", …";
    streams.tell("Protokoll " + file.path().string() + ": " + (lines.size() == 1 ? "Zeile " : "Zeilen ") + which
                 + (lines.size() == 1 ? " ist" : " sind") + " keine Zeile von velmora-import und "
                 + (lines.size() == 1 ? "bleibt" : "bleiben") + " unbeachtet.\n");
}

OpenedRecord opened(record::RecordFile file, const Streams& streams)
{
    record::SentRecord sent = record::SentRecord::Read(file.content());
    tellForeignLines(file, sent, streams);
    return {std::move(file), std::move(sent), {}};
}

// A sender notes "unterwegs" just before it runs the booking's script, so the
// record's last line names the booking it is sending now.
std::optional<record::RecordEvent> lastLineUnterwegs(std::string_view content)
{
    if (content.empty() || content.back() != '\n')
        return std::nullopt;
    content.remove_suffix(1);
    const std::size_t start = content.rfind('\n');
    std::optional<record::RecordEvent> last = record::ParseRecordLine(content.substr(start == std::string_view::npos ? 0 : start + 1));
    if (!last || last->state != record::SentState::unterwegs)
        return std::nullopt;
    return last;
}

void tellSendGoingOn(const record::RecordFile& file, const Streams& streams)
{
    streams.tell("Ein anderes velmora-import sendet gerade mit dem Protokoll " + file.path().string()
                 + "; die Vorschau zeigt den Stand von eben.\n");
}

}  // namespace

OpenedRecord HoldRecord(const RecordUse& use, const Streams& streams)
{
    if (!use.used)
        return {};
    return opened(record::RecordFile::ForWriting(pathOf(use)), streams);
}

OpenedRecord LookAtRecord(const RecordUse& use, const Streams& streams)
{
    if (!use.used)
        return {};
    OpenedRecord record = opened(record::RecordFile::ForLooking(pathOf(use)), streams);
    if (record.file && record.file->heldBySender()) {
        tellSendGoingOn(*record.file, streams);
        record.being_sent = lastLineUnterwegs(record.file->content());
    }
    return record;
}

}  // namespace velmora::cli
