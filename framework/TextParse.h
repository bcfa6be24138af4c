// Reading a number typed by a user, whatever the process locale: the
// counterpart of TextFormat.h for the parameter texts that the editor's text
// entry starts from and reads back.
//
// Pure function: no allocation, no locks, no state; any thread.
#pragma once

// The number at the start of text, as a C library's atof would read it in
// the "C" locale: leading white space, an optional sign, digits with a
// decimal point (a decimal comma is read as a point too, since parameter
// texts never group thousands), an optional exponent; what follows the
// number is ignored. Text that does not start with a number, and the
// non-finite forms ("inf", "nan"), read as 0. A magnitude beyond the range
// of doubles reads as the largest double of its sign.
double ParseNumberText(const char* text);
