#include "startup/CommandLine.h"
#include "support/Rows.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>

// The arguments as the process receives them, program name first.
const std::pair<QStringList, bool> runWords[] = {
    {{"quirello", "/RUN"}, true},      {{"quirello", "run"}, true},
    {{"quirello", "/rUn"}, true},      {{"quirello"}, false},
    {{"quirello", "RUN", "x"}, false}, {{"quirello", "RUN", "RUN"}, false},
    {{"quirello", "/RUNX"}, false},    {{"quirello", "-run"}, false},
    {{"quirello", "/R", "UN"}, false}, {{"quirello", "//RUN"}, false}};
TABLE_TEST(RunWord, OnlyTheWholeWordRunInAnyCaseStartsTheShow, runWords) {
    EXPECT_EQ(AsksForImmediateShow(ArgumentText(GetParam().first)), GetParam().second);
}

TEST(CommandLine, RunKeepsItsMeaningBeforeAFolderOfThatNameAndOptionsStandAlone) {
    testfiles::Sandbox box;
    QDir().mkpath(box.file("RUN"));
    EXPECT_TRUE(OpenRequestOf({"quirello", "RUN"}, box.path()).folder.isEmpty());
    EXPECT_EQ(OpenRequestOf({"quirello", "./RUN/"}, box.path()).folder, box.file("RUN"));

    EXPECT_EQ(ConsoleAnswer({"quirello", "--version"}), "Quirello 3.2.0\n");
    EXPECT_EQ(ConsoleAnswer({"quirello", "--help", "x"}), std::nullopt);
    EXPECT_EQ(ArgumentText({}), "");
}
