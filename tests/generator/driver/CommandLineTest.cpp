#include "generator/driver/CommandLine.h"

#include <gtest/gtest.h>

using tallix::CommandLine;

namespace {
CommandLine parse(std::initializer_list<const char*> args)
{
    QStringList list;
    for (const char* a : args)
        list << QString::fromUtf8(a);
    return CommandLine::parse(list);
}
} // namespace

TEST(CommandLine, SlashOptionsIgnoreCaseLoseQuotesAndKeepSlashesInPaths)
{
    const CommandLine cl = parse({"/P:\" /home/me/my audit.tpx \"", "/O:out/dir/a.sql"});
    EXPECT_TRUE(cl.hasProject);
    EXPECT_EQ(cl.projectPath, QStringLiteral("/home/me/my audit.tpx"));
    EXPECT_EQ(cl.outputPath, QStringLiteral("out/dir/a.sql"));
    EXPECT_TRUE(cl.error.isEmpty());
}

TEST(CommandLine, LaterValuesReplaceEarlierOnesAndASplitValueIsJoined)
{
    const CommandLine cl = parse({"/p:first.tpx", "/o:", "x y.sql", "/p:", "second.tpx"});
    EXPECT_EQ(cl.projectPath, QStringLiteral("second.tpx"));
    EXPECT_EQ(cl.outputPath, QStringLiteral("x y.sql"));
    EXPECT_TRUE(cl.others.isEmpty());
}

TEST(CommandLine, EmptyProjectValueIsKeptApartFromNoProject)
{
    EXPECT_TRUE(parse({"/p:\"\""}).hasProject);
    EXPECT_TRUE(parse({"/p:\"\""}).projectPath.isEmpty());
    const CommandLine onlyOutput = parse({"/o:a.sql"});
    EXPECT_FALSE(onlyOutput.hasProject);
    EXPECT_TRUE(onlyOutput.hasOutput);
}

TEST(CommandLine, LongFormsAndErrors)
{
    const CommandLine cl = parse({"--project", "a.tpx", "--output=b.sql", "--remove"});
    EXPECT_EQ(cl.projectPath, QStringLiteral("a.tpx"));
    EXPECT_EQ(cl.outputPath, QStringLiteral("b.sql"));
    EXPECT_TRUE(cl.remove);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_FALSE(parse({"--bogus"}).error.isEmpty());
    EXPECT_FALSE(parse({"--project"}).error.isEmpty());
    EXPECT_FALSE(parse({"--project", "--remove"}).error.isEmpty()) << "an option is not a path";
    EXPECT_EQ(parse({"plain.tpx"}).others, QStringList{QStringLiteral("plain.tpx")});
    EXPECT_EQ(parse({"--project", "a.tpx", "--output", "-"}).outputPath, QStringLiteral("-"));
    // Beside a project, a word that is no option is an error, not a window's project.
    EXPECT_EQ(parse({"/p:a.tpx", "b.sql"}).error, QStringLiteral("Unexpected argument b.sql."));
    EXPECT_EQ(parse({"/0:b.sql", "--project", "a.tpx"}).error,
              QStringLiteral("Unexpected argument /0:b.sql."));
}
