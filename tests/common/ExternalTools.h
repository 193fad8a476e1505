// Tests that run an outside program (chromium, php, unzip, pdfinfo, xvfb-run, …) ask for it here.
// Where it is missing the test is skipped with the package to install, except on CI (CI=true),
// where a missing program fails the test: a CI machine must not pass by running nothing.
#pragma once
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

namespace externaltools {

inline bool runningOnCi()
{
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

// The program's full path, from PATH or as given when it is an executable path; "" when missing.
inline QString findProgram(const QString& program)
{
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() ? QFileInfo(program).absoluteFilePath() : QString();
    return QStandardPaths::findExecutable(program);
}

} // namespace externaltools

// Skips the current test with note, or fails it on CI. Callers return right after it.
inline void missingOrFail(const QString& note)
{
    if (externaltools::runningOnCi())
        ADD_FAILURE() << note.toStdString() << " — CI=true, so a missing program fails the test";
    else
        [&] { GTEST_SKIP() << note.toStdString(); }();
}

// True when program can be run. Otherwise the current test is skipped (or, on CI, failed) with a
// note naming the Debian package, and false is returned: `if (!haveProgramOrFail(...)) return;`
inline bool haveProgramOrFail(const QString& program, const QString& debianPackage)
{
    if (!externaltools::findProgram(program).isEmpty())
        return true;
    missingOrFail(QStringLiteral("%1 is not installed (Debian package %2; scripts/setup installs it)")
                      .arg(program, debianPackage));
    return false;
}

// Headless Chromium driven by node (tests/browser/run-page.js); CHROMIUM names another binary.
inline bool haveBrowserOrFail()
{
    return haveProgramOrFail(qEnvironmentVariable("CHROMIUM", QStringLiteral("chromium")),
                             QStringLiteral("chromium")) &&
           haveProgramOrFail(QStringLiteral("node"), QStringLiteral("nodejs"));
}
