// tests/uikit/LayoutLoaderTest.cpp
// Layout elements become widgets by type, keyed by id, with the attribute rules applied.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include "UiKitTestEnv.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/host/UiSdkWndBase.h"
#include "uikit/widget/LayoutLoader.h"
#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UILinkItem.h"
#include "uikit/widget/UIStaticItem.h"
#include "uikit/widget/UiBtnWithoutWnd.h"
#include "uikit/widget/UiItemFactory.h"
#include "uikit/widget/WidgetSupport.h"

using namespace UiCtrl;

namespace {

class LayoutLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { uikittest::UseTestResources(); }
    void TearDown() override { DeleteItems(items); }

    const TiXmlElement* Parse(const char* xml)
    {
        doc.Parse(xml);
        return doc.RootElement();
    }

    TiXmlDocument doc;
    UiItemMap items;
};

// Counts live widgets so that a replaced one can be seen freed.
struct CountedItem : UiItem {
    static int alive;
    CountedItem() { ++alive; }
    ~CountedItem() override { --alive; }
};
int CountedItem::alive = 0;

} // namespace

TEST_F(LayoutLoaderTest, ChildrenWithoutIdOrWithUnknownTypeMakeNothing)
{
    const TiXmlElement* window = Parse(
        "<W>"
        "  <Size width='300' height='200'/>"
        "  <I id='0' type='5'/>"
        "  <I id='7' type='12'/>"
        "  <I id='8' type='1'/>"
        "  <I id='9'/>"
        "  <I id='30' type='3' left='1' top='2' right='91' bottom='30' caption='ButtonText'/>"
        "  <I id='20' type='5' caption='StaticText'/>"
        "  <I id='10' type='7'/>"
        "</W>");
    EXPECT_EQ(LoadItemsFromElement(window, nullptr, items, CreateUiItem), 0);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items.begin()->first, 10);
    EXPECT_EQ(items[10]->GetType(), 7);
    EXPECT_EQ(items[20]->GetType(), 5);
    EXPECT_EQ(items[20]->GetLangKey(), "StaticText");
    EXPECT_EQ(items[30]->GetLangKey(), "ButtonText");
    RECT r;
    items[30]->GetRect(r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.bottom, 30);
    EXPECT_EQ(items[10]->GetLangKey(), "");
    EXPECT_EQ(LoadItemsFromElement(nullptr, nullptr, items, CreateUiItem), -1);
}

TEST_F(LayoutLoaderTest, EveryLayoutTypeMakesItsClass)
{
    const char* xml = "<W><I id='2' type='2'/><I id='3' type='3'/><I id='4' type='4'/>"
                      "<I id='5' type='5'/><I id='6' type='6'/><I id='7' type='7'/>"
                      "<I id='8' type='8'/><I id='9' type='9'/><I id='10' type='10'/>"
                      "<I id='11' type='11'/></W>";
    LoadItemsFromElement(Parse(xml), nullptr, items, CreateUiItem);
    ASSERT_EQ(items.size(), 10u);
    const char* names[] = {"UiCheckBtnWithoutWnd", "UiBtnWithoutWnd", "UILinkItem",
                           "UIStaticItem", "UIPicButton", "UiCheckBtn", "UIFilterTypeItem",
                           "UIImgButton", "UiImgCheckBtn", "UiImgTextBtn"};
    for (int type = 2; type <= 11; ++type) {
        EXPECT_NE(std::string(typeid(*items[type]).name()).find(names[type - 2]),
                  std::string::npos)
            << type;
        EXPECT_EQ(items[type]->GetId(), type);
    }
}

