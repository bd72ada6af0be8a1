#pragma once

#include <string>
#include <vector>

// Seconds on the performance counter.
double Now();
// This thread's processor time: steadier than the clock on a busy machine,
// though it leaves out what the window system does for the list.
double ThreadSeconds();
// The middle value; one slow run (a cold heap, the Wine server busy) does not move it.
double Median(std::vector<double> values);
// The runs behind a median, as printed beside it.
std::string RunList(const std::vector<double>& values);
// Lets the windows handle everything queued, painting included, so that
// drawing counts in the figure it follows.
void PumpMessages();
