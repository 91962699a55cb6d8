// uikit/controls/PieSlices.cpp
#include "uikit/controls/PieSlices.h"

#include <math.h>
#include <vector>


PieSlice* PieSlices::Add(int id, const std::string& name, const std::string& description,
                         double value, uint32_t color)
{
    if (name.empty() || Has(name) || !(value > 0.0) || isinf(value))
        return nullptr;
    std::unique_ptr<PieSlice> slice(new PieSlice);
    slice->id = id;
    slice->name = name;
    slice->description = description;
    slice->value = value;
    slice->color = color;
    slice->secondColor = color;
    slice->lightColor = LightenColor(color, slice->lightFactor);
    int key = Count();
    slice->index = key;
    PieSlice* added = slice.get();
    m_slices[key] = std::move(slice);
    m_total += value;
    UpdateShares();
    Changed();
    return added;
}

PieSlice* PieSlices::Find(const std::string& name) const
{
    for (const auto& entry : m_slices)
        if (entry.second->name == name)
            return entry.second.get();
    return nullptr;
}

int PieSlices::IndexOf(const std::string& name) const
{
    const PieSlice* slice = Find(name);
    return slice ? slice->index : -1;
}

bool PieSlices::RemoveByKey(int key)
{
    auto found = m_slices.find(key);
    if (found == m_slices.end())
        return false;
    m_total -= found->second->value;
    m_slices.erase(found);
    if (m_slices.empty())
        m_total = 0.0;   // no rounding rest without slices
    Rekey();
    UpdateShares();
    Changed();
    return true;
}

bool PieSlices::Remove(const std::string& name)
{
    for (const auto& entry : m_slices)
        if (entry.second->name == name)
            return RemoveByKey(entry.first);
    return false;
}

bool PieSlices::SetValue(PieSlice* slice, double value)
{
    if (!slice || !(value > 0.0) || isinf(value))
        return false;
    m_total += value - slice->value;
    slice->value = value;
    UpdateShares();
    Changed();
    return true;
}

void PieSlices::SetColor(PieSlice* slice, uint32_t color)
{
    if (!slice)
        return;
    slice->color = slice->secondColor = color;
    slice->lightColor = LightenColor(color, slice->lightFactor);
    Changed();
}

void PieSlices::SetDescription(PieSlice* slice, const std::string& text)
{
    if (!slice)
        return;
    slice->description = text;
    Changed();
}

void PieSlices::SetLightFactor(PieSlice* slice, float factor)
{
    if (!slice)
        return;
    slice->lightFactor = factor;
    slice->lightColor = LightenColor(slice->color, factor);
    Changed();
}

void PieSlices::SetAllLightFactors(float factor)
{
    for (auto& entry : m_slices) {
        entry.second->lightFactor = factor;
        entry.second->lightColor = LightenColor(entry.second->color, factor);
    }
    Changed();
}

void PieSlices::SetDarkFactor(PieSlice* slice, float factor)
{
    if (!slice)
        return;
    slice->darkFactor = factor;
    slice->secondColor = DarkenColor(slice->color, factor);
    Changed();
}

void PieSlices::SetAllDarkFactors(float factor)
{
    for (auto& entry : m_slices) {
        entry.second->darkFactor = factor;
        entry.second->secondColor = DarkenColor(entry.second->color, factor);
    }
    Changed();
}

PieSlice* PieSlices::Selected() const
{
    for (const auto& entry : m_slices)
        if (entry.second->selected)
            return entry.second.get();
    return nullptr;
}

void PieSlices::UpdateShares()
{
    if (!(m_total > 0.0))
        return;
    for (auto& entry : m_slices) {
        entry.second->share = static_cast<float>(entry.second->value / m_total);
        entry.second->sweep = entry.second->share * 360.0f;
        entry.second->tiltedSweep = entry.second->sweep;
    }
}

void PieSlices::Rekey()
{
    std::map<int, std::unique_ptr<PieSlice>> rekeyed;
    int key = 0;
    for (auto& entry : m_slices)
        rekeyed[key++] = std::move(entry.second);
    m_slices.swap(rekeyed);
}

template <class Better> void PieSlices::SortBy(Better better)
{
    std::vector<std::unique_ptr<PieSlice>> rest;
    for (auto& entry : m_slices)
        rest.push_back(std::move(entry.second));
    m_slices.clear();
    int key = 0;
    while (!rest.empty()) {
        size_t best = 0;
        // An equal slice later in key order replaces the best so far.
        for (size_t i = 1; i < rest.size(); ++i)
            if (!better(*rest[best], *rest[i]))
                best = i;
        m_slices[key++] = std::move(rest[best]);
        rest.erase(rest.begin() + best);
    }
}

void PieSlices::SortByValue(bool descending)
{
    if (descending)
        SortBy([](const PieSlice& a, const PieSlice& b) { return a.value > b.value; });
    else
        SortBy([](const PieSlice& a, const PieSlice& b) { return a.value < b.value; });
    Changed();
}

void PieSlices::SortByIndex()
{
    SortBy([](const PieSlice& a, const PieSlice& b) { return a.index < b.index; });
    Changed();
}
