// The files the party preparation step writes: opaque RGB PNGs, marked as
// its own, written whole and never over a file someone else made.
#pragma once

#include <cairo.h>

#include <string>

// False, with `reason` set, when `path` exists and this step did not make it.
bool mayWrite(const std::string& path, std::string& reason);

// Writes the image (ARGB32 or RGB24; transparent parts come out black) under
// a new name of its own, then renames it to `path`. False, with `reason`
// set, when mayWrite refuses or writing fails; nothing is left behind then.
bool writeOurPng(const std::string& path, cairo_surface_t* image, std::string& reason);
