// The DirectDraw video-port extension: the records, flags, GUIDs and the two
// interfaces IDDVideoPortContainer and IDirectDrawVideoPort, declared from
// the public DirectDraw documentation (field order and method order as
// documented there).
#pragma once

#include <windows.h>
#include <ddraw.h>

// The GUIDs are defined once, in ddguids.cpp.
// {6C142760-A733-11CE-A521-0020AF0BE560}
DEFINE_GUID(IID_IDDVideoPortContainer, 0x6C142760, 0xA733, 0x11CE, 0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60);
// {FCA326A0-DA60-11CF-9B06-00A0C903A3B8}
DEFINE_GUID(DDVPTYPE_CCIR656, 0xFCA326A0, 0xDA60, 0x11CF, 0x9B, 0x06, 0x00, 0xA0, 0xC9, 0x03, 0xA3, 0xB8);

typedef struct _DDVIDEOPORTCONNECT {
    DWORD dwSize;
    DWORD dwPortWidth;
    GUID guidTypeID;
    DWORD dwFlags;
    ULONG_PTR dwReserved1;
} DDVIDEOPORTCONNECT, *LPDDVIDEOPORTCONNECT;

typedef struct _DDVIDEOPORTCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMaxWidth;
    DWORD dwMaxVBIWidth;
    DWORD dwMaxHeight;
    DWORD dwVideoPortID;
    DWORD dwCaps;
    DWORD dwFX;
    DWORD dwNumAutoFlipSurfaces;
    DWORD dwAlignVideoPortBoundary;
    DWORD dwAlignVideoPortPrescaleWidth;
    DWORD dwAlignVideoPortCropBoundary;
    DWORD dwAlignVideoPortCropWidth;
    DWORD dwPreshrinkXStep;
    DWORD dwPreshrinkYStep;
    DWORD dwNumVBIAutoFlipSurfaces;
    DWORD dwNumPreferredAutoflip;
    WORD wNumFilterTapsX;
    WORD wNumFilterTapsY;
} DDVIDEOPORTCAPS, *LPDDVIDEOPORTCAPS;

typedef struct _DDVIDEOPORTDESC {
    DWORD dwSize;
    DWORD dwFieldWidth;
    DWORD dwVBIWidth;
    DWORD dwFieldHeight;
    DWORD dwMicrosecondsPerField;
    DWORD dwMaxPixelsPerSecond;
    DWORD dwVideoPortID;
    DWORD dwReserved1;
    DDVIDEOPORTCONNECT VideoPortType;
    ULONG_PTR dwReserved2;
    ULONG_PTR dwReserved3;
} DDVIDEOPORTDESC, *LPDDVIDEOPORTDESC;

typedef struct _DDVIDEOPORTINFO {
    DWORD dwSize;
    DWORD dwOriginX;
    DWORD dwOriginY;
    DWORD dwVPFlags;
    RECT rCrop;
    DWORD dwPrescaleWidth;
    DWORD dwPrescaleHeight;
    LPDDPIXELFORMAT lpddpfInputFormat;
    LPDDPIXELFORMAT lpddpfVBIInputFormat;
    LPDDPIXELFORMAT lpddpfVBIOutputFormat;
    DWORD dwVBIHeight;
    ULONG_PTR dwReserved1;
    ULONG_PTR dwReserved2;
} DDVIDEOPORTINFO, *LPDDVIDEOPORTINFO;

typedef struct _DDVIDEOPORTBANDWIDTH {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwOverlay;
    DWORD dwColorkey;
    DWORD dwYInterpolate;
    DWORD dwYInterpAndColorkey;
    ULONG_PTR dwReserved1;
    ULONG_PTR dwReserved2;
} DDVIDEOPORTBANDWIDTH, *LPDDVIDEOPORTBANDWIDTH;

typedef struct _DDVIDEOPORTSTATUS {
    DWORD dwSize;
    BOOL bInUse;
    DWORD dwFlags;
    DWORD dwReserved1;
    DDVIDEOPORTCONNECT VideoPortType;
    ULONG_PTR dwReserved2;
    ULONG_PTR dwReserved3;
} DDVIDEOPORTSTATUS, *LPDDVIDEOPORTSTATUS;

