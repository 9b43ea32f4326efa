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

}  // namespace
