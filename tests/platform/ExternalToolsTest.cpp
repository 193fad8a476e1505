// A missing outside program skips a test on a developer's machine and fails it on CI.
#include "common/ExternalTools.h"

#include <gtest/gtest-spi.h>

#include <vector>

namespace {

class CiVariable
{
public:
    explicit CiVariable(const char* value) : m_had(qEnvironmentVariableIsSet("CI")), m_old(qgetenv("CI"))
    {
        qputenv("CI", value);
    }
    ~CiVariable()
    {
        if (m_had)
            qputenv("CI", m_old);
        else
            qunsetenv("CI");
    }

private:
    bool m_had;
    QByteArray m_old;
};

struct Outcome
{
    bool answer = false;
    std::vector<testing::TestPartResult> parts;
};

// Asks for program with gtest's reports caught, so a skip or failure here stays out of this test.
Outcome ask(const QString& program)
{
    Outcome outcome;
    testing::TestPartResultArray parts;
    {
        testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &parts);
        outcome.answer = haveProgramOrFail(program, QStringLiteral("no-such-package"));
    }
    for (int i = 0; i < parts.size(); ++i)
        outcome.parts.push_back(parts.GetTestPartResult(i));
    return outcome;
}

const QString kMissing = QStringLiteral("quib-no-such-program-9f2c");

} // namespace

TEST(ExternalTools, PresentProgramIsReportedWithoutANote)
{
    for (const char* ci : {"true", ""}) {
        CiVariable variable(ci);
        const Outcome outcome = ask(QStringLiteral("sh"));
        EXPECT_TRUE(outcome.answer) << ci;
        EXPECT_TRUE(outcome.parts.empty()) << ci;
    }
}

TEST(ExternalTools, MissingProgramSkipsOutsideCiAndFailsOnCi)
{
    struct Case
    {
        const char* ci;
        testing::TestPartResult::Type expected;
    };
    for (const Case& c :
         {Case{"true", testing::TestPartResult::kNonFatalFailure}, Case{"", testing::TestPartResult::kSkip},
          Case{"false", testing::TestPartResult::kSkip}}) {
        CiVariable variable(c.ci);
        const Outcome outcome = ask(kMissing);
        EXPECT_FALSE(outcome.answer) << c.ci;
        ASSERT_EQ(outcome.parts.size(), 1u) << c.ci;
        EXPECT_EQ(outcome.parts[0].type(), c.expected) << c.ci;
        EXPECT_NE(std::string(outcome.parts[0].message()).find("no-such-package"), std::string::npos);
    }
}

TEST(ExternalTools, AnExecutablePathCountsAsTheProgram)
{
    CiVariable variable("true");
    EXPECT_TRUE(ask(QStringLiteral("/bin/sh")).answer);
    const Outcome outcome = ask(QStringLiteral("/nonexistent/") + kMissing);
    EXPECT_FALSE(outcome.answer);
    EXPECT_EQ(outcome.parts.size(), 1u);
}
