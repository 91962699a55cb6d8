// ui/main/MenuPlan.cpp
#include "ui/main/MenuPlan.h"

#include <windows.h>
#include <string.h>
#include <tinyxml.h>

#include "uikit/widget/LayoutAttr.h"

MenuPlan BuildMenuPlan(const TiXmlElement* menuItem, bool canSwitchLanguage,
                       int currentLanguage, const MenuTexts& texts)
{
    MenuPlan plan;
    if (!menuItem)
        return plan;
    for (const TiXmlElement* child = menuItem->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const char* name = child->Value();
        if (name && strstr(name, "Language")) {
            // Without the switch the element is no entry at all.
            if (!canSwitchLanguage)
                continue;
            MenuPlanEntry submenu;
            submenu.isLanguageMenu = true;
            submenu.text = texts.text(name);
            submenu.iconId = UiCtrl::ReadIntAttr(child, "iconId");
            for (const TiXmlElement* language = child->FirstChildElement(); language;
                 language = language->NextSiblingElement()) {
                const int id = UiCtrl::ReadIntAttr(language, "Id");
                const char* caption = language->Attribute("caption");
                const char* file = language->Attribute("file");
                // An entry must be a language id with a file: any other id would be taken
                // for a menu command, and a missing file would be saved as the choice.
                if (id < kFirstLanguageId || id > kLastLanguageId || !caption || !file || !*file)
                    continue;
                MenuPlanEntry entry;
                entry.id = id;
                entry.wideText = texts.wide(caption);
                // The id, not the place in the list, is the language's number: entries that
                // are skipped must not shift the check mark onto another language.
                if (id - kFirstLanguageId == currentLanguage) {
                    entry.flags = MF_CHECKED | MF_GRAYED;
                } else if (texts.showable && !texts.showable(file)) {
                    // Offered greyed, with the reason, rather than turning every text to "?".
                    entry.unshowable = true;
                    entry.flags = MF_GRAYED;
                    // Its own name is in the very characters that cannot show: name it
                    // in the current language instead.
                    const std::wstring here = texts.wide((std::string(caption) + "Here").c_str());
                    if (!here.empty())
                        entry.wideText = here;
                    std::wstring reason = texts.wide("LanguageNeedsCodePage");
                    const size_t at = reason.find(L"%s");
                    if (at != std::wstring::npos)
                        entry.wideText = reason.replace(at, 2, entry.wideText);
                }
                plan.languageFiles.push_back(file);
                submenu.languages.push_back(entry);
            }
            plan.entries.push_back(submenu);
            continue;
        }
        const int id = UiCtrl::ReadIntAttr(child, "Id");
        const char* caption = child->Attribute("caption");
        if (!id || !caption)
            continue;
        MenuPlanEntry entry;
        entry.id = id;
        entry.text = texts.text(caption);
        entry.iconId = UiCtrl::ReadIntAttr(child, "iconId");
        plan.entries.push_back(entry);
    }
    return plan;
}

int LanguageIndexOfMenuId(const MenuPlan& plan, int id)
{
    for (const MenuPlanEntry& entry : plan.entries) {
        if (!entry.isLanguageMenu)
            continue;
        for (const MenuPlanEntry& language : entry.languages)
            if (language.id == id)
                return language.unshowable ? -1 : id - kFirstLanguageId;
    }
    return -1;
}

const char* LanguageFileOfMenuId(const MenuPlan& plan, int id)
{
    size_t place = 0;
    for (const MenuPlanEntry& entry : plan.entries) {
        if (!entry.isLanguageMenu)
            continue;
        for (const MenuPlanEntry& language : entry.languages) {
            if (language.id == id)
                return plan.languageFiles[place].c_str();
            ++place;
        }
    }
    return nullptr;
}
