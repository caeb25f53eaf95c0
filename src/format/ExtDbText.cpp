// Text of the external data tables.
#include "format/ExtDbText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zfmt {

std::string ExtDbKey(const std::string& a, const std::string& b, const std::string& c) { return a + "," + b + "," + c; }

std::string ExtDbTableFile(const std::string& table) { return "data/Config/ExtDB_" + table + ".txt"; }

std::string ExtDbOverrideFile(const std::string& table) { return ExtDbTableFile(table) + ".user.txt"; }

namespace {

// Copies one cell up to the next ',' or the end of the line; returns the
// position after the separator (or the end). Over-long cells are cut.
std::size_t CopyCell(const std::string& line, std::size_t pos, std::string& out) {
    out.clear();
    std::size_t end = line.find(',', pos);
    bool hasSep = end != std::string::npos;
    if (!hasSep) end = line.size();
    if (pos < end) out.assign(line, pos, std::min(end - pos, kExtDbCellLimit));
    return hasSep ? end + 1 : end;
}

void AddRow(std::vector<ExtDbRow>& rows, const std::string& line) {
    std::string cells[5];
    std::size_t pos = 0;
    for (std::string& cell : cells) pos = CopyCell(line, pos, cell);
    ExtDbRow row;
    row.key = ExtDbKey(cells[1], cells[2], cells[3]);
    for (char ch : cells[4])
        if (ch != '\r') row.value.push_back(ch);
    rows.push_back(std::move(row));
}

}  // namespace

std::vector<ExtDbRow> ParseExtDbText(const char* text, std::size_t size) {
    std::vector<ExtDbRow> rows;
    if (size == 0) return rows;
    // A NUL ends the text, as in a C string.
    std::size_t len = 0;
    while (len < size && text[len] != '\0') ++len;
    if (len == 0) return rows;
    // The search for a line feed starts at position 1, so a line feed at 0
    // belongs to the first line; every later line keeps its leading '\n',
    // which only ever lands in the type cell and so changes no key or value.
    std::size_t start = 0;
    std::size_t search = 1;
    while (search <= len) {
        const void* hit = search < len ? std::memchr(text + search, '\n', len - search) : nullptr;
        if (!hit) break;
        std::size_t d = std::size_t(static_cast<const char*>(hit) - text);
        AddRow(rows, std::string(text + start, d - start));
        start = d;
        search = d + 1;
    }
    AddRow(rows, std::string(text + start, len - start));
    return rows;
}

bool ExtDbWriter::CellOk(const std::string& cell) {
    if (cell.size() > kExtDbCellLimit || cell.find_first_of(",\r\n") != std::string::npos) {
        if (m_error.empty()) m_error = "bad table cell: " + cell.substr(0, 40);
        return false;
    }
    return true;
}

void ExtDbWriter::Line(const std::string& type, const std::string& a, const std::string& b, const std::string& c,
                       const std::string& value) {
    if (!CellOk(type) || !CellOk(a) || !CellOk(b) || !CellOk(c) || !CellOk(value)) return;
    m_text += type + "," + a + "," + b + "," + c + "," + value + "\n";
}

void ExtDbWriter::Int(const std::string& a, const std::string& b, const std::string& c, long long v) {
    Line("int", a, b, c, std::to_string(v));
}

void ExtDbWriter::Float(const std::string& a, const std::string& b, const std::string& c, double v) {
    Line("float", a, b, c, ExtDbFloatText(v));
}

void ExtDbWriter::String(const std::string& a, const std::string& b, const std::string& c, const std::string& v) {
    Line("string", a, b, c, v);
}

std::string ExtDbFloatText(double v) {
    // The shortest text that reads back as the same float.
    float f = float(v);
    char buf[64];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, double(f));
        if (std::strtof(buf, nullptr) == f) break;
    }
    return buf;
}

}  // namespace zfmt
