#include "party/problem.h"

#include <algorithm>

void sortByPlace(Problems& problems, size_t first)
{
    std::stable_sort(problems.begin() + static_cast<long>(first), problems.end(),
                     [](const Problem& a, const Problem& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
}

std::string describe(const Problem& p)
{
    if (p.line <= 0)
        return p.file + ": " + p.message;
    return p.file + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
           p.message;
}
