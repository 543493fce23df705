// The exception family and what each shows the user.
#include "foundation/exception.h"

#include <string>

#include <gtest/gtest.h>

#include "foundation/utf8.h"

using VKF::CException;
using VKF::COutOfMemoryException;
using VKF::CString;
using VKCL::CSyntaxException;

namespace {

std::string shown(const VKF::CStringCastable& object)
{
    return VKF::toUtf8(object.toString());
}

} // namespace

TEST(ExceptionTest, GenericExceptionShowsItsMessage)
{
    EXPECT_EQ(shown(CException(CString(VKF_T("Something failed.")))), "Something failed.");
    EXPECT_EQ(VKF::toUtf8(CException(CString(VKF_T("kept"))).message()), "kept");
}

TEST(ExceptionTest, EmptyMessageShowsGenericText)
{
    EXPECT_EQ(shown(CException(CString())), "Generic exception.");
    EXPECT_EQ(shown(CException(CString(VKF_T("")))), "Generic exception.");
    EXPECT_EQ(shown(CException()), "Generic exception.");
}

TEST(ExceptionTest, OutOfMemoryHasAFixedTextAndNoMessage)
{
    const COutOfMemoryException error;
    EXPECT_EQ(shown(error), "Out of memory.");
    EXPECT_TRUE(error.message().isEmpty());
}

TEST(ExceptionTest, SyntaxExceptionShowsItsMessageUnchanged)
{
    EXPECT_EQ(shown(CSyntaxException(CString(VKF_T("Division by zero.")))), "Division by zero.");
    EXPECT_EQ(shown(CSyntaxException(CString())), "");
}

TEST(ExceptionTest, CaughtAsTheRootTheyKeepTheirText)
{
    try {
        throw COutOfMemoryException();
    } catch (const CException& error) {
        EXPECT_EQ(shown(error), "Out of memory.");
    }
    try {
        throw CSyntaxException(CString());
    } catch (const CException& error) {
        EXPECT_EQ(shown(error), "") << "an empty syntax message must not become the generic text";
    }
    try {
        throw CSyntaxException(CString(VKF_T("Variable 'x' not defined.")));
    } catch (const CException& error) {
        EXPECT_EQ(shown(error), "Variable 'x' not defined.");
    }
}

TEST(ExceptionTest, CopiesCarryTheMessage)
{
    CString text(VKF_T("original"));
    const CException error(text);
    text = VKF_T("changed");
    const CException copy = error;
    EXPECT_EQ(shown(copy), "original");
}
