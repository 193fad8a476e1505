// Tests that need a real X server (the clipboard and drag and drop between processes, photographs
// of the screen) run their own executable again under xvfb-run on the xcb platform.
#pragma once
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

struct XvfbRun
{
    bool finished = false;
    int exitCode = -1; // -1 when the run crashed or did not finish
    QString output;    // standard output and error together
};

// Runs this executable with gtest_filter under xvfb-run -a on a screen of screenSize, with env (the
// caller's additions already in; the platform is set here). xvfb-run -a can hand two servers started
// at once the same display, and the loser cannot talk to it: that is the server's start, not the
// test, so such a run is made once more.
inline XvfbRun runThisExecutableUnderXvfb(const QString& gtestFilter, QSize screenSize,
                                          QProcessEnvironment env, int timeoutMs = 180000)
{
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("QT_LOGGING_RULES")); // a failed start says why
    // On a real display Qt loads the X, GL and session-bus libraries, which keep allocations for the
    // life of the process, some in modules unloaded before the leak check can name them. The run
    // under the X server checks behaviour; leaks are checked by every offscreen run.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               asan.isEmpty() ? QStringLiteral("detect_leaks=0") : asan + QStringLiteral(":detect_leaks=0"));
    XvfbRun result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QStringLiteral("xvfb-run"),
                  {QStringLiteral("-a"), QStringLiteral("-s"),
                   QStringLiteral("-screen 0 %1x%2x24").arg(screenSize.width()).arg(screenSize.height()),
                   QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=") + gtestFilter});
        result = XvfbRun{};
        if (!run.waitForFinished(timeoutMs)) {
            run.kill();
            run.waitForFinished();
            result.output = QString::fromLocal8Bit(run.readAll());
            return result;
        }
        result.finished = true;
        result.output = QString::fromLocal8Bit(run.readAll());
        result.exitCode = run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
        if (result.exitCode == 0 ||
            (!result.output.contains(QLatin1String("could not connect to display")) &&
             !result.output.contains(QLatin1String("no Qt platform plugin could be initialized"))))
            break;
    }
    return result;
}
