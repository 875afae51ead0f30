// The subset of the window system that the modules call: module handles and the entry
// point, dialogs and their controls, message boxes, and the drawing calls. The calls
// behave as on Windows, including a null window: nothing happens and a query answers 0.
#pragma once

#include "types.h"

#define WINAPI
#define CALLBACK

typedef struct HostInstance_* HINSTANCE;  // a loaded module
typedef HINSTANCE HMODULE;
typedef struct HostWindow_* HWND;         // a window or a control
typedef struct HostDC_* HDC;              // a drawing context on a window's client raster
typedef struct HostGdiObject_* HGDIOBJ;   // pen, brush, font or bitmap
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBRUSH;
typedef HGDIOBJ HBITMAP;
typedef HGDIOBJ HFONT;
typedef void* LPVOID;
typedef const char* LPCSTR;
typedef char* LPSTR;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR (*FARPROC)();

struct RECT {
    LONG left, top, right, bottom;
};
struct POINT {
    LONG x, y;
};

#define LOWORD(l) ((WORD)(((DWORD)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)(((WORD)(lo)) | (((DWORD)(WORD)(hi)) << 16)))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))

// Module entry reasons.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Messages and notifications.
#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define BN_CLICKED 0

// Window styles.
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_SYSMENU 0x00080000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u
#define WS_EX_TOOLWINDOW 0x00000080u

// Dialog styles.
#define DS_MODALFRAME 0x80u
#define DS_SETFONT 0x40u
#define DS_FIXEDSYS 0x0008u

// Static control styles.
#define SS_LEFT 0x0u
#define SS_CENTER 0x1u
#define SS_RIGHT 0x2u
#define SS_BITMAP 0xEu
#define SS_TYPEMASK 0x1Fu
#define SS_NOTIFY 0x100u
#define SS_CENTERIMAGE 0x200u
#define SS_SUNKEN 0x1000u

// Button styles.
#define BS_PUSHBUTTON 0x0u
#define BS_DEFPUSHBUTTON 0x1u
#define BS_AUTORADIOBUTTON 0x9u
#define BS_GROUPBOX 0x7u
#define BS_TYPEMASK 0xFu
#define BS_PUSHLIKE 0x1000u

// Button states.
#define BST_UNCHECKED 0
#define BST_CHECKED 1

// Message boxes.
#define MB_OK 0x0u
#define IDOK 1
#define IDCANCEL 2

// Drawing.
#define PS_SOLID 0
#define DT_LEFT 0x0u
#define DT_SINGLELINE 0x20u

// Module services.
HOSTAPI FARPROC GetProcAddress(HMODULE module, LPCSTR name);

// Dialog controls.
HOSTAPI HWND GetDlgItem(HWND dialog, int id);
HOSTAPI BOOL SetWindowTextA(HWND window, LPCSTR text);
HOSTAPI int GetWindowTextA(HWND window, LPSTR buffer, int size);
HOSTAPI BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
HOSTAPI UINT IsDlgButtonChecked(HWND dialog, int id);
HOSTAPI int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Drawing on a window's client area.
HOSTAPI HDC GetDC(HWND window);
HOSTAPI int ReleaseDC(HWND window, HDC dc);
HOSTAPI HPEN CreatePen(int style, int width, COLORREF colour);
HOSTAPI HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HOSTAPI BOOL DeleteObject(HGDIOBJ object);
HOSTAPI BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
HOSTAPI BOOL Polyline(HDC dc, const POINT* points, int count);
HOSTAPI int DrawTextA(HDC dc, LPCSTR text, int length, RECT* box, UINT format);
HOSTAPI BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
