#include "values/sDB_time.h"

#include "framework/core/Exception.h"

#include <gtest/gtest.h>
#include <string>

using namespace vexo;

TEST(sDB_timeTest, SetTextReadsFixedCharacterPositions) {
    const struct {
        std::string text;
        int hour, minute;
    } cases[] = {
        {"09:05", 9, 5},
        {"", 0, 0},
        {"9:05", 9, 5},
        {"0905", 9, 5},
        {"09:05:30", 9, 5},
        {"ab:cd", 0, 0},
        {"-1:-5", -1, -5},
        {"23", 23, 0},
        {"09é05", 9, 5},
        {"é9:05", 0, 5},
        {"\xff"
         "9:05",
         0, 5},
        {"12:34567890123", 12, 34567890}, // cut at eleven characters
    };
    for (const auto& c : cases) {
        sDB_time time(7, 7);
        time.setText(c.text);
        EXPECT_EQ(time.hour, c.hour) << c.text;
        EXPECT_EQ(time.minute, c.minute) << c.text;
    }
}

TEST(sDB_timeTest, TextFormsAndMinutes) {
    const struct {
        int hour, minute;
        const char* text;
        int minutes;
    } cases[] = {
        {9, 5, "09:05", 545},  {0, 0, "00:00", 0},       {23, 59, "23:59", 1439},
        {-1, 5, "-1:05", -55}, {100, 0, "100:00", 6000},
    };
    for (const auto& c : cases) {
        const sDB_time time(c.hour, c.minute);
        EXPECT_EQ(time.text(), c.text);
        EXPECT_EQ(time.minutes(), c.minutes) << c.text;
    }
    EXPECT_EQ(sDB_time(9, 5).sqlQuoted(), "'09:05'");
}

TEST(sDB_timeTest, NeverEmpty) {
    sDB_time time(9, 5);
    time.clear();
    EXPECT_EQ(time.text(), "00:00");
    EXPECT_FALSE(time.isEmpty());
    EXPECT_FALSE(sDB_time().isEmpty());
}

TEST(sDB_timeTest, FormatGoesThroughTheFrameworkAndRejectsImpossibleTimes) {
    EXPECT_EQ(sDB_time(9, 5).format("hh:nn"), "09:05");
    EXPECT_EQ(sDB_time(23, 0).format("h:nn"), "23:00");
    EXPECT_THROW(sDB_time(24, 0).format("hh:nn"), EConvertError);
    EXPECT_THROW(sDB_time(9, 60).format("hh:nn"), EConvertError);
    EXPECT_THROW(sDB_time(-1, 0).format("hh:nn"), EConvertError);
}
