// uikit/controls/PieSlices.h
// The slices of a pie chart: values, shares, names, keys and order. No window here.
#pragma once
#include <stdint.h>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "uikit/controls/PieGeometry.h"

struct PieSlice
{
    double value = 0.0;
    float share = 0.0f;       // 0..1
    float sweep = 0.0f;       // degrees
    float lightFactor = 120.0f;
    float darkFactor = 10.0f;
    uint32_t lightColor = 0;
    uint32_t secondColor = 0;
    uint32_t color = 0;
    std::string description;
    std::string name;         // unique within the chart
    int index = 0;            // slice count when it was added
    bool selected = false;
    int id = 0;               // the caller's value, reported on a click
    float tiltedSweep = 0.0f; // degrees on the tilted top face
    PiePoint endPoint = {0.0f, 0.0f};
    // The visible side wall of the last tilted paint, for clicks: one polygon per piece.
    std::vector<std::vector<PiePoint>> wallOutline;
};

class PieSlices
{
public:
    // Null when the name is empty or taken, or the value is not above 0 (or not a number).
    PieSlice* Add(int id, const std::string& name, const std::string& description, double value,
                  uint32_t color);
    bool Has(const std::string& name) const { return Find(name) != nullptr; }
    PieSlice* Find(const std::string& name) const;
    int IndexOf(const std::string& name) const;
    // False when there is none; the rest are re-keyed 0, 1, 2 ... in their order.
    bool Remove(const std::string& name);
    bool RemoveByKey(int key);
    // False for a null slice or a value that is not above 0: a negative value would give
    // negative shares and a total that no longer matches the slices.
    bool SetValue(PieSlice* slice, double value);
    void SetColor(PieSlice* slice, uint32_t color);
    void SetDescription(PieSlice* slice, const std::string& text);
    void SetLightFactor(PieSlice* slice, float factor);
    void SetAllLightFactors(float factor);
    // The second colour (the far end of the slice's gradient) becomes the colour darkened by
    // the factor.
    void SetDarkFactor(PieSlice* slice, float factor);
    void SetAllDarkFactors(float factor);
    PieSlice* Selected() const;
    // Re-keys by value (ascending, or descending); among equal values the highest key first.
    void SortByValue(bool descending);
    void SortByIndex();

    int Count() const { return static_cast<int>(m_slices.size()); }
    double Total() const { return m_total; }
    const std::map<int, std::unique_ptr<PieSlice>>& ByKey() const { return m_slices; }
    // Called after every change of values, names, colours, order or the set of slices (the
    // chart repaints and lays its legend out again).
    void SetOnChanged(std::function<void()> onChanged) { m_onChanged = std::move(onChanged); }

private:
    void UpdateShares();
    void Rekey();
    template <class Better> void SortBy(Better better);
    void Changed() { if (m_onChanged) m_onChanged(); }

    std::map<int, std::unique_ptr<PieSlice>> m_slices;
    double m_total = 0.0;
    std::function<void()> m_onChanged;
};
