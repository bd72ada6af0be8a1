#pragma once

#include <string>
#include <vector>

const char* Verdict(bool met);

// Why the two sides of a ratio did not do the same work, gathered as each
// side is checked. A ratio of unlike work says nothing, so it is printed as
// INVALID with this reason instead.
class LikeWork {
public:
    // The side was to list `expected` rows.
    LikeWork& Rows(const std::string& side, int listed, int expected);
    // The side divided by, which must be above zero.
    LikeWork& Baseline(const std::string& side, double value);
    // A count both sides must share, such as their columns.
    LikeWork& Same(const std::string& what, int ours, int base);
    // What went wrong on a side, when anything did; empty adds nothing.
    LikeWork& Note(const std::string& failure);
    // Empty when the sides did the same work.
    const std::string& Reason() const { return reason; }

private:
    std::string reason;
};

// "ratio (target <= limit): verdict", without the target when there is none;
// "INVALID (reason)" when the sides did not do the same work.
std::string RatioVerdict(double ours, double base, double limit, const std::string& invalid);

// One figure with its targets: ours against the bare list view's, measured in
// the same run. A new figure is one more entry in the list that is printed.
struct Figure {
    std::string name;
    double ours = 0;
    double bare = 0;          // 0: no bare figure
    double ratioLimit = 0;    // ours / bare at most this; 0: none
    double absoluteLimit = 0; // ours at most this; 0: none
    const char* unit = "s";
    // Why ours and the bare one did not do the same work; empty when they did.
    std::string invalid{};

    bool Met() const
    {
        return invalid.empty() && (ratioLimit <= 0 || (bare > 0 && ours <= ratioLimit * bare)) &&
               (absoluteLimit <= 0 || ours <= absoluteLimit);
    }
};

// The figures as a table, each with its targets and verdict; false when one is INVALID.
bool PrintFigures(const std::vector<Figure>& figures);
