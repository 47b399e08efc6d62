#pragma once
// Menu command identifiers the document handles, with the numbers the menus have always used.

namespace velor {

enum CommandId : int {
    ID_RESET_DATA_VIEWS = 33062,  // no menu entry: asks, then resets every data view
    ID_BLIND_SPOT_CORRECTION = 33126,
    ID_SINGLE_AXIS = 33089,
    ID_PERPENDICULAR_AXES = 33090,
    ID_PHI_ANGLE = 33098,
    ID_APERTURE_SOURCE_DISTANCE = 33101,
    ID_REFERENCE_POWER = 33139,
    ID_UNITS_RELATIVE = 33140,
    ID_UNITS_COUNTS = 33141,
    ID_UNITS_INTENSITY = 33142,
    ID_RECOMPUTE = 33143,
    ID_INTEGRAL_PARAMETERS = 33153,
    ID_PULSED_MODE = 33154,
    ID_REPLAY_3D_DATA = 33122,
    ID_ACQUIRE_SCAN_DATA = 32803,
    ID_ACQUIRE_3D_DATA = 33092,
    ID_3D_AZIMUTH_SCANS = 33093,
    ID_SENSITIVITY = 33118,
    ID_AUTO_GAIN = 32802,
    ID_DUMP_NEXT_SCAN = 33119,   // no menu entry
    ID_RESET_SCAN_RATE = 32938,  // no menu entry
    ID_SHOW_SCAN_RATE = 32937,   // no menu entry
    ID_COMPUTED_CROSS_SECTIONS = 33127,
};

// What a menu item shows for a command.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool radio = false;  // the check is drawn as a radio mark
};

}  // namespace velor
