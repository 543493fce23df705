// Plots from the command line: the plot dialog's checks on the options, the graph window's scene,
// and a picture file in the format its extension names.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "graph/portable/plot_setup_acceptance.h"

class CGraphModel;

namespace VKCL {
class CCalculator;
}

// Empty when this build writes pictures with output's extension, else the usage error.
std::string pictureFormatError(const std::string& output);

// Checks and samples each plot's fields (at least one) as the plot dialog does, adds them to one
// graph as the graph window does, and writes its picture to output. Returns 0, or 1 after writing
// the message of the first refusal ("title: text", as the dialog's box shows it) or of a failed
// write to errors.
int runPlots(VKCL::CCalculator& calculator, const std::vector<CPlotDialogFields>& requests,
             const std::string& output, std::ostream& errors);

// Writes graph's picture to output in the format of its extension (one pictureFormatError accepts).
// Throws VKF::CException when the file cannot be written.
void writeGraphPicture(const CGraphModel& graph, const std::string& output);
