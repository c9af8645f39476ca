#pragma once
// Whether a path given as the box's port can be a serial port at all, so that
// a file or a folder named by mistake is called what it is, not "busy".

#include <string>

// Empty when `device` is a character device (or is missing: the port advice
// says that). `afterOpenFailed` also opens a character device without waiting
// to tell a terminal from another device, which the reader thread cannot use.
std::string portKindProblem(const std::string& device, bool afterOpenFailed = false);
