#include "engine/device_library/tracing_device_library.h"

#include <chrono>
#include <functional>
#include <thread>

namespace korvane {
namespace {

std::string Args(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += text.empty() ? part : ", " + part;
    }
    return text;
}

std::string Num(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

}  // namespace

TracingDeviceLibrary::TracingDeviceLibrary(std::unique_ptr<DeviceLibrary> inner,
                                           const std::string& path)
    : inner_(std::move(inner)), file_(std::fopen(path.c_str(), "a")) {}

TracingDeviceLibrary::~TracingDeviceLibrary() {
    if (file_) {
        std::fclose(file_);
    }
}

int TracingDeviceLibrary::Trace(const std::string& call, int result, const std::string& outputs) {
    if (!file_) {
        return result;
    }
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
    auto thread = std::hash<std::thread::id>{}(std::this_thread::get_id()) % 100000;
    std::lock_guard lock(mutex_);
    std::fprintf(file_, "%lld t%05zu %s -> %d%s%s\n", static_cast<long long>(micros), thread,
                 call.c_str(), result, outputs.empty() ? "" : " ", outputs.c_str());
    std::fflush(file_);
    return result;
}

int TracingDeviceLibrary::DDSSearch() {
    return Trace("DDSSearch()", inner_->DDSSearch());
}

int TracingDeviceLibrary::DDSCheck(int device) {
    return Trace("DDSCheck(" + std::to_string(device) + ")", inner_->DDSCheck(device));
}

int TracingDeviceLibrary::DDSSetFrequency(int device, double frequency, int* pointCount,
                                          int* periodCount) {
    int result = inner_->DDSSetFrequency(device, frequency, pointCount, periodCount);
    return Trace(
        "DDSSetFrequency(" + Args({std::to_string(device), Num(frequency)}) + ")", result,
        "points=" + std::to_string(*pointCount) + " periods=" + std::to_string(*periodCount));
}

int TracingDeviceLibrary::DDSDownload(int device, const std::uint16_t* codes, int count) {
    int result = inner_->DDSDownload(device, codes, count);
    std::string first = count > 0 ? " first=" + std::to_string(codes[0]) : "";
    return Trace(
        "DDSDownload(" + Args({std::to_string(device), std::to_string(count)}) + ")" + first,
        result);
}

bool TracingDeviceLibrary::DDSDownloadVolts(int device, const double* volts, int count) {
    bool result = inner_->DDSDownloadVolts(device, volts, count);
    std::string first = count > 0 ? " first=" + Num(volts[0]) : "";
    Trace("DDSDownloadVolts(" + Args({std::to_string(device), std::to_string(count)}) + ")" + first,
          result ? 1 : 0);
    return result;
}

bool TracingDeviceLibrary::SynchronizeOutputs(int device) {
    bool result = inner_->SynchronizeOutputs(device);
    Trace("SynchronizeOutputs(" + std::to_string(device) + ")", result ? 1 : 0);
    return result;
}

int TracingDeviceLibrary::DDSSetDivNum(int device, int divider) {
    return Trace("DDSSetDivNum(" + Args({std::to_string(device), std::to_string(divider)}) + ")",
                 inner_->DDSSetDivNum(device, divider));
}

int TracingDeviceLibrary::DDSSetTrigger(int device, int externalTrigger, int edge) {
    return Trace(
        "DDSSetTrigger(" +
            Args({std::to_string(device), std::to_string(externalTrigger), std::to_string(edge)}) +
            ")",
        inner_->DDSSetTrigger(device, externalTrigger, edge));
}

int TracingDeviceLibrary::DDSSetSingleWave(int device, int singleWave) {
    return Trace(
        "DDSSetSingleWave(" + Args({std::to_string(device), std::to_string(singleWave)}) + ")",
        inner_->DDSSetSingleWave(device, singleWave));
}

int TracingDeviceLibrary::DDSSetDIOMode(int device, int mode) {
    return Trace("DDSSetDIOMode(" + Args({std::to_string(device), std::to_string(mode)}) + ")",
                 inner_->DDSSetDIOMode(device, mode));
}

int TracingDeviceLibrary::DDSSetDigitalOut(int device, std::uint32_t word) {
    return Trace("DDSSetDigitalOut(" + Args({std::to_string(device), std::to_string(word)}) + ")",
                 inner_->DDSSetDigitalOut(device, word));
}

int TracingDeviceLibrary::DDSGetDigitalIn(int device, std::uint16_t* word) {
    int result = inner_->DDSGetDigitalIn(device, word);
    return Trace("DDSGetDigitalIn(" + std::to_string(device) + ")", result,
                 "word=" + std::to_string(*word));
}

int TracingDeviceLibrary::DDSGetMeasure(int device, int kind, double* value) {
    int result = inner_->DDSGetMeasure(device, kind, value);
    return Trace("DDSGetMeasure(" + Args({std::to_string(device), std::to_string(kind)}) + ")",
                 result, "value=" + Num(*value));
}

int TracingDeviceLibrary::DDSResetCounter(int device) {
    return Trace("DDSResetCounter(" + std::to_string(device) + ")",
                 inner_->DDSResetCounter(device));
}

int TracingDeviceLibrary::DDSSetPowerOnOutput(int device, int on) {
    return Trace("DDSSetPowerOnOutput(" + Args({std::to_string(device), std::to_string(on)}) + ")",
                 inner_->DDSSetPowerOnOutput(device, on));
}

}  // namespace korvane
