// Printing a graph: the picture's square on the page, and the job's steps when one fails.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "graph/portable/graph_printing.h"

namespace {

TEST(PrintPlacementTest, ThePictureStaysSquareOnAnyPage)
{
    struct SCase {
        int32_t width, height, left, top, side;
    };
    const SCase cases[] = {
        {4800, 6600, 960, 660, 2880}, // portrait
        {6600, 4800, 1320, 480, 2880}, // landscape
        {4960, 7016, 992, 701, 2976}, // A4 at 600 dpi: every product truncated
        {5, 9, 1, 0, 3},
        {0, 0, 0, 0, 0},
    };
    for (const SCase& page : cases) {
        const CPrintPlacement placement = printPlacement(page.width, page.height);
        EXPECT_EQ(placement.left, page.left) << page.width << " x " << page.height;
        EXPECT_EQ(placement.top, page.top) << page.width << " x " << page.height;
        EXPECT_EQ(placement.side, page.side) << page.width << " x " << page.height;
    }
}

// Records the steps as letters (D start document, P start page, d draw, E end page, F finish,
// A abort); the step named by failAt fails.
class CRecordedJob : public CPrintJob {
public:
    explicit CRecordedJob(char failAt) : m_failAt(failAt) {}
    std::string steps;

    bool startDocument() override { return step('D'); }
    bool startPage() override { return step('P'); }
    bool drawPage() override { return step('d'); }
    bool endPage() override { return step('E'); }
    bool endDocument() override { return step('F'); }
    void abortDocument() override { step('A'); }

private:
    bool step(char name)
    {
        steps += name;
        return name != m_failAt;
    }
    char m_failAt;
};

TEST(PrintCopiesTest, OnePagePerCopyAndAFailedStepAbortsTheJob)
{
    const std::tuple<int, char, std::string, bool> cases[] = {
        {3, ' ', "DPdEPdEPdEF", true},
        {0, ' ', "DF", true},
        {3, 'D', "DA", false}, // the printer takes no document: said, not silent
        {3, 'P', "DPA", false}, // no page: nothing more is sent
        {2, 'd', "DPdA", false}, // a refused picture: no blank page
        {2, 'E', "DPdEA", false},
        {1, 'F', "DPdEFA", false},
    };
    for (const auto& [copies, failAt, steps, printed] : cases) {
        CRecordedJob job(failAt);
        EXPECT_EQ(printCopies(job, copies), printed) << copies << " copies, failing at " << failAt;
        EXPECT_EQ(job.steps, steps) << copies << " copies, failing at " << failAt;
    }
}

} // namespace
