// The command-line session over string streams (lines in, one output line per line out), its options and answers.
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/confirmations.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/session.h"
#include "engine/calculator.h"
#include "foundation/utf8.h"

namespace {

struct CRun {
    CStatementSession::End end;
    std::string output;
};

CRun runSession(std::istream& in, VKCL::CConfirmation& confirmation)
{
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::ostringstream out;
    CStreamLineReader reader(in);
    const CStatementSession::End end = session.run(reader, out);
    return {end, out.str()};
}

void expectSession(const std::string& input, const std::string& expected, bool answer = false)
{
    CFixedConfirmation confirmation(answer);
    std::istringstream in(input);
    const CRun run = runSession(in, confirmation);
    EXPECT_EQ(run.end, CStatementSession::End::InputEnded) << "input: " << input;
    EXPECT_EQ(run.output, expected) << "input: " << input;
}

// A stream buffer that fails every read or write, as a broken pipe or a device error does.
class CFailingBuffer : public std::streambuf {
protected:
    int_type underflow() override { throw std::runtime_error("read error"); }
    int_type overflow(int_type) override { return traits_type::eof(); }
};

COptions parse(std::initializer_list<const char*> arguments)
{
    std::vector<const char*> argv{"tallimex-cli"};
    argv.insert(argv.end(), arguments);
    return parseOptions(static_cast<int>(argv.size()), argv.data());
}

} // namespace

TEST(StatementSession, AnswersEachLineWithOneLine)
{
    expectSession("1+2\nf(x,y)=x*y+1\nf(2,3)\nx=5\nx=?\nx=?\n",
                  "= 3\nf = {1}*{2}+1\n= 7\nx = 5\nThe name 'x' was unassigned.\n"
                  "Illegal syntax:  The name 'x' has no definition or has already been unassigned.\n");
    // CR LF line ends, a last line without one, empty lines and UTF-8.
    expectSession("1+2\r\nx=5", "= 3\nx = 5\n");
    expectSession("", "");
    const std::string empty = "Illegal syntax:  Expression is empty.\n";
    expectSession("1\n\r\n  \n2\n", "= 1\n" + empty + empty + "= 2\n");
    expectSession("α=2\nα*3\nπ\n", "α = 2\n= 6\n= 3.14159265359\n");
}

TEST(StatementSession, ReportsMalformedUtf8OnItsLineAndGoesOn)
{
    expectSession("1+2\nab\xff\n\xce\n2+2\n",
                  "= 3\nIllegal input: Malformed UTF-8 at byte 2.\nIllegal input: Malformed UTF-8 at byte 0.\n= 4\n");
    // A surrogate written as three bytes is no UTF-8 either.
    expectSession("x\xed\xa0\x80\n", "Illegal input: Malformed UTF-8 at byte 1.\n");
}

TEST(StatementSession, RefusesReassignmentUnlessTheAnswerIsYes)
{
    CFixedConfirmation no(false);
    std::istringstream in("x=5\nx=6\nx\nf(a)=a\nf(b)=2b\nx(t)=t\n");
    EXPECT_EQ(runSession(in, no).output, "x = 5\nCould not reassign the name 'x'.\n= 5\nf = {1}\n"
                                         "Could not reassign the name 'f'.\nCould not reassign function 'x'.\n");
    ASSERT_EQ(no.questions().size(), 3u);
    EXPECT_EQ(VKF::toUtf8(no.questions()[0]), "Are you sure you want to reassign the variable 'x'?");
    EXPECT_EQ(VKF::toUtf8(no.questions()[1]), "Are you sure you want to reassign the function 'f'?");
    EXPECT_EQ(VKF::toUtf8(no.questions()[2]), "Are you sure you want to reassign the variable 'x' to a be function?");
    // --yes answers every question Yes.
    expectSession("x=5\nx=6\nx\n", "x = 5\nx = 6\n= 6\n", parse({"--yes"}).yes);
}

TEST(StatementSession, AsksThePromptConfirmationOnTheSameInput)
{
    std::istringstream in("x=5\nx=6\nyes\nx=7\n\nx\nx=8\n");
    std::ostringstream prompts;
    CStreamLineReader reader(in, &prompts);
    CPromptConfirmation confirmation(reader);
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    std::ostringstream out;
    EXPECT_EQ(session.run(reader, out, ">> "), CStatementSession::End::InputEnded);
    // The end of the input during a question means No.
    EXPECT_EQ(out.str(), "x = 5\nx = 6\nCould not reassign the name 'x'.\n= 6\nCould not reassign the name 'x'.\n");
    const std::string question = "Prompt: Are you sure you want to reassign the variable 'x'? [y/N] ";
    EXPECT_EQ(prompts.str(), ">> >> " + question + ">> " + question + ">> >> " + question + ">> ");
    for (const char* yes : {"y", "Y", "yes", "YES", " y ", "Yes\t"})
        EXPECT_TRUE(isYesAnswer(yes)) << "answer: '" << yes << "'";
    for (const char* no : {"", "n", "no", "yess", "y y", "ja", "1"})
        EXPECT_FALSE(isYesAnswer(no)) << "answer: '" << no << "'";
}

TEST(StatementSession, TellsFailedReadsAndWritesFromTheEnd)
{
    CFixedConfirmation confirmation(false);
    CFailingBuffer failing;
    std::istringstream lines("1\n2\n");
    VKCL::CCalculator calculator(confirmation);
    CStatementSession session(calculator);
    CStreamLineReader reader(lines);
    std::ostream failingOut(&failing);
    EXPECT_EQ(session.run(reader, failingOut), CStatementSession::End::WriteFailed);
    std::istream failingIn(&failing);
    const CRun run = runSession(failingIn, confirmation);
    EXPECT_EQ(run.end, CStatementSession::End::ReadFailed);
    EXPECT_EQ(run.output, "");
}

TEST(Options, KnowsItsOptionsAndRejectsOthers)
{
    EXPECT_FALSE(parse({}).yes);
    EXPECT_TRUE(parse({}).error.empty());
    EXPECT_TRUE(parse({"--yes"}).yes);
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_EQ(parse({"--no"}).error, "unknown option '--no'");
    EXPECT_EQ(parse({"--yes", "file.txt"}).error, "unexpected argument 'file.txt'");
}
