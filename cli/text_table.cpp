#include "cli/text_table.h"

#include <array>

#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

constexpr std::string_view ellipsis = "…";
constexpr std::string_view no_account = "–";
constexpr std::string_view column_gap = "  ";
constexpr std::string_view unreadable_cell = "unlesbar";

enum class Align { left, right };

struct Column {
    std::string_view title;
    std::size_t width;
    Align align;
};

constexpr std::array<Column, 7> columns{{
    {"Stand", 14, Align::left},
    {"Datum", 10, Align::left},
    {"Betrag", 14, Align::right},
    {"Richtung", 40, Align::left},
    {"Kategorie", 18, Align::left},
    {"Empfänger", 26, Align::left},
    {"Memo", 30, Align::left},
}};

std::string account(std::string_view name)
{
    return std::string(name.empty() ? no_account : name);
}

void appendCell(std::string& out, std::string_view text, const Column& column)
{
    const std::string shown = Shortened(text, column.width);
    const std::string padding(column.width - text::Len(shown), ' ');
    out += column.align == Align::right ? padding + shown : shown + padding;
}

template <class Cells>
void appendLine(std::string& out, const Cells& cells)
{
    const std::size_t line_start = out.size();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += column_gap;
        appendCell(out, cells[i], columns[i]);
    }
    out.resize(line_start + text::RTrim(std::string_view(out).substr(line_start)).size());
    out += '\n';
}

}  // namespace

std::string Shortened(std::string_view text, std::size_t width)
{
    if (text::Len(text) <= width)
        return std::string(text);
    return std::string(text::Left(text, static_cast<long long>(width) - 1)) + std::string(ellipsis);
}

void AppendTableHeader(std::string& out)
{
    std::array<std::string_view, columns.size()> titles;
    std::transform(columns.begin(), columns.end(), titles.begin(), [](const Column& c) { return c.title; });
    appendLine(out, titles);
}

void AppendTableRow(std::string& out, const import::BookingArguments& booking, std::string_view mark,
                    import::Unreadable unreadable)
{
    const std::array<std::string, columns.size()> cells = {
        std::string(mark),
        unreadable.date ? std::string(unreadable_cell) : booking[0],
        unreadable.amount ? std::string(unreadable_cell) : EuroAmount(booking[2]),
        "von " + account(booking[3]) + " an " + account(booking[4]),
        booking[5],
        booking[6],
        booking[7],
    };
    appendLine(out, cells);
}

}  // namespace velmora::cli
