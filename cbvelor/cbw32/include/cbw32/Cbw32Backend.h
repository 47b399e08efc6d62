#pragma once
// Which implementation answers the four driver calls: the simulated boards (the default, for
// tests and the simulated station) or a real 24-line digital I/O board through Comedi. The
// choice is process-wide, like the driver's own state; not thread-safe.
//
// On Comedi, board number n is the device /dev/comedi<n> and its first digital I/O subdevice.
// The ports are channel groups of that subdevice: port 10 (A) channels 0-7, port 11 (B) 8-15,
// port 12 (C low) 16-19, port 13 (C high) 20-23. cbGetConfig answers board type 40 for a
// subdevice of at least 24 lines, else 0.

#include <comedilib.h>

#include <string>

#define CBW32_CONTROL_API __attribute__((visibility("default")))

namespace cbw32 {

// The Comedi library calls the backend makes. The real library fills it by default; a test
// puts recorders in their place.
struct ComediFunctions {
    comedi_t* (*open)(const char* path);
    int (*close)(comedi_t* device);
    int (*findSubdeviceByType)(comedi_t* device, int type, unsigned int start);
    int (*channelCount)(comedi_t* device, unsigned int subdevice);
    int (*dioConfig)(comedi_t* device, unsigned int subdevice, unsigned int channel,
                     unsigned int direction);
    int (*dioBitfield2)(comedi_t* device, unsigned int subdevice, unsigned int writeMask,
                        unsigned int* bits, unsigned int baseChannel);
    int (*lastError)();
    const char* (*errorText)(int error);
};

CBW32_CONTROL_API const ComediFunctions& RealComedi();

// The simulated boards; closes any Comedi device.
CBW32_CONTROL_API void UseSimulatedBoard();

// Comedi, through `functions`: opens /dev/comedi<boardNumber> at once so that a device that
// cannot be used is known now. Returns an empty text on success; otherwise the reason (the
// system's, for a device that does not open) and the simulated boards stay in use.
CBW32_CONTROL_API std::string UseComedi(int boardNumber,
                                        const ComediFunctions& functions = RealComedi());

// The device path of a board number on Comedi.
CBW32_CONTROL_API std::string ComediDevicePath(int boardNumber);

}  // namespace cbw32
