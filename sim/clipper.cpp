#include "sim/clipper.h"

#include <vector>

#include "sim/com.h"

namespace sim {

// Takes rect out of region.
static void Subtract(HRGN region, const RECT &rect)
{
    HRGN cut = CreateRectRgnIndirect(&rect);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
}

HRGN VisibleClientRegion(HWND hwnd)
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    RECT client = {};
    if (top && !IsIconic(top) && IsWindowVisible(hwnd)) {
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, NULL, (POINT *)&client, 2);
    }
    RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&client, &client, &screen);
    HRGN region = CreateRectRgnIndirect(&client);
    for (HWND above = top ? GetWindow(top, GW_HWNDPREV) : NULL; above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT window;
        if (IsWindowVisible(above) && GetWindowRect(above, &window))
            Subtract(region, window);
    }
    return region;
}

// The region as RGNDATA, its bound and rectangles; with lpLimit, only
// what lies inside that.
static std::vector<BYTE> RegionData(HWND hwnd, const RECT *lpLimit)
{
    HRGN region = VisibleClientRegion(hwnd);
    if (lpLimit) {
        HRGN limit = CreateRectRgnIndirect(lpLimit);
        CombineRgn(region, region, limit, RGN_AND);
        DeleteObject(limit);
    }
    std::vector<BYTE> data(GetRegionData(region, 0, NULL));
    GetRegionData(region, (DWORD)data.size(), (RGNDATA *)data.data());
    DeleteObject(region);
    return data;
}

class Clipper : public ComObject<IDirectDrawClipper> {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) override
    {
        *ppvObject = NULL;
        if (riid == IID_IUnknown || riid == IID_IDirectDrawClipper)
            return Give(ppvObject);
        return E_NOINTERFACE;
    }
    STDMETHOD(GetClipList)(LPRECT lpRect, LPRGNDATA lpClipList, LPDWORD lpdwSize) override
    {
        if (!hwnd_)
            return DDERR_NOCLIPLIST;
        if (!lpdwSize)
            return DDERR_INVALIDPARAMS;
        std::vector<BYTE> data = RegionData(hwnd_, lpRect);
        DWORD needed = (DWORD)data.size();
        if (lpClipList && *lpdwSize < needed)
            return DDERR_REGIONTOOSMALL;
        *lpdwSize = needed;
        if (lpClipList) {
            CopyMemory(lpClipList, data.data(), needed);
            given_ = data;
        }
        return DD_OK;
    }
    STDMETHOD(GetHWnd)(HWND *lphWnd) override
    {
        *lphWnd = hwnd_;
        return DD_OK;
    }
    STDMETHOD(Initialize)(LPDIRECTDRAW, DWORD) override { return DDERR_ALREADYINITIALIZED; }
    // Changed: the window's visible region is no longer the one last handed out.
    STDMETHOD(IsClipListChanged)(WINBOOL *lpbChanged) override
    {
        *lpbChanged = hwnd_ && RegionData(hwnd_, NULL) != given_;
        return DD_OK;
    }
    STDMETHOD(SetClipList)(LPRGNDATA, DWORD) override { return DDERR_CLIPPERISUSINGHWND; }
    STDMETHOD(SetHWnd)(DWORD, HWND hwnd) override
    {
        hwnd_ = hwnd;
        given_.clear();
        return DD_OK;
    }

private:
    HWND hwnd_ = NULL;
    std::vector<BYTE> given_;   // the clip list last handed out
};

IDirectDrawClipper *NewClipper()
{
    return new Clipper();
}

}  // namespace sim
