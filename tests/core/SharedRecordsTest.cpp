// A season's race records are shared between copies of it: a copy must still behave as a copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "season/SharedRecords.h"

using namespace karven;

TEST(SharedRecords, ACopyKeepsItsRecordsWhateverTheOriginalDoes) {
    SharedRecords<std::string> records(std::vector<std::string>{"a", "b", "c"});
    const SharedRecords<std::string> kept = records;
    EXPECT_EQ(&kept[1], &records[1]) << "shared, not copied";

    records.EraseIf([](const std::string& r) { return r == "b"; });
    records.push_back("d");
    EXPECT_EQ(records, (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(kept, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(records == kept);

    records.clear();
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept.back(), "c");
}

TEST(SharedRecords, EqualRecordsAreEqualWhetherSharedOrNot) {
    const SharedRecords<std::string> a(std::vector<std::string>{"x", "y"});
    const SharedRecords<std::string> b(std::vector<std::string>{"x", "y"});
    EXPECT_TRUE(a == b) << "separate records, equal contents";
    EXPECT_FALSE(a == SharedRecords<std::string>(std::vector<std::string>{"x"}));
    EXPECT_FALSE(a == SharedRecords<std::string>(std::vector<std::string>{"x", "z"}));
    const std::vector<std::string> back = a; // read as the vector it stands for
    EXPECT_EQ(back, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(std::count(a.begin(), a.end(), "y"), 1);
    EXPECT_EQ(a.end() - a.begin(), 2);
}
