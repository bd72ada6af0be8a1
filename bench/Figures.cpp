#include "Figures.h"

#include <cstdio>
#include <cstring>

const char* Verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

void PrintFigures(const std::vector<Figure>& figures)
{
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
        const bool hasTarget = figure.ratioLimit > 0 || figure.absoluteLimit > 0;
        std::printf("%-52s %10s %10s %7s  %s%s%s\n", figure.name.c_str(), ours, bare, ratio, target,
                    hasTarget ? ": " : "", hasTarget ? Verdict(figure.Met()) : "");
    }
}