TEST_F(LayoutLoaderTest, RepeatedIdReplacesAndFreesTheEarlierWidget)
{
    const TiXmlElement* window = Parse("<W><I id='4' type='5'/><I id='4' type='5'/>"
                                       "<I id='5' type='5'/></W>");
    CountedItem::alive = 0;
    auto make = [](int, int) -> UiItem* { return new CountedItem(); };
    LoadItemsFromElement(window, nullptr, items, make);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(CountedItem::alive, 2);
    // Loading the same layout again frees what it replaces too.
    LoadItemsFromElement(window, nullptr, items, make);
    EXPECT_EQ(CountedItem::alive, 2);
    DeleteItems(items);
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST_F(LayoutLoaderTest, PushButtonStyleComesFromUserDefine)
{
    LoadItemsFromElement(Parse("<W><I id='1' type='3' dUserDefine='5'/>"
                               "<I id='2' type='3' dUserDefine='2'/><I id='3' type='3'/></W>"),
                         nullptr, items, CreateUiItem);
    EXPECT_EQ(static_cast<UiBtnWithoutWnd*>(items[1])->GetStyle(), 1);
    EXPECT_EQ(static_cast<UiBtnWithoutWnd*>(items[2])->GetStyle(), 2);
    EXPECT_EQ(static_cast<UiBtnWithoutWnd*>(items[3])->GetStyle(), 0);
}

TEST_F(LayoutLoaderTest, LinkShowsItsAddressWithoutCaptionAndMaxRightCutsIt)
{
    WritePrivateProfileStringW(L"string", L"HelpAddress", L"https://help.invalid/duplicates",
                               ResourceHelper::Instance().GetLanguagePath().c_str());
    LoadItemsFromElement(Parse("<W><I id='1' type='4' left='10' top='0' right='900' bottom='20'"
                               " url='HelpAddress'/>"
                               "<I id='2' type='4' left='10' top='0' right='900' bottom='20'"
                               " url='HelpAddress' MaxRight='60'/></W>"),
                         nullptr, items, CreateUiItem);
    auto* link = static_cast<UILinkItem*>(items[1]);
    EXPECT_EQ(link->GetCaption(), "https://help.invalid/duplicates");
    RECT r;
    link->GetRect(r);
    EXPECT_EQ(r.right - r.left, MeasureTextWidth(link->GetCaption(), 16, 500, true));
    EXPECT_GT(r.right, 60);
    items[2]->GetRect(r);
    EXPECT_EQ(r.right, 60);
}

TEST_F(LayoutLoaderTest, StaticTextWidthFollowsItsText)
{
    LoadItemsFromElement(Parse("<W><I id='1' type='5' left='100' top='0' right='101' bottom='20'"
                               " caption='StaticText'/></W>"),
                         nullptr, items, CreateUiItem);
    auto* text = static_cast<UIStaticItem*>(items[1]);
    RECT r;
    text->GetRect(r);
    const int width = MeasureTextWidth("Location: C:\\Pictures", 16, 400, false);
    EXPECT_GT(width, 50);
    EXPECT_EQ(r.right, 100 + width);
    text->SetText("ab");
    text->GetRect(r);
    EXPECT_EQ(r.right, 100 + MeasureTextWidth("ab", 16, 400, false));
    EXPECT_EQ(text->GetTextRect().right, r.right);
}

TEST_F(LayoutLoaderTest, FileKindRowShowsTheUserListAndKeepsIt)
{
    const char* xml = "<W><I id='100' type='8' left='0' top='0' right='300' bottom='30'"
                      " Maincaption='KindPhoto' caption='PhotoDesc'/></W>";
    LoadItemsFromElement(Parse(xml), nullptr, items, CreateUiItem);
    auto* row = static_cast<UIFilterTypeItem*>(items[100]);
    EXPECT_EQ(row->GetKindName(), "Photo");
    EXPECT_EQ(row->GetCaptionText(), ".jpg;.png;.gif;.bmp");
    EXPECT_EQ(row->GetUserText(), "");
    EXPECT_TRUE(row->IsChecked());
    row->SetUserText(".heic;.webp");
    EXPECT_EQ(GetUserLangString("PhotoDescUser"), ".heic;.webp");
    // A language change brings new names.
    const std::wstring language = ResourceHelper::Instance().GetLanguagePath();
    WritePrivateProfileStringW(L"string", L"KindPhoto", L"Fotos", language.c_str());
    WritePrivateProfileStringW(L"string", L"PhotoDesc", L".jpg;.jpeg", language.c_str());
    row->ReloadText();
    EXPECT_EQ(row->GetKindName(), "Fotos");
    EXPECT_EQ(row->GetCaptionText(), ".jpg;.jpeg");
    EXPECT_EQ(row->GetUserText(), ".heic;.webp");
    // A row built later (after a restart) reads the user's list back.
    DeleteItems(items);
    LoadItemsFromElement(Parse(xml), nullptr, items, CreateUiItem);
    EXPECT_EQ(static_cast<UIFilterTypeItem*>(items[100])->GetUserText(), ".heic;.webp");
}

TEST_F(LayoutLoaderTest, LoadLayoutFindsTheWindowElementByName)
{
    EXPECT_EQ(UiSdkWndBase::LoadLayout("NoSuchWindow", nullptr, items), -1);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(UiSdkWndBase::LoadLayout("Gallery", nullptr, items), 0);
    // Twelve rows of four states, a checked one for the six check rows, 19 labels.
    EXPECT_EQ(items.size(), 12u * 4 + 6 + 19);
}
