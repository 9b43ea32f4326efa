// SPDX-License-Identifier: GPL-3.0-or-later
// The folders' layers, read from the sources: each folder includes only itself and the folders
// below it, and only platform/ includes Qt. The libraries link the same way (see CMakeLists.txt),
// so this is the picture a newcomer can trust.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <map>
#include <set>

namespace {

const std::map<QString, std::set<QString>> kMayInclude = {
    {"game", {"game"}},
    {"platform", {"platform"}},
    {"view", {"view", "game", "platform"}},
    {"app", {"app", "view", "game", "platform"}},
};

TEST(Layers, EachFolderIncludesOnlyItselfAndTheFoldersBelowIt) {
    const QRegularExpression include(QStringLiteral("^#include [<\"]([^>\"]+)[>\"]"),
                                     QRegularExpression::MultilineOption);
    int files = 0;
    for (const auto& [folder, allowed] : kMayInclude) {
        QDirIterator it(QStringLiteral(TARNWICK_SOURCE_DIR "/") + folder, {"*.h", "*.cpp"});
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ++files;
            auto matches = include.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                const QString header = matches.next().captured(1);
                const QString top = header.section('/', 0, 0);
                if (header.startsWith('Q') && !header.contains('/')) {
                    EXPECT_EQ(folder, "platform")
                        << it.fileName().toStdString() << " includes Qt's " << header.toStdString();
                } else if (header.contains('/') && kMayInclude.count(top)) {
                    EXPECT_TRUE(allowed.count(top))
                        << folder.toStdString() << "/" << it.fileName().toStdString()
                        << " includes " << header.toStdString();
                }
            }
        }
    }
    EXPECT_GT(files, 40);
}

// The headers the folders above include name no Qt type, so nothing above platform/ depends on
// the toolkit; the toolkit's side lives in the platform's own internal headers.
TEST(Layers, PublicPlatformHeadersNameNoQtType) {
    const QStringList internal = {"QtSide.h", "ViewWidget.h", "PixelOps.h"};
    const QRegularExpression qtType(QStringLiteral("\\bQ[A-Z][A-Za-z]+\\b"));
    QDirIterator it(QStringLiteral(TARNWICK_SOURCE_DIR "/platform"), {"*.h"});
    int headers = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        if (internal.contains(it.fileName()))
            continue;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ++headers;
        int lineNumber = 0;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            ++lineNumber;
            const QString code = line.section(QStringLiteral("//"), 0, 0);
            const auto match = qtType.match(code);
            EXPECT_FALSE(match.hasMatch()) << it.fileName().toStdString() << ":" << lineNumber
                                           << " names " << match.captured(0).toStdString();
        }
    }
    EXPECT_GT(headers, 10);
}

}  // namespace
