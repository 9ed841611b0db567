#include "startup/CommandLine.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>

TEST(CommandLine, OnlyTheWholeWordRunInAnyCaseStartsTheShow) {
    // The arguments as the process receives them, program name first.
    const std::pair<QStringList, bool> cases[] = {
        {{"quirello", "/RUN"}, true},      {{"quirello", "run"}, true},
        {{"quirello", "/rUn"}, true},      {{"quirello"}, false},
        {{"quirello", "RUN", "x"}, false}, {{"quirello", "RUN", "RUN"}, false},
        {{"quirello", "/RUNX"}, false},    {{"quirello", "-run"}, false},
        {{"quirello", "/R", "UN"}, false}, {{"quirello", "//RUN"}, false},
    };
    for (const auto& [arguments, startsShow] : cases)
        EXPECT_EQ(AsksForImmediateShow(ArgumentText(arguments)), startsShow)
            << arguments.join('|').toStdString();
    EXPECT_EQ(ArgumentText({}), "");
}

TEST(CommandLine, RunKeepsItsMeaningBeforeAFolderOfThatNameAndOptionsStandAlone) {
    testfiles::Sandbox box;
    QDir().mkpath(box.file("RUN"));
    EXPECT_TRUE(OpenRequestOf({"quirello", "RUN"}, box.path()).folder.isEmpty());
    EXPECT_EQ(OpenRequestOf({"quirello", "./RUN/"}, box.path()).folder, box.file("RUN"));

    EXPECT_EQ(ConsoleAnswer({"quirello", "--version"}), "Quirello 3.2.0\n");
    EXPECT_EQ(ConsoleAnswer({"quirello", "--help", "x"}), std::nullopt);
}
