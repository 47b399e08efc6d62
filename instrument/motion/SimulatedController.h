#pragma once
// A motion controller in software. It reads the commands the host sends, runs the motion
// programs on an azimuth it keeps and answers as the real controller does. Faults can be queued
// to see how the host copes with a silent, confused or cut-off controller. It serves a simulated
// station, the protocol tests and, from the far side of a pseudo-terminal, the serial line test.

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/motion/MotionPrograms.h"
#include "instrument/motion/SerialPort.h"

namespace velor {

class SimulatedController {
public:
    enum class Fault {
        None,         // answers normally
        Silence,      // the command is lost: nothing runs, nothing is answered
        WrongLetter,  // the program runs but the reply starts with a letter it never gives
        ShortReply,   // the reply breaks off after its first letter and a carriage return
        SplitReply,   // the reply's first letter comes alone, the rest one read later
    };

    // A host-side port on this controller's line. The controller must outlive it.
    std::unique_ptr<SerialPort> OpenPort();
    bool IsPortOpen() const { return m_openPorts > 0; }

    // The line itself, for a peer that carries the bytes: what the host sent, and what the
    // controller has to send back (at most maxCount bytes; 0 while a reply is held back).
    void Receive(std::string_view bytes);
    int Transmit(char* buffer, int maxCount);
    // Drops what has reached the host's end of the line and not been read; a reply still held
    // back is on its way and stays.
    void DropArrived();

    // Each queued fault applies to one program execution, in order.
    void QueueFault(Fault fault) { m_faults.push_back(fault); }
    // The status the next status queries report (bit 1 is a homing error); a reset clears it.
    void SetStatus(int status) { m_status = status; }
    // Holds each reply back for this many reads, as a slow controller would.
    void SetReplyDelay(int reads) { m_replyDelay = reads; }

    // Azimuth in degrees, in [0, 360).
    double Phi() const { return m_phiCentidegrees / 100.0; }
    // Turns the stage by hand to an azimuth (to the nearest hundredth of a degree), as a user
    // sets up a measurement at some angle the motion programs do not step to.
    void SetPhi(double degrees);
    const SpeedSet& Speeds() const { return m_speeds; }
    int Status() const { return m_status; }
    const std::vector<int>& ProgramsRun() const { return m_programsRun; }
    // Every byte the host has sent.
    const std::string& Received() const { return m_received; }
    int Reads() const { return m_reads; }

private:
    friend class SimulatedPort;

    void Execute(const std::string& line);
    void RunSelectedProgram();
    std::string Reply(int program) const;
    void Answer(std::string reply);

    std::string m_received;
    std::string m_line;  // the command being received, up to its carriage return
    std::string m_output;
    std::deque<Fault> m_faults;
    std::vector<int> m_programsRun;
    SpeedSet m_speeds;
    int m_selectedProgram = -1;
    int m_phiCentidegrees = 0;
    int m_status = 0;
    int m_replyDelay = 0;
    int m_heldReads = 0;
    size_t m_splitAt = 0;  // bytes of the reply that arrive before the rest; 0: all at once
    int m_reads = 0;
    int m_openPorts = 0;
};

}  // namespace velor
