// ui/main/MenuPlan.h
// The main dialog's popup menu, read from the layout element "MenuItem" without a window:
// the entries in document order, and the language submenu when switching is allowed.
#pragma once
#include <functional>
#include <string>
#include <vector>

class TiXmlElement;

// Menu ids the dialog acts on; language entries are kFirstLanguageId + index.
enum {
    kMenuAbout = 1,
    kMenuHelp = 2,
    kMenuCheckUpdate = 8,
    kFirstLanguageId = 100,
    kLastLanguageId = 199,
};

struct MenuPlanEntry {
    int id = 0;
    std::string text;          // top-level entries: ANSI text of the caption key
    std::wstring wideText;     // language entries: their own name, as the file has it
    unsigned flags = 0;        // MF_CHECKED | MF_GRAYED for the current language; MF_GRAYED
                               // for one whose characters the system cannot show
    bool unshowable = false;   // its texts would all come out as "?": it cannot be chosen
    int iconId = 0;            // bitmap resource shown beside the entry, 0 for none
    bool isLanguageMenu = false;
    std::vector<MenuPlanEntry> languages;  // the submenu's entries
};

struct MenuPlan {
    std::vector<MenuPlanEntry> entries;
    std::vector<std::string> languageFiles;  // in submenu order, over every language menu
};

struct MenuTexts {
    std::function<std::string(const char* key)> text;    // a key of the current language
    std::function<std::wstring(const char* key)> wide;   // the same key, read as UTF-16
    // Whether the texts of a language file can be shown in the system's code page; every
    // language can when unset.
    std::function<bool(const char* file)> showable;
};

// currentLanguage: the index whose entry is checked and greyed.
MenuPlan BuildMenuPlan(const TiXmlElement* menuItem, bool canSwitchLanguage,
                       int currentLanguage, const MenuTexts& texts);

// The language file of menu id, or null when the id names no entry of the plan.
const char* LanguageFileOfMenuId(const MenuPlan& plan, int id);
// The language number of menu id (id - kFirstLanguageId) when the plan has that entry and
// it can be shown, or -1.
int LanguageIndexOfMenuId(const MenuPlan& plan, int id);
