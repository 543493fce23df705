// The portable part of printing a graph: where the picture goes on the page, and the order of a
// print job's steps with its way out when one fails.
#pragma once

#include <cstdint>

// The square the picture is printed into, in the printer's pixels.
class CPrintPlacement {
public:
    int32_t left = 0;
    int32_t top = 0;
    int32_t side = 0;
};

// A square of side 0.6 x the page's shorter side, so the picture keeps its shape on any page,
// 20 % of the width from the left and 10 % of the height from the top; each truncated.
CPrintPlacement printPlacement(int32_t pageWidth, int32_t pageHeight);

// The steps of a print job as the printer takes them; each says whether it succeeded.
class CPrintJob {
public:
    virtual ~CPrintJob() = default;
    virtual bool startDocument() = 0;
    virtual bool startPage() = 0;
    virtual bool drawPage() = 0;
    virtual bool endPage() = 0;
    virtual bool endDocument() = 0;
    // Ends a started document that will not be finished.
    virtual void abortDocument() = 0;
};

// One document of copies pages (none for 0). False when a step failed: a started document is
// then aborted and nothing further is sent.
bool printCopies(CPrintJob& job, int copies);
