#include "DirectInputStandIn.h"
#include "DirectInputPlatform.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <cstddef>
#include <mutex>
#include <vector>

#include "clock.h"
#include "utf.h"

#ifndef DIERR_ACQUIRED
#define DIERR_ACQUIRED ((HRESULT)0x800700AAL)
#endif
#ifndef DIDC_ATTACHED
#define DIDC_ATTACHED 0x00000001
#endif

namespace {

// The object table of the predefined extended joystick format: 6 axes, 2 sliders, 4 POVs,
// 128 buttons, then velocity, acceleration and force axes and sliders (8 each).
std::vector<DIOBJECTDATAFORMAT> BuildJoystick2Objects()
{
    const DWORD axisType = DIDFT_AXIS | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL;
    const GUID* axes[6] = {&GUID_XAxis, &GUID_YAxis, &GUID_ZAxis, &GUID_RxAxis, &GUID_RyAxis, &GUID_RzAxis};
    std::vector<DIOBJECTDATAFORMAT> objects;
    auto addAxisBlock = [&](DWORD base) {
        for (int i = 0; i < 6; ++i)
            objects.push_back({axes[i], base + 4u * i, axisType, 0});
        objects.push_back({&GUID_Slider, base + 24, axisType, 0});
        objects.push_back({&GUID_Slider, base + 28, axisType, 0});
    };
    addAxisBlock(offsetof(DIJOYSTATE2, lX));
    for (int i = 0; i < 4; ++i)
        objects.push_back({&GUID_POV, static_cast<DWORD>(offsetof(DIJOYSTATE2, rgdwPOV) + 4 * i),
                           DIDFT_POV | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL, 0});
    for (int i = 0; i < 128; ++i)
        objects.push_back({nullptr, static_cast<DWORD>(offsetof(DIJOYSTATE2, rgbButtons) + i),
                           DIDFT_BUTTON | DIDFT_ANYINSTANCE | DIDFT_OPTIONAL, 0});
    addAxisBlock(offsetof(DIJOYSTATE2, lVX));
    addAxisBlock(offsetof(DIJOYSTATE2, lAX));
    addAxisBlock(offsetof(DIJOYSTATE2, lFX));
    return objects;
}

std::vector<DIOBJECTDATAFORMAT>& Joystick2Objects()
{
    static std::vector<DIOBJECTDATAFORMAT> objects = BuildJoystick2Objects();
    return objects;
}

}  // namespace

const DIDATAFORMAT c_dfDIJoystick2 = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_ABSAXIS,
                                      sizeof(DIJOYSTATE2), static_cast<DWORD>(Joystick2Objects().size()),
                                      Joystick2Objects().data()};

