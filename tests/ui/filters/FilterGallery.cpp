// tests/ui/filters/FilterGallery.cpp
// The filter dialogs as the screen shows them, for a person to look at:
// gallery/filters-<dialog>.png in the build folder (the size dialog with its unit list open),
// and gallery/filters-Deutsch-<dialog>.png in German.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "app/GdiplusSession.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "finder/FilterSettings.h"
#include "tests/support/GalleryCapture.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/filters/EditFileTypeItemDlg.h"
#include "ui/filters/FileNewTypeFilterWnd.h"
#include "ui/filters/FileSimilarFilterDlg.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "ui/filters/FilterFileSizeDlg.h"
#include "ui/filters/FilterFileTypeDlg.h"

using namespace dialogtest;

namespace {

// Put before every picture's name: "" in English, "Deutsch-" in German.
std::string g_languagePrefix;

std::wstring GalleryPath(const char* name)
{
    CreateDirectoryA(FILTER_GALLERY_DIR, nullptr);
    const std::string path =
        std::string(FILTER_GALLERY_DIR) + "/filters-" + g_languagePrefix + name + ".png";
    return std::wstring(path.begin(), path.end());
}

// Runs the dialog, lets prepare act on it, photographs it once painted and ends it.
bool Shoot(HomeBaseDialog& dlg, const char* name, std::function<void()> prepare = nullptr)
{
    bool saved = false;
    RunLater(300, [&] {
        if (prepare)
            prepare();
        RunLater(350, [&] {
            dlg.UpdateWindow();
            saved = SaveScreenArea(dlg.m_hWnd, GalleryPath(name));
            dlg.EndDialog(2);
        });
    });
    RunLater(6000, [&] { dlg.EndDialog(-99); });
    dlg.DoModal();
    CancelPending();
    return saved;
}

void ShootEveryDialog()
{
    FilterSettings settings;
    settings.typeList3.clear();
    settings.allTypes = 0;
    settings.typeList1 = ".jpg;";
    {
        FileNewTypeFilterWnd dlg(nullptr);
        dlg.SetFilterSettings(&settings);
        EXPECT_TRUE(Shoot(dlg, "kinds"));
    }
    settings.minimumSize = 1536;
    settings.maximumSize = 20LL << 20;
    {
        FilterFileSizeDlg dlg(nullptr);
        dlg.SetFilterSettings(&settings);
        EXPECT_TRUE(Shoot(dlg, "size", [&] { ClickClientItem(dlg, 103); }));
    }
    {
        FileSimilarFilterDlg dlg(nullptr);
        EXPECT_TRUE(Shoot(dlg, "precision"));
    }
    {
        // "900" refused: the box over the dialog gives the range.
        FileSimilarFilterDlg dlg(nullptr);
        bool saved = false;
        RunLater(300, [&] {
            SetWindowTextA(dlg.EditWindow(), "900");
            ClickClientItem(dlg, 100);
            RunLater(600, [&] {
                if (KVRMessageBox* box = FindOpenDialog<KVRMessageBox>()) {
                    box->UpdateWindow();
                    saved = SaveScreenArea(box->m_hWnd, GalleryPath("precision-refused"));
                    box->EndDialog(1);
                }
                RunLater(200, [&] { dlg.EndDialog(2); });
            });
        });
        RunLater(8000, [&] { dlg.EndDialog(-99); });
        dlg.DoModal();
        CancelPending();
        EXPECT_TRUE(saved);
    }
    {
        FilterFileTypeDlg dlg(nullptr);
        dlg.SetFilterSettings(&settings);
        EXPECT_TRUE(Shoot(dlg, "kinds-full",
                          [&] { PostMessageA(dlg.m_hWnd, WM_COMMAND, 102, 0); }));
    }
    {
        EditFileTypeItemDlg dlg(nullptr);
        dlg.SetCategory("Photo");
        EXPECT_TRUE(Shoot(dlg, "list-editor"));
    }
}

} // namespace

TEST(FilterGallery, EveryDialogInEnglishAndGerman)
{
    ASSERT_TRUE(EnsureGdiplus());
    const struct {
        int index;
        const char* prefix;
    } languages[] = {{0, ""}, {2, "Deutsch-"}};
    for (const auto& language : languages) {
        ASSERT_GT(ResourceHelper::Instance().SetLanguage(language.index,
                                                         LanguageFileOf(language.index)), 0);
        g_languagePrefix = language.prefix;
        ShootEveryDialog();
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
}
