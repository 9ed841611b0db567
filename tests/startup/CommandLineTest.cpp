#include "startup/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, OnlyTheWholeWordRunInAnyCaseStartsTheShow) {
    const struct {
        QStringList arguments; // as the process receives them, program name first
        bool startsShow;
    } cases[] = {
        {{"quirello", "/RUN"}, true},      {{"quirello", "run"}, true},
        {{"quirello", "/rUn"}, true},      {{"quirello"}, false},
        {{"quirello", "RUN", "x"}, false}, {{"quirello", "RUN", "RUN"}, false},
        {{"quirello", "/RUNX"}, false},    {{"quirello", "-run"}, false},
        {{"quirello", "/R", "UN"}, false}, {{"quirello", "//RUN"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AsksForImmediateShow(ArgumentText(c.arguments)), c.startsShow)
            << c.arguments.join('|').toStdString();
    EXPECT_EQ(ArgumentText({}), "");
}

} // namespace
