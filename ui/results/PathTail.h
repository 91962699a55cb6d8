// ui/results/PathTail.h
// The end of a path that fits a width. Whole folders are cut from the front behind "...\",
// so the folders next to the name, which tell two copies apart, stay in sight.
#pragma once
#include <functional>
#include <string>

// measure: the width of a text as it will be drawn.
std::string PathTail(const std::string& path, int width, const std::function<int(const std::string&)>& measure);
