// Reads the reference tables of gasdyn/reference/ (shocks.py at 40 digits, nozzle.py at 50).
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace shock_reference {

struct Row {
    std::map<std::string, std::string> text;
    double operator[](const std::string& column) const { return std::stod(text.at(column)); }
};

inline std::vector<Row> read(const std::string& file, char separator = ',')
{
    std::ifstream in(std::string(GASDYN_REFERENCE_DIR) + "/" + file);
    std::vector<Row> rows;
    std::string line;
    std::vector<std::string> header;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream cellsIn(line);
        for (std::string cell; std::getline(cellsIn, cell, separator);)
            cells.push_back(cell);
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row row;
        for (std::size_t i = 0; i < cells.size() && i < header.size(); ++i)
            row.text[header[i]] = cells[i];
        rows.push_back(row);
    }
    return rows;
}

} // namespace shock_reference
