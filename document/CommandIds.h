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
    ID_COMPUTED_CROSS_SECTIONS = 33127,
};

// What a menu item shows for a command.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool radio = false;  // the check is drawn as a radio mark
};

}  // namespace velor
