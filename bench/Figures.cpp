#include "Figures.h"

#include <cstdio>
#include <cstring>

const char* Verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

LikeWork& LikeWork::Note(const std::string& failure)
{
    // The same fault seen in several runs is said once.
    if (!failure.empty() && reason.find(failure) == std::string::npos)
        reason += (reason.empty() ? "" : "; ") + failure;
    return *this;
}

LikeWork& LikeWork::Rows(const std::string& side, int listed, int expected)
{
    if (listed != expected)
        Note(side + " listed " + std::to_string(listed) + " rows, not " + std::to_string(expected));
    return *this;
}

LikeWork& LikeWork::Baseline(const std::string& side, double value)
{
    if (!(value > 0))
        Note(side + " measured nothing");
    return *this;
}

LikeWork& LikeWork::Same(const std::string& what, int ours, int base)
{
    if (ours != base)
        Note(what + " differ: " + std::to_string(ours) + " and " + std::to_string(base));
    return *this;
}

std::string RatioVerdict(double ours, double base, double limit, const std::string& invalid)
{
    if (!invalid.empty())
        return "INVALID (" + invalid + ")";
    char text[64];
    if (limit > 0)
        std::snprintf(text, sizeof text, "%.3f (target <= %.2f): %s", ours / base, limit,
                      Verdict(ours <= limit * base));
    else
        std::snprintf(text, sizeof text, "%.3f", ours / base);
    return text;
}

bool PrintFigures(const std::vector<Figure>& figures)
{
    bool valid = true;
    std::printf("%-52s %10s %10s %7s  %s\n", "figure", "Trawl", "bare", "ratio", "target");
    for (const Figure& figure : figures) {
        char target[64] = "";
        if (figure.ratioLimit > 0)
            std::snprintf(target, sizeof target, "<= %.2fx bare", figure.ratioLimit);
        if (figure.absoluteLimit > 0) {
            char absolute[32];
            std::snprintf(absolute, sizeof absolute, "%s<= %.1f %s", target[0] != '\0' ? ", " : "",
                          figure.absoluteLimit, figure.unit);
            std::strncat(target, absolute, sizeof target - std::strlen(target) - 1);
        }
        char bare[32] = "-";
        char ratio[16] = "-";
        if (figure.bare > 0) {
            std::snprintf(bare, sizeof bare, "%.3f %s", figure.bare, figure.unit);
            std::snprintf(ratio, sizeof ratio, "%.2f", figure.ours / figure.bare);
        }
        char ours[32];
        std::snprintf(ours, sizeof ours, "%.3f %s", figure.ours, figure.unit);
        if (!figure.invalid.empty()) {
            valid = false;
            std::printf("%-52s %10s %10s %7s  %s\n", figure.name.c_str(), ours, bare, "INVALID",
                        figure.invalid.c_str());
            continue;
        }
        const bool hasTarget = figure.ratioLimit > 0 || figure.absoluteLimit > 0;
        std::printf("%-52s %10s %10s %7s  %s%s%s\n", figure.name.c_str(), ours, bare, ratio, target,
                    hasTarget ? ": " : "", hasTarget ? Verdict(figure.Met()) : "");
    }
    return valid;
}