namespace quorvel::drivers {
namespace {

// The numbers DirectInput gives its predefined properties.
const UINT_PTR kPropRange = 4;
const UINT_PTR kPropCalibrationMode = 10;
const UINT_PTR kPropCalibration = 11;
const UINT_PTR kPropProductName = 14;
const UINT_PTR kPropLogicalRange = 19;
const UINT_PTR kPropVidPid = 24;

std::atomic<int> g_liveObjects{0};

std::mutex& DriverMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<ControllerDriver>& Installed()
{
    static std::shared_ptr<ControllerDriver> driver;
    return driver;
}

const GUID& AxisGuid(AxisType type)
{
    switch (type) {
    case AxisType::X: return GUID_XAxis;
    case AxisType::Y: return GUID_YAxis;
    case AxisType::Z: return GUID_ZAxis;
    case AxisType::Rx: return GUID_RxAxis;
    case AxisType::Ry: return GUID_RyAxis;
    case AxisType::Rz: return GUID_RzAxis;
    case AxisType::Slider: return GUID_Slider;
    default: return GUID_Unknown;
    }
}

// UTF-16 to the narrow encoding (UTF-8), cut at a character boundary to fit `capacity`.
void CopyNarrowName(const std::u16string& name, char* out, size_t capacity)
{
    const std::string text = quorvel::Utf16ToUtf8(name.data(), name.size());
    const size_t n = quorvel::Utf8PrefixLength(text, capacity - 1);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out);
    out[n] = '\0';
}

template <typename Interface>
class RefCounted : public Interface {
public:
    RefCounted() { ++g_liveObjects; }
    virtual ~RefCounted() { --g_liveObjects; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

private:
    ULONG m_refs = 1;
};

class Device final : public RefCounted<IDirectInputDevice8A> {
public:
    Device(std::shared_ptr<ControllerDriver> driver, std::string key, uint32_t epoch)
        : m_driver(std::move(driver)), m_key(std::move(key)), m_epoch(epoch)
    {
        m_axes = m_driver->Axes(m_key);
        // DirectInput's defaults: cooked data over the range 0 to 65535 on every axis.
        m_ranges.assign(m_axes.size(), {0, 65535});
    }

    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS caps) override
    {
        if (caps == nullptr || caps->dwSize != sizeof(DIDEVCAPS))
            return DIERR_INVALIDPARAM;
        uint32_t type = 0;
        if (!m_driver->ReadDeviceType(m_key, &type))
            return DIERR_INPUTLOST;
        caps->dwFlags = DIDC_ATTACHED;
        caps->dwDevType = type;
        caps->dwAxes = static_cast<DWORD>(m_axes.size());
        caps->dwButtons = 0;
        caps->dwPOVs = 0;
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) override
    {
        if (callback == nullptr)
            return DIERR_INVALIDPARAM;
        const bool wantAxes = flags == 0 || (flags & DIDFT_AXIS) != 0;
        if (!wantAxes)
            return DI_OK;
        int sliders = 0;
        for (size_t i = 0; i < m_axes.size(); ++i) {
            DIDEVICEOBJECTINSTANCEA object{};
            object.dwSize = sizeof(object);
            object.guidType = AxisGuid(m_axes[i]);
            object.dwOfs = StateOffset(i, &sliders);
            object.dwType = static_cast<DWORD>(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(i));
            object.dwFlags = 0;
            std::snprintf(object.tszName, sizeof object.tszName, "Axis %zu", i);
            if (callback(&object, ref) == DIENUM_STOP)
                break;
        }
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE GetProperty(REFDIPROPID prop, LPDIPROPHEADER header) override
    {
        if (header == nullptr || header->dwHeaderSize != sizeof(DIPROPHEADER))
            return DIERR_INVALIDPARAM;
        switch (PropertyNumber(prop)) {
        case kPropVidPid: {
            if (!IsDeviceHeader(header, sizeof(DIPROPDWORD)))
                return DIERR_INVALIDPARAM;
            uint32_t vidPid = 0;
            if (!m_driver->ReadVidPid(m_key, &vidPid))
                return DIERR_INPUTLOST;
            reinterpret_cast<DIPROPDWORD*>(header)->dwData = vidPid;
            return DI_OK;
        }
        case kPropProductName: {
            if (!IsDeviceHeader(header, sizeof(DIPROPSTRING)))
                return DIERR_INVALIDPARAM;
            std::u16string name;
            if (!m_driver->ReadProductName(m_key, &name))
                return DIERR_INPUTLOST;
            auto* record = reinterpret_cast<DIPROPSTRING*>(header);
            const size_t n = std::min(name.size(), static_cast<size_t>(MAX_PATH - 1));
            std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n), record->wsz);
            record->wsz[n] = 0;
            return DI_OK;
        }
        case kPropCalibrationMode: {
            if (header->dwSize != sizeof(DIPROPDWORD))
                return DIERR_INVALIDPARAM;
            reinterpret_cast<DIPROPDWORD*>(header)->dwData = m_raw ? DIPROPCALIBRATIONMODE_RAW : DIPROPCALIBRATIONMODE_COOKED;
            return DI_OK;
        }
        case kPropLogicalRange:
        case kPropRange: {
            size_t axis = 0;
            if (header->dwSize != sizeof(DIPROPRANGE) || !FindAxis(header, &axis))
                return header->dwSize != sizeof(DIPROPRANGE) ? DIERR_INVALIDPARAM : DIERR_OBJECTNOTFOUND;
            auto* record = reinterpret_cast<DIPROPRANGE*>(header);
            if (PropertyNumber(prop) == kPropRange) {
                record->lMin = m_ranges[axis].first;
                record->lMax = m_ranges[axis].second;
                return DI_OK;
            }
            int32_t min = 0, max = 0;
            if (!m_driver->ReadLogicalRange(m_key, axis, &min, &max))
                return DIERR_INPUTLOST;
            record->lMin = min;
            record->lMax = max;
            return DI_OK;
        }
        case kPropCalibration: {
            size_t axis = 0;
            if (header->dwSize != sizeof(DIPROPCAL))
                return DIERR_INVALIDPARAM;
            if (!FindAxis(header, &axis))
                return DIERR_OBJECTNOTFOUND;
            AxisCalibration calibration;
            if (!m_driver->ReadCalibration(m_key, axis, &calibration))
                return DIERR_INPUTLOST;
            auto* record = reinterpret_cast<DIPROPCAL*>(header);
            record->lMin = calibration.min;
            record->lCenter = calibration.center;
            record->lMax = calibration.max;
            return DI_OK;
        }
        default:
            return DIERR_UNSUPPORTED;
        }
    }

