// What the processor offers: the CPUID instruction, and MMX.
#pragma once

int HasCpuid(void);
int HasMmx(void);

// Tests pretend to be another processor: -1 leaves the answer to the
// processor, 0 or 1 fixes it.
void OverrideCpuFeatures(int nCpuid, int nMmx);
