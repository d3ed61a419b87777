/* The switchboard between FaultInjector (C++) and the intercepted calls (FaultCalls.c). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

enum {
    TAVOREL_FAULT_OPEN = 1,
    TAVOREL_FAULT_WRITE = 2,
    TAVOREL_FAULT_FLUSH = 4,
    TAVOREL_FAULT_RENAME = 8,
    TAVOREL_FAULT_COPY = 16,
};

void tavorel_faults_arm(const char* folder, const char* resolved, int failAt, int error, unsigned steps);
void tavorel_faults_disarm(void);
int tavorel_faults_steps(void);
int tavorel_faults_fired(void);
const char* tavorel_faults_fired_at(void);

#ifdef __cplusplus
}
#endif
