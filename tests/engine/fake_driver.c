/* A tiny driver library for the shared-object loader tests: two devices, device 1 missing. */
#include "engine/device_library/kvdds_api.h"

static double lastFrequency;
static int downloads;

int DDSSearch(void) {
    return 2;
}
int DDSCheck(int device) {
    return device == 0;
}
int DDSSetFrequency(int device, double frequency, int* pointCount, int* periodCount) {
    (void)device;
    lastFrequency = frequency;
    *pointCount = 1234;
    *periodCount = 3;
    return 1;
}
int DDSDownload(int device, const uint16_t* codes, int count) {
    (void)device;
    (void)codes;
    downloads += count;
    return 1;
}
int DDSSetDivNum(int device, int divider) {
    return device + divider;
}
int DDSSetTrigger(int device, int externalTrigger, int edge) {
    return device + externalTrigger + edge;
}
int DDSSetSingleWave(int device, int singleWave) {
    return device + singleWave;
}
int DDSSetDIOMode(int device, int mode) {
    return device + mode;
}
int DDSSetDigitalOut(int device, uint32_t word) {
    return device + (int)word;
}
int DDSGetDigitalIn(int device, uint16_t* word) {
    *word = (uint16_t)(0x40 + device);
    return 1;
}
int DDSGetMeasure(int device, int kind, double* value) {
    (void)device;
    *value = kind == 0 ? lastFrequency : (double)downloads;
    return 1;
}
int DDSResetCounter(int device) {
    return device;
}
int DDSSetPowerOnOutput(int device, int on) {
    return device + on;
}
