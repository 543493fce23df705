// The command line of tallimex-cli and the reading of Yes/No answers.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "cli/confirmations.h"
#include "cli/options.h"
#include "foundation/string.h"

namespace {

COptions parse(std::initializer_list<const char*> arguments)
{
    std::vector<const char*> argv{"tallimex-cli"};
    argv.insert(argv.end(), arguments);
    return parseOptions(static_cast<int>(argv.size()), argv.data());
}

} // namespace

TEST(Options, KnowsItsOptions)
{
    EXPECT_FALSE(parse({}).yes);
    EXPECT_TRUE(parse({}).error.empty());
    EXPECT_TRUE(parse({"--yes"}).yes);
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
}

TEST(Options, RejectsUnknownOptionsAndArguments)
{
    EXPECT_EQ(parse({"--no"}).error, "unknown option '--no'");
    EXPECT_EQ(parse({"--yes", "file.txt"}).error, "unexpected argument 'file.txt'");
}

TEST(Confirmations, OnlyYesIsYes)
{
    for (const char* yes : {"y", "Y", "yes", "YES", " y ", "Yes\t"})
        EXPECT_TRUE(isYesAnswer(yes)) << "answer: '" << yes << "'";
    for (const char* no : {"", "n", "no", "yess", "y y", "ja", "1"})
        EXPECT_FALSE(isYesAnswer(no)) << "answer: '" << no << "'";
}

TEST(Confirmations, PromptCarriesTheCaptionAndTheQuestion)
{
    EXPECT_EQ(confirmationPrompt(VKF_T("Are you sure?")), "Prompt: Are you sure? [y/N] ");
}

TEST(Confirmations, FixedAnswerRecordsTheQuestions)
{
    CFixedConfirmation no(false);
    EXPECT_FALSE(no.confirm(VKF_T("one?")));
    CFixedConfirmation yes(true);
    EXPECT_TRUE(yes.confirm(VKF_T("two?")));
    ASSERT_EQ(yes.questions().size(), 1u);
    EXPECT_TRUE(yes.questions()[0] == VKF::CString(VKF_T("two?")));
}
