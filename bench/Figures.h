#pragma once

#include <string>
#include <vector>

const char* Verdict(bool met);

// One figure with its targets: ours against the bare list view's, measured in
// the same run. A new figure is one more entry in the list that is printed.
struct Figure {
    std::string name;
    double ours = 0;
    double bare = 0;          // 0: no bare figure
    double ratioLimit = 0;    // ours / bare at most this; 0: none
    double absoluteLimit = 0; // ours at most this; 0: none
    const char* unit = "s";

    bool Met() const
    {
        return (ratioLimit <= 0 || (bare > 0 && ours <= ratioLimit * bare)) &&
               (absoluteLimit <= 0 || ours <= absoluteLimit);
    }
};

// The figures as a table, each with its targets and verdict.
void PrintFigures(const std::vector<Figure>& figures);
