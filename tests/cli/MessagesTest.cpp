// The command line's own help and error texts, in both languages, without Qt's English.
#include "cli/Messages.h"

#include <gtest/gtest.h>

namespace {

const QList<QCommandLineOption> kOptions = {
    QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")),
    QCommandLineOption(
        QStringLiteral("data-dir"),
        QStringLiteral("データフォルダー（data.txt, item.txt, setting.txt のあるフォルダー）。 "
                       "ウィンドウもほかの操作もここのデータを使います。"),
        QStringLiteral("DIR")),
};

QString ErrorOf(const QStringList& arguments, Language language)
{
    QCommandLineParser parser;
    parser.addOptions(kOptions);
    EXPECT_FALSE(parser.parse(arguments)) << arguments.join(u' ').toStdString();
    return ParseErrorText(parser, kOptions, arguments, language);
}

} // namespace

TEST(Messages, ParseErrorsReadInTheLanguageOfTheLocale)
{
    const struct
    {
        QStringList arguments;
        const char* english;
        const char* japanese;
    } cases[] = {
        {{"velliqa", "--bogus"}, "Unknown option 'bogus'.", "「bogus」というオプションはありません。"},
        {{"velliqa", "--a", "--b"}, "Unknown options: a, b.", "「a」「b」というオプションはありません。"},
        {{"velliqa", "--data-dir"}, "Missing value after '--data-dir'.", "--data-dir の後に値がありません。"},
        {{"velliqa", "--help=x"}, "Unexpected value after '--help'.", "--help には値を付けられません。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf(c.arguments, Language::English).toStdString(), c.english);
        EXPECT_EQ(ErrorOf(c.arguments, Language::Japanese).toStdString(), c.japanese);
    }
}

TEST(Messages, HelpIsWholeInOneLanguageAndWrapsWideTextWithinTheWidth)
{
    const QString japanese = HelpText(QStringLiteral("Velliqa: 血圧の記録。"), kOptions, Language::Japanese);
    EXPECT_TRUE(japanese.startsWith(QStringLiteral("使い方: velliqa [オプション]\n")))
        << japanese.toStdString();
    EXPECT_TRUE(japanese.contains(QStringLiteral("\nオプション:\n  -h, --help ")));
    EXPECT_FALSE(japanese.contains(QStringLiteral("Usage")) || japanese.contains(QStringLiteral("Options")));
    for (const QString& line : japanese.split(u'\n')) {
        int columns = 0;
        for (const QChar c : line)
            columns += c.unicode() >= 0x1100 ? 2 : 1;
        EXPECT_LE(columns, 79) << line.toStdString();
        EXPECT_FALSE(line.trimmed().startsWith(u'。')) << line.toStdString();
    }
    // Every word of a wrapped description is kept, in order.
    EXPECT_TRUE(japanese.simplified().remove(u' ').contains(
        QStringLiteral("データフォルダー（data.txt,item.txt,setting.txtのあるフォルダー）。ウィンドウも")));
    const QString english = HelpText(QStringLiteral("Velliqa."), kOptions, Language::English);
    EXPECT_TRUE(english.startsWith(QStringLiteral("Usage: velliqa [options]\nVelliqa.\n\nOptions:\n")));
    EXPECT_TRUE(english.contains(QStringLiteral("  --data-dir <DIR>  ")));
}
