#include "common/settings/Servers.h"
#include "generator/batch/ProjectCommands.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace tallix;

// Given options win; without --login the project's login serves its own server, a registered
// server's stored login any other, and none (integrated security) an unknown server.
TEST(ConnectionChoice, LoginComesFromTheOptionsTheProjectOrTheRegisteredServer)
{
    Servers registered;
    registered.Add(u"PROD"_qs, u"stored"_qs, u"storedpw"_qs, u"shop"_qs, false, u"PROD"_qs);
    const ConnectionChoice project{u"PROD"_qs, u"shop"_qs, u"owner"_qs, u"ownerpw"_qs};
    const ConnectionChoice none{};
    const auto line = [](std::initializer_list<const char*> args) {
        QStringList list;
        for (const char* a : args)
            list << QString::fromUtf8(a);
        return CommandLine::parse(list);
    };
    const struct {
        CommandLine commandLine;
        const ConnectionChoice* fallback;
        const char* expected; // server|database|login|password
    } cases[] = {
        {line({"--refresh", "p.tpx"}), &project, "PROD|shop|owner|ownerpw"},
        {line({"--refresh", "p.tpx", "--server", "prod"}), &project, "prod|shop|owner|ownerpw"},
        {line({"--refresh", "p.tpx", "--password", "new"}), &project, "PROD|shop|owner|new"},
        {line({"--refresh", "p.tpx", "--login", "me"}), &project, "PROD|shop|me|"},
        {line({"--refresh", "p.tpx", "--server", "TEST", "--database", "d"}), &project, "TEST|d||"},
        {line({"--discover", "--server", "prod", "--database", "d", "--project", "x"}), &none,
         "prod|d|stored|storedpw"},
        {line({"--discover", "--server", "PROD", "--database", "d", "--login", "me", "--password",
               "p w", "--project", "x"}),
         &none, "PROD|d|me|p w"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.commandLine.error.isEmpty()) << qPrintable(c.commandLine.error);
        const ConnectionChoice chosen = chooseConnection(c.commandLine, *c.fallback, registered);
        EXPECT_EQ(
            QStringList({chosen.server, chosen.database, chosen.login, chosen.password}).join(u'|'),
            QString::fromUtf8(c.expected))
            << c.expected;
    }
}
