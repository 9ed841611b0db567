#pragma once

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <QSize>
#include <QString>
#include <regex>
#include <string>
#include <type_traits>

// Readable values in failures and in the names of rows.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << 'x' << size.height();
}

// A row's name in the test's name: its number, then its printed values with every run of other
// characters than letters and digits made one '_' (gtest takes no others), so that a failing row
// says which it is. A row with a `name` is named by it; one gtest can only print as bytes keeps
// its number alone.
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        // Not a text's address, which changes from run to run, nor the text's second printing.
        std::string row = ::testing::PrintToString(info.param);
        if constexpr (requires { info.param.name; })
            row = info.param.name;
        row = std::regex_replace(row.substr(0, row.find('\n')), std::regex("0x\\w+ pointing to "),
                                 "");
        if (row.find("-byte object") != std::string::npos)
            row.clear();
        std::string name = std::regex_replace("row" + std::to_string(info.index) + ' ' + row,
                                              std::regex("[^A-Za-z0-9]+"), "_");
        name.resize(std::min<size_t>(name.size(), 48));
        return name.back() == '_' ? name.substr(0, name.size() - 1) : name;
    }
};

// One test for each row of `table`, which the body reads with GetParam():
//   TABLE_TEST(Suite, Name, table) { const auto& [text, value] = GetParam(); ... }
#define TABLE_TEST(Suite, Name, table)                                                             \
    struct Suite : ::testing::TestWithParam<std::remove_cvref_t<decltype(*std::begin(table))>> {}; \
    INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(table), RowName());                  \
    TEST_P(Suite, Name)
