// Text of the external data tables: lines of "type,a,b,c,value" cells.
//
// Each line is one row keyed by "a,b,c". Writers and the game's table reader
// share this file so both agree on cells, keys and line splitting.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zfmt {

// Largest cell the reader keeps (bytes, without terminator).
constexpr std::size_t kExtDbCellLimit = 255;

// The key of a row: "a,b,c".
std::string ExtDbKey(const std::string& a, const std::string& b, const std::string& c);

// The name of a table's file and of its user override inside the data-table bank.
std::string ExtDbTableFile(const std::string& table);     // "data/Config/ExtDB_<table>.txt"
std::string ExtDbOverrideFile(const std::string& table);  // table file + ".user.txt"

struct ExtDbRow {
    std::string key;
    std::string value;
};

// Splits table text into rows in file order. Lines are split at '\n' (a
// line feed at the very start stays in the first line, and a text ending in
// '\n' gives a last empty row); each line's first five ','-separated cells
// are copied (an over-long cell is cut to kExtDbCellLimit bytes), the key is
// made from cells 2 to 4 and the value is cell 5 with every '\r' removed.
std::vector<ExtDbRow> ParseExtDbText(const char* text, std::size_t size);

// Builds table text line by line. A cell holding ',', '\n' or '\r', or longer
// than kExtDbCellLimit, is refused and recorded in Error().
class ExtDbWriter {
public:
    void Int(const std::string& a, const std::string& b, const std::string& c, long long v);
    void Float(const std::string& a, const std::string& b, const std::string& c, double v);
    void String(const std::string& a, const std::string& b, const std::string& c, const std::string& v);
    // A raw line of five cells.
    void Line(const std::string& type, const std::string& a, const std::string& b, const std::string& c,
              const std::string& value);

    const std::string& Text() const { return m_text; }
    const std::string& Error() const { return m_error; }

private:
    bool CellOk(const std::string& cell);

    std::string m_text;
    std::string m_error;
};

// Formats a float value so that reading it back with "%f" gives the same float.
std::string ExtDbFloatText(double v);

}  // namespace zfmt
