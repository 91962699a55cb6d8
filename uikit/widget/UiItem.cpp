// uikit/widget/UiItem.cpp
#include "uikit/widget/UiItem.h"

#include <windowsx.h>

namespace UiCtrl {

UiItem::UiItem() = default;
UiItem::~UiItem() = default;

int UiItem::Draw(HDC) { return 0; }

bool UiItem::SetState(int state, INT_PTR)
{
    state_ = state;
    return false;
}

int UiItem::GetState() { return state_; }

void UiItem::Enable(int enabled)
{
    enabled_ = enabled;
    state_ = enabled ? kStateNormal : kStateDisabled;
}

bool UiItem::Create(HWND owner, int id, int type, int left, int top, int right, int bottom)
{
    StoreFrame(owner, id, left, top, right, bottom);
    type_ = type;
    return false;
}

bool UiItem::LoadFromXml(HWND, int, int, int, int, int, const TiXmlElement*) { return false; }

int UiItem::OnMouseLBtnDown(WPARAM, LPARAM) { return 0; }
int UiItem::OnMouseLBtnUp(WPARAM, LPARAM) { return 0; }
int UiItem::OnMouseMove(WPARAM, LPARAM) { return 0; }

void UiItem::SetRect(const RECT& rect) { rect_ = rect; }
void UiItem::GetRect(RECT& out) { out = rect_; }
void UiItem::SetVisible(int visible) { visible_ = visible; }
int UiItem::IsVisible() { return visible_; }

bool UiItem::SetName(const std::string& name)
{
    name_ = name;
    return true;
}

std::string UiItem::GetName() { return name_; }

bool UiItem::ReloadText() { return false; }

void UiItem::StoreFrame(HWND owner, int id, int left, int top, int right, int bottom)
{
    owner_ = owner;
    id_ = id;
    rect_ = {left, top, right, bottom};
}

void UiItem::PostCommand(LPARAM value) const
{
    if (owner_)
        PostMessageA(owner_, WM_COMMAND, static_cast<WPARAM>(id_), value);
}

void UiItem::InvalidateSelf() const
{
    if (owner_)
        InvalidateRect(owner_, &rect_, FALSE);
}

void DeleteItems(UiItemMap& items)
{
    for (auto& entry : items)
        delete entry.second;
    items.clear();
}

POINT CursorFromLParam(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace UiCtrl
