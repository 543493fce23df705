// The command-line session over string streams: lines in, one output line per line out.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>

#include "cli/confirmations.h"
#include "cli/line_reader.h"
#include "cli/session.h"
#include "engine/calculator.h"
#include "foundation/utf8.h"

namespace {

struct CRun {
    CStatementSession::EEnd end;
    std::string output;
};

CRun runSession(const std::string& input, VKCL::CConfirmation& confirmation)
{
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::istringstream in(input);
    std::ostringstream out;
    CStreamLineReader reader(in);
    CStatementSession::EEnd end = session.run(reader, out);
    return {end, out.str()};
}

void expectSession(const std::string& input, const std::string& expected, bool answer = false)
{
    CFixedConfirmation confirmation(answer);
    CRun run = runSession(input, confirmation);
    EXPECT_EQ(run.end, CStatementSession::EEnd::inputEnded) << "input: " << input;
    EXPECT_EQ(run.output, expected) << "input: " << input;
}

// A stream buffer that fails every read or write, as a broken pipe or a device error does.
class CFailingBuffer : public std::streambuf {
protected:
    int_type underflow() override { throw std::runtime_error("read error"); }
    int_type overflow(int_type) override { return traits_type::eof(); }
};

} // namespace

TEST(StatementSession, AnswersEachLineWithOneLine)
{
    expectSession("1+2\nx=5\n", "= 3\nx = 5\n");
    expectSession("f(x,y)=x*y+1\nf(2,3)\n", "f = {1}*{2}+1\n= 7\n");
    expectSession("x=5\nx=?\nx=?\n",
                  "x = 5\nThe name 'x' was unassigned.\n"
                  "Illegal syntax:  The name 'x' has no definition or has already been unassigned.\n");
}

TEST(StatementSession, TakesCrLfLinesAndALastLineWithoutLineEnd)
{
    expectSession("1+2\r\nx=5\r\n", "= 3\nx = 5\n");
    expectSession("1+2\nx=5", "= 3\nx = 5\n");
    expectSession("", "");
}

TEST(StatementSession, EmptyLinesAreEmptyExpressions)
{
    expectSession("\n", "Illegal syntax:  Expression is empty.\n");
    expectSession("1\n\r\n  \n\t\n2\n",
                  "= 1\nIllegal syntax:  Expression is empty.\nIllegal syntax:  Expression is empty.\n"
                  "Illegal syntax:  Expression is empty.\n= 2\n");
}

TEST(StatementSession, ReadsAndWritesUtf8)
{
    expectSession("α=2\nα*3\nπ\n", "α = 2\n= 6\n= 3.14159265359\n");
}

TEST(StatementSession, ReportsMalformedUtf8OnItsLineAndGoesOn)
{
    expectSession("1+2\nab\xff\n\xce\n2+2\n",
                  "= 3\nIllegal input: Malformed UTF-8 at byte 2.\n"
                  "Illegal input: Malformed UTF-8 at byte 0.\n= 4\n");
    // A surrogate written as three bytes is no UTF-8 either.
    expectSession("x\xed\xa0\x80\n", "Illegal input: Malformed UTF-8 at byte 1.\n");
}

TEST(StatementSession, RefusesReassignmentWhenTheAnswerIsNo)
{
    CFixedConfirmation confirmation(false);
    CRun run = runSession("x=5\nx=6\nx\nf(a)=a\nf(b)=2b\nx(t)=t\n", confirmation);
    EXPECT_EQ(run.output,
              "x = 5\nCould not reassign the name 'x'.\n= 5\nf = {1}\n"
              "Could not reassign the name 'f'.\nCould not reassign function 'x'.\n");
    ASSERT_EQ(confirmation.questions().size(), 3u);
    EXPECT_EQ(VKF::toUtf8(confirmation.questions()[0]), "Are you sure you want to reassign the variable 'x'?");
    EXPECT_EQ(VKF::toUtf8(confirmation.questions()[1]), "Are you sure you want to reassign the function 'f'?");
    EXPECT_EQ(VKF::toUtf8(confirmation.questions()[2]),
              "Are you sure you want to reassign the variable 'x' to a be function?");
}

TEST(StatementSession, ReassignsWhenTheAnswerIsYes)
{
    expectSession("x=5\nx=6\nx\n", "x = 5\nx = 6\n= 6\n", true);
}

TEST(StatementSession, AsksThePromptConfirmationOnTheSameInput)
{
    std::istringstream in("x=5\nx=6\nyes\nx=7\n\nx\n");
    std::ostringstream prompts;
    CStreamLineReader reader(in, &prompts);
    CPromptConfirmation confirmation(reader);
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::ostringstream out;
    EXPECT_EQ(session.run(reader, out, ">> "), CStatementSession::EEnd::inputEnded);
    EXPECT_EQ(out.str(), "x = 5\nx = 6\nCould not reassign the name 'x'.\n= 6\n");
    EXPECT_EQ(prompts.str(),
              ">> >> Prompt: Are you sure you want to reassign the variable 'x'? [y/N] "
              ">> Prompt: Are you sure you want to reassign the variable 'x'? [y/N] >> >> ");
}

TEST(StatementSession, EndOfInputDuringAQuestionMeansNo)
{
    std::istringstream in("x=5\nx=6\n");
    CStreamLineReader reader(in);
    CPromptConfirmation confirmation(reader);
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::ostringstream out;
    EXPECT_EQ(session.run(reader, out), CStatementSession::EEnd::inputEnded);
    EXPECT_EQ(out.str(), "x = 5\nCould not reassign the name 'x'.\n");
}

TEST(StatementSession, StopsOnAFailedWrite)
{
    CFixedConfirmation confirmation(false);
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::istringstream in("1\n2\n");
    CStreamLineReader reader(in);
    CFailingBuffer failing;
    std::ostream out(&failing);
    EXPECT_EQ(session.run(reader, out), CStatementSession::EEnd::writeFailed);
}

TEST(StatementSession, TellsAReadErrorFromTheEnd)
{
    CFixedConfirmation confirmation(false);
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    CFailingBuffer failing;
    std::istream in(&failing);
    CStreamLineReader reader(in);
    std::ostringstream out;
    EXPECT_EQ(session.run(reader, out), CStatementSession::EEnd::readFailed);
    EXPECT_EQ(out.str(), "");
}
