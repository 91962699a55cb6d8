// uikit/widget/UiItem.h
// The window-less widget: a rectangle in its host's client area that draws itself into the
// host's memory DC and reports clicks to its owner window by posted WM_COMMAND messages.
#pragma once
#include <windows.h>
#include <map>
#include <string>

class TiXmlElement;

namespace UiCtrl {

enum UiItemState { kStateNormal = 0, kStateHover = 1, kStatePressed = 2, kStateDisabled = 3 };

class UiItem {
public:
    UiItem();
    // Hosts delete their widgets through this base.
    virtual ~UiItem();

    virtual int Draw(HDC dc);
    // extra is free for a widget of a host that redraws at once (a caption button takes its
    // DC there); no widget here uses it.
    virtual bool SetState(int state, INT_PTR extra = 0);
    virtual int GetState();
    virtual void Enable(int enabled);
    virtual bool Create(HWND owner, int id, int type, int left, int top, int right, int bottom);
    // Every widget stores owner, id and rectangle first; false for a null element.
    virtual bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                             const TiXmlElement* element);
    // The host's WPARAM and LPARAM, unchanged: the cursor in client coordinates is in lParam.
    virtual int OnMouseLBtnDown(WPARAM wParam, LPARAM lParam);
    virtual int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam);
    virtual int OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void SetRect(const RECT& rect);
    virtual void GetRect(RECT& out);
    virtual void SetVisible(int visible);
    virtual int IsVisible();
    virtual bool SetName(const std::string& name);
    virtual std::string GetName();
    // Looks the caption up again after a language change; the result is not used by callers.
    virtual bool ReloadText();

    int GetId() const { return id_; }
    int GetType() const { return type_; }
    void SetType(int type) { type_ = type; }
    int IsEnabled() const { return enabled_; }
    HWND GetOwner() const { return owner_; }
    const RECT& Rect() const { return rect_; }
    const std::string& GetLangKey() const { return langKey_; }
    // The cursor the widget wants while the mouse is over it; null for the host's own.
    HCURSOR HoverCursor() const { return hoverCursor_; }
    void SetLangKey(const std::string& key) { langKey_ = key; }

protected:
    void StoreFrame(HWND owner, int id, int left, int top, int right, int bottom);
    // Widgets post, never send: the owner's handler may delete widgets.
    void PostCommand(LPARAM value) const;
    void InvalidateSelf() const;

    int state_ = kStateNormal;
    std::string name_;
    std::string langKey_;
    int id_ = 0;
    int type_ = 0;
    RECT rect_ = {0, 0, 0, 0};
    HWND owner_ = nullptr;
    int visible_ = 1;
    int enabled_ = 1;
    HCURSOR hoverCursor_ = nullptr;
};

// The widgets of one host by command id; ascending id order is the order of painting and
// hit testing. The host owns the widgets.
using UiItemMap = std::map<int, UiItem*>;

// Deletes every widget of the map and empties it.
void DeleteItems(UiItemMap& items);

// The cursor carried by a mouse message's lParam (signed client coordinates).
POINT CursorFromLParam(LPARAM lParam);

} // namespace UiCtrl
