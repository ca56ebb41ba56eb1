#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

struct ShutDownCase {
    const char* name;
    QStringList arguments;
};

// Workers are busy in window operations when the window closes; the process
// must still end at once with exit code 0, neither crashing nor waiting.
TEST(ShutDown, EndsWithExitCodeZeroWhileWorkersAreInWindowOperations) {
    const ShutDownCase cases[] = {
        {"closed from the loop", {}},
        {"closed inside a wait with events", {QStringLiteral("--during-wait")}},
    };
    for (const ShutDownCase& test : cases) {
        SCOPED_TRACE(test.name);
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(SHUT_DOWN_PROBE), test.arguments);
        ASSERT_TRUE(probe.waitForStarted());
        // Only a hang reaches this limit; the wait in the second case alone
        // would take a minute.
        const bool ended = probe.waitForFinished(30'000);
        if (!ended) probe.kill();
        ASSERT_TRUE(ended);
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
        const QString output = QString::fromUtf8(probe.readAllStandardOutput());
        const QRegularExpressionMatch rows =
            QRegularExpression(QStringLiteral("^rows (\\d+)$"), QRegularExpression::MultilineOption)
                .match(output);
        ASSERT_TRUE(rows.hasMatch()) << output.toStdString();
    }
}

}  // namespace
