// tests/uikit/controls/PieSlicesTest.cpp
#include <gtest/gtest.h>
#include <math.h>

#include <functional>

#include "uikit/controls/PieSlices.h"

namespace {

std::string Order(const PieSlices& slices)
{
    std::string names;
    for (const auto& entry : slices.ByKey())
        names += entry.second->name;
    return names;
}

TEST(PieSlices, AddRefusesEmptyTakenAndNonPositive)
{
    PieSlices slices;
    EXPECT_NE(slices.Add(1, "a", "Photos", 30, 0xFF0000FF), nullptr);
    EXPECT_EQ(slices.Add(2, "", "x", 10, 0), nullptr);
    EXPECT_EQ(slices.Add(2, "a", "x", 10, 0), nullptr);
    EXPECT_EQ(slices.Add(2, "b", "x", 0, 0), nullptr);
    EXPECT_EQ(slices.Add(2, "b", "x", -5, 0), nullptr);
    EXPECT_EQ(slices.Add(2, "b", "x", NAN, 0), nullptr);
    EXPECT_EQ(slices.Count(), 1);
    PieSlice* b = slices.Add(7, "b", "Documents", 10, 0xFF00FF00);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->index, 1);
    EXPECT_EQ(b->secondColor, 0xFF00FF00u);
    EXPECT_EQ(b->lightColor, 0xFF78FF78u);
    EXPECT_DOUBLE_EQ(slices.Total(), 40);
    EXPECT_FLOAT_EQ(slices.Find("a")->share, 0.75f);
    EXPECT_FLOAT_EQ(b->sweep, 90.0f);
    EXPECT_EQ(slices.IndexOf("b"), 1);
    EXPECT_EQ(slices.IndexOf("zz"), -1);
}

TEST(PieSlices, RemoveRekeysAndKeepsTotalsTrue)
{
    PieSlices slices;
    slices.Add(1, "a", "Longest text", 10, 0);
    slices.Add(2, "b", "B", 20, 0);
    slices.Add(3, "c", "Cc", 30, 0);
    EXPECT_FALSE(slices.Remove("zz"));
    EXPECT_TRUE(slices.Remove("a"));
    EXPECT_EQ(Order(slices), "bc");
    EXPECT_EQ(slices.ByKey().begin()->first, 0);
    EXPECT_DOUBLE_EQ(slices.Total(), 50);
    EXPECT_FLOAT_EQ(slices.Find("b")->share, 0.4f);
    EXPECT_TRUE(slices.RemoveByKey(1));
    EXPECT_FALSE(slices.RemoveByKey(1));
    EXPECT_FLOAT_EQ(slices.Find("b")->sweep, 360.0f);
    // A new slice takes the next free key, not a key still in use.
    EXPECT_NE(slices.Add(4, "d", "", 5, 0), nullptr);
    EXPECT_EQ(Order(slices), "bd");
}

TEST(PieSlices, SetValueRefusesWhatWouldBreakShares)
{
    PieSlices slices;
    PieSlice* a = slices.Add(1, "a", "", 10, 0);
    slices.Add(2, "b", "", 30, 0);
    EXPECT_FALSE(slices.SetValue(nullptr, 5));
    EXPECT_FALSE(slices.SetValue(a, 0));
    EXPECT_FALSE(slices.SetValue(a, -20));
    EXPECT_FALSE(slices.SetValue(a, NAN));
    EXPECT_TRUE(slices.SetValue(a, 90));
    EXPECT_DOUBLE_EQ(slices.Total(), 120);
    EXPECT_FLOAT_EQ(a->share, 0.75f);
}

TEST(PieSlices, SortsStableTowardsHigherKeysAmongEquals)
{
    PieSlices slices;
    slices.Add(1, "a", "", 20, 0);
    slices.Add(2, "b", "", 10, 0);
    slices.Add(3, "c", "", 20, 0);
    slices.Add(4, "d", "", 5, 0);
    slices.SortByValue(false);
    EXPECT_EQ(Order(slices), "dbca");
    slices.SortByValue(true);
    EXPECT_EQ(Order(slices), "acbd");   // a was re-keyed after c, so it comes first now
    slices.SortByIndex();
    EXPECT_EQ(Order(slices), "abcd");
    EXPECT_EQ(slices.Find("c")->index, 2);
}

TEST(PieSlices, SelectionAndColours)
{
    PieSlices slices;
    PieSlice* a = slices.Add(1, "a", "", 1, 0xFF000000);
    PieSlice* b = slices.Add(2, "b", "", 1, 0xFF000000);
    EXPECT_EQ(slices.Selected(), nullptr);
    b->selected = true;
    EXPECT_EQ(slices.Selected(), b);
    slices.SetColor(a, 0xFF808080);
    EXPECT_EQ(a->secondColor, 0xFF808080u);
    slices.SetAllLightFactors(0);
    EXPECT_EQ(a->lightColor, 0xFF808080u);
    EXPECT_EQ(b->lightColor, 0xFF000000u);
    slices.SetDarkFactor(a, 255);
    EXPECT_EQ(a->secondColor, 0xFF000000u);
    EXPECT_FLOAT_EQ(a->darkFactor, 255);
    EXPECT_EQ(a->color, 0xFF808080u);
}

TEST(PieSlices, EveryChangeIsReported)
{
    PieSlices slices;
    int changes = 0;
    slices.SetOnChanged([&changes] { ++changes; });
    PieSlice* a = slices.Add(1, "a", "", 1, 0xFF000000);
    slices.Add(2, "a", "", 1, 0);   // refused: nothing to report
    struct Step { const char* what; std::function<void()> run; };
    const Step steps[] = {
        {"add", [&] { slices.Add(2, "b", "", 2, 0); }},
        {"value", [&] { slices.SetValue(a, 3); }},
        {"colour", [&] { slices.SetColor(a, 0xFF00FF00); }},
        {"description", [&] { slices.SetDescription(a, "longer"); }},
        {"light", [&] { slices.SetLightFactor(a, 10); }},
        {"dark", [&] { slices.SetAllDarkFactors(10); }},
        {"sort", [&] { slices.SortByValue(true); }},
        {"remove", [&] { slices.Remove("b"); }},
    };
    EXPECT_EQ(changes, 1);
    for (const Step& step : steps) {
        int before = changes;
        step.run();
        EXPECT_EQ(changes, before + 1) << step.what;
    }
    EXPECT_FLOAT_EQ(a->tiltedSweep, 360.0f);   // shares reset the tilted sweep too
}

}  // namespace
