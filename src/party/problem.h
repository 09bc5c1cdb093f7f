// A problem found in a party's files, located for the organiser to fix.
#pragma once

#include <string>
#include <vector>

struct SourcePlace {
    int line = 0;
    int column = 0;
};

struct Problem {
    std::string file;
    int line = 0;    // 1-based; 0 when the problem is the file as a whole
    int column = 0;  // 1-based, in characters (not bytes)
    std::string message;
};

using Problems = std::vector<Problem>;

// Problems from `first` on put in the order of their places in the file, so
// an organiser can work down it.
void sortByPlace(Problems& problems, size_t first);

// "file:line:column: message", or "file: message" without a place.
std::string describe(const Problem& p);
