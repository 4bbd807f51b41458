// The DirectInput 8 subset the program calls, declared from the published API for
// platforms that have no DirectInput. Record layouts, constants and GUIDs are those of the
// published interface; on Windows the system header takes this file's place.
#pragma once

#include <cstring>

#include <windows.h>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef GUID IID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }

extern const IID IID_IDirectInput8A;
extern const GUID GUID_XAxis;
extern const GUID GUID_YAxis;
extern const GUID GUID_ZAxis;
extern const GUID GUID_RxAxis;
extern const GUID GUID_RyAxis;
extern const GUID GUID_RzAxis;
extern const GUID GUID_Slider;
extern const GUID GUID_Button;
extern const GUID GUID_POV;
extern const GUID GUID_Unknown;

// Property identifiers. DirectInput passes small integers where a GUID reference is expected;
// here they are a type of their own that carries the same numbers.
struct DIPROPID {
    UINT_PTR value;
};
typedef const DIPROPID& REFDIPROPID;
#define MAKEDIPROP(prop) (DIPROPID{static_cast<UINT_PTR>(prop)})
#define DIPROP_BUFFERSIZE MAKEDIPROP(1)
#define DIPROP_AXISMODE MAKEDIPROP(2)
#define DIPROP_GRANULARITY MAKEDIPROP(3)
#define DIPROP_RANGE MAKEDIPROP(4)
#define DIPROP_DEADZONE MAKEDIPROP(5)
#define DIPROP_SATURATION MAKEDIPROP(6)
#define DIPROP_CALIBRATIONMODE MAKEDIPROP(10)
#define DIPROP_CALIBRATION MAKEDIPROP(11)
#define DIPROP_PRODUCTNAME MAKEDIPROP(14)
#define DIPROP_LOGICALRANGE MAKEDIPROP(19)
#define DIPROP_VIDPID MAKEDIPROP(24)

#define DIPROPCALIBRATIONMODE_COOKED 0
#define DIPROPCALIBRATIONMODE_RAW 1

#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1
#define DIPH_BYID 2

#define DI8DEVCLASS_ALL 0
#define DI8DEVCLASS_DEVICE 1
#define DI8DEVCLASS_POINTER 2
#define DI8DEVCLASS_KEYBOARD 3
#define DI8DEVCLASS_GAMECTRL 4

#define DIEDFL_ALLDEVICES 0x00000000
#define DIEDFL_ATTACHEDONLY 0x00000001

#define DI8DEVTYPE_JOYSTICK 0x14
#define DI8DEVTYPE_GAMEPAD 0x15
#define DI8DEVTYPE_DRIVING 0x16
#define DI8DEVTYPEDRIVING_LIMITED 1
#define DI8DEVTYPEDRIVING_COMBINEDPEDALS 2
#define DI8DEVTYPEDRIVING_DUALPEDALS 3
#define DIDEVTYPE_HID 0x00010000

#define DIDFT_RELAXIS 0x00000001
#define DIDFT_ABSAXIS 0x00000002
#define DIDFT_AXIS 0x00000003
#define DIDFT_PSHBUTTON 0x00000004
#define DIDFT_BUTTON 0x0000000C
#define DIDFT_POV 0x00000010
#define DIDFT_ANYINSTANCE 0x00FFFF00
#define DIDFT_MAKEINSTANCE(n) ((WORD)(n) << 8)
#define DIDFT_GETINSTANCE(n) LOWORD((n) >> 8)
#define DIDFT_GETTYPE(n) LOBYTE(n)
#define DIDFT_OPTIONAL 0x80000000

#define DIDF_ABSAXIS 0x00000001

#define DIENUM_STOP 0
#define DIENUM_CONTINUE 1

#define DI_OK S_OK
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015L)
#define DIERR_INPUTLOST ((HRESULT)0x8007001EL)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000CL)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002L)
#define DIERR_UNSUPPORTED E_NOTIMPL
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154L)
#define DIERR_UNPLUGGED ((HRESULT)0x80040209L)
#define DIERR_GENERIC E_FAIL

#define MAX_PATH 260

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};
typedef DIPROPHEADER* LPDIPROPHEADER;
typedef const DIPROPHEADER* LPCDIPROPHEADER;

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

struct DIPROPRANGE {
    DIPROPHEADER diph;
    LONG lMin;
    LONG lMax;
};

struct DIPROPCAL {
    DIPROPHEADER diph;
    LONG lMin;
    LONG lCenter;
    LONG lMax;
};
typedef DIPROPCAL DIPROPCALIBRATION;

