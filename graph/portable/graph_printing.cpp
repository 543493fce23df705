// The portable part of printing a graph: the picture's place on the page and the job's steps.
#include "graph/portable/graph_printing.h"

#include <algorithm>

CPrintPlacement printPlacement(int32_t pageWidth, int32_t pageHeight)
{
    CPrintPlacement placement;
    placement.left = int32_t(0.2 * pageWidth);
    placement.top = int32_t(0.1 * pageHeight);
    placement.side = int32_t(0.6 * std::min(pageWidth, pageHeight));
    return placement;
}

bool printCopies(CPrintJob& job, int copies)
{
    bool going = job.startDocument();
    for (int copy = 0; going && copy < copies; ++copy) {
        going = job.startPage() && job.drawPage() && job.endPage();
    }
    if (going && job.endDocument())
        return true;
    job.abortDocument();
    return false;
}
