#include "engine/device_library/shared_object_device_library.h"

#include <dlfcn.h>

namespace korvane {
namespace {

template <typename Function>
bool Resolve(void* handle, const char* name, Function& target, std::string& error) {
    target = reinterpret_cast<Function>(dlsym(handle, name));
    if (!target && error.empty()) {
        error = std::string("the driver library has no function ") + name;
    }
    return target != nullptr;
}

}  // namespace

SharedObjectDeviceLibrary::SharedObjectDeviceLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = "cannot load the driver library " + path + ": " + (why ? why : "unknown error");
        return;
    }
    Functions f;
    bool all = Resolve(handle_, "DDSSearch", f.search, error_);
    all &= Resolve(handle_, "DDSCheck", f.check, error_);
    all &= Resolve(handle_, "DDSSetFrequency", f.setFrequency, error_);
    all &= Resolve(handle_, "DDSDownload", f.download, error_);
    all &= Resolve(handle_, "DDSSetDivNum", f.setDivNum, error_);
    all &= Resolve(handle_, "DDSSetTrigger", f.setTrigger, error_);
    all &= Resolve(handle_, "DDSSetSingleWave", f.setSingleWave, error_);
    all &= Resolve(handle_, "DDSSetDIOMode", f.setDioMode, error_);
    all &= Resolve(handle_, "DDSSetDigitalOut", f.setDigitalOut, error_);
    all &= Resolve(handle_, "DDSGetDigitalIn", f.getDigitalIn, error_);
    all &= Resolve(handle_, "DDSGetMeasure", f.getMeasure, error_);
    all &= Resolve(handle_, "DDSResetCounter", f.resetCounter, error_);
    all &= Resolve(handle_, "DDSSetPowerOnOutput", f.setPowerOnOutput, error_);
    if (all) {
        fn_ = f;
        loaded_ = true;
    } else {
        error_ += " (" + path + ")";
    }
}

SharedObjectDeviceLibrary::~SharedObjectDeviceLibrary() {
    if (handle_) {
        dlclose(handle_);
    }
}

// Without a complete driver every call answers as if no hardware were attached.
int SharedObjectDeviceLibrary::DDSSearch() {
    return loaded_ ? fn_.search() : 0;
}

int SharedObjectDeviceLibrary::DDSCheck(int device) {
    return loaded_ ? fn_.check(device) : 0;
}

int SharedObjectDeviceLibrary::DDSSetFrequency(int device, double frequency, int* pointCount,
                                               int* periodCount) {
    return loaded_ ? fn_.setFrequency(device, frequency, pointCount, periodCount) : 0;
}

int SharedObjectDeviceLibrary::DDSDownload(int device, const std::uint16_t* codes, int count) {
    return loaded_ ? fn_.download(device, codes, count) : 0;
}

int SharedObjectDeviceLibrary::DDSSetDivNum(int device, int divider) {
    return loaded_ ? fn_.setDivNum(device, divider) : 0;
}

int SharedObjectDeviceLibrary::DDSSetTrigger(int device, int externalTrigger, int edge) {
    return loaded_ ? fn_.setTrigger(device, externalTrigger, edge) : 0;
}

int SharedObjectDeviceLibrary::DDSSetSingleWave(int device, int singleWave) {
    return loaded_ ? fn_.setSingleWave(device, singleWave) : 0;
}

int SharedObjectDeviceLibrary::DDSSetDIOMode(int device, int mode) {
    return loaded_ ? fn_.setDioMode(device, mode) : 0;
}

int SharedObjectDeviceLibrary::DDSSetDigitalOut(int device, std::uint32_t word) {
    return loaded_ ? fn_.setDigitalOut(device, word) : 0;
}

int SharedObjectDeviceLibrary::DDSGetDigitalIn(int device, std::uint16_t* word) {
    return loaded_ ? fn_.getDigitalIn(device, word) : 0;
}

int SharedObjectDeviceLibrary::DDSGetMeasure(int device, int kind, double* value) {
    return loaded_ ? fn_.getMeasure(device, kind, value) : 0;
}

int SharedObjectDeviceLibrary::DDSResetCounter(int device) {
    return loaded_ ? fn_.resetCounter(device) : 0;
}

int SharedObjectDeviceLibrary::DDSSetPowerOnOutput(int device, int on) {
    return loaded_ ? fn_.setPowerOnOutput(device, on) : 0;
}

}  // namespace korvane