struct DIPROPSTRING {
    DIPROPHEADER diph;
    WCHAR wsz[MAX_PATH];
};

struct DIDEVCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwDevType;
    DWORD dwAxes;
    DWORD dwButtons;
    DWORD dwPOVs;
    DWORD dwFFSamplePeriod;
    DWORD dwFFMinTimeResolution;
    DWORD dwFirmwareRevision;
    DWORD dwHardwareRevision;
    DWORD dwFFDriverVersion;
};
typedef DIDEVCAPS* LPDIDEVCAPS;

struct DIJOYSTATE2 {
    LONG lX, lY, lZ;
    LONG lRx, lRy, lRz;
    LONG rglSlider[2];
    DWORD rgdwPOV[4];
    BYTE rgbButtons[128];
    LONG lVX, lVY, lVZ;
    LONG lVRx, lVRy, lVRz;
    LONG rglVSlider[2];
    LONG lAX, lAY, lAZ;
    LONG lARx, lARy, lARz;
    LONG rglASlider[2];
    LONG lFX, lFY, lFZ;
    LONG lFRx, lFRy, lFRz;
    LONG rglFSlider[2];
};

struct DIOBJECTDATAFORMAT {
    const GUID* pguid;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
};

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
    DIOBJECTDATAFORMAT* rgodf;
};
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;
extern const DIDATAFORMAT c_dfDIJoystick2;

struct DIDEVICEINSTANCEA {
    DWORD dwSize;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    CHAR tszInstanceName[MAX_PATH];
    CHAR tszProductName[MAX_PATH];
    GUID guidFFDriver;
    WORD wUsagePage;
    WORD wUsage;
};
typedef const DIDEVICEINSTANCEA* LPCDIDEVICEINSTANCEA;

struct DIDEVICEOBJECTINSTANCEA {
    DWORD dwSize;
    GUID guidType;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
    CHAR tszName[MAX_PATH];
    DWORD dwFFMaxForce;
    DWORD dwFFForceResolution;
    WORD wCollectionNumber;
    WORD wDesignatorIndex;
    WORD wUsagePage;
    WORD wUsage;
    DWORD dwDimension;
    WORD wExponent;
    WORD wReserved;
};
typedef const DIDEVICEOBJECTINSTANCEA* LPCDIDEVICEOBJECTINSTANCEA;

typedef BOOL (CALLBACK* LPDIENUMDEVICESCALLBACKA)(LPCDIDEVICEINSTANCEA, LPVOID);
typedef BOOL (CALLBACK* LPDIENUMDEVICEOBJECTSCALLBACKA)(LPCDIDEVICEOBJECTINSTANCEA, LPVOID);

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

struct IDirectInputDevice8A : IUnknown {
    virtual HRESULT GetCapabilities(LPDIDEVCAPS caps) = 0;
    virtual HRESULT EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) = 0;
    virtual HRESULT GetProperty(REFDIPROPID prop, LPDIPROPHEADER header) = 0;
    virtual HRESULT SetProperty(REFDIPROPID prop, LPCDIPROPHEADER header) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
    virtual HRESULT SetDataFormat(LPCDIDATAFORMAT format) = 0;

protected:
    ~IDirectInputDevice8A() = default;
};
typedef IDirectInputDevice8A* LPDIRECTINPUTDEVICE8A;
typedef IDirectInputDevice8A IDirectInputDevice8;
typedef LPDIRECTINPUTDEVICE8A LPDIRECTINPUTDEVICE8;

struct IDirectInput8A : IUnknown {
    virtual HRESULT CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8A* device, LPUNKNOWN outer) = 0;
    virtual HRESULT EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD flags) = 0;

protected:
    ~IDirectInput8A() = default;
};
typedef IDirectInput8A* LPDIRECTINPUT8A;
typedef IDirectInput8A IDirectInput8;
typedef LPDIRECTINPUT8A LPDIRECTINPUT8;

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID riid, LPVOID* out, LPUNKNOWN outer);

static_assert(sizeof(DIPROPHEADER) == 16, "DIPROPHEADER layout");
static_assert(sizeof(DIPROPDWORD) == 20, "DIPROPDWORD layout");
static_assert(sizeof(DIPROPRANGE) == 24, "DIPROPRANGE layout");
static_assert(sizeof(DIPROPCALIBRATION) == 28, "DIPROPCALIBRATION layout");
static_assert(sizeof(DIPROPSTRING) == 536, "DIPROPSTRING layout");
static_assert(sizeof(DIDEVCAPS) == 44, "DIDEVCAPS layout");
static_assert(sizeof(DIJOYSTATE2) == 272, "DIJOYSTATE2 layout");
