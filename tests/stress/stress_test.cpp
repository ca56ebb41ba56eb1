#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

// The probe floods the real window with searches, paging clicks and
// double-clicks against a slow loopback site, checks the list, the statuses
// and the hand-offs as it goes, and closes the window under busy workers.
TEST(Stress, FloodOfClicksEndsCleanWithExitCodeZero) {
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(STRESS_PROBE), {QStringLiteral("6")});
    ASSERT_TRUE(probe.waitForStarted());
    // Only a hang reaches this limit.
    const bool ended = probe.waitForFinished(120'000);
    if (!ended) probe.kill();
    ASSERT_TRUE(ended);
    const QString errors = QString::fromUtf8(probe.readAllStandardError());
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0) << errors.toStdString();
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    const QRegularExpressionMatch summary =
        QRegularExpression(QStringLiteral("^stress searches (\\d+) pages (\\d+) double-clicks "
                                          "(\\d+) hand-offs (\\d+) statuses (\\d+)$"),
                           QRegularExpression::MultilineOption)
            .match(output);
    ASSERT_TRUE(summary.hasMatch()) << output.toStdString() << errors.toStdString();
    EXPECT_EQ(summary.captured(1).toInt(), 200);
    EXPECT_EQ(summary.captured(2).toInt(), 200);
    EXPECT_EQ(summary.captured(3).toInt(), 200);
    // Most double-clicks resolve before the close; none resolving would mean
    // the double-clicks never reached the list.
    EXPECT_GT(summary.captured(4).toInt(), 0);
    EXPECT_GT(summary.captured(5).toInt(), 0);
}

}  // namespace
