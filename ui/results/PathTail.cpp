// ui/results/PathTail.cpp
#include "ui/results/PathTail.h"

std::string PathTail(const std::string& path, int width, const std::function<int(const std::string&)>& measure)
{
    if (measure(path) <= width)
        return path;
    // The longest tail of whole folders that fits.
    for (size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
        const std::string tail = "...\\" + path.substr(slash + 1);
        if (measure(tail) <= width)
            return tail;
    }
    // Not even the name: its end, behind the dots.
    const size_t last = path.rfind('\\');
    const std::string name = last == std::string::npos ? path : path.substr(last + 1);
    for (size_t cut = 1; cut < name.size(); ++cut) {
        const std::string tail = "..." + name.substr(cut);
        if (measure(tail) <= width)
            return tail;
    }
    return "...";
}
