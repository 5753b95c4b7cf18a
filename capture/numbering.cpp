#include "capture/numbering.h"

#include <cstdio>
#include <cstring>

#include "common/state.h"

enum { EXTENSION_LENGTH = 4 };  // ".bmp"

// The characters nNumber takes in a name: "%03d", three or more.
static int NumberLength(int nNumber)
{
    char szDigits[16];
    return snprintf(szDigits, sizeof(szDigits), "%03d", nNumber);
}

// The last nCut characters of szName replaced by szEnding, when the name
// has them and the result fits its buffer.
static int ReplaceEnding(char *szName, int nCut, const char *szEnding)
{
    int nKeep = (int)strlen(szName) - nCut;
    if (nKeep < 0 || nKeep + (int)strlen(szEnding) >= CAPTURE_NAME_SIZE)
        return 0;
    strcpy(szName + nKeep, szEnding);
    return 1;
}

static void FormatNumberedEnding(char *szEnding, size_t cbEnding, int nNumber)
{
    snprintf(szEnding, cbEnding, "%03d.bmp", nNumber);
}

int NumberFileName(char *szName, int nNumber)
{
    char szEnding[32];
    FormatNumberedEnding(szEnding, sizeof(szEnding), nNumber);
    return ReplaceEnding(szName, EXTENSION_LENGTH, szEnding);
}

int UnnumberFileName(char *szName, int nNumber)
{
    return ReplaceEnding(szName, NumberLength(nNumber) + EXTENSION_LENGTH, ".bmp");
}

int RenumberFileName(char *szName, int nOld, int nNew)
{
    char szEnding[32];
    FormatNumberedEnding(szEnding, sizeof(szEnding), nNew);
    return ReplaceEnding(szName, NumberLength(nOld) + EXTENSION_LENGTH, szEnding);
}
