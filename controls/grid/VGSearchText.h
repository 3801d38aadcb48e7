#pragma once
// The form in which the grid's incremental search compares texts: upper-cased by the locale's
// rules and stripped of accents. Searching a million cells makes the locale's routines the cost,
// so texts of plain Latin-1 letters take a direct path that gives the same result.
#include <string>
#include <string_view>

namespace vexo {

// Writes the search form of text into out (reusing its storage).
void searchForm(std::string_view text, std::string& out);

} // namespace vexo
