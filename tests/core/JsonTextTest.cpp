// The page's JSON, written one way: texts quoted with every control character escaped, numbers
// that read back exactly, and the commas between members and items of nested objects and arrays.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "../../web/JsonText.h"

using namespace karven::web;

TEST(JsonText, TextsAreQuotedAndEveryControlCharacterEscaped) {
    EXPECT_EQ(Quoted("a\"b\\c\r\n\t\x01" "日本"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001日本\"");
    for (double v : {0.1, 1.0 / 3, 1e-300, 123456789.125, -0.0})
        EXPECT_EQ(std::strtod(Number(v).c_str(), nullptr), v) << Number(v);
    EXPECT_EQ(Number(0.5), "0.5");
    EXPECT_EQ(Number(std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonText, TheWriterPutsCommasBetweenMembersAndItemsAtEveryDepth) {
    JsonWriter w;
    w.Open('{');
    w.Str("a", "x");
    w.Key("list");
    w.Open('[');
    w.Item(1LL);
    w.RealItem(2.5);
    w.Open('{');
    w.Bool("on", true);
    w.Close('}');
    w.Item("t");
    w.Close(']');
    w.Real("n", 0.25);
    w.Close('}');
    EXPECT_EQ(w.out, "{\"a\":\"x\",\"list\":[1,2.5,{\"on\":true},\"t\"],\"n\":0.25}");
    EXPECT_EQ(JsonObject().Str("k", "v").Num("n", 3).Raw("r", "[1]").Bool("b", false).Text(),
              "{\"k\":\"v\",\"n\":3,\"r\":[1],\"b\":false}");
    EXPECT_EQ(JsonObject().Text(), "{}");
}
