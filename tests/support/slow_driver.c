/* A slow driver library: one generator whose every call first sleeps KVDDS_SLOW_MS milliseconds
 * (read at each call; 2000 when unset), as a driver that waits on a slow USB link does. While the
 * file named by KVDDS_SLOW_CONTROL starts with "unplugged", the generator is missing: DDSCheck
 * answers 0 and every other call is ignored. KVDDS_SLOW_DEVICES sets the count DDSSearch reports
 * (1 when unset; the devices beyond the first never answer), as a faulty driver may report more. */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "engine/device_library/kvdds_api.h"

static void SleepAsConfigured(void) {
    const char* text = getenv("KVDDS_SLOW_MS");
    long ms = text != NULL ? strtol(text, NULL, 10) : 2000;
    if (ms <= 0) {
        return;
    }
    struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

static int Present(void) {
    const char* path = getenv("KVDDS_SLOW_CONTROL");
    if (path == NULL) {
        return 1;
    }
    FILE* file = fopen(path, "r");
    if (file == NULL) {
        return 1;
    }
    char word[16] = {0};
    const size_t read = fread(word, 1, sizeof word - 1, file);
    fclose(file);
    return !(read >= 9 && strncmp(word, "unplugged", 9) == 0);
}

/* Sleeps, then tells whether the call reaches generator `device`. */
static int Reaches(int device) {
    SleepAsConfigured();
    return device == 0 && Present();
}

int DDSSearch(void) {
    SleepAsConfigured();
    const char* text = getenv("KVDDS_SLOW_DEVICES");
    return text != NULL ? (int)strtol(text, NULL, 10) : 1;
}
int DDSCheck(int device) {
    return Reaches(device);
}
int DDSSetFrequency(int device, double frequency, int* pointCount, int* periodCount) {
    if (Reaches(device) && frequency > 0) {
        *pointCount = 4000;
        *periodCount = 1;
    }
    return 1;
}
int DDSDownload(int device, const uint16_t* codes, int count) {
    (void)codes;
    (void)count;
    return Reaches(device);
}
int DDSSetDivNum(int device, int divider) {
    (void)divider;
    return Reaches(device);
}
int DDSSetTrigger(int device, int externalTrigger, int edge) {
    (void)externalTrigger;
    (void)edge;
    return Reaches(device);
}
int DDSSetSingleWave(int device, int singleWave) {
    (void)singleWave;
    return Reaches(device);
}
int DDSSetDIOMode(int device, int mode) {
    (void)mode;
    return Reaches(device);
}
int DDSSetDigitalOut(int device, uint32_t word) {
    (void)word;
    return Reaches(device);
}
int DDSGetDigitalIn(int device, uint16_t* word) {
    if (Reaches(device)) {
        *word = 0;
    }
    return 1;
}
int DDSGetMeasure(int device, int kind, double* value) {
    (void)kind;
    if (Reaches(device)) {
        *value = 0.0;
    }
    return 1;
}
int DDSResetCounter(int device) {
    return Reaches(device);
}
int DDSSetPowerOnOutput(int device, int on) {
    (void)on;
    return Reaches(device);
}
