#pragma once
// Runs a poppler tool (poppler-utils) on a PDF the program wrote.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

namespace kavro::test {

// The tool's standard output.
inline QString popplerOutput(const char* tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    EXPECT_FALSE(program.isEmpty()) << tool << " (poppler-utils) is missing";
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace kavro::test
