// The command-line session over string streams (lines in, one output line per line out), its options and answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/confirmations.h"
#include "cli/history_file.h"
#include "cli/line_reader.h"
#include "cli/name_completion.h"
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

COptions parse(const std::vector<const char*>& arguments)
{
    std::vector<const char*> argv{"tallimex-cli"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
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
    // Blank lines and comments are skipped in every mode.
    expectSession("1\n\r\n  \n# one\n \t# two\n2 # not a comment\n2\n",
                  "= 1\nIllegal syntax:  Character '#' is illegal.\n= 2\n");
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
}

TEST(Options, TakeFilesAndLinesInOrderAndPlotsWithWhatFollowsThem)
{
    const COptions sources = parse({"a.txt", "-e", "x=1", "-", "-i", "-q", "--no-history", "--stop-on-error"});
    ASSERT_TRUE(sources.error.empty()) << sources.error;
    ASSERT_EQ(sources.sources.size(), 3u);
    EXPECT_EQ(sources.sources[0].kind, SourceKind::File);
    EXPECT_EQ(sources.sources[0].text, "a.txt");
    EXPECT_EQ(sources.sources[1].kind, SourceKind::Expression);
    EXPECT_EQ(sources.sources[1].text, "x=1");
    EXPECT_EQ(sources.sources[2].kind, SourceKind::StandardInput);
    EXPECT_TRUE(sources.interactive && sources.quiet && sources.noHistory && sources.stopOnError);
    EXPECT_TRUE(sources.readsStandardInput());
    EXPECT_FALSE(parse({"-e", "1"}).readsStandardInput());
    EXPECT_TRUE(parse({}).readsStandardInput());

    const COptions plots = parse({"--plot", "sin(x)", "--from", "-3", "--to", "3", "--y-from", "-1", "--color",
                                  "FF8000", "--weight", "thick", "--vector", "cos(t)", "sin(t)", "--var", "u",
                                  "--x-to", "2", "--output", "a.svg"});
    ASSERT_TRUE(plots.error.empty()) << plots.error;
    ASSERT_EQ(plots.plots.size(), 2u);
    const CPlotDialogFields& first = plots.plots[0];
    EXPECT_EQ(first.kind, PlotKind::Expression);
    EXPECT_EQ(VKF::toUtf8(first.expression + VKF_T(" ") + first.variable), "sin(x) x");
    EXPECT_EQ(VKF::toUtf8(first.variableFrom + VKF_T(" ") + first.variableTo + VKF_T(" ") + first.yAxisFrom),
              "-3 3 -1");
    EXPECT_FALSE(first.yAxisDefault);
    EXPECT_TRUE(first.xAxisDefault);
    EXPECT_EQ(first.colour, 0x0080FFu);
    EXPECT_EQ(first.weightIndex, 2);
    const CPlotDialogFields& second = plots.plots[1];
    EXPECT_EQ(second.kind, PlotKind::Vector);
    EXPECT_EQ(VKF::toUtf8(second.xExpression + VKF_T(" ") + second.yExpression + VKF_T(" ") + second.variable),
              "cos(t) sin(t) u");
    EXPECT_FALSE(second.xAxisDefault);
    EXPECT_EQ(second.weightIndex, 0);
    EXPECT_EQ(parse({"--vector", "t", "t", "--output", "a.svg"}).plots.at(0).variable, VKF_T("t"));
    EXPECT_EQ(plots.output, "a.svg");
    EXPECT_FALSE(plots.readsStandardInput());

    const std::pair<std::vector<const char*>, const char*> errors[] = {
        {{"-e"}, "option '-e' needs a value"},
        {{"--vector", "t"}, "option '--vector' needs a value"},
        {{"--from", "1"}, "'--from' belongs to a --plot or --vector before it"},
        {{"--plot", "x"}, "plots need --output FILE"},
        {{"--output", "a.svg"}, "--output needs --plot or --vector"},
        {{"--plot", "x", "--color", "red", "--output", "a.svg"}, "--color wants RRGGBB in hexadecimal, not 'red'"},
        {{"--plot", "x", "--weight", "bold", "--output", "a.svg"}, "--weight is thin, medium or thick, not 'bold'"},
        {{"--plot", "x\xff", "--output", "a.svg"}, "'x\xff' is not UTF-8: Malformed UTF-8 at byte 1."},
    };
    for (const auto& [arguments, error] : errors)
        EXPECT_EQ(parse(arguments).error, error) << error;
}

TEST(StatementSession, CountsTheFailuresOfScriptsAndMayStopAtTheFirst)
{
    const struct {
        const char* input;
        bool stop;
        const char* output;
        int failures;
        CStatementSession::End end;
    } cases[] = {
        {"1\n2\n", false, "= 1\n= 2\n", 0, CStatementSession::End::InputEnded},
        {"1+\nx=1\nx=2\n\xff\n3\n", false,
         "Illegal syntax:  Unable to parse expression. Please make sure you typed correctly.\nx = 1\n"
         "Could not reassign the name 'x'.\nIllegal input: Malformed UTF-8 at byte 0.\n= 3\n",
         3, CStatementSession::End::InputEnded},
        {"1\n1+\n2\n", true,
         "= 1\nIllegal syntax:  Unable to parse expression. Please make sure you typed correctly.\n", 1,
         CStatementSession::End::StoppedOnError},
    };
    for (const auto& c : cases) {
        CFixedConfirmation no(false);
        VKCL::CCalculator calculator(no);
        CStatementSession session(calculator, c.stop);
        std::istringstream in(c.input);
        CStreamLineReader reader(in);
        std::ostringstream out;
        EXPECT_EQ(session.run(reader, out), c.end) << c.input;
        EXPECT_EQ(out.str(), c.output) << c.input;
        EXPECT_EQ(session.failures(), c.failures) << c.input;
    }
    // Lines typed at the prompt are not counted.
    CFixedConfirmation no(false);
    VKCL::CCalculator calculator(no);
    CStatementSession session(calculator, true);
    std::istringstream in("1+\n2\n");
    CStreamLineReader reader(in);
    std::ostringstream out;
    EXPECT_EQ(session.run(reader, out, ">> ", true), CStatementSession::End::InputEnded);
    EXPECT_EQ(session.failures(), 0);
}

TEST(StatementSession, TheFirstRefusalHintsAtYes)
{
    std::ostringstream hints;
    CFixedConfirmation no(false, &hints);
    std::istringstream in("x=5\nx=6\nx=7\n");
    runSession(in, no);
    EXPECT_EQ(hints.str(), REASSIGNMENT_HINT);
    EXPECT_NE(hints.str().find("--yes"), std::string::npos);
    CFixedConfirmation yes(true, &hints);
    std::istringstream again("x=5\nx=6\n");
    runSession(again, yes);
    EXPECT_EQ(hints.str(), REASSIGNMENT_HINT);
}

TEST(History, LivesUnderTheStateFolder)
{
    const struct {
        const char* stateHome;
        const char* home;
        const char* localAppData;
        const char* path;
    } cases[] = {
#if defined(_WIN32)
        {"/state", "/home/u", "C:\\Users\\u\\AppData\\Local", "C:\\Users\\u\\AppData\\Local\\Tallimex\\history"},
        {"/state", "/home/u", nullptr, ""},
#else
        {"/state", "/home/u", "C:\\Local", "/state/tallimex/history"},
        {"relative", "/home/u", nullptr, "/home/u/.local/state/tallimex/history"},
        {"", "/home/u", nullptr, "/home/u/.local/state/tallimex/history"},
        {nullptr, nullptr, nullptr, ""},
#endif
    };
    for (const auto& c : cases) {
        const auto environment = [&](const char* name) -> const char* {
            const std::string variable(name);
            return variable == "XDG_STATE_HOME" ? c.stateHome
                 : variable == "HOME"           ? c.home
                 : variable == "LOCALAPPDATA"   ? c.localAppData
                                                : nullptr;
        };
        EXPECT_EQ(historyFilePath(environment), c.path) << c.path;
    }
}

// The history file of the Windows console's editor: the newest 1,000 lines, kept across runs.
TEST(History, KeepsTheLastThousandLinesInItsFile)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tallimex-history-test";
    std::filesystem::remove_all(folder);
    const std::string file = (folder / "state" / "history").string();
    {
        CLineHistory history(file);
        EXPECT_TRUE(history.lines().empty());
        for (int k = 0; k < HISTORY_LINES + 5; ++k)
            history.add("line " + std::to_string(k));
        history.add("α=1");
    }
    const CLineHistory again(file);
    ASSERT_EQ(again.lines().size(), std::size_t(HISTORY_LINES));
    EXPECT_EQ(again.lines().front(), "line 6");
    EXPECT_EQ(again.lines().back(), "α=1");
    CLineHistory memoryOnly("");
    memoryOnly.add("1");
    EXPECT_EQ(memoryOnly.lines().size(), 1u);
    std::filesystem::remove_all(folder);
}

TEST(NameCompletion, OffersBuiltInAndUserNames)
{
    CFixedConfirmation yes(true);
    VKCL::CCalculator calculator(yes);
    VKF::CString output;
    calculator.executeStatement(VKF::fromUtf8("sum=1"), output);
    calculator.executeStatement(VKF::fromUtf8("sinc(x)=sin(x)/x"), output);
    calculator.executeStatement(VKF::fromUtf8("αβ=2"), output);
    EXPECT_EQ(completeName(calculator, "si"), (std::vector<std::string>{"sin", "sinc", "sinh"}));
    EXPECT_EQ(completeName(calculator, "su"), std::vector<std::string>{"sum"});
    EXPECT_EQ(completeName(calculator, "α"), std::vector<std::string>{"αβ"});
    EXPECT_TRUE(completeName(calculator, "zz").empty());
}
