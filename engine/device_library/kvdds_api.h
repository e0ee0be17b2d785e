/* The C interface a real driver library exports; resolved by name with dlopen.
 * Out-parameters are pointers; every function returns an int (ignored except where noted). */
#ifndef KORVANE_KVDDS_API_H
#define KORVANE_KVDDS_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int DDSSearch(void);      /* number of devices; 0 means no hardware */
int DDSCheck(int device); /* 0: device missing */
int DDSSetFrequency(int device, double frequency, int* pointCount, int* periodCount);
int DDSDownload(int device, const uint16_t* codes, int count);
int DDSSetDivNum(int device, int divider);
int DDSSetTrigger(int device, int externalTrigger, int edge);
int DDSSetSingleWave(int device, int singleWave);
int DDSSetDIOMode(int device, int mode);
int DDSSetDigitalOut(int device, uint32_t word);
int DDSGetDigitalIn(int device, uint16_t* word);
int DDSGetMeasure(int device, int kind, double* value); /* kind 0: Hz, 1: event count */
int DDSResetCounter(int device);
int DDSSetPowerOnOutput(int device, int on);

#ifdef __cplusplus
}
#endif

#endif
