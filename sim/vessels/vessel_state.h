// A vessel's state of motion as the host keeps it and as the scenario's standard vessel
// lines carry it.
//
// Landed: on the reference body at longitude, latitude (radians, east and north
// positive, the body's own frame) and heading (radians from north toward east); the
// vessel rides the body's rotation at the body's radius.
// Orbiting (free flight): position and velocity relative to the reference body's centre,
// metres and m/s, along the global frame's axes.
#pragma once

#include <string>
#include <vector>

#include "host/types.h"

namespace sim {

struct VesselState {
    enum class Status { Landed, Orbiting };
    Status status = Status::Orbiting;
    std::string body = "Earth";    // reference body by name
    double lng = 0, lat = 0, hdg = 0;  // landed, radians
    VECTOR3 rpos{0, 0, 0};         // orbiting, m
    VECTOR3 rvel{0, 0, 0};         // orbiting, m/s
    MATRIX3 attitude{1, 0, 0, 0, 1, 0, 0, 0, 1};  // vessel frame into the global frame
    // Lines of the vessel's scenario block that neither the class nor the host knows,
    // in the order read; written back after the standard lines.
    std::vector<std::string> kept_lines;
};

}  // namespace sim
