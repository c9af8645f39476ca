#pragma once
// The JSON payloads of the plant's topics (docs/mqtt.md has an example of
// each). Every payload carries "time", the wall-clock time of what it tells,
// in ISO 8601 with the time zone. Status and health messages go through the
// spool, which puts "seq" first (MessageSpool.h).

#include "PlantValues.h"

#include <cstdint>
#include <string>

// PREFIX/info: who the box is and which program watches it.
std::string infoPayload(const PlantBox& box, const std::string& programVersion,
                        const std::string& time);

// PREFIX/state: "online", "offline" or "no-box".
std::string statePayload(const std::string& state, const std::string& time);

// PREFIX/status: the status word, its flags and the status line.
std::string statusPayload(const PlantValues& values, const std::string& time);

// The payload with "seq" as its first member.
std::string withSequence(const std::string& payload, uint64_t seq);

// PREFIX/position: one sample.
std::string positionPayload(const PlantValues& values, const std::string& time);

// The flags "W-Sig,W-Hi" as a JSON array; "-" or empty is no flag.
std::string flagArray(const std::string& flags);
