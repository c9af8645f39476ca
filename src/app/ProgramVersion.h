#pragma once
// The version the about box and --version show.

inline constexpr const char* kProgramVersion = "3.2";
