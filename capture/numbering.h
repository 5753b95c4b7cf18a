// Numbered BMP names: "name.bmp" carries its number as "name001.bmp", three
// digits or more. Each routine leaves the name as it was and returns 0 when
// the result would not fit in its CAPTURE_NAME_SIZE buffer.
#pragma once

// "x.bmp" -> "x%03d.bmp" with nNumber.
int NumberFileName(char *szName, int nNumber);
// "x%03d.bmp" (nNumber in it) -> "x.bmp".
int UnnumberFileName(char *szName, int nNumber);
// "x%03d.bmp" with nOld -> the same with nNew.
int RenumberFileName(char *szName, int nOld, int nNew);