    HRESULT STDMETHODCALLTYPE SetProperty(REFDIPROPID prop, LPCDIPROPHEADER header) override
    {
        if (header == nullptr || header->dwHeaderSize != sizeof(DIPROPHEADER))
            return DIERR_INVALIDPARAM;
        switch (PropertyNumber(prop)) {
        case kPropCalibrationMode: {
            if (!IsDeviceHeader(header, sizeof(DIPROPDWORD)))
                return DIERR_INVALIDPARAM;
            const DWORD mode = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
            if (mode != DIPROPCALIBRATIONMODE_COOKED && mode != DIPROPCALIBRATIONMODE_RAW)
                return DIERR_INVALIDPARAM;
            m_raw = mode == DIPROPCALIBRATIONMODE_RAW;
            return DI_OK;
        }
        case kPropRange: {
            if (header->dwSize != sizeof(DIPROPRANGE))
                return DIERR_INVALIDPARAM;
            const auto* record = reinterpret_cast<const DIPROPRANGE*>(header);
            if (record->lMin > record->lMax)
                return DIERR_INVALIDPARAM;
            if (header->dwHow == DIPH_DEVICE) {
                std::fill(m_ranges.begin(), m_ranges.end(), std::make_pair(record->lMin, record->lMax));
                return DI_OK;
            }
            size_t axis = 0;
            if (!FindAxis(header, &axis))
                return DIERR_OBJECTNOTFOUND;
            m_ranges[axis] = {record->lMin, record->lMax};
            return DI_OK;
        }
        case kPropCalibration: {
            if (header->dwSize != sizeof(DIPROPCAL))
                return DIERR_INVALIDPARAM;
            size_t axis = 0;
            if (!FindAxis(header, &axis))
                return DIERR_OBJECTNOTFOUND;
            const auto* record = reinterpret_cast<const DIPROPCAL*>(header);
            if (!m_driver->WriteCalibration(m_key, axis, {record->lMin, record->lCenter, record->lMax}))
                return DIERR_INPUTLOST;
            return DI_OK;
        }
        default:
            return DIERR_UNSUPPORTED;
        }
    }

    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override
    {
        if (format == nullptr || format->dwDataSize == 0)
            return DIERR_INVALIDPARAM;
        if (m_acquired)
            return DIERR_ACQUIRED;
        m_dataSize = format->dwDataSize;
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE Acquire() override
    {
        if (m_dataSize == 0)
            return DIERR_INVALIDPARAM;
        if (m_acquired)
            return S_FALSE;
        m_acquired = true;
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE Unacquire() override
    {
        if (!m_acquired)
            return S_FALSE;
        m_acquired = false;
        return DI_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override
    {
        if (!m_acquired)
            return DIERR_NOTACQUIRED;
        if (data == nullptr || size != m_dataSize || size != sizeof(DIJOYSTATE2))
            return DIERR_INVALIDPARAM;
        std::vector<int32_t> raw;
        if (!m_driver->ReadRaw(m_key, quorvel::NowMilliseconds() - m_epoch, &raw)) {
            // A device that went away loses its acquisition, as DirectInput's do.
            m_acquired = false;
            return DIERR_INPUTLOST;
        }
        DIJOYSTATE2 state{};
        for (DWORD& pov : state.rgdwPOV)
            pov = 0xFFFFFFFFu;
        int sliders = 0;
        for (size_t i = 0; i < m_axes.size() && i < raw.size(); ++i) {
            int32_t value = raw[i];
            if (!m_raw) {
                AxisCalibration calibration;
                int32_t min = 0, max = 0;
                if (!m_driver->ReadCalibration(m_key, i, &calibration) && m_driver->ReadLogicalRange(m_key, i, &min, &max))
                    calibration = {min, static_cast<int32_t>((int64_t{min} + max + 1) / 2), max};
                value = CookAxisValue(value, calibration, m_ranges[i].first, m_ranges[i].second);
            }
            const DWORD offset = StateOffset(i, &sliders);
            if (offset != kNoOffset)
                std::memcpy(reinterpret_cast<BYTE*>(&state) + offset, &value, sizeof value);
        }
        std::memcpy(data, &state, sizeof state);
        return DI_OK;
    }

private:
    static constexpr DWORD kNoOffset = 0xFFFFFFFFu;

    // Where an axis lands in the extended joystick state; a call per axis in order, so that
    // the first slider takes the first slider field.
    DWORD StateOffset(size_t axis, int* slidersSeen) const
    {
        switch (m_axes[axis]) {
        case AxisType::X: return offsetof(DIJOYSTATE2, lX);
        case AxisType::Y: return offsetof(DIJOYSTATE2, lY);
        case AxisType::Z: return offsetof(DIJOYSTATE2, lZ);
        case AxisType::Rx: return offsetof(DIJOYSTATE2, lRx);
        case AxisType::Ry: return offsetof(DIJOYSTATE2, lRy);
        case AxisType::Rz: return offsetof(DIJOYSTATE2, lRz);
        case AxisType::Slider: {
            const int n = (*slidersSeen)++;
            return n < 2 ? static_cast<DWORD>(offsetof(DIJOYSTATE2, rglSlider) + 4 * n) : kNoOffset;
        }
        default: return kNoOffset;
        }
    }

    static bool IsDeviceHeader(LPCDIPROPHEADER header, size_t size)
    {
        return header->dwSize == size && header->dwHow == DIPH_DEVICE && header->dwObj == 0;
    }

    bool FindAxis(LPCDIPROPHEADER header, size_t* axis) const
    {
        if (header->dwHow != DIPH_BYID)
            return false;
        for (size_t i = 0; i < m_axes.size(); ++i) {
            if (header->dwObj == static_cast<DWORD>(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(i))) {
                *axis = i;
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<ControllerDriver> m_driver;
    std::string m_key;
    uint32_t m_epoch;
    std::vector<AxisType> m_axes;
    std::vector<std::pair<int32_t, int32_t>> m_ranges;
    bool m_raw = false;
    bool m_acquired = false;
    DWORD m_dataSize = 0;

public:
    QUORVEL_DEVICE_UNUSED_METHODS
};

class Root final : public RefCounted<IDirectInput8A> {
public:
    explicit Root(std::shared_ptr<ControllerDriver> driver)
        : m_driver(std::move(driver)), m_epoch(quorvel::NowMilliseconds()) {}

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8A* device, LPUNKNOWN outer) override
    {
        if (device == nullptr)
            return DIERR_INVALIDPARAM;
        *device = nullptr;
        if (outer != nullptr)
            return E_NOINTERFACE;
        if (!m_driver)
            return DIERR_DEVICENOTREG;
        const uint32_t now = Now();
        // An instance GUID names one controller; a product GUID names the first attached
        // controller of that model.
        for (const std::string& key : m_driver->Attached(now)) {
            ControllerIdentity identity;
            if (!m_driver->Identify(key, &identity))
                continue;
            if (guid != InstanceGuidForKey(key) && guid != ProductGuidFor(identity.vendorId, identity.productId))
                continue;
            if (!m_driver->Open(key, now))
                return DIERR_DEVICENOTREG;
            *device = new Device(m_driver, key, m_epoch);
            return DI_OK;
        }
        return DIERR_DEVICENOTREG;
    }

    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD) override
    {
        if (callback == nullptr)
            return DIERR_INVALIDPARAM;
        if (!m_driver || (devType != DI8DEVCLASS_ALL && devType != DI8DEVCLASS_GAMECTRL))
            return DI_OK;
        for (const std::string& key : m_driver->Attached(Now())) {
            ControllerIdentity identity;
            if (!m_driver->Identify(key, &identity))
                continue;
            DIDEVICEINSTANCEA instance{};
            instance.dwSize = sizeof(instance);
            instance.guidInstance = InstanceGuidForKey(key);
            instance.guidProduct = ProductGuidFor(identity.vendorId, identity.productId);
            instance.dwDevType = identity.deviceType;
            CopyNarrowName(identity.productName, instance.tszInstanceName, MAX_PATH);
            CopyNarrowName(identity.productName, instance.tszProductName, MAX_PATH);
            if (callback(&instance, ref) == DIENUM_STOP)
                break;
        }
        return DI_OK;
    }

private:
    uint32_t Now() const { return quorvel::NowMilliseconds() - m_epoch; }

    std::shared_ptr<ControllerDriver> m_driver;
    uint32_t m_epoch;

public:
    QUORVEL_ROOT_UNUSED_METHODS
};

}  // namespace

void InstallControllerDriver(std::shared_ptr<ControllerDriver> driver)
{
    std::lock_guard<std::mutex> lock(DriverMutex());
    Installed() = std::move(driver);
}

namespace {
std::shared_ptr<ControllerDriver> (*g_defaultFactory)() = nullptr;
}

void SetDefaultDriverFactory(std::shared_ptr<ControllerDriver> (*factory)())
{
    g_defaultFactory = factory;
}

std::shared_ptr<ControllerDriver> InstalledControllerDriver()
{
    std::lock_guard<std::mutex> lock(DriverMutex());
    // The default driver is made when first needed, so that its files are read only by a
    // program that opens DirectInput.
    if (!Installed() && g_defaultFactory)
        Installed() = g_defaultFactory();
    return Installed();
}

int LiveDirectInputObjects()
{
    return g_liveObjects.load();
}

GUID InstanceGuidForKey(const std::string& key)
{
    // FNV-1a over the key: the same controller keeps its instance GUID from run to run.
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : key) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    GUID guid{};
    guid.Data1 = static_cast<DWORD>(hash >> 32);
    guid.Data2 = static_cast<WORD>(hash >> 16);
    guid.Data3 = static_cast<WORD>(0x4000 | (hash & 0x0FFF));
    const uint8_t tail[8] = {0x8A, 0x51, 'Q', 'V', 'S', 'I', 'M', 0x01};
    std::memcpy(guid.Data4, tail, sizeof tail);
    return guid;
}

GUID ProductGuidFor(uint16_t vendorId, uint16_t productId)
{
    // DirectInput's product GUID of a USB device: {PIDVID-0000-0000-0000-504944564944}.
    GUID guid{};
    guid.Data1 = static_cast<DWORD>(vendorId) | (static_cast<DWORD>(productId) << 16);
    const uint8_t tail[8] = {0x00, 0x00, 'P', 'I', 'D', 'V', 'I', 'D'};
    std::memcpy(guid.Data4, tail, sizeof tail);
    return guid;
}

int32_t CookAxisValue(int32_t raw, const AxisCalibration& calibration, int32_t rangeMin, int32_t rangeMax)
{
    const int64_t center = (int64_t{rangeMin} + rangeMax + 1) / 2;
    if (raw <= calibration.min)
        return rangeMin;
    if (raw >= calibration.max)
        return rangeMax;
    int64_t value;
    if (raw < calibration.center) {
        const int64_t span = int64_t{calibration.center} - calibration.min;
        value = rangeMin + (int64_t{raw} - calibration.min) * (center - rangeMin) / span;
    } else {
        const int64_t span = int64_t{calibration.max} - calibration.center;
        value = span == 0 ? rangeMax : center + (int64_t{raw} - calibration.center) * (rangeMax - center) / span;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(value, rangeMin, rangeMax));
}

}  // namespace quorvel::drivers

HRESULT WINAPI DirectInput8Create(HINSTANCE, DWORD version, REFIID riid, LPVOID* out, LPUNKNOWN outer)
{
    if (out == nullptr)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer != nullptr)
        return E_NOINTERFACE;
    if (version != 0x0800 || riid != IID_IDirectInput8A)
        return DIERR_INVALIDPARAM;
    *out = static_cast<IDirectInput8A*>(new quorvel::drivers::Root(quorvel::drivers::InstalledControllerDriver()));
    return DI_OK;
}
