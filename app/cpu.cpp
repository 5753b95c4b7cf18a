#include "app/cpu.h"

#include <windows.h>
#include <cpuid.h>

enum {
    FLAGS_ID = 0x200000,        // the ID flag, bit 21
    FEATURE_MMX = 0x800000,     // CPUID function 1, EDX bit 23
};

static int nCpuidOverride = -1;
static int nMmxOverride = -1;

void OverrideCpuFeatures(int nCpuid, int nMmx)
{
    nCpuidOverride = nCpuid;
    nMmxOverride = nMmx;
}

// Sets the ID flag and reads it back: it stays set only where CPUID exists.
// The flag is cleared again before returning.
static int IdFlagSticks(void)
{
    ULONG_PTR ulFlags;
#ifdef __x86_64__
    __asm__ __volatile__("pushfq\n\t"
                         "orq %1, (%%rsp)\n\t"
                         "popfq\n\t"
                         "pushfq\n\t"
                         "popq %0\n\t"
                         "pushfq\n\t"
                         "andq %2, (%%rsp)\n\t"
                         "popfq"
                         : "=r"(ulFlags)
                         : "i"(FLAGS_ID), "i"(~FLAGS_ID)
                         : "cc");
#else
    __asm__ __volatile__("pushfl\n\t"
                         "orl %1, (%%esp)\n\t"
                         "popfl\n\t"
                         "pushfl\n\t"
                         "popl %0\n\t"
                         "pushfl\n\t"
                         "andl %2, (%%esp)\n\t"
                         "popfl"
                         : "=r"(ulFlags)
                         : "i"(FLAGS_ID), "i"(~FLAGS_ID)
                         : "cc");
#endif
    return (ulFlags & FLAGS_ID) != 0;
}

int HasCpuid(void)
{
    if (nCpuidOverride >= 0)
        return nCpuidOverride;
    return IdFlagSticks();
}

int HasMmx(void)
{
    if (nMmxOverride >= 0)
        return nMmxOverride;
    unsigned int eax, ebx, ecx, edx;
    __cpuid(1, eax, ebx, ecx, edx);
    return (edx & FEATURE_MMX) != 0;
}
