// The system's DirectInput declarations, as the stand-in sees them: it implements the
// interfaces the program calls over a controller driver, for the Windows test suite.
#pragma once

#include <windows.h>

#include <dinput.h>

typedef REFGUID REFDIPROPID;

// DirectInput passes its predefined property ids as small numbers where a GUID reference
// is expected: the reference's address is the number.
inline UINT_PTR PropertyNumber(REFGUID property)
{
    return reinterpret_cast<UINT_PTR>(&property);
}

#define QUORVEL_UNUSED(signature) HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

#define QUORVEL_DEVICE_UNUSED_METHODS                                                                      \
    QUORVEL_UNUSED(GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD))                            \
    QUORVEL_UNUSED(SetEventNotification(HANDLE))                                                           \
    QUORVEL_UNUSED(SetCooperativeLevel(HWND, DWORD))                                                       \
    QUORVEL_UNUSED(GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD))                                 \
    QUORVEL_UNUSED(GetDeviceInfo(LPDIDEVICEINSTANCEA))                                                     \
    QUORVEL_UNUSED(RunControlPanel(HWND, DWORD))                                                           \
    QUORVEL_UNUSED(Initialize(HINSTANCE, DWORD, REFGUID))                                                  \
    QUORVEL_UNUSED(CreateEffect(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN))                    \
    QUORVEL_UNUSED(EnumEffects(LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD))                                   \
    QUORVEL_UNUSED(GetEffectInfo(LPDIEFFECTINFOA, REFGUID))                                                \
    QUORVEL_UNUSED(GetForceFeedbackState(LPDWORD))                                                         \
    QUORVEL_UNUSED(SendForceFeedbackCommand(DWORD))                                                        \
    QUORVEL_UNUSED(EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD))          \
    QUORVEL_UNUSED(Escape(LPDIEFFESCAPE))                                                                  \
    QUORVEL_UNUSED(Poll())                                                                                 \
    QUORVEL_UNUSED(SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD))                           \
    QUORVEL_UNUSED(EnumEffectsInFile(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID, DWORD))               \
    QUORVEL_UNUSED(WriteEffectToFile(LPCSTR, DWORD, LPDIFILEEFFECT, DWORD))                                \
    QUORVEL_UNUSED(BuildActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD))                                       \
    QUORVEL_UNUSED(SetActionMap(LPDIACTIONFORMATA, LPCSTR, DWORD))                                         \
    QUORVEL_UNUSED(GetImageInfo(LPDIDEVICEIMAGEINFOHEADERA))

#define QUORVEL_ROOT_UNUSED_METHODS                                                                        \
    QUORVEL_UNUSED(GetDeviceStatus(REFGUID))                                                               \
    QUORVEL_UNUSED(RunControlPanel(HWND, DWORD))                                                           \
    QUORVEL_UNUSED(Initialize(HINSTANCE, DWORD))                                                           \
    QUORVEL_UNUSED(FindDevice(REFGUID, LPCSTR, LPGUID))                                                    \
    QUORVEL_UNUSED(EnumDevicesBySemantics(LPCSTR, LPDIACTIONFORMATA, LPDIENUMDEVICESBYSEMANTICSCBA, LPVOID, DWORD)) \
    QUORVEL_UNUSED(ConfigureDevices(LPDICONFIGUREDEVICESCALLBACK, LPDICONFIGUREDEVICESPARAMSA, DWORD, LPVOID))
