#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentCase {
    QStringList arguments; // as the process receives them, program name first
    bool startsShow;
};

TEST(CommandLine, OnlyTheWholeWordRunInAnyCaseStartsTheShow) {
    const ArgumentCase cases[] = {
        {{"quirello", "/RUN"}, true},      {{"quirello", "RUN"}, true},
        {{"quirello", "run"}, true},       {{"quirello", "/Run"}, true},
        {{"quirello", "/rUn"}, true},      {{"quirello"}, false},
        {{"quirello", ""}, false},         {{"quirello", "RUN", "x"}, false},
        {{"quirello", "x", "RUN"}, false}, {{"quirello", "/RUNX"}, false},
        {{"quirello", "-run"}, false},     {{"quirello", " RUN"}, false},
        {{"quirello", "/R", "UN"}, false}, {{"quirello", "//RUN"}, false},
    };
    for (const ArgumentCase& c : cases)
        EXPECT_EQ(AsksForImmediateShow(ArgumentText(c.arguments)), c.startsShow)
            << c.arguments.join('|').toStdString();
}

TEST(CommandLine, ArgumentTextIsEverythingAfterTheProgramJoinedByBlanks) {
    EXPECT_EQ(ArgumentText({"/opt/q/quirello"}), "");
    EXPECT_EQ(ArgumentText({}), "");
    EXPECT_EQ(ArgumentText({"quirello", "/RUN"}), "/RUN");
    // Two words are not the word alone, even though each is.
    EXPECT_EQ(ArgumentText({"quirello", "RUN", "RUN"}), "RUN RUN");
}

} // namespace