#ifdef __i386__
static_assert(sizeof(DDVIDEOPORTCONNECT) == 32, "DDVIDEOPORTCONNECT is 32 bytes");
static_assert(sizeof(DDVIDEOPORTDESC) == 72, "DDVIDEOPORTDESC is 72 bytes");
static_assert(sizeof(DDVIDEOPORTBANDWIDTH) == 32, "DDVIDEOPORTBANDWIDTH is 32 bytes");
static_assert(sizeof(DDVIDEOPORTINFO) == 64, "DDVIDEOPORTINFO is 64 bytes");
static_assert(sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC is 108 bytes");
static_assert(sizeof(DDBLTFX) == 100, "DDBLTFX is 100 bytes");
#endif
static_assert(sizeof(DDVIDEOPORTCAPS) == 72, "DDVIDEOPORTCAPS is 72 bytes");
static_assert(sizeof(DDPIXELFORMAT) == 32, "DDPIXELFORMAT is 32 bytes");


typedef HRESULT (WINAPI *LPDDENUMVIDEOCALLBACK)(LPDDVIDEOPORTCAPS lpCaps, LPVOID lpContext);

// Video-port capabilities (DDVIDEOPORTCAPS.dwCaps, .dwFX)
#define DDVPCAPS_AUTOFLIP 0x00000001
#define DDVPFX_INTERLEAVE 0x00000008
// Connection flags (DDVIDEOPORTCONNECT.dwFlags)
#define DDVPCONNECT_INTERLACED 0x00000020
// GetOutputFormats, SetTargetSurface
#define DDVPFORMAT_VIDEO 0x00000001
#define DDVPTARGET_VIDEO 0x00000001
// DDVIDEOPORTINFO.dwVPFlags
#define DDVP_AUTOFLIP 0x00000001
#define DDVP_CONVERT 0x00000002
#define DDVP_INTERLEAVE 0x00000008
#define DDVP_PRESCALE 0x00000040
// GetBandwidthInfo
#define DDVPB_VIDEOPORT 0x00000001
#define DDVPB_OVERLAY 0x00000002
#define DDVPB_TYPE 0x00000004
#define DDVPBCAPS_SOURCE 0x00000001
#define DDVPBCAPS_DESTINATION 0x00000002

struct IDirectDrawVideoPort;
typedef struct IDirectDrawVideoPort *LPDIRECTDRAWVIDEOPORT;

#undef INTERFACE
#define INTERFACE IDDVideoPortContainer
DECLARE_INTERFACE_(IDDVideoPortContainer, IUnknown)
{
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, void **ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;
    STDMETHOD(CreateVideoPort)(THIS_ DWORD dwFlags, LPDDVIDEOPORTDESC lpDesc,
                               LPDIRECTDRAWVIDEOPORT *lplpVideoPort, IUnknown *pUnkOuter) PURE;
    STDMETHOD(EnumVideoPorts)(THIS_ DWORD dwFlags, LPDDVIDEOPORTCAPS lpCaps, LPVOID lpContext,
                              LPDDENUMVIDEOCALLBACK lpCallback) PURE;
    STDMETHOD(GetVideoPortConnectInfo)(THIS_ DWORD dwPortId, LPDWORD lpNumEntries,
                                       LPDDVIDEOPORTCONNECT lpConnectInfo) PURE;
    STDMETHOD(QueryVideoPortStatus)(THIS_ DWORD dwPortId, LPDDVIDEOPORTSTATUS lpStatus) PURE;
};
#undef INTERFACE
typedef struct IDDVideoPortContainer *LPDDVIDEOPORTCONTAINER;

#define INTERFACE IDirectDrawVideoPort
DECLARE_INTERFACE_(IDirectDrawVideoPort, IUnknown)
{
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, void **ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;
    STDMETHOD(Flip)(THIS_ LPDIRECTDRAWSURFACE lpSurface, DWORD dwFlags) PURE;
    STDMETHOD(GetBandwidthInfo)(THIS_ LPDDPIXELFORMAT lpFormat, DWORD dwWidth, DWORD dwHeight,
                                DWORD dwFlags, LPDDVIDEOPORTBANDWIDTH lpBandwidth) PURE;
    STDMETHOD(GetColorControls)(THIS_ LPDDCOLORCONTROL lpColorControl) PURE;
    STDMETHOD(GetInputFormats)(THIS_ LPDWORD lpNumFormats, LPDDPIXELFORMAT lpFormats, DWORD dwFlags) PURE;
    STDMETHOD(GetOutputFormats)(THIS_ LPDDPIXELFORMAT lpInputFormat, LPDWORD lpNumFormats,
                                LPDDPIXELFORMAT lpFormats, DWORD dwFlags) PURE;
    STDMETHOD(GetFieldPolarity)(THIS_ LPBOOL lpbVideoField) PURE;
    STDMETHOD(GetVideoLine)(THIS_ LPDWORD lpdwLine) PURE;
    STDMETHOD(GetVideoSignalStatus)(THIS_ LPDWORD lpdwStatus) PURE;
    STDMETHOD(SetColorControls)(THIS_ LPDDCOLORCONTROL lpColorControl) PURE;
    STDMETHOD(SetTargetSurface)(THIS_ LPDIRECTDRAWSURFACE lpSurface, DWORD dwFlags) PURE;
    STDMETHOD(StartVideo)(THIS_ LPDDVIDEOPORTINFO lpInfo) PURE;
    STDMETHOD(StopVideo)(THIS) PURE;
    STDMETHOD(UpdateVideo)(THIS_ LPDDVIDEOPORTINFO lpInfo) PURE;
    STDMETHOD(WaitForSync)(THIS_ DWORD dwFlags, DWORD dwLine, DWORD dwTimeout) PURE;
};
#undef INTERFACE
